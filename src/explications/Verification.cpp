// Premiere version : le diagnostic brut de la traduction, sans explication (a completer).
#include "explications/Verification.h"

namespace nsTramelo
{
    SVerification Verifier (const std::string & Source, const SOptions & Options)
    {
        SVerification V;
        V.Traduction = Traduire (Source, Options);
        if (V.Traduction.Erreur && V.Traduction.Erreur->Positionne)
        {
            const SDiagnostic & E = * V.Traduction.Erreur;
            SDiagnosticExplique D;
            D.Code = E.Code;
            D.Message = E.Message;
            D.Position = E.Arret;
            D.Longueur = E.Longueur;
            D.Regle = "brute";
            V.Diagnostics.push_back (std::move (D));
        }
        return V;
    }

    std::string FormaterGcc (const std::string & Fichier, const std::string &, const SOptions &,
                             const SDiagnosticExplique & D, bool)
    {
        return Fichier + ':' + std::to_string (D.Position.Ligne) + ':' + std::to_string (D.Position.Colonne)
             + (D.Gravite == EGravite::Erreur ? ": erreur : " : ": attention : ") + D.Message
             + " [" + std::to_string (D.Code) + "]\n";
    }
}
