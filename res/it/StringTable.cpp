// The Italian string table: the program title, the document strings and
// every message and caption the program shows.

#include "res/it/Tables.h"

namespace zorun::res::it {

namespace {

const StringResource strings[] = {
    {128, u"Zorun\n\nZorun\n\n\nZorun.Document\nDocumento Zorun"},
    {65009, u"Zorun"},
    {65010, u"Errore di scrittura del file delle impostazioni"},
    {65015, u"Il gruppo predefinito non può essere eliminato."},
    {65016,
     u"Eliminando il gruppo corrente verranno eliminati anche tutti i suoi elementi. Continuare?"},
    {65017, u"Selezionare un collegamento in un gruppo."},
    {65018, u"L'elemento selezionato verrà eliminato. Continuare?"},
    {65019, u"Selezionare prima un collegamento."},
    {65020, u"Il gruppo predefinito non può essere rinominato."},
    {65021, u"Errore calendario"},
    {65024, u"Errore attività"},
    {65027, u"Selezionare un'icona per il collegamento."},
    {65032, u"Impossibile arrestare il processo. Scegliendo OK, tutti i dati non salvati andranno "
            u"persi. Terminarlo comunque?"},
    {65033, u"Digitare un nome per il gruppo."},
    {65034, u"Il nome del gruppo non può superare i 256 caratteri."},
    {65035, u"Esiste già un gruppo con questo nome. Sceglierne un altro."},
    {65036, u"Digitare un nome per questo collegamento."},
    {65037, u"Il file non esiste. Selezionarne un altro."},
    {65038, u"Selezionare un file eseguibile."},
    {65039, u"I nomi di programmi e collegamenti non possono superare i 256 caratteri."},
    {65040, u"Monitor"},
    {65041, u"Modifica"},
    {65042, u"Strumenti"},
    {65043, u"Applicazioni in esecuzione"},
    {65044, u"Nome"},
    {65045, u"Attiva"},
    {65046, u"Arresta"},
    {65047, u"Arresta tutto"},
    {65049, u"Nome"},
    {65050, u"Data"},
    {65051, u"Dim."},
    {65052, u"I gruppi e i collegamenti sono stati salvati in:\n%s"},
    {65053, u"Non è possibile aggiungere altri gruppi."},
    {65054, u"Non c'è più spazio per i collegamenti. Eliminare prima alcuni collegamenti."},
};

} // namespace

extern const std::span<const StringResource> stringTable = strings;

} // namespace zorun::res::it
