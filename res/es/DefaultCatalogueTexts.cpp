// The Spanish texts of the default catalogue: group names, the Start Menu
// folder and its links, and the shortcut names.

#include "res/es/Tables.h"

namespace zorun::res::es {

extern const DefaultCatalogueTexts defaultCatalogueTexts{
    .groupNames = {u"Programas", u"MultiMedia", u"Juego", u"Favorito"},
    .startMenuFolder = u"\\Windows\\Menú Inicio",
    .programsFolder = u"\\Windows\\Menú Inicio\\Programas",
    .calendarLink = u"calendario.lnk",
    .contactsLink = u"contactos.lnk",
    .tasksLink = u"tareas.lnk",
    .calendar = u"Calendario",
    .contacts = u"Contactos",
    .internetExplorer = u"IExplorer",
    .fileExplorer = u"FExplorer",
    .inbox = u"Bandeja de entrada",
    .excel = u"Excel",
    .word = u"Word",
    .tasks = u"Tareas",
    .today = u"Hoy",
    .mediaPlayer = u"Media Player",
    .solitaire = u"Solitario",
    .jawbreaker = u"Jawbreaker",
};

} // namespace zorun::res::es
