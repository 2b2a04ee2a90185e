#pragma once
// ICU, loaded when first needed: folding the case of text beyond ASCII and
// naming languages and countries. Most starts never need it, and linking it
// costs every start several milliseconds in the dynamic loader.

#include <unicode/uchar.h>
#include <unicode/uclean.h>
#include <unicode/uloc.h>

namespace zorun {

struct IcuLibrary {
    decltype(&::u_foldCase) foldCase = nullptr;
    decltype(&::uloc_getDisplayName) displayName = nullptr;
    decltype(&::uloc_getDisplayLanguage) displayLanguage = nullptr;
    decltype(&::uloc_getDisplayCountry) displayCountry = nullptr;
    decltype(&::uloc_getLanguage) language = nullptr;
    decltype(&::uloc_getCountry) country = nullptr;
    decltype(&::u_cleanup) cleanup = nullptr;
};

// The library, loaded on first asking, or nullptr when ICU cannot be loaded.
// `forFolding`: case folding asks (it asks again and again, so from then on
// ICU stays loaded).
[[nodiscard]] const IcuLibrary* Icu(bool forFolding = false);
// Unloads ICU (its 2 MB come back) unless case folding uses it; a later
// Icu() loads it again. Pointers from Icu() are invalid after this.
void UnloadIcu();

} // namespace zorun
