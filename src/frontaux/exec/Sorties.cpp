#include "frontaux/exec/Sorties.h"

#include "bibliotheque/Tramelo.h"
#include "frontaux/exec/Chemins.h"
#include "frontaux/exec/Statuts.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace nsExec
{
    namespace
    {
        // Le debut du fichier, pour reconnaitre une sortie de Tramelo.
        std::string Debut (const std::string & Chemin)
        {
            std::ifstream F (Chemin, std::ios::binary);
            std::string R (64, '\0');
            F.read (& R [0], static_cast <std::streamsize> (R.size ()));
            R.resize (static_cast <std::size_t> (F.gcount ()));
            return R;
        }

        // Vrai si Cible n'existe pas, ou si c'est une sortie de cette nature : un C++ traduit, un
        // programme (ELF). Sinon, Raison dit pourquoi il n'est pas remplace.
        bool Remplacable (const std::string & Cible, ENatureSortie Nature, std::string & Raison)
        {
            struct stat Etat;
            if (lstat (Cible.c_str (), & Etat) != 0) return errno == ENOENT;
            if (! S_ISREG (Etat.st_mode))
            {
                Raison = S_ISDIR (Etat.st_mode) ? "c'est un dossier" : "ce n'est pas un fichier ordinaire";
                return false;
            }
            const std::string D = Debut (Cible);
            if (Nature == ENatureSortie::Cpp ? nsTramelo::EstCppTraduit (D) : D.rfind ("\x7f" "ELF", 0) == 0)
                return true;
            Raison = Nature == ENatureSortie::Cpp ? "ce n'est pas un C++ traduit par Tramelo"
                                                  : "ce n'est pas un programme";
            return false;
        }
    }

    SSorties NommerSorties (const SCommande & C)
    {
        // Sans .algo, fichier.cpp ou le programme pourraient etre le fichier ouvert par erreur.
        if ((C.Mode == EMode::Traduire || C.Mode == EMode::Construire) && ! Finit (C.Source, ".algo"))
            Echouer (StatutUsage, Affichable (C.Source) + " n'a pas l'extension .algo ; rien n'est "
                                  + (C.Mode == EMode::Traduire ? "traduit" : "construit"));
        const SPlace P = Placer (C.Source);
        SSorties S;
        S.Dossier = P.Dossier;
        S.Cpp = P.Dossier + '/' + P.Base + ".cpp";
        S.Programme = P.Dossier + '/' + P.Base;
        return S;
    }

    void Remplacer (const std::string & Dossier, const std::string & Cible, const std::string & Origine,
                    ENatureSortie Nature)
    {
        std::string Raison;
        if (! Remplacable (Cible, Nature, Raison))
            Echouer (StatutRemplacement, Affichable (Cible) + " existe et " + Raison
                                         + " : il n'est pas remplace (le renommer ou le supprimer)");
        // Copie a cote, sous un nom court (le nom du source peut deja etre au plus long).
        std::string Modele = Dossier + "/.tramelo-exec.XXXXXX";
        std::vector <char> Tampon (Modele.begin (), Modele.end ());
        Tampon.push_back ('\0');
        const int Fd = mkstemp (Tampon.data ());
        if (Fd < 0) Echouer (StatutSysteme, "impossible d'ecrire " + Affichable (Cible) + " : " + std::strerror (errno));
        const std::string Temporaire = Tampon.data ();
        RetirerALaFin (Temporaire);
        close (Fd);
        std::error_code Err;
        std::filesystem::copy_file (Origine, Temporaire, std::filesystem::copy_options::overwrite_existing, Err);
        const mode_t Masque = umask (0);
        umask (Masque);
        const mode_t Mode = Nature == ENatureSortie::Programme ? 0777 : 0666;
        if (Err || chmod (Temporaire.c_str (), Mode & ~Masque) != 0 || rename (Temporaire.c_str (), Cible.c_str ()) != 0)
        {
            const std::string Cause = Err ? Err.message () : std::strerror (errno);
            Echouer (StatutSysteme, "impossible d'ecrire " + Affichable (Cible) + " : " + Cause);
        }
        OublierALaFin (Temporaire);
    }
}
