// Pictures of forms as PNG files. The drawing (render/, on Cairo and Pango
// and the thirty libraries below them) lives in a module of its own,
// libquibor15_render.so beside libquibor15.so, loaded the first time a
// picture is asked for: a program that takes none never loads them.
#pragma once

#include <string>

#include "platform/headless/form.hpp"

namespace quibor15::headless {

using PictureWriter = void (*)(Form& form, const std::string& path);

// The drawing code registers itself when it is loaded (or linked in).
void SetPictureWriter(PictureWriter writer) noexcept;

// Writes the form as the screen shows it. Raises 75 when the file cannot be
// written, 445 when the drawing module cannot be loaded.
void WriteFormPicture(Form& form, const std::string& path);

}  // namespace quibor15::headless
