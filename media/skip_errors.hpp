// The members that go on past a failing statement run each statement
// through IgnoreErrors: a run-time error inside it ends that statement only,
// and the member continues with the next one.
#pragma once

#include "quibor15/error.hpp"

namespace quibor15::media {

// Runs one statement; returns false when it raised a run-time error, which
// is dropped.
template <class Statement>
bool IgnoreErrors(Statement&& statement) {
    try {
        statement();
        return true;
    } catch (const AutomationError&) {
        return false;
    }
}

}  // namespace quibor15::media
