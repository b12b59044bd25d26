#include "frontaux/exec/Travail.h"

#include "frontaux/exec/Chemins.h"
#include "frontaux/exec/Statuts.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace nsExec
{
    namespace
    {
        const char * const Prefixe = "tramelo-exec.";
        const char * const PrefixeCreation = "tramelo-exec-creation.";
        const char * const NomVerrou = "verrou";
        const std::time_t AgeDuMenage = 24 * 3600;

        std::string Dossier;      // absolu ; vide tant qu'il n'est pas cree
        int Verrou = -1;
        std::string Conserve;     // seul fichier garde par RetirerTravail, s'il n'est pas vide

        std::string DossierTemporaire ()
        {
            const char * Tmp = std::getenv ("TMPDIR");
            return Absolu (Tmp && * Tmp ? Tmp : "/tmp");
        }

        // Le verrou d'un ancien dossier, pris sans attendre ; -1 s'il est tenu par une
        // execution en cours. Un dossier sans verrou (laisse par une version qui n'en posait pas)
        // n'est a personne : -2.
        int PrendreVerrou (const std::string & Chemin)
        {
            const int Fd = open ((Chemin + '/' + NomVerrou).c_str (), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
            if (Fd < 0) return errno == ENOENT ? -2 : -1;
            if (flock (Fd, LOCK_EX | LOCK_NB) != 0)
            {
                close (Fd);
                return -1;
            }
            return Fd;
        }

        void NettoyerAnciens (const std::string & DossierTmp)
        {
            DIR * D = opendir (DossierTmp.c_str ());
            if (! D) return;
            const std::time_t Maintenant = std::time (nullptr);
            std::vector <std::string> Anciens;
            const std::size_t Lg = std::strlen (Prefixe);
            while (const dirent * E = readdir (D))
            {
                const std::string Nom = E->d_name;
                if (Nom.size () != Lg + 6 || Nom.compare (0, Lg, Prefixe) != 0) continue;
                const std::string Chemin = DossierTmp + '/' + Nom;
                struct stat Etat;
                if (lstat (Chemin.c_str (), & Etat) != 0 || ! S_ISDIR (Etat.st_mode) || Etat.st_uid != getuid ())
                    continue;
                if (Maintenant - Etat.st_mtime >= AgeDuMenage) Anciens.push_back (Chemin);
            }
            closedir (D);
            for (const std::string & Chemin : Anciens)
            {
                const int Fd = PrendreVerrou (Chemin);
                if (Fd == -1) continue;
                std::error_code Err;
                std::filesystem::remove_all (Chemin, Err);
                if (Fd >= 0) close (Fd);
            }
        }
    }

    void PreparerTravail ()
    {
        const std::string DossierTmp = DossierTemporaire ();
        NettoyerAnciens (DossierTmp);
        // Le dossier ne prend son nom definitif qu'une fois son verrou pris : le menage d'un
        // autre tramelo-exec ne le voit jamais sans verrou.
        for (int Essai = 0; Dossier.empty (); ++Essai)
        {
            std::string Modele = DossierTmp + '/' + PrefixeCreation + "XXXXXX";
            std::vector <char> Tampon (Modele.begin (), Modele.end ());
            Tampon.push_back ('\0');
            if (! mkdtemp (Tampon.data ()))
                Echouer (StatutSysteme, "impossible de creer le dossier de travail dans " + Affichable (DossierTmp)
                                        + " : " + std::strerror (errno) + " (voir TMPDIR)");
            const std::string Provisoire = Tampon.data ();
            const std::string Definitif = DossierTmp + '/' + Prefixe + Provisoire.substr (Provisoire.size () - 6);
            Verrou = open ((Provisoire + '/' + NomVerrou).c_str (), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
            if (Verrou < 0 || flock (Verrou, LOCK_EX) != 0)
            {
                const int Erreur = errno;
                std::error_code Err;
                std::filesystem::remove_all (Provisoire, Err);
                Echouer (StatutSysteme, "impossible de verrouiller le dossier de travail " + Affichable (Provisoire)
                                        + " : " + std::strerror (Erreur));
            }
            int Renomme = renameat2 (AT_FDCWD, Provisoire.c_str (), AT_FDCWD, Definitif.c_str (), RENAME_NOREPLACE);
            // Systeme de fichiers sans renommage exclusif : le nom est verifie libre juste avant.
            struct stat Etat;
            if (Renomme != 0 && (errno == EINVAL || errno == ENOSYS))
            {
                if (lstat (Definitif.c_str (), & Etat) == 0) errno = EEXIST;
                else Renomme = rename (Provisoire.c_str (), Definitif.c_str ());
            }
            if (Renomme == 0) Dossier = Definitif;
            else
            {
                const int Erreur = errno;
                std::error_code Err;
                std::filesystem::remove_all (Provisoire, Err);
                close (Verrou);
                Verrou = -1;
                // Nom deja pris (rarissime) : un autre essai ; toute autre erreur arrete.
                if (Erreur != EEXIST || Essai >= 10)
                    Echouer (StatutSysteme, "impossible de creer le dossier de travail " + Affichable (Definitif) + " : "
                                            + std::strerror (Erreur));
            }
        }
    }

    std::string DansTravail (const std::string & Nom) { return Dossier + '/' + Nom; }

    bool TravailPresent ()
    {
        struct stat Etat;
        return ! Dossier.empty () && stat (Dossier.c_str (), & Etat) == 0 && S_ISDIR (Etat.st_mode);
    }

    void ConserverSeulement (const std::string & Nom) { Conserve = Nom; }

    void RetirerTravail ()
    {
        if (Dossier.empty ()) return;
        std::error_code Err;
        if (Conserve.empty ()) std::filesystem::remove_all (Dossier, Err);
        else
        {
            std::vector <std::filesystem::path> Autres;
            try
            {
                for (const auto & E : std::filesystem::directory_iterator (Dossier))
                    if (E.path ().filename () != Conserve) Autres.push_back (E.path ());
            }
            catch (const std::exception &) {}
            for (const auto & Chemin : Autres) std::filesystem::remove_all (Chemin, Err);
        }
        if (Verrou >= 0) close (Verrou);
        Verrou = -1;
        Dossier.clear ();
    }
}
