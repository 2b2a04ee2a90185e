#pragma once
// A function of a library opened at run time (dlopen), looked up by name:
// the libraries a start does not need are opened only when first used.

#include <dlfcn.h>

namespace zorun {

template <typename Function> bool ResolveSymbol(void* library, const char* name, Function& target) {
    target = reinterpret_cast<Function>(dlsym(library, name));
    return target != nullptr;
}

} // namespace zorun
