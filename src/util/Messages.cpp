#include "util/Messages.h"

namespace nsUtil
{
    namespace
    {
        const SMessage Table [] =
        {
            { 102, "Fin de fichier prematuree", "", "" },
            { 102, "\"procedure\", \"fonction\" ou \"algorithme\" attendus", "", "" },
            { 103, "Code apres la fin de l'algorithme", "", "" },
            { 104, "mot-cle attendu : \"", "\" au lieu de \"", "\"" },
            { 104, "mot-cle attendu : \"debut\"", "", "" },
            { 105, "", "", " : C'est un mot-cle ou reserve" },
            { 106, "Identifiant attendu", "", "" },
            { 106, "", "", " : Identificateur attendu" },
            { 108, "", "", " : Deja declare" },
            { 110, "Caractere attendu : \"", "", "\"" },
            { 111, "Caractere ' attendu", "", "" },
            { 112, "Caractere \" attendu", "", "" },
            { 113, "Fin inopinee du code", "", "" },
            { 114, "", "", " : Un tableau ne peut pas etre constant" },
            { 115, "", "", " : Type de base attendu" },
            { 116, "", "", " : Double declaration" },
            { 118, "Erreur de type de retour", "", "" },
            { 119, "", "", " : parametre formel deja declare" },
            { 120, "", "", " : Le parametre doit etre une variable" },
            { 121, "Pas de dimension pour un parametre formel", "", "" },
            { 122, "", "", " : Procedure standard inconnue" },
            { 123, "", "", " : Fonction standard inconnue" },
            { 126, "", "", " : Parametre invalide" },
            { 127, "", "", " : Nature du parametre \"in\", \"out\" iou \"in_out\" non specifiee" },
            { 127, "Attente d'une variable ou d'une procedure", "", "" },
            { 128, "", "", " : ET_ALORS ou OU_SINON attendus" },
            { 132, "Expression booleenne invalide", "", "" },
            { 133, "Expression string invalide", "", "" },
            { 134, "Expression caractere invalide", "", "" },
            { 135, "Expression numerique invalide", "", "" },
            { 136, "Affectation de tableau interdite", "", "" },
            { 137, "Type invalide", "", "" },
            { 138, "Borne de type invalide", "", "" },
            { 139, "Taille de type invalide", "", "" },
            { 140, "", "", " : Un indice doit etre entier" },
            { 141, "Mauvaise utilisation de l'instruction \"sortie\"", "", "" },
            { 141, "Mauvaise utilisation de l'instruction \"continue\"", "", "" },
            { 142, "\"renvoie\" ne peut apparaitre que dans une fonction", "", "" },
            { 143, "", "", " : Ne peut etre redimensionne" },
            { 144, "", "", " : Ne peut etre allonge" },
            { 145, "", "", " n'est pas un tableau" },
            { 146, "", "", " : Type invalide pour la fonction \"taille\"" },
            { 147, "Imbrication trop profonde", "", "" },
            { 148, "Sequence d'echappement invalide", "", "" },
            { 149, "Caractere nul dans le source", "", "" },
            { 252, "Erreur a l'ouverture du fichier ", "", "" },
            { 253, "Nombre d'arguments invalide\nUsage : Tramelo nom_de_fichier_algo [taille_tabulation]", "", "" },
            { 253, "Taille de tabulation invalide", "", "" },
            { 254, "Exception standard : ", "", "" },
            { 255, "Exception inconnue", "", "" },
        };
        static_assert (sizeof (Table) / sizeof (Table [0]) == static_cast <unsigned> (EMsg::NbMessages),
                       "un texte par message");
    }

    const SMessage & GetMessage (EMsg Msg) { return Table [static_cast <unsigned> (Msg)]; }

    unsigned GetCode (EMsg Msg) { return GetMessage (Msg).Code; }

    std::string Texte (EMsg Msg, const std::string & Var1, const std::string & Var2)
    {
        const SMessage & M = GetMessage (Msg);
        return M.Avant + Var1 + M.Milieu + Var2 + M.Apres;
    }
}
