// The Italian texts of the default catalogue: group names, the Start Menu
// folder and its links, and the shortcut names.

#include "res/it/Tables.h"

namespace zorun::res::it {

extern const DefaultCatalogueTexts defaultCatalogueTexts{
    .groupNames = {u"Programmi", u"Multimedia", u"Giochi", u"Preferiti"},
    .startMenuFolder = u"\\Windows\\Menu Avvio",
    .programsFolder = u"\\Windows\\Menu Avvio\\Programmi",
    .calendarLink = u"calendario.lnk",
    .contactsLink = u"contatti.lnk",
    .tasksLink = u"attività.lnk",
    .calendar = u"Calendario",
    .contacts = u"Contatti",
    .internetExplorer = u"IExplorer",
    .fileExplorer = u"FExplorer",
    .inbox = u"Posta in arrivo",
    .excel = u"Excel",
    .word = u"Word",
    .tasks = u"Attività",
    .today = u"Oggi",
    .mediaPlayer = u"Media Player",
    .solitaire = u"Solitario",
    .jawbreaker = u"Jawbreaker",
};

} // namespace zorun::res::it
