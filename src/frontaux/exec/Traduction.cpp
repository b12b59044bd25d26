#include "frontaux/exec/Traduction.h"

#include "frontaux/commun/Couleur.h"
#include "frontaux/exec/Chemins.h"
#include "frontaux/exec/Processus.h"
#include "frontaux/exec/Statuts.h"

#include <sys/stat.h>
#include <unistd.h>

namespace nsExec
{
    namespace
    {
        bool ErreurDeTraduction (unsigned Code) { return Code >= 102 && Code <= 149; }
    }

    SSource LireLeSource (const SCommande & C)
    {
        SSource S;
        S.Nom = C.Source;
        struct stat Etat;
        S.Ordinaire = stat (S.Nom.c_str (), & Etat) != 0 || S_ISREG (Etat.st_mode);
        nsTramelo::SLectureSource L = nsTramelo::LireSource (C.Args);
        // Un tube nomme sans ecrivain bloque la lecture : Ctrl-C l'interrompt.
        VerifierSignal ();
        if (L.Statut != 0)
        {
            // Le message de Tramelo, tel quel.
            Dire (L.Message + '\n');
            Terminer (static_cast <int> (L.Statut));
        }
        S.Options = L.Options;
        S.Texte = std::move (L.Texte);
        VerifierSignal ();
        return S;
    }

    nsTramelo::STraduction VerifierLeSource (const SCommande & C, const SSource & S)
    {
        nsTramelo::SVerification V = nsTramelo::Verifier (S.Texte, S.Options);
        const nsTramelo::STraduction & T = V.Traduction;
        // Une erreur sans position (tabulation, source trop volumineux) garde le message de Tramelo.
        if (T.Erreur && ! ErreurDeTraduction (T.Erreur->Code))
        {
            Dire (T.Erreur->Libelle + '\n');
            Terminer (static_cast <int> (T.Erreur->Code));
        }
        const bool Couleur = nsOutils::CouleurVoulue (STDERR_FILENO);
        unsigned Premiere = 0;
        std::string Rapport;
        for (const nsTramelo::SDiagnosticExplique & D : V.Diagnostics)
        {
            Rapport += nsTramelo::FormaterGcc (Affichable (S.Nom), S.Texte, S.Options, D, Couleur);
            if (D.Gravite == nsTramelo::EGravite::Erreur && Premiere == 0) Premiere = D.Code;
        }
        Dire (Rapport);
        if (T.Erreur) Terminer (static_cast <int> (T.Erreur->Code));
        if (Premiere != 0 && C.Mode != EMode::Traduire) Terminer (static_cast <int> (Premiere));
        VerifierSignal ();
        return std::move (V.Traduction);
    }

    nsTramelo::STraduction TraduireLeSource (const SCommande & C, const SSource & S,
                                             nsTramelo::STraduction Standard, const SNomsCpp & Noms)
    {
        if (C.Standard) return Standard;
        nsTramelo::SOptions O = S.Options;
        O.Verifie = true;
        O.NomSource = Noms.Source;
        O.NomCpp = Noms.Cpp;
        nsTramelo::STraduction T = nsTramelo::Traduire (S.Texte, O);
        // Les deux profils acceptent les memes sources : ce serait une faute de la bibliotheque.
        if (T.Erreur) Echouer (T.Statut, "erreur interne du profil verifie : " + T.Erreur->Libelle);
        VerifierSignal ();
        return T;
    }

    std::string NomAlgorithme (const nsTramelo::STraduction & T)
    {
        for (const nsTramelo::SUnite & U : T.Modele.Unites)
            if (U.Nature == nsTramelo::ENature::Algorithme) return U.Nom;
        return "";
    }

    std::string InclusionsDuPrelude (const std::string & Cpp)
    {
        // Lignes de commentaire et lignes vides sautees ; la premiere autre ligne arrete.
        std::string R;
        std::size_t Debut = 0;
        while (Debut < Cpp.size ())
        {
            std::size_t Fin = Cpp.find ('\n', Debut);
            if (Fin == std::string::npos) break;
            const std::string Ligne = Cpp.substr (Debut, Fin - Debut);
            if (Ligne.rfind ("#include ", 0) == 0) R += Ligne + '\n';
            else if (! Ligne.empty () && Ligne.rfind ("//", 0) != 0) break;
            Debut = Fin + 1;
        }
        return R;
    }
}
