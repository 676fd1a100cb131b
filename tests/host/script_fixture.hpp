// Runs scripts on a small stand-in for the world: output lines are kept,
// dates print as yyyy-mm-dd hh:mm:ss, and CreateObject knows the objects a
// test registers.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "host/script/interpreter.hpp"
#include "host/script/parser.hpp"
#include "host/script/text.hpp"
#include "host/script/wscript.hpp"
#include "quibor15/collection.hpp"
#include "quibor15/primitives.hpp"

namespace quibor15::script::testing {

inline std::string Narrow(std::u16string_view s) { return ToUtf8(s); }

class FakeHost : public ScriptHost {
public:
    FakeHost() : code_page_(MakeAnsiCodePage(1252)) {}

    NumberFormat SystemNumberFormat() override { return format; }
    String DateText(Date value) override {
        const DateParts p = DateToParts(value);
        auto two = [](int v) { return (v < 10 ? u"0" : u"") + DecimalText(static_cast<Long>(v)); };
        return DecimalText(static_cast<Long>(p.year)) + u"-" + two(p.month) + u"-" + two(p.day) + u" " + two(p.hour) +
               u":" + two(p.minute) + u":" + two(p.second);
    }
    // Text written without a line break joins the next line.
    void Write(std::u16string_view text) override { pending += Narrow(text); }
    void WriteLine(std::u16string_view line) override {
        lines.push_back(pending + Narrow(line));
        pending.clear();
    }
    ObjectRef CreateObject(std::u16string_view progid) override {
        if (EqualsIgnoreCase(progid, u"VBA.Collection")) return ObjectRef(Collection::Create());
        auto it = factories.find(Narrow(progid));
        if (it == factories.end()) RaiseRuntimeError(rt::kCannotCreateObject);
        return it->second();
    }
    Date Now() override { return Date{40508.5}; }
    const AnsiCodePage& CodePage() override { return *code_page_; }
    int32_t MessageBox(const String& prompt, int32_t flags, const String& title) override {
        boxes.push_back(Narrow(title) + "|" + Narrow(prompt) + "|" + std::to_string(flags));
        return 1;
    }

    NumberFormat format;
    std::vector<std::string> lines;
    std::string pending;
    std::vector<std::string> boxes;
    std::map<std::string, std::function<ObjectRef()>> factories;

private:
    std::unique_ptr<AnsiCodePage> code_page_;
};

struct ScriptRun {
    RunOutcome outcome;
    std::vector<std::string> lines;

    bool Ok() const { return outcome.kind == RunOutcome::Kind::Completed; }
    std::string Output() const {
        std::string all;
        for (const std::string& l : lines) all += l + "\n";
        return all;
    }
    // "LINE,COL SOURCE: DESCRIPTION" of a failed run.
    std::string Error() const {
        if (outcome.kind != RunOutcome::Kind::Failed) return "";
        return std::to_string(outcome.pos.line) + "," + std::to_string(outcome.pos.col) + " " + Narrow(outcome.source) +
               ": " + Narrow(outcome.description);
    }
};

// Parses and runs a script; extra objects become read-only globals.
inline ScriptRun RunScript(std::u16string_view source, FakeHost& host,
                           std::map<std::u16string, ObjectRef> globals = {}) {
    std::shared_ptr<const Program> program = Parse(source);
    ScriptRun run;
    {
        Interpreter interp(program, host);
        interp.AddNamedObject(u"WScript", MakeWScriptObject(interp, u"test.vbs", {u"one", u"two"}));
        for (auto& [name, obj] : globals) interp.AddNamedObject(name, obj);
        run.outcome = interp.Run();
    }
    run.lines = host.lines;
    return run;
}

inline ScriptRun RunScript(std::u16string_view source) {
    FakeHost host;
    return RunScript(source, host);
}

}  // namespace quibor15::script::testing
