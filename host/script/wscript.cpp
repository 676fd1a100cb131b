#include "host/script/wscript.hpp"

#include <algorithm>

#include "host/script/host_object.hpp"
#include "host/script/objects/runtime_object.hpp"

namespace quibor15::script {
namespace {

// A simple enumerator over a fixed list.
class ListEnumerator : public Enumerator {
public:
    explicit ListEnumerator(std::vector<Variant> items) : items_(std::move(items)) {}
    bool Next(Variant& item) override {
        if (next_ >= items_.size()) return false;
        item = items_[next_++];
        return true;
    }
    void Reset() override { next_ = 0; }

private:
    std::vector<Variant> items_;
    size_t next_ = 0;
};

// A named argument is written /name:value or /name (no value: Empty).
bool IsNamed(const String& argument) { return argument.size() > 1 && argument[0] == u'/'; }

class NamedArgumentsObject : public HostObject {
public:
    explicit NamedArgumentsObject(const std::vector<String>& arguments) {
        for (const String& a : arguments) {
            if (!IsNamed(a)) continue;
            const size_t colon = a.find(u':');
            String name = a.substr(1, colon == String::npos ? String::npos : colon - 1);
            Variant value = colon == String::npos ? Variant() : Variant(a.substr(colon + 1));
            auto same = [&name](const auto& entry) { return EqualsIgnoreCase(entry.first, name); };
            auto it = std::find_if(named_.begin(), named_.end(), same);
            if (it != named_.end()) {
                it->second = std::move(value);  // the last one given counts
            } else {
                named_.emplace_back(std::move(name), std::move(value));
            }
        }
    }

    String TypeName() const override { return u"IWshNamed"; }

    Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) override {
        if (!IsGet(flags)) RaiseRuntimeError(rt::kMemberNotSupported);
        switch (id) {
            case kItem:
            case kExists: {
                ExpectArgs(args, 1, 1);
                const String name = VariantToString(args[0].Deref());
                for (const auto& [n, value] : named_) {
                    if (EqualsIgnoreCase(n, name)) return id == kItem ? value : Variant(kTrue);
                }
                return id == kItem ? Variant() : Variant(Boolean::From(false));
            }
            case kCount:
            case kLength:
                ExpectArgs(args, 0, 0);
                return Variant(static_cast<Long>(named_.size()));
            case kDispIdNewEnum: {
                std::vector<Variant> names;
                for (const auto& entry : named_) names.emplace_back(entry.first);
                return Variant(ObjectRef(MakeRef<ListEnumerator>(std::move(names))));
            }
            default:
                RaiseRuntimeError(rt::kMemberNotSupported);
        }
    }

private:
    enum : DispId { kItem = kDispIdValue, kCount = 1, kLength, kExists };
    std::span<const Member> Members() const override {
        static constexpr Member kMembers[] = {{u"Item", kItem},
                                              {u"Count", kCount},
                                              {u"Length", kLength},
                                              {u"Exists", kExists},
                                              {u"_NewEnum", kDispIdNewEnum}};
        return kMembers;
    }

    std::vector<std::pair<String, Variant>> named_;
};

class ArgumentsObject : public HostObject {
public:
    explicit ArgumentsObject(std::vector<String> arguments, bool with_parts = true) : arguments_(std::move(arguments)) {
        if (!with_parts) return;
        named_ = ObjectRef(MakeRef<NamedArgumentsObject>(arguments_));
        std::vector<String> unnamed;
        for (const String& a : arguments_) {
            if (!IsNamed(a)) unnamed.push_back(a);
        }
        unnamed_ = ObjectRef(MakeRef<ArgumentsObject>(std::move(unnamed), false));
    }

    String TypeName() const override { return u"IArguments"; }

    Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) override {
        if (!IsGet(flags)) RaiseRuntimeError(rt::kMemberNotSupported);
        switch (id) {
            case kItem: {
                ExpectArgs(args, 1, 1);
                const Long i = VariantToLong(args[0]);
                if (i < 0 || static_cast<size_t>(i) >= arguments_.size()) RaiseRuntimeError(rt::kSubscriptOutOfRange);
                return Variant(arguments_[static_cast<size_t>(i)]);
            }
            case kCount:
            case kLength:
                ExpectArgs(args, 0, 0);
                return Variant(static_cast<Long>(arguments_.size()));
            case kDispIdNewEnum: {
                std::vector<Variant> items(arguments_.begin(), arguments_.end());
                return Variant(ObjectRef(MakeRef<ListEnumerator>(std::move(items))));
            }
            case kNamed:
            case kUnnamed:
                if (!named_) RaiseRuntimeError(rt::kMemberNotSupported);
                ExpectArgs(args, 0, 0);
                return Variant(id == kNamed ? named_ : unnamed_);
            default:
                RaiseRuntimeError(rt::kMemberNotSupported);
        }
    }

private:
    static constexpr DispId kItem = kDispIdValue;
    static constexpr DispId kCount = 1;
    static constexpr DispId kLength = 2;
    static constexpr DispId kNamed = 3;
    static constexpr DispId kUnnamed = 4;
    std::span<const Member> Members() const override {
        static constexpr Member kMembers[] = {{u"Item", kItem},       {u"Count", kCount},
                                              {u"Length", kLength},   {u"Named", kNamed},
                                              {u"Unnamed", kUnnamed}, {u"_NewEnum", kDispIdNewEnum}};
        return kMembers;
    }

    std::vector<String> arguments_;
    ObjectRef named_;  // Nothing for Unnamed itself
    ObjectRef unnamed_;
};

// WScript.StdOut and StdErr: standard output or error as a text stream.
class StdOutObject : public HostObject {
public:
    StdOutObject(Interpreter& interp, bool error) : interp_(interp), alive_(interp.AliveToken()), error_(error) {}

    String TypeName() const override { return u"TextStream"; }

    Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) override {
        if (!*alive_) RaiseRuntimeError(rt::kActionNotSupported);
        if (!IsGet(flags)) RaiseRuntimeError(rt::kMemberNotSupported);
        switch (id) {
            case kWrite:
                ExpectArgs(args, 1, 1);
                Put(Text(args[0]));
                return Variant();
            case kWriteLine:
                ExpectArgs(args, 0, 1);
                PutLine(Given(args, 0) ? Text(args[0]) : String());
                return Variant();
            case kWriteBlankLines: {
                ExpectArgs(args, 1, 1);
                const Long n = VariantToLong(interp_.Plain(Variant(args[0].Deref())), interp_.Format());
                if (n < 0 || n > 1000000) RaiseRuntimeError(rt::kInvalidProcedureCall);
                for (Long i = 0; i < n; ++i) PutLine(u"");
                return Variant();
            }
            case kClose:
                ExpectArgs(args, 0, 0);
                return Variant();
            default:
                RaiseRuntimeError(rt::kMemberNotSupported);
        }
    }

private:
    enum : DispId { kWrite = 1, kWriteLine, kWriteBlankLines, kClose };
    std::span<const Member> Members() const override {
        static constexpr Member kMembers[] = {
            {u"Write", kWrite}, {u"WriteLine", kWriteLine}, {u"WriteBlankLines", kWriteBlankLines}, {u"Close", kClose}};
        return kMembers;
    }
    String Text(const Variant& v) {
        const Variant& x = v.Deref();
        return x.IsNull() ? String(u"Null") : interp_.Text(x);
    }
    void Put(const String& text) {
        if (error_) {
            interp_.Host().WriteError(text);
        } else {
            interp_.Host().Write(text);
        }
    }
    void PutLine(const String& line) {
        if (error_) {
            interp_.Host().WriteError(line + u"\n");
        } else {
            interp_.Host().WriteLine(line);
        }
    }

    Interpreter& interp_;
    std::shared_ptr<bool> alive_;
    bool error_;
};

class WScriptObject : public HostObject {
public:
    WScriptObject(Interpreter& interp, String script_path, std::vector<String> arguments)
        : interp_(interp),
          alive_(interp.AliveToken()),
          path_(std::move(script_path)),
          arguments_(ObjectRef(MakeRef<ArgumentsObject>(std::move(arguments)))) {}

    String TypeName() const override { return u"Object"; }

    Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) override {
        if (!*alive_) RaiseRuntimeError(rt::kActionNotSupported);
        if (!IsGet(flags)) RaiseRuntimeError(rt::kMemberNotSupported);
        switch (id) {
            case kEcho:
                Echo(args);
                return Variant();
            case kArguments:
                if (!args.empty()) return LateDefault(arguments_, args);
                return Variant(arguments_);
            case kQuit:
                ExpectArgs(args, 0, 1);
                interp_.Quit(Given(args, 0) ? VariantToLong(interp_.Plain(Variant(args[0].Deref()))) : 0);
            case kCreateObject:
                return CreateObject(args);
            case kConnectObject: {
                ExpectArgs(args, 2, 2);
                ObjectRef obj = args[0].Deref().ObjectOrThrow();
                if (!obj) RaiseRuntimeError(rt::kObjectNotSet);
                obj->Advise(interp_.MakeEventSink(obj, interp_.Text(args[1])));
                return Variant();
            }
            case kScriptName: {
                ExpectArgs(args, 0, 0);
                const size_t slash = path_.find_last_of(u"/\\");
                return Variant(slash == String::npos ? path_ : path_.substr(slash + 1));
            }
            case kScriptFullName:
                ExpectArgs(args, 0, 0);
                return Variant(path_);
            case kName:
                ExpectArgs(args, 0, 0);
                return Variant(String(u"quibor15 script host"));
            case kStdOut:
                ExpectArgs(args, 0, 0);
                if (!std_out_) std_out_ = ObjectRef(MakeRef<StdOutObject>(interp_, false));
                return Variant(std_out_);
            case kStdErr:
                ExpectArgs(args, 0, 0);
                if (!std_err_) std_err_ = ObjectRef(MakeRef<StdOutObject>(interp_, true));
                return Variant(std_err_);
            case kSleep: {
                ExpectArgs(args, 1, 1);
                const Long ms = VariantToLong(interp_.Plain(Variant(args[0].Deref())), interp_.Format());
                if (ms < 0) RaiseRuntimeError(rt::kInvalidProcedureCall);
                interp_.Host().Sleep(ms);
                interp_.ForgetFormat();
                return Variant();
            }
            default:
                RaiseRuntimeError(rt::kMemberNotSupported);
        }
    }

private:
    enum : DispId {
        kEcho = 1,
        kArguments,
        kQuit,
        kCreateObject,
        kConnectObject,
        kScriptName,
        kScriptFullName,
        kName,
        kStdOut,
        kStdErr,
        kSleep,
    };
    std::span<const Member> Members() const override {
        static constexpr Member kMembers[] = {
            {u"Echo", kEcho},
            {u"Arguments", kArguments},
            {u"Quit", kQuit},
            {u"CreateObject", kCreateObject},
            {u"ConnectObject", kConnectObject},
            {u"ScriptName", kScriptName},
            {u"ScriptFullName", kScriptFullName},
            {u"Name", kName},
            {u"StdOut", kStdOut},
            {u"StdErr", kStdErr},
            {u"Sleep", kSleep},
        };
        return kMembers;
    }

    // The arguments as text, separated by a blank, as one line.
    void Echo(std::span<Variant> args) {
        String line;
        for (size_t i = 0; i < args.size(); ++i) {
            if (i > 0) line += u' ';
            const Variant& v = args[i].Deref();
            if (v.IsMissing()) continue;
            line += v.IsNull() ? String(u"Null") : interp_.Text(v);
        }
        interp_.Host().WriteLine(line);
    }

    Variant CreateObject(std::span<Variant> args) {
        ExpectArgs(args, 1, 2);
        ObjectRef obj = CreateObjectByProgId(interp_, interp_.Text(args[0]));
        if (Given(args, 1)) {
            const String prefix = interp_.Text(args[1]);
            if (!prefix.empty()) obj->Advise(interp_.MakeEventSink(obj, prefix));
        }
        return Variant(std::move(obj));
    }

    Interpreter& interp_;
    std::shared_ptr<bool> alive_;
    String path_;
    ObjectRef arguments_;
    ObjectRef std_out_;
    ObjectRef std_err_;
};

class ErrObject : public HostObject {
public:
    explicit ErrObject(Interpreter& interp) : interp_(interp), alive_(interp.AliveToken()) {}

    String TypeName() const override { return u"ErrObject"; }

    Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) override {
        if (!*alive_) RaiseRuntimeError(rt::kActionNotSupported);
        if (IsPut(flags)) {
            ExpectArgs(args, 1, 1);
            const Variant value = interp_.Plain(Variant(args[0].Deref()));
            switch (id) {
                case kNumber:
                    interp_.SetErr(VariantToLong(value), interp_.ErrSource(), interp_.ErrDescription());
                    return Variant();
                case kSource:
                    interp_.SetErr(interp_.ErrNumber(), interp_.Text(value), interp_.ErrDescription());
                    return Variant();
                case kDescription:
                    interp_.SetErr(interp_.ErrNumber(), interp_.ErrSource(), interp_.Text(value));
                    return Variant();
                default:
                    RaiseRuntimeError(rt::kMemberNotSupported);
            }
        }
        switch (id) {
            case kNumber:
                ExpectArgs(args, 0, 0);
                return Variant(static_cast<Long>(interp_.ErrNumber()));
            case kSource:
                ExpectArgs(args, 0, 0);
                return Variant(interp_.ErrSource());
            case kDescription:
                ExpectArgs(args, 0, 0);
                return Variant(interp_.ErrDescription());
            case kHelpFile:
                ExpectArgs(args, 0, 0);
                return Variant(String());
            case kHelpContext:
                ExpectArgs(args, 0, 0);
                return Variant(Long{0});
            case kClear:
                ExpectArgs(args, 0, 0);
                interp_.ClearErr();
                return Variant();
            case kRaise:
                Raise(args);
            default:
                RaiseRuntimeError(rt::kMemberNotSupported);
        }
    }

private:
    enum : DispId { kNumber = kDispIdValue, kSource = 1, kDescription, kHelpFile, kHelpContext, kClear, kRaise };
    std::span<const Member> Members() const override {
        static constexpr Member kMembers[] = {
            {u"Number", kNumber},     {u"Source", kSource},           {u"Description", kDescription},
            {u"HelpFile", kHelpFile}, {u"HelpContext", kHelpContext}, {u"Clear", kClear},
            {u"Raise", kRaise},
        };
        return kMembers;
    }

    // Err.Raise number[, source[, description[, helpfile[, helpcontext]]]]
    [[noreturn]] void Raise(std::span<Variant> args) {
        ExpectArgs(args, 1, 5);
        const Long number = VariantToLong(interp_.Plain(Variant(args[0].Deref())), interp_.Format());
        const String source = Given(args, 1) ? interp_.Text(args[1]) : String(kRuntimeErrorSource);
        const String description = Given(args, 2) ? interp_.Text(args[2]) : ScriptErrorDescription(number);
        throw ScriptError(number, source, description);
    }

    Interpreter& interp_;
    std::shared_ptr<bool> alive_;
};

}  // namespace

ObjectRef MakeWScriptObject(Interpreter& interp, String script_path, std::vector<String> arguments) {
    return ObjectRef(MakeRef<WScriptObject>(interp, std::move(script_path), std::move(arguments)));
}

ObjectRef MakeErrObject(Interpreter& interp) { return ObjectRef(MakeRef<ErrObject>(interp)); }

}  // namespace quibor15::script
