#include "platform/base/IcuLibrary.h"

#include <dlfcn.h>
#include <string>
#include <unicode/uvernum.h>

#include "platform/base/LibrarySymbol.h"
#include "platform/base/Log.h"

// ICU's functions carry its version in their names (u_foldCase_72): the
// headers' renaming macros give the names to look up.
#define ZORUN_ICU_NAME_TEXT(name) #name
#define ZORUN_ICU_NAME(name) ZORUN_ICU_NAME_TEXT(name)

namespace zorun {

namespace {

IcuLibrary loaded;
void* handle = nullptr;
bool folding = false;

void Load() {
    handle = dlopen("libicuuc.so." U_ICU_VERSION_SHORT, RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        LogWarning(std::string("ICU could not be loaded: ") + dlerror());
        return;
    }
    IcuLibrary& icu = loaded;
    const bool all =
        ResolveSymbol(handle, ZORUN_ICU_NAME(u_foldCase), icu.foldCase) &&
        ResolveSymbol(handle, ZORUN_ICU_NAME(uloc_getDisplayName), icu.displayName) &&
        ResolveSymbol(handle, ZORUN_ICU_NAME(uloc_getDisplayLanguage), icu.displayLanguage) &&
        ResolveSymbol(handle, ZORUN_ICU_NAME(uloc_getDisplayCountry), icu.displayCountry) &&
        ResolveSymbol(handle, ZORUN_ICU_NAME(uloc_getLanguage), icu.language) &&
        ResolveSymbol(handle, ZORUN_ICU_NAME(uloc_getCountry), icu.country) &&
        ResolveSymbol(handle, ZORUN_ICU_NAME(u_cleanup), icu.cleanup);
    if (!all) {
        LogWarning("ICU lacks a function the platform uses");
        dlclose(handle);
        handle = nullptr;
        loaded = {};
    }
}

} // namespace

const IcuLibrary* Icu(bool forFolding) {
    static bool failed = false;
    folding = folding || forFolding;
    if (!handle && !failed) {
        Load();
        failed = !handle;
    }
    return handle ? &loaded : nullptr;
}

void UnloadIcu() {
    if (!handle || folding)
        return;
    // ICU's caches go first: nothing of it may be left pointing into it.
    loaded.cleanup();
    dlclose(handle);
    handle = nullptr;
    loaded = {};
}

} // namespace zorun
