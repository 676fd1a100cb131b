// The string code on arbitrary texts in the code page the first byte
// picks: its members called late-bound in an order and with values the
// input chooses.
#include "codes/string_code.hpp"

#include "fuzz_input.hpp"
#include "members.hpp"
#include "platform/headless/headless_runtime.hpp"
#include "platform/sim/sim_windows.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quibor15;
    FuzzedDataProvider in(data, size);
    auto windows = std::make_shared<sim::SimWindows>();
    windows->SetCodePage(fuzzing::PickCodePage(in));
    auto context = std::make_shared<Context>(std::make_shared<headless::HeadlessRuntime>(), windows);
    auto code = MakeRef<clsQuiborWUIBCAT175A>(context);
    try {
        code->let_InputString(fuzzing::TextOf(in, 120));
    } catch (const AutomationError&) {
    }
    const InterfaceDesc& iface = fuzzing::InterfaceOf(u"clsQuiborWUIBCAT175A");
    for (int calls = 0; calls < 16 && in.remaining_bytes() > 0; ++calls) fuzzing::CallSomeMember(*code, iface, in);
    return 0;
}
