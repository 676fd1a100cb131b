# cmake -DHEADER=file -P fix_header.cmake
# widl writes the default value of an optional by-reference parameter as a
# C++ default argument of the pointer ("LONG *nItem = -1"), which is no
# valid C++. The type library keeps the defaults for callers that read it;
# a C++ caller passes every pointer, so the header loses them.
file(READ ${HEADER} text)
string(REGEX REPLACE "(\\*[A-Za-z_0-9]+) = -?[0-9]+" "\\1" text "${text}")
file(WRITE ${HEADER} "${text}")
