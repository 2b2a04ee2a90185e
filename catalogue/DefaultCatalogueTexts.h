#pragma once
// The per-language texts of the default catalogue: the four default group
// names (also the catalogue's defaultGroupNames), the Start Menu folder, the
// link files found there and every shortcut name. Each language's resources
// define LanguageDefaultCatalogueTexts() (res/<lang>/DefaultCatalogueTexts.cpp);
// the program's ".exe" names and "\Windows" are the same in every language
// and live in catalogue/DefaultCatalogue.cpp.

struct DefaultCatalogueTexts {
    // Storage order: programs, multimedia, games, favourites.
    const char16_t* groupNames[4];

    const char16_t* startMenuFolder; // "\Windows\Start Menu"
    const char16_t* programsFolder;  // "\Windows\Start Menu\Programs", the program browser's
    const char16_t* calendarLink;    // "calendar.lnk"
    const char16_t* contactsLink;    // "contacts.lnk"
    const char16_t* tasksLink;       // "tasks.lnk"

    // Shortcut names, group 0.
    const char16_t* calendar;
    const char16_t* contacts;
    const char16_t* internetExplorer;
    const char16_t* fileExplorer;
    const char16_t* inbox;
    const char16_t* excel;
    const char16_t* word;
    const char16_t* tasks;
    const char16_t* today;
    // Group 1.
    const char16_t* mediaPlayer;
    // Group 2.
    const char16_t* solitaire;
    const char16_t* jawbreaker;
};

[[nodiscard]] const DefaultCatalogueTexts& LanguageDefaultCatalogueTexts();
