// The German texts of the default catalogue: group names, the Start Menu
// folder and its links, and the shortcut names.

#include "res/de/Tables.h"

namespace zorun::res::de {

extern const DefaultCatalogueTexts defaultCatalogueTexts{
    .groupNames = {u"Programme", u"MultiMedia", u"Spiel", u"Favorit"},
    .startMenuFolder = u"\\Windows\\Startmenü",
    .programsFolder = u"\\Windows\\Startmenü\\Programme",
    .calendarLink = u"Kalender.lnk",
    .contactsLink = u"Kontakte.lnk",
    .tasksLink = u"Aufgaben.lnk",
    .calendar = u"Kalender",
    .contacts = u"Kontakte",
    .internetExplorer = u"IExplorer",
    .fileExplorer = u"FExplorer",
    .inbox = u"Posteingang",
    .excel = u"Excel",
    .word = u"Word",
    .tasks = u"Aufgaben",
    .today = u"Heute",
    .mediaPlayer = u"Media Player",
    .solitaire = u"Solitär",
    .jawbreaker = u"Jawbreaker",
};

} // namespace zorun::res::de
