// Helpers of the type library tests: catching an automation error with its
// number, source and description, and building argument lists.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "platform/headless/headless_runtime.hpp"
#include "platform/sim/sim_windows.hpp"
#include "quibor15/context.hpp"
#include "quibor15/error.hpp"
#include "quibor15/object.hpp"
#include "quibor15/typelib.hpp"
#include "quibor15/variant.hpp"

namespace quibor15::testing {

// The error the call raises, or nullopt when it raises none.
template <class F>
std::optional<AutomationError> ErrorOf(F&& call) {
    try {
        call();
    } catch (const AutomationError& e) {
        return e;
    }
    return std::nullopt;
}

template <class F>
::testing::AssertionResult RaisesNumber(int32_t number, F&& call) {
    auto e = ErrorOf(std::forward<F>(call));
    if (!e) return ::testing::AssertionFailure() << "raised nothing, expected " << number;
    if (e->Number() != number) {
        return ::testing::AssertionFailure()
               << "raised " << e->Number() << " (" << e->what() << "), expected " << number;
    }
    return ::testing::AssertionSuccess();
}

// A context on the headless forms runtime and the simulated Windows, for
// tests that create the component's real classes.
inline ContextPtr WorldContext() {
    return std::make_shared<Context>(std::make_shared<headless::HeadlessRuntime>(),
                                     std::make_shared<sim::SimWindows>());
}

// A context without platform, for test classes that never reach it.
inline ContextPtr NullContext() { return std::make_shared<Context>(nullptr, nullptr); }

inline std::string Narrow(std::u16string_view s) { return NarrowName(s); }

}  // namespace quibor15::testing

#define EXPECT_RAISES(number, ...) EXPECT_TRUE(::quibor15::testing::RaisesNumber((number), [&] { __VA_ARGS__; }))
