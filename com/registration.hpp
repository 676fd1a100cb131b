// Registration of the server: for each creatable and global class its
// CLSID with InprocServer32 (the DLL, ThreadingModel Apartment), its ProgID
// "quibor15." + class name both ways, and the type library with its
// interfaces.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace quibor15::com {

HRESULT RegisterServer();
HRESULT UnregisterServer();

}  // namespace quibor15::com
