// quibor15 run FILE.vbs [ARGS...]: runs a script against the component in
// the headless world. A syntax error is reported before anything runs; an
// uncaught run-time error is reported as FILE(LINE, COL) SOURCE: DESCRIPTION.
// Both exit with 1; WScript.Quit's code is the exit code otherwise.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "host/commands.hpp"
#include "host/script/parser.hpp"
#include "host/script/text.hpp"
#include "host/script/wscript.hpp"
#include "host/world.hpp"

namespace quibor15::host {

namespace {

void Report(std::ostream& err, const std::string& path, script::SourcePos pos, std::u16string_view source,
            std::u16string_view description) {
    err << path << '(' << pos.line << ", " << pos.col << ") " << script::ToUtf8(source) << ": "
        << script::ToUtf8(description) << '\n';
}

bool ReadFile(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) return false;
    bytes = std::move(buffer).str();
    return true;
}

String Utf16(const std::string& text) {
    String out;
    if (script::FromUtf8(text, out)) return out;
    return script::FromWindows1252(text);
}

}  // namespace

int RunScriptCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    if (args.empty() || args[0] == "-h" || args[0] == "--help") {
        (args.empty() ? err : out) << "usage: quibor15 run FILE.vbs [ARGS...]\n";
        return args.empty() ? 2 : 0;
    }
    const std::string& path = args[0];
    std::string bytes;
    if (!ReadFile(path, bytes) || std::filesystem::is_directory(path)) {
        err << "quibor15: cannot read script '" << path << "'\n";
        return 1;
    }

    std::shared_ptr<const script::Program> program;
    try {
        program = script::Parse(script::DecodeSource(bytes));
    } catch (const script::SyntaxError& e) {
        Report(err, path, e.Pos(), script::kCompileErrorSource, e.Description());
        return 1;
    }

    std::vector<String> script_args;
    for (size_t i = 1; i < args.size(); ++i) script_args.push_back(Utf16(args[i]));
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(path, ec);

    script::RunOutcome outcome;
    try {
        World world(out);
        script::Interpreter interp(program, world);
        interp.AddNamedObject(
            u"WScript", script::MakeWScriptObject(interp, Utf16(ec ? path : full.string()), std::move(script_args)));
        world.Connect(interp);
        outcome = interp.Run();
    } catch (const std::exception& e) {
        out.flush();
        err << "quibor15: " << e.what() << '\n';
        return 1;
    }
    out.flush();
    switch (outcome.kind) {
        case script::RunOutcome::Kind::Completed:
            return 0;
        case script::RunOutcome::Kind::Quit:
            return outcome.exit_code;
        case script::RunOutcome::Kind::Failed:
            Report(err, path, outcome.pos, outcome.source, outcome.description);
            return 1;
    }
    return 1;
}

}  // namespace quibor15::host
