// The French string table: the program title, the document strings and
// every message and caption the program shows.

#include "res/fr/Tables.h"

namespace zorun::res::fr {

namespace {

const StringResource strings[] = {
    {128, u"Zorun\n\nZorun\n\n\nZorun.Document\nDocument Zorun"},
    {65009, u"Zorun"},
    {65010, u"Erreur d'écriture du fichier de paramètres"},
    {65015, u"Le groupe par défaut ne peut pas être supprimé."},
    {65016, u"La suppression du groupe actuel supprimera aussi tous ses éléments. Voulez-vous "
            u"continuer\u00a0?"},
    {65017, u"Vous devez sélectionner un raccourci dans un groupe."},
    {65018, u"L'élément sélectionné va être supprimé. Voulez-vous continuer\u00a0?"},
    {65019, u"Veuillez d'abord sélectionner un raccourci."},
    {65020, u"Le groupe par défaut ne peut pas être renommé."},
    {65021, u"Erreur du calendrier"},
    {65024, u"Erreur des tâches"},
    {65027, u"Veuillez choisir une icône pour le raccourci."},
    {65032, u"Impossible d'arrêter le processus\u00a0! Si vous choisissez OK, toutes les données "
            u"non enregistrées seront perdues. Voulez-vous y mettre fin\u00a0?"},
    {65033, u"Veuillez saisir un nom de groupe."},
    {65034, u"Le nom du groupe ne peut pas dépasser 256\u00a0caractères\u00a0!"},
    {65035, u"Ce nom de groupe existe déjà\u00a0! Veuillez en choisir un autre."},
    {65036, u"Veuillez saisir un nom pour ce raccourci."},
    {65037, u"Ce fichier n'existe pas. Veuillez en choisir un autre."},
    {65038, u"Veuillez choisir un fichier exécutable."},
    {65039,
     u"Les noms de programme et de raccourci ne peuvent pas dépasser 256\u00a0caractères\u00a0!"},
    {65040, u"Moniteur"},
    {65041, u"Édition"},
    {65042, u"Outils"},
    {65043, u"Applications en cours"},
    {65044, u"Nom"},
    {65045, u"Activer"},
    {65046, u"Arrêter"},
    {65047, u"Tout arrêter"},
    {65049, u"Nom"},
    {65050, u"Date"},
    {65051, u"Taille"},
    {65052, u"Vos groupes et raccourcis ont été conservés dans\u00a0:\n%s"},
    {65053, u"Impossible d'ajouter d'autres groupes."},
    {65054, u"Il n'y a plus de place pour les raccourcis. Veuillez d'abord supprimer quelques "
            u"raccourcis."},
};

} // namespace

extern const std::span<const StringResource> stringTable = strings;

} // namespace zorun::res::fr
