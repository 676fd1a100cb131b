// Helpers of the simulated-Windows tests: a stand-in for a form or control
// of the forms runtime (geometry and list items, reached late-bound), and
// an assertion for automation errors.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "platform/sim/sim_text.hpp"
#include "quibor15/error.hpp"
#include "quibor15/object.hpp"

namespace quibor15::sim::testing {

// Members Left, Top, Width, Height (twips), and, for a list, ListCount and
// List(i).
class FakeControl : public Object {
public:
    double left = 0, top = 0, width = 0, height = 0;
    std::vector<String> items;
    bool is_list = false;

    String TypeName() const override { return is_list ? u"ComboBox" : u"Form"; }
    DispId GetIdOfName(std::u16string_view name) override {
        static const std::vector<String> kNames = {u"Left", u"Top", u"Width", u"Height", u"ListCount", u"List"};
        for (size_t i = 0; i < kNames.size(); ++i) {
            if (EqualsIgnoreCase(name, kNames[i])) {
                if (i >= 4 && !is_list) return kDispIdUnknown;
                return static_cast<DispId>(i + 1);
            }
        }
        return kDispIdUnknown;
    }
    Variant Invoke(DispId id, uint16_t /*flags*/, std::span<Variant> args) override {
        switch (id) {
            case 1:
                return Variant(static_cast<Single>(left));
            case 2:
                return Variant(static_cast<Single>(top));
            case 3:
                return Variant(static_cast<Single>(width));
            case 4:
                return Variant(static_cast<Single>(height));
            case 5:
                return Variant(static_cast<Integer>(items.size()));
            case 6: {
                if (args.size() != 1) RaiseRuntimeError(rt::kWrongArgumentCount);
                const Long* index = args[0].As<Long>();
                if (!index || *index < 0 || static_cast<size_t>(*index) >= items.size()) {
                    RaiseRuntimeError(rt::kInvalidProcedureCall);
                }
                return Variant(items[static_cast<size_t>(*index)]);
            }
            default:
                RaiseRuntimeError(rt::kMemberNotSupported);
        }
    }
};

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

}  // namespace quibor15::sim::testing

#define EXPECT_RAISES(number, ...) EXPECT_TRUE(::quibor15::sim::testing::RaisesError((number), [&] { __VA_ARGS__; }))
