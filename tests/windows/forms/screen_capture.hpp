// Pictures of windows as the screen shows them, for scripts/screenshots.sh.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <string>

// Saves the window's rectangle of the screen as a 24-bit BMP.
bool SaveWindowPicture(HWND hwnd, const std::wstring& path);
