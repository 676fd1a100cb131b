// A tooltip object on the headless runtime and the simulated Windows, and a
// font-like object whose properties a test sets freely (values a standard
// font refuses, missing properties).
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "platform/headless/headless_runtime.hpp"
#include "platform/sim/sim_windows.hpp"
#include "quibor15/font.hpp"
#include "tooltip/tooltip_manager.hpp"

namespace quibor15::testing {

template <class F>
::testing::AssertionResult RaisesError(int32_t number, F&& call) {
    try {
        call();
    } catch (const AutomationError& e) {
        if (e.Number() == number) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "raised " << e.Number() << ", expected " << number;
    }
    return ::testing::AssertionFailure() << "raised nothing, expected " << number;
}

// Answers property reads by the standard font DISPIDs from a map; a DISPID
// it does not hold raises 438, as an object without the member does.
class LooseFont : public Object {
public:
    std::map<DispId, Variant> values = {
        {StdFont::kDispIdName, Variant(String(u"Tahoma"))},
        {StdFont::kDispIdSize, Variant(Currency{120000})},
        {StdFont::kDispIdBold, Variant(kFalse)},
        {StdFont::kDispIdItalic, Variant(kFalse)},
        {StdFont::kDispIdUnderline, Variant(kFalse)},
        {StdFont::kDispIdStrikethrough, Variant(kFalse)},
        {StdFont::kDispIdWeight, Variant(Integer{400})},
        {StdFont::kDispIdCharset, Variant(Integer{0})},
    };
    std::vector<DispId> reads;

    String TypeName() const override { return u"Font"; }
    DispId GetIdOfName(std::u16string_view) override { return kDispIdUnknown; }
    Variant Invoke(DispId id, uint16_t, std::span<Variant>) override {
        reads.push_back(id);
        auto it = values.find(id);
        if (it == values.end()) RaiseRuntimeError(rt::kMemberNotSupported);
        return it->second;
    }
};

class TooltipFixture : public ::testing::Test {
protected:
    std::shared_ptr<headless::HeadlessRuntime> runtime = std::make_shared<headless::HeadlessRuntime>();
    std::shared_ptr<sim::SimWindows> windows = std::make_shared<sim::SimWindows>();
    ContextPtr context = std::make_shared<Context>(runtime, windows);

    Ref<clsQuiborWUITooltipA> NewTooltip() { return MakeRef<clsQuiborWUITooltipA>(context); }
    static Ref<StdFont> MakeFont(const char16_t* name, int64_t size_ten_thousandths) {
        Ref<StdFont> font = StdFont::Create();
        font->SetName(name);
        font->SetSize(Currency{size_ten_thousandths});
        return font;
    }
};

}  // namespace quibor15::testing

#define EXPECT_RAISES(number, ...) EXPECT_TRUE(::quibor15::testing::RaisesError((number), [&] { __VA_ARGS__; }))
