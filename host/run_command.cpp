// quibor15 run [--snapshots DIR] FILE.vbs [ARGS...]: runs a script against
// the component in the headless world. A syntax error is reported before
// anything runs; an uncaught run-time error is reported as FILE(LINE, COL)
// SOURCE: DESCRIPTION. Both exit with 1; WScript.Quit's code is the exit
// code otherwise. With --snapshots, DIR/NNN-FORM.png pictures each form as
// it comes on screen, as a modal dialog opens and after each action of the
// scripted user.
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>

#include "host/commands.hpp"
#include "host/script/parser.hpp"
#include "host/script/text.hpp"
#include "host/script/wscript.hpp"
#include "host/world.hpp"
#include "platform/headless/picture_writer.hpp"

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

// A form's name as a file name: letters, digits, '_' and '-' kept.
std::string FileNameOf(const String& name) {
    std::string out;
    for (char16_t c : name) {
        const bool plain =
            (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_' || c == u'-';
        out += plain ? static_cast<char>(c) : '_';
    }
    return out;
}

// Writes DIR/NNN-FORM.png each time the desktop's watcher sees a form
// (copies of the watcher share the count).
class SnapshotWriter {
public:
    explicit SnapshotWriter(std::filesystem::path dir) : dir_(std::move(dir)) {}
    void operator()(headless::Form& form) {
        std::string number = std::to_string(++*count_);
        if (number.size() < 3) number.insert(0, 3 - number.size(), '0');
        headless::WriteFormPicture(form, (dir_ / (number + "-" + FileNameOf(form.Name()) + ".png")).string());
    }

private:
    std::filesystem::path dir_;
    std::shared_ptr<int> count_ = std::make_shared<int>(0);
};

String Utf16(const std::string& text) {
    String out;
    if (script::FromUtf8(text, out)) return out;
    return script::FromWindows1252(text);
}

}  // namespace

int RunScriptCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    std::optional<std::filesystem::path> snapshots;
    if (!args.empty() && args[0] == "--snapshots") {
        if (args.size() < 2) return RunScriptCommand({}, out, err);
        snapshots = args[1];
        args = args.subspan(2);
    }
    if (args.empty() || args[0] == "-h" || args[0] == "--help") {
        (args.empty() ? err : out) << "usage: quibor15 run [--snapshots DIR] FILE.vbs [ARGS...]\n";
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

    if (snapshots) {
        std::error_code made;
        std::filesystem::create_directories(*snapshots, made);
        if (made || !std::filesystem::is_directory(*snapshots)) {
            err << "quibor15: cannot create the snapshot folder '" << snapshots->string() << "'\n";
            return 1;
        }
    }

    std::vector<String> script_args;
    for (size_t i = 1; i < args.size(); ++i) script_args.push_back(Utf16(args[i]));
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(path, ec);

    script::RunOutcome outcome;
    try {
        World world(out, (ec ? std::filesystem::path(path) : full).parent_path().u16string());
        if (snapshots) world.Runtime().Desk().SetFormWatcher(SnapshotWriter(*snapshots));
        world.SetErrorStream(err);
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
