// Creates a control of a given kind on a form (the form adds it to its
// lists).
#pragma once

#include "platform/headless/control.hpp"

namespace quibor15::headless {

Ref<Control> MakeControl(ControlKind kind, Form& form, String name);

}  // namespace quibor15::headless
