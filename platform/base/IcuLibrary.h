#pragma once
// ICU, loaded when first needed: folding the case of text beyond ASCII and
// naming languages and countries. Most starts never need it, and linking it
// costs every start several milliseconds in the dynamic loader.

#include <unicode/uchar.h>
#include <unicode/uloc.h>

namespace zorun {

struct IcuLibrary {
    decltype(&::u_foldCase) foldCase = nullptr;
    decltype(&::uloc_getDisplayName) displayName = nullptr;
    decltype(&::uloc_getDisplayLanguage) displayLanguage = nullptr;
    decltype(&::uloc_getDisplayCountry) displayCountry = nullptr;
    decltype(&::uloc_getLanguage) language = nullptr;
    decltype(&::uloc_getCountry) country = nullptr;
};

// The library (loaded once; it stays), or nullptr when ICU cannot be loaded.
[[nodiscard]] const IcuLibrary* Icu();

} // namespace zorun
