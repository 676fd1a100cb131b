// Scripting.Dictionary: items by unique key, kept in the order they were
// added. Keys compare by value within their kind: numbers as numbers (1 and
// 1.0 are one key, "1" another), texts exactly or, under CompareMode 1,
// ignoring case, objects by identity.
#include <list>
#include <unordered_map>

#include "host/script/objects/runtime_object.hpp"
#include "host/script/script_error.hpp"

namespace quibor15::script {
namespace {

constexpr int32_t kElementNotFound = 32811;

class Dictionary : public RuntimeObject {
public:
    using RuntimeObject::RuntimeObject;

    String TypeName() const override { return u"Dictionary"; }

    Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) override {
        Interp();
        if (IsPut(flags)) return Put(id, flags, args);
        switch (id) {
            case kItem: {
                ExpectArgs(args, 1, 1);
                // Reading a key that is not there adds it, with an empty item.
                auto it = Find(args[0]);
                if (it == index_.end()) return Insert(args[0], Variant());
                return it->second->item;
            }
            case kAdd: {
                ExpectArgs(args, 2, 2);
                if (Find(args[0]) != index_.end()) RaiseScriptError(rt::kDuplicateKey);
                Insert(args[0], Variant(args[1].Deref()));
                return Variant();
            }
            case kExists:
                ExpectArgs(args, 1, 1);
                return Variant(Boolean::From(Find(args[0]) != index_.end()));
            case kRemove: {
                ExpectArgs(args, 1, 1);
                auto it = Existing(args[0]);
                entries_.erase(it->second);
                index_.erase(it);
                return Variant();
            }
            case kRemoveAll:
                ExpectArgs(args, 0, 0);
                index_.clear();
                entries_.clear();
                return Variant();
            case kKeys:
            case kItems:
            case kDispIdNewEnum: {
                ExpectArgs(args, 0, 0);
                std::vector<Variant> out;
                out.reserve(entries_.size());
                for (const Entry& e : entries_) out.push_back(id == kItems ? e.item : e.key);
                if (id == kDispIdNewEnum) return Variant(ObjectRef(MakeRef<ValueEnumerator>(std::move(out))));
                return VariantArray(std::move(out));
            }
            case kCount:
                ExpectArgs(args, 0, 0);
                return Variant(static_cast<Long>(entries_.size()));
            case kCompareMode:
                ExpectArgs(args, 0, 0);
                return Variant(static_cast<Long>(compare_mode_));
            default:
                RaiseRuntimeError(rt::kMemberNotSupported);
        }
    }

private:
    enum : DispId {
        kItem = kDispIdValue,
        kAdd = 1,
        kExists,
        kRemove,
        kRemoveAll,
        kKeys,
        kItems,
        kCount,
        kCompareMode,
        kKey,
    };
    std::span<const Member> Members() const override {
        static constexpr Member kMembers[] = {
            {u"Item", kItem},
            {u"Add", kAdd},
            {u"Exists", kExists},
            {u"Remove", kRemove},
            {u"RemoveAll", kRemoveAll},
            {u"Keys", kKeys},
            {u"Items", kItems},
            {u"Count", kCount},
            {u"CompareMode", kCompareMode},
            {u"Key", kKey},
            {u"_NewEnum", kDispIdNewEnum},
        };
        return kMembers;
    }

    struct Entry {
        Variant key;
        Variant item;
    };
    using Entries = std::list<Entry>;
    using Index = std::unordered_map<String, Entries::iterator>;

    Variant Put(DispId id, uint16_t flags, std::span<Variant> args) {
        switch (id) {
            case kItem: {
                ExpectArgs(args, 2, 2);
                Variant value(args[1].Deref());
                if ((flags & kInvokePropertyPutRef) && !value.IsObject()) RaiseScriptError(rt::kObjectRequired);
                auto it = Find(args[0]);
                if (it == index_.end()) {
                    Insert(args[0], std::move(value));
                } else {
                    it->second->item = std::move(value);
                }
                return Variant();
            }
            case kKey: {
                // d.Key(old) = new
                ExpectArgs(args, 2, 2);
                auto it = Existing(args[0]);
                const String new_key = Normal(args[1]);
                if (index_.count(new_key)) RaiseScriptError(rt::kDuplicateKey);
                Entries::iterator entry = it->second;
                index_.erase(it);
                entry->key = KeyValue(args[1]);
                index_.emplace(new_key, entry);
                return Variant();
            }
            case kCompareMode: {
                ExpectArgs(args, 1, 1);
                const Long mode = LongArg(args, 0);
                // The mode can change only while the dictionary is empty.
                if (mode < 0 || !entries_.empty()) RaiseScriptError(rt::kInvalidProcedureCall);
                compare_mode_ = mode;
                return Variant();
            }
            default:
                RaiseRuntimeError(rt::kMemberNotSupported);
        }
    }

    // The key as stored: a copy of the value, never a reference or array.
    Variant KeyValue(const Variant& arg) {
        Variant key(arg.Deref());
        if (key.IsArray()) RaiseScriptError(rt::kTypeMismatch);
        return key;
    }

    // The key's identity as a text: its kind, then its value in that kind.
    String Normal(const Variant& arg) {
        const Variant key = KeyValue(arg);
        if (const ObjectRef* obj = key.As<ObjectRef>()) {
            return u"o" + DecimalText(static_cast<int64_t>(reinterpret_cast<uintptr_t>(obj->Get())));
        }
        if (const String* s = key.As<String>()) return u"s" + (compare_mode_ != 0 ? LowerCase(*s) : *s);
        switch (key.Type()) {
            case VarType::Empty:
                return u"e";
            case VarType::Null:
                return u"n";
            default: {
                const double d = VariantToDouble(key);
                return u"d" + DecimalText(d == 0 ? 0.0 : d);
            }
        }
    }

    Index::iterator Find(const Variant& key) { return index_.find(Normal(key)); }
    Index::iterator Existing(const Variant& key) {
        auto it = Find(key);
        if (it == index_.end()) {
            throw ScriptError(kElementNotFound, kRuntimeErrorSource, ScriptErrorDescription(kElementNotFound));
        }
        return it;
    }
    Variant Insert(const Variant& key, Variant item) {
        entries_.push_back(Entry{KeyValue(key), std::move(item)});
        index_.emplace(Normal(key), std::prev(entries_.end()));
        return entries_.back().item;
    }

    Entries entries_;
    Index index_;
    Long compare_mode_ = 0;
};

}  // namespace

ObjectRef MakeDictionary(Interpreter& interp) { return ObjectRef(MakeRef<Dictionary>(interp)); }

}  // namespace quibor15::script
