// The German string table: the program title, the document strings and
// every message and caption the program shows.

#include "res/de/Tables.h"

namespace zorun::res::de {

namespace {

const StringResource strings[] = {
    {128, u"Zorun\n\nZorun\n\n\nZorun.Document\nZorun-Dokument"},
    {65009, u"Zorun"},
    {65010, u"Fehler beim Schreiben der Einstellungsdatei"},
    {65015, u"Die Standardgruppe kann nicht gelöscht werden."},
    {65016, u"Beim Löschen der aktuellen Gruppe werden auch alle Elemente darin gelöscht. Möchten "
            u"Sie fortfahren?"},
    {65017, u"Wählen Sie eine Verknüpfung in einer Gruppe aus."},
    {65018, u"Das ausgewählte Element wird gelöscht. Möchten Sie fortfahren?"},
    {65019, u"Wählen Sie zuerst eine Verknüpfung aus."},
    {65020, u"Die Standardgruppe kann nicht umbenannt werden."},
    {65021, u"Kalenderfehler"},
    {65024, u"Aufgabenfehler"},
    {65027, u"Wählen Sie ein Symbol für die Verknüpfung aus."},
    {65032, u"Der Prozess lässt sich nicht anhalten. Wenn Sie OK wählen, gehen alle nicht "
            u"gespeicherten Daten verloren. Trotzdem beenden?"},
    {65033, u"Geben Sie einen Gruppennamen ein."},
    {65034, u"Der Gruppenname darf höchstens 256 Zeichen lang sein."},
    {65035, u"Eine Gruppe mit diesem Namen gibt es bereits. Wählen Sie einen anderen Namen."},
    {65036, u"Geben Sie einen Namen für diese Verknüpfung ein."},
    {65037, u"Diese Datei gibt es nicht. Wählen Sie eine andere Datei aus."},
    {65038, u"Wählen Sie eine ausführbare Datei aus."},
    {65039, u"Programm- und Verknüpfungsnamen dürfen höchstens 256 Zeichen lang sein."},
    {65040, u"Monitor"},
    {65041, u"Bearbeiten"},
    {65042, u"Extras"},
    {65043, u"Laufende Anwendungen"},
    {65044, u"Name"},
    {65045, u"Aktivieren"},
    {65046, u"Beenden"},
    {65047, u"Alle beenden"},
    {65049, u"Name"},
    {65050, u"Datum"},
    {65051, u"Größe"},
    {65052, u"Ihre Gruppen und Verknüpfungen wurden gespeichert in:\n%s"},
    {65053, u"Es können keine weiteren Gruppen hinzugefügt werden."},
    {65054, u"Es ist kein Platz für weitere Verknüpfungen. Bitte löschen Sie zuerst einige "
            u"Verknüpfungen."},
};

} // namespace

extern const std::span<const StringResource> stringTable = strings;

} // namespace zorun::res::de
