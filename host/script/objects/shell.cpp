// WScript.Shell: the current folder, the process environment and message
// boxes. The headless world runs no programs, so Run and Exec raise.
#include <cstdlib>
#include <filesystem>

#include "host/script/objects/file_system.hpp"
#include "host/script/script_error.hpp"
#include "host/script/text.hpp"

extern char** environ;

namespace quibor15::script {
namespace {

std::optional<String> GetVariable(const String& name) {
    if (name.empty() || name.find(u'=') != String::npos) return std::nullopt;
    if (const char* v = std::getenv(ToUtf8(name).c_str())) {
        String out;
        if (!FromUtf8(v, out)) out = FromWindows1252(v);
        return out;
    }
    // Names are case-blind on Windows, where the scripts come from.
    for (char** e = environ; *e; ++e) {
        String entry;
        if (!FromUtf8(*e, entry)) continue;
        const size_t eq = entry.find(u'=');
        if (eq != String::npos && EqualsIgnoreCase(std::u16string_view(entry).substr(0, eq), name)) {
            return entry.substr(eq + 1);
        }
    }
    return std::nullopt;
}

std::vector<Variant> Entries() {
    std::vector<Variant> out;
    for (char** e = environ; *e; ++e) {
        Variant entry;
        if (String text; FromUtf8(*e, text)) entry = Variant(text);
        if (!entry.IsEmpty()) out.push_back(std::move(entry));
    }
    return out;
}

// The PROCESS environment (WshEnvironment).
class EnvironmentObject : public RuntimeObject {
public:
    using RuntimeObject::RuntimeObject;

    String TypeName() const override { return u"IWshEnvironment"; }

    Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) override {
        Interp();
        if (IsPut(flags)) {
            if (id != kItem) RaiseRuntimeError(rt::kMemberNotSupported);
            ExpectArgs(args, 2, 2);
            const String name = Text(args, 0);
            if (name.empty() || name.find(u'=') != String::npos) RaiseScriptError(rt::kInvalidProcedureCall);
            ::setenv(ToUtf8(name).c_str(), ToUtf8(Text(args, 1)).c_str(), 1);
            return Variant();
        }
        switch (id) {
            case kItem: {
                ExpectArgs(args, 1, 1);
                return Variant(GetVariable(Text(args, 0)).value_or(String()));
            }
            case kCount:
            case kLength:
                ExpectArgs(args, 0, 0);
                return Variant(static_cast<Long>(Entries().size()));
            case kRemove: {
                ExpectArgs(args, 1, 1);
                const String name = Text(args, 0);
                if (!GetVariable(name)) RaiseScriptError(rt::kInvalidProcedureCall);
                ::unsetenv(ToUtf8(name).c_str());
                return Variant();
            }
            case kDispIdNewEnum:
                return Variant(ObjectRef(MakeRef<ValueEnumerator>(Entries())));
            default:
                RaiseRuntimeError(rt::kMemberNotSupported);
        }
    }

private:
    enum : DispId { kItem = kDispIdValue, kCount = 1, kLength, kRemove };
    std::span<const Member> Members() const override {
        static constexpr Member kMembers[] = {{u"Item", kItem},
                                              {u"Count", kCount},
                                              {u"length", kLength},
                                              {u"Remove", kRemove},
                                              {u"_NewEnum", kDispIdNewEnum}};
        return kMembers;
    }
};

class ShellObject : public RuntimeObject {
public:
    using RuntimeObject::RuntimeObject;

    String TypeName() const override { return u"IWshShell3"; }

    Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) override {
        Interp();
        std::error_code ec;
        if (IsPut(flags)) {
            if (id != kCurrentDirectory) RaiseRuntimeError(rt::kMemberNotSupported);
            ExpectArgs(args, 1, 1);
            std::filesystem::current_path(fso::NativePath(Text(args, 0)), ec);
            if (ec) fso::RaiseFileError(ec, true);
            return Variant();
        }
        switch (id) {
            case kCurrentDirectory:
                ExpectArgs(args, 0, 0);
                return Variant(fso::PathText(std::filesystem::current_path(ec)));
            case kEnvironment: {
                ExpectArgs(args, 0, 1);
                const String kind = Given(args, 0) ? Text(args, 0) : String(u"SYSTEM");
                if (!EqualsIgnoreCase(kind, u"PROCESS")) {
                    RaiseRuntimeError(rt::kActionNotSupported,
                                      u"Environment(\"" + kind + u"\"): only the PROCESS environment exists here");
                }
                return Variant(ObjectRef(MakeRef<EnvironmentObject>(Interp())));
            }
            case kExpandEnvironmentStrings:
                ExpectArgs(args, 1, 1);
                return Variant(Expand(Text(args, 0)));
            case kPopup: {
                // Popup(text[, seconds[, title[, type]]]): a message box; the
                // headless world answers it at once, so the wait never ends it.
                ExpectArgs(args, 1, 4);
                const String title = Given(args, 2) ? Text(args, 2) : String(u"Windows Script Host");
                const int32_t pressed = Interp().Host().MessageBox(Text(args, 0), LongOr(args, 3, 0), title);
                Interp().ForgetFormat();
                return Variant(static_cast<Integer>(pressed));
            }
            case kRun:
            case kExec:
                RaiseRuntimeError(rt::kActionNotSupported,
                                  String(id == kRun ? u"Run" : u"Exec") + u": the headless world runs no programs");
            default:
                RaiseRuntimeError(rt::kMemberNotSupported);
        }
    }

private:
    enum : DispId { kCurrentDirectory = 1, kEnvironment, kExpandEnvironmentStrings, kPopup, kRun, kExec };
    std::span<const Member> Members() const override {
        static constexpr Member kMembers[] = {
            {u"CurrentDirectory", kCurrentDirectory},
            {u"Environment", kEnvironment},
            {u"ExpandEnvironmentStrings", kExpandEnvironmentStrings},
            {u"Popup", kPopup},
            {u"Run", kRun},
            {u"Exec", kExec},
        };
        return kMembers;
    }

    // %NAME% becomes the variable's value; unknown names stay as written.
    static String Expand(const String& text) {
        String out;
        size_t pos = 0;
        while (pos < text.size()) {
            const size_t open = text.find(u'%', pos);
            const size_t close = open == String::npos ? String::npos : text.find(u'%', open + 1);
            if (close == String::npos) break;
            out.append(text, pos, open - pos);
            const std::optional<String> value = GetVariable(text.substr(open + 1, close - open - 1));
            if (value) {
                out += *value;
                pos = close + 1;
            } else {
                out += u'%';
                pos = open + 1;
            }
        }
        out.append(text, pos, String::npos);
        return out;
    }
};

}  // namespace

ObjectRef MakeShell(Interpreter& interp) { return ObjectRef(MakeRef<ShellObject>(interp)); }

}  // namespace quibor15::script
