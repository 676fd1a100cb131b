// The string-table reader on arbitrary resource bytes: the block the
// lookup finds holds the input's bytes, and the size the resource claims
// is the real one or any other.
#include "fuzz_input.hpp"
#include "language/resource_text.hpp"
#include "platform/headless/headless_runtime.hpp"
#include "platform/sim/sim_windows.hpp"

namespace {

using namespace quibor15;

class BlockWindows final : public sim::SimWindows {
public:
    std::vector<uint8_t> LockResource(Handle) override { return block; }
    uint32_t SizeofResource(Handle, Handle) override { return claimed_size; }

    std::vector<uint8_t> block;
    uint32_t claimed_size = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    auto runtime = std::make_shared<headless::HeadlessRuntime>();
    auto windows = std::make_shared<BlockWindows>();
    auto context = std::make_shared<Context>(runtime, windows);
    const Long identifier = in.ConsumeIntegralInRange<Long>(0, 0xFFFF);
    // Any block the lookup asks for exists in the host program's table.
    windows->Resources().SetString(sim::ResourceStore::kHostModule, identifier, 1033, u"x");
    const bool honest = in.ConsumeBool();
    const uint32_t claimed = in.ConsumeIntegral<uint32_t>();
    const std::string bytes = in.ConsumeRemainingBytesAsString();
    windows->block.assign(bytes.begin(), bytes.end());
    windows->claimed_size = honest ? static_cast<uint32_t>(bytes.size()) : claimed;
    LoadResourceString(*context, identifier, 1033);
    return 0;
}
