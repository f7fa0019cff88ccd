#pragma once
// Test programs that stand in front of a library call define a function of the same name; this
// finds the library's own definition for them to call.
#include <dlfcn.h>

template <typename Function>
Function nextDefinition(const char* name)
{
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}
