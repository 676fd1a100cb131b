// The routines that build and show the wizard skip a step that fails and go
// on with the next one; they never report an error. Each step is one
// assignment or call on the host side, so a missing control, a member the
// host object lacks or an overflow abandons only that step.
#pragma once

#include "quibor15/error.hpp"

namespace quibor15 {

template <class F>
void Step(F&& step) {
    try {
        step();
    } catch (const AutomationError&) {
        // Skipped: the routine goes on with its next step.
    }
}

}  // namespace quibor15
