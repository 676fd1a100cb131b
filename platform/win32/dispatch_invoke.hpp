// IDispatch over an Object's late binding: what every COM object made for
// an Object answers, the server's objects and a host program's forms alike.
#pragma once

#include "platform/win32/ole_bridge.hpp"
#include "quibor15/typelib.hpp"

namespace quibor15::win32 {

// GetIDsOfNames without regard to case (parameter names as well, for named
// arguments, when the class is known); Invoke with by-reference arguments
// of any type and errors as EXCEPINFO, making no allocation of its own for a
// call of up to 8 arguments.
HRESULT DispatchGetIDsOfNames(Object& object, const ClassDesc* cls, LPOLESTR* names, UINT count, DISPID* ids);
HRESULT DispatchInvoke(Object& object, DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                       UINT* arg_error);

}  // namespace quibor15::win32
