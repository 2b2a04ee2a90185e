#include "catalogue/DefaultCatalogueTexts.h"

const DefaultCatalogueTexts& LanguageDefaultCatalogueTexts() {
    static const DefaultCatalogueTexts texts{
        .groupNames = {u"Programs", u"Multimedia", u"Game", u"Favorite"},
        .startMenuFolder = u"\\Windows\\Start Menu",
        .programsFolder = u"\\Windows\\Start Menu\\Programs",
        .calendarLink = u"calendar.lnk",
        .contactsLink = u"contacts.lnk",
        .tasksLink = u"tasks.lnk",
        .calendar = u"Calendar",
        .contacts = u"Contacts",
        .internetExplorer = u"IExplorer",
        .fileExplorer = u"FExplorer",
        .inbox = u"Inbox",
        .excel = u"Excel",
        .word = u"Word",
        .tasks = u"Tasks",
        .today = u"Today",
        .mediaPlayer = u"Media Player",
        .solitaire = u"Solitare", // the device's own spelling, also its program's name
        .jawbreaker = u"Jawbreaker",
    };
    return texts;
}
