// Assertion helper: the call raises an AutomationError with this number.
#pragma once

#include <gtest/gtest.h>

#include "quibor15/error.hpp"

namespace quibor15::testing {

template <class F>
::testing::AssertionResult RaisesError(int32_t number, F&& call) {
    try {
        call();
    } catch (const AutomationError& e) {
        if (e.Number() == number) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "raised " << e.Number() << " (" << e.what() << "), expected " << number;
    }
    return ::testing::AssertionFailure() << "raised nothing, expected " << number;
}

}  // namespace quibor15::testing

#define EXPECT_RAISES(number, ...) EXPECT_TRUE(::quibor15::testing::RaisesError((number), [&] { __VA_ARGS__; }))
