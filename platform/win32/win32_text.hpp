// Text on Windows: UTF-16 strings as the wide strings of the Windows API,
// and the system's ANSI code page through MultiByteToWideChar and
// WideCharToMultiByte.
#pragma once

#include <string>
#include <string_view>

#include "quibor15/codepage.hpp"

namespace quibor15::win32 {

// wchar_t is 16 bits on Windows: the same code units as String.
inline const wchar_t* WidePtr(const String& s) noexcept { return reinterpret_cast<const wchar_t*>(s.c_str()); }
inline String FromWide(const wchar_t* s) { return s ? String(reinterpret_cast<const char16_t*>(s)) : String(); }
inline String FromWide(const wchar_t* s, size_t n) { return String(reinterpret_cast<const char16_t*>(s), n); }

// The text up to its first NUL.
String UpToNul(std::u16string_view text);

}  // namespace quibor15::win32
