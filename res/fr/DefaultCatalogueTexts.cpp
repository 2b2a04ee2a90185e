// The French texts of the default catalogue: group names, the Start Menu
// folder and its links, and the shortcut names.

#include "res/fr/Tables.h"

namespace zorun::res::fr {

extern const DefaultCatalogueTexts defaultCatalogueTexts{
    .groupNames = {u"Programmes", u"Multimédia", u"Jeux", u"Favoris"},
    .startMenuFolder = u"\\Windows\\Menu Démarrer",
    .programsFolder = u"\\Windows\\Menu Démarrer\\Programmes",
    .calendarLink = u"calendrier.lnk",
    .contactsLink = u"contacts.lnk",
    .tasksLink = u"tâches.lnk",
    .calendar = u"Calendrier",
    .contacts = u"Contacts",
    .internetExplorer = u"IExplorer",
    .fileExplorer = u"FExplorer",
    .inbox = u"Boîte de réception",
    .excel = u"Excel",
    .word = u"Word",
    .tasks = u"Tâches",
    .today = u"Aujourd'hui",
    .mediaPlayer = u"Media Player",
    .solitaire = u"Solitaire",
    .jawbreaker = u"Jawbreaker",
};

} // namespace zorun::res::fr
