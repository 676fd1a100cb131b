// The script engine on arbitrary source: the lexer and parser, then the
// interpreter in the headless world, bounded by a statement budget as well
// as by its own recursion and array limits.
#include <sstream>

#include "host/script/interpreter.hpp"
#include "host/script/parser.hpp"
#include "host/script/text.hpp"
#include "host/script/wscript.hpp"
#include "host/world.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quibor15;
    std::shared_ptr<const script::Program> program;
    try {
        program = script::Parse(script::DecodeSource(std::string_view(reinterpret_cast<const char*>(data), size)));
    } catch (const script::SyntaxError&) {
        return 0;
    }
    std::ostringstream out;
    host::World world(out);
    script::Interpreter interp(program, world);
    interp.SetStatementBudget(20000);
    interp.AddNamedObject(u"WScript", script::MakeWScriptObject(interp, u"fuzz.vbs", {}));
    world.Connect(interp);
    interp.Run();
    return 0;
}
