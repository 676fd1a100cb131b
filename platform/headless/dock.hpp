// Where a form's docked controls go (Align 1 top, 2 bottom, 3 left, 4
// right), a rule of the forms runtime that every forms runtime here follows.
#pragma once

#include <span>

#include "quibor15/object.hpp"

namespace quibor15::headless {

// One docked control: its edge, whether it is visible, and its bounds in
// twips within the form's client area (the depth it keeps going in).
struct DockedBounds {
    Integer align = 0;
    bool visible = true;
    double left = 0, top = 0, width = 0, height = 0;
};

// Lays out the controls in docking order: each spans the free part of the
// client area along its edge and takes its own depth from it; a hidden one
// is placed the same way but leaves the room to the next.
void LayOutDocked(std::span<DockedBounds> docked, double client_width, double client_height);

}  // namespace quibor15::headless
