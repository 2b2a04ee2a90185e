#pragma once
// The program's help page, "Zorun.htm", in the language of the build
// (res/<lang>/help/Zorun.htm, carried in the program). Provisioning puts it
// in \Windows, where the help viewer PegHelp.exe finds it; F1 opens it at
// its contents, "#Main_Contents".

#include <string_view>

[[nodiscard]] std::string_view LanguageHelpPage();
