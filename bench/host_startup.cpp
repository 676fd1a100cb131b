// What a script run costs in-process: building the headless world (forms
// runtime, simulated Windows, ICU locale database, component catalogue),
// parsing, and running; and the quibor15 command as a process. The goal for
// the whole of a one-line script is 10 ms; the loops show the interpreter's
// own speed.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "host/script/interpreter.hpp"
#include "host/script/parser.hpp"
#include "host/script/text.hpp"
#include "host/script/wscript.hpp"
#include "host/world.hpp"

namespace {

using namespace quibor15;

// Everything `quibor15 run` does for a script, minus reading the file.
void RunInWorld(std::u16string_view source) {
    std::ostringstream out;
    std::shared_ptr<const script::Program> program = script::Parse(source);
    host::World world(out);
    script::Interpreter interp(program, world);
    interp.AddNamedObject(u"WScript", script::MakeWScriptObject(interp, u"bench.vbs", {}));
    world.Connect(interp);
    script::RunOutcome outcome = interp.Run();
    if (outcome.kind != script::RunOutcome::Kind::Completed) throw std::runtime_error("script failed");
    benchmark::DoNotOptimize(out.str());
}

void BM_StartupAndOneLineScript(benchmark::State& state) {
    for (auto _ : state) RunInWorld(u"WScript.Echo \"Hello from quibor15\", 1 + 1");
}
BENCHMARK(BM_StartupAndOneLineScript)->Unit(benchmark::kMillisecond);

void BM_WorldConstruction(benchmark::State& state) {
    for (auto _ : state) {
        std::ostringstream out;
        host::World world(out);
        benchmark::DoNotOptimize(&world);
    }
}
BENCHMARK(BM_WorldConstruction)->Unit(benchmark::kMillisecond);

void BM_FirstLocaleCall(benchmark::State& state) {
    for (auto _ : state) {
        RunInWorld(
            u"Set intl = CreateObject(\"quibor15.clsQuiborInternationalA\")\n"
            u"WScript.Echo intl.Locales(\"DEU\").FormatNumber(1234.5)");
    }
}
BENCHMARK(BM_FirstLocaleCall)->Unit(benchmark::kMillisecond);

constexpr char16_t kProgram[] =
    u"Option Explicit\n"
    u"Class Counter\n"
    u"  Private n\n"
    u"  Public Sub Add(k) : n = n + k : End Sub\n"
    u"  Public Property Get Value() : Value = n : End Property\n"
    u"End Class\n"
    u"Function Fib(k)\n"
    u"  If k < 2 Then Fib = k Else Fib = Fib(k - 1) + Fib(k - 2)\n"
    u"End Function\n"
    u"Dim i, s, c, parts\n"
    u"Set c = New Counter\n"
    u"For i = 1 To 2000\n"
    u"  c.Add i Mod 7\n"
    u"  s = s & Chr(65 + i Mod 26)\n"
    u"Next\n"
    u"parts = Split(s, \"A\")\n"
    u"WScript.Echo c.Value, Len(s), UBound(parts), Fib(15)\n";

void BM_Parse(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(script::Parse(kProgram));
}
BENCHMARK(BM_Parse)->Unit(benchmark::kMicrosecond);

// The interpreter alone, on a host that only collects output.
class QuietHost : public script::ScriptHost {
public:
    NumberFormat SystemNumberFormat() override { return {}; }
    String DateText(Date value) override { return VariantToString(Variant(value)); }
    void Write(std::u16string_view text) override { benchmark::DoNotOptimize(text.size()); }
    void WriteLine(std::u16string_view line) override { benchmark::DoNotOptimize(line.size()); }
    ObjectRef CreateObject(std::u16string_view) override { RaiseRuntimeError(rt::kCannotCreateObject); }
    Date Now() override { return Date{40508.5}; }
    const AnsiCodePage& CodePage() override { return *code_page_; }
    int32_t MessageBox(const String&, int32_t, const String&) override { return 1; }

private:
    std::unique_ptr<AnsiCodePage> code_page_ = MakeAnsiCodePage(1252);
};

void BM_InterpretLoopsCallsAndStrings(benchmark::State& state) {
    std::shared_ptr<const script::Program> program = script::Parse(kProgram);
    QuietHost host;
    for (auto _ : state) {
        script::Interpreter interp(program, host);
        interp.AddNamedObject(u"WScript", script::MakeWScriptObject(interp, u"bench.vbs", {}));
        benchmark::DoNotOptimize(interp.Run());
    }
}
BENCHMARK(BM_InterpretLoopsCallsAndStrings)->Unit(benchmark::kMillisecond);

// The scripts bench/script_vs_wine.sh also runs under Wine's engine.
std::u16string BenchScript(const char* name) {
    std::ifstream in(std::string(QUIBOR15_BENCH_SCRIPTS) + "/" + name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::u16string source;
    if (text.str().empty() || !script::FromUtf8(text.str(), source)) {
        throw std::runtime_error(std::string("missing bench script ") + name);
    }
    return source;
}

void BM_OneLineScriptFile(benchmark::State& state) {
    const std::u16string source = BenchScript("one_line.vbs");
    for (auto _ : state) RunInWorld(source);
}
BENCHMARK(BM_OneLineScriptFile)->Unit(benchmark::kMillisecond);

void BM_Loop200kScriptFile(benchmark::State& state) {
    const std::u16string source = BenchScript("loop_200k.vbs");
    for (auto _ : state) RunInWorld(source);
}
BENCHMARK(BM_Loop200kScriptFile)->Unit(benchmark::kMillisecond);

// The same scripts as a user runs them: the quibor15 command as a process
// of its own, so the loading of its libraries counts too (wall time). No
// name: the command's help, which loads the same libraries and runs nothing
// (the floor under any script).
void RunCommand(const char* name) {
    const std::string script = name ? std::string(QUIBOR15_BENCH_SCRIPTS) + "/" + name : std::string();
    char* argv[] = {const_cast<char*>(QUIBOR15_COMMAND), const_cast<char*>(name ? "run" : "--help"),
                    name ? const_cast<char*>(script.c_str()) : nullptr, nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, QUIBOR15_COMMAND, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (failed || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error(std::string("quibor15 failed on ") + (name ? name : "--help"));
    }
}

void BM_NoScriptCommand(benchmark::State& state) {
    for (auto _ : state) RunCommand(nullptr);
}
BENCHMARK(BM_NoScriptCommand)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OneLineScriptCommand(benchmark::State& state) {
    for (auto _ : state) RunCommand("one_line.vbs");
}
BENCHMARK(BM_OneLineScriptCommand)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Loop200kScriptCommand(benchmark::State& state) {
    for (auto _ : state) RunCommand("loop_200k.vbs");
}
BENCHMARK(BM_Loop200kScriptCommand)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
