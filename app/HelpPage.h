#pragma once
// The program's help page, "Zorun.htm", in the language of the build
// (res/<lang>/help/Zorun.htm, carried in the program). Provisioning puts it
// in \Windows, where the help viewer PegHelp.exe finds it; F1 opens it at
// its contents, "#Main_Contents".

#include <string_view>

// Header-only, so that whoever hands the page over needs no link to the
// application.
inline std::string_view& HelpPageInUse() {
    static std::string_view page;
    return page;
}
inline void UseHelpPage(std::string_view page) {
    HelpPageInUse() = page;
}
// The page handed over at start-up with the build's language.
[[nodiscard]] inline std::string_view LanguageHelpPage() {
    return HelpPageInUse();
}
