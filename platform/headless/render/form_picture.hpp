// Pictures of headless forms: a form and everything on it drawn the way the
// classic Windows look would show it, at the screen's twips per pixel
// (Cairo for the shapes, Pango for the text).
//
//     WriteFormPng(*form, "setup.png");
//     FormImage image = RenderForm(*form);
//     image.At(x, y);   // 0xRRGGBB
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/headless/form.hpp"

namespace quibor15::headless::render {

struct PixelRect {
    int x = 0, y = 0, width = 0, height = 0;

    bool Contains(int px, int py) const noexcept { return px >= x && py >= y && px < x + width && py < y + height; }
    bool Empty() const noexcept { return width <= 0 || height <= 0; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// A drawn form: its outer window, pixels 0xRRGGBB row by row.
struct FormImage {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;

    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + x]; }
};

// Where a form's client area lies in its picture.
PixelRect ClientRect(Form& form);
// Where a control lies in its form's picture (unclipped); nothing when the
// control is not drawn because it or one of its containers is hidden.
std::optional<PixelRect> ControlRect(Control& control);

FormImage RenderForm(Form& form);
// Raises 75 when the file cannot be written.
void WriteFormPng(Form& form, const std::string& path);

}  // namespace quibor15::headless::render
