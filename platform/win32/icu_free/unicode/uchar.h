// The four character properties the text primitives use, answered by the
// Windows API instead of ICU, so the DLL carries no ICU of its own. Only
// the Windows build puts this folder on the include path.
#pragma once

#include <cstdint>

using UChar32 = int32_t;
inline constexpr uint32_t U_FOLD_CASE_DEFAULT = 0;

// Simple (one code point to one code point) mappings, as ICU's functions of
// the same names give them; a code point the system maps to more than one
// unit stays as it is.
UChar32 u_toupper(UChar32 c);
UChar32 u_tolower(UChar32 c);
UChar32 u_foldCase(UChar32 c, uint32_t options);
// Letters of any script (the system's C1_ALPHA class).
int8_t u_isalpha(UChar32 c);
