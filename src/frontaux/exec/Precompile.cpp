#include "frontaux/exec/Precompile.h"

#include "frontaux/exec/Chemins.h"
#include "frontaux/exec/Processus.h"
#include "frontaux/exec/Statuts.h"
#include "frontaux/exec/Travail.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace nsExec
{
    namespace
    {
        const char * const NomEntete = "prelude.h";
        const char * const NomCle = "cle";
        const char * const NomEchec = "echec";
        const std::time_t DureeEchec = 24 * 3600;          // pas de nouvel essai avant
        const std::time_t DureeOubli = 30 * 24 * 3600;     // entree inutilisee retiree apres
        const int DelaiVersion = 10;                        // secondes pour --version

        std::string RacineCache ()
        {
            // Un XDG_CACHE_HOME relatif est a ignorer (regle des dossiers XDG).
            const char * Xdg = std::getenv ("XDG_CACHE_HOME");
            std::string Base;
            if (Xdg && Xdg [0] == '/') Base = Xdg;
            else
            {
                const char * Maison = std::getenv ("HOME");
                if (! Maison || Maison [0] != '/') return "";
                Base = std::string (Maison) + "/.cache";
            }
            return Base + "/tramelo/precompile";
        }

        // mkdir -p, les dossiers crees prives (0700).
        bool CreerDossiers (const std::string & Chemin)
        {
            for (std::size_t i = 1; i <= Chemin.size (); ++i)
            {
                if (i < Chemin.size () && Chemin [i] != '/') continue;
                const std::string Partie = Chemin.substr (0, i);
                if (mkdir (Partie.c_str (), 0700) != 0 && errno != EEXIST) return false;
            }
            struct stat Etat;
            return stat (Chemin.c_str (), & Etat) == 0 && S_ISDIR (Etat.st_mode) && access (Chemin.c_str (), W_OK) == 0;
        }

        std::string Lire (const std::string & Chemin)
        {
            std::ifstream F (Chemin, std::ios::binary);
            std::ostringstream R;
            R << F.rdbuf ();
            return R.str ();
        }

        std::time_t Age (const std::string & Chemin)
        {
            struct stat Etat;
            if (stat (Chemin.c_str (), & Etat) != 0) return -1;
            return std::time (nullptr) - Etat.st_mtime;
        }

        // Ecrit Contenu sous Nom dans Dossier d'un coup (fichier a cote, puis renommage) : un
        // autre tramelo-exec ne lit jamais un fichier a moitie ecrit.
        bool EcrireDUnCoup (const std::string & Dossier, const std::string & Nom, const std::string & Contenu)
        {
            std::string Modele = Dossier + "/." + Nom + ".XXXXXX";
            std::vector <char> Tampon (Modele.begin (), Modele.end ());
            Tampon.push_back ('\0');
            const int Fd = mkstemp (Tampon.data ());
            if (Fd < 0) return false;
            const std::string Temporaire = Tampon.data ();
            RetirerALaFin (Temporaire);
            bool Ok = write (Fd, Contenu.data (), Contenu.size ()) == static_cast <ssize_t> (Contenu.size ());
            Ok = close (Fd) == 0 && Ok && rename (Temporaire.c_str (), (Dossier + '/' + Nom).c_str ()) == 0;
            if (! Ok) unlink (Temporaire.c_str ());
            OublierALaFin (Temporaire);
            return Ok;
        }

        // Le fichier du compilateur, cherche comme le ferait execvp, et ce qui change quand il
        // est remplace (taille, date).
        std::string IdentiteCompilateur (const std::string & Commande)
        {
            std::string Chemin;
            if (Commande.find ('/') != std::string::npos) Chemin = Commande;
            else
            {
                const char * Path = std::getenv ("PATH");
                std::istringstream Dossiers (Path ? Path : "/usr/local/bin:/usr/bin:/bin");
                std::string D;
                while (std::getline (Dossiers, D, ':'))
                {
                    const std::string Essai = (D.empty () ? "." : D) + '/' + Commande;
                    if (access (Essai.c_str (), X_OK) == 0)
                    {
                        Chemin = Essai;
                        break;
                    }
                }
            }
            std::vector <char> Reel (PATH_MAX + 1);
            struct stat Etat;
            if (Chemin.empty () || ! realpath (Chemin.c_str (), Reel.data ()) || stat (Reel.data (), & Etat) != 0)
                return "";
            return std::string (Reel.data ()) + ' ' + std::to_string (Etat.st_size) + ' '
                 + std::to_string (Etat.st_mtim.tv_sec) + '.' + std::to_string (Etat.st_mtim.tv_nsec);
        }

        // La sortie de "CXX --version" ; "" si ce n'est pas g++ (clang n'en lit pas les .gch).
        std::string VersionGcc (const std::vector <std::string> & Compilateur)
        {
            const std::string Fichier = DansTravail ("version.txt");
            const int Fd = open (Fichier.c_str (), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
            const int Vide = open ("/dev/null", O_RDONLY | O_CLOEXEC);
            if (Fd < 0 || Vide < 0) return "";
            SLancement L;
            L.Args = Compilateur;
            L.Args.push_back ("--version");
            L.Entree = Vide;
            L.Sortie = L.Erreur = Fd;
            L.Delai = DelaiVersion;
            const SIssue I = Lancer (L);
            close (Fd);
            close (Vide);
            VerifierSignal ();
            const std::string Sortie = Lire (Fichier);
            unlink (Fichier.c_str ());
            if (! I.Lance || I.Expire || StatutProcessus (I.Etat) != 0) return "";
            if (Sortie.find ("Free Software Foundation") == std::string::npos || Sortie.find ("clang") != std::string::npos)
                return "";
            return Sortie;
        }

        // FNV-1a sur 64 bits : un nom de dossier court pour une cle longue.
        std::string Empreinte (const std::string & Texte)
        {
            std::uint64_t H = 14695981039346656037ULL;
            for (unsigned char c : Texte)
            {
                H ^= c;
                H *= 1099511628211ULL;
            }
            const char * Chiffres = "0123456789abcdef";
            std::string R;
            for (int i = 60; i >= 0; i -= 4) R += Chiffres [(H >> i) & 15];
            return R;
        }

        // Les entrees du cache inutilisees depuis un mois (autre version de g++, autres options).
        void Elaguer (const std::string & Racine, const std::string & Garde)
        {
            std::vector <std::filesystem::path> Vieilles;
            try
            {
                for (const auto & E : std::filesystem::directory_iterator (Racine))
                {
                    const std::string Chemin = E.path ().string ();
                    if (Chemin == Garde || ! E.is_directory ()) continue;
                    const std::time_t A = Age (Chemin + '/' + NomCle);
                    if (A > DureeOubli || (A < 0 && Age (Chemin) > DureeOubli)) Vieilles.push_back (E.path ());
                }
            }
            catch (const std::exception &) {}
            std::error_code Err;
            for (const auto & V : Vieilles) std::filesystem::remove_all (V, Err);
        }

        // Compile l'en-tete ; le .gch n'apparait qu'entier (renommage).
        bool Precompiler (const std::vector <std::string> & Commande, const std::string & Dossier, const std::string & Entete)
        {
            std::string Modele = Dossier + "/.prelude.h.gch.XXXXXX";
            std::vector <char> Tampon (Modele.begin (), Modele.end ());
            Tampon.push_back ('\0');
            const int Fd = mkstemp (Tampon.data ());
            if (Fd < 0) return false;
            close (Fd);
            const std::string Temporaire = Tampon.data ();
            RetirerALaFin (Temporaire);
            const int Vide = open ("/dev/null", O_RDWR | O_CLOEXEC);
            SLancement L;
            L.Args = Commande;
            L.Args.insert (L.Args.end (), { "-x", "c++-header", Entete, "-o", Temporaire });
            L.Entree = L.Sortie = L.Erreur = Vide;
            const SIssue I = Lancer (L);
            if (Vide >= 0) close (Vide);
            VerifierSignal ();
            const bool Ok = I.Lance && StatutProcessus (I.Etat) == 0
                         && rename (Temporaire.c_str (), (Entete + ".gch").c_str ()) == 0;
            if (! Ok) unlink (Temporaire.c_str ());
            OublierALaFin (Temporaire);
            return Ok;
        }
    }

    std::string EntetePrecompile (const std::vector <std::string> & Compilateur,
                                  const std::vector <std::string> & Options, const std::string & Inclusions)
    {
        const std::string Racine = RacineCache ();
        if (Racine.empty () || Compilateur.empty () || Inclusions.empty ()) return "";
        const std::string Identite = IdentiteCompilateur (Compilateur [0]);
        if (Identite.empty ()) return "";
        const std::string Version = VersionGcc (Compilateur);
        if (Version.empty ()) return "";
        std::string Cle = "compilateur " + Identite + "\nversion\n" + Version + "commande\n";
        for (const std::string & M : Compilateur) Cle += M + '\n';
        Cle += "options\n";
        for (const std::string & M : Options) Cle += M + '\n';
        Cle += "entete\n" + Inclusions;

        const std::string Dossier = Racine + '/' + Empreinte (Cle);
        const std::string Entete = Dossier + '/' + NomEntete;
        const std::time_t Echec = Age (Dossier + '/' + NomEchec);
        if (Echec >= 0 && Echec < DureeEchec) return "";
        if (Lire (Dossier + '/' + NomCle) == Cle && access ((Entete + ".gch").c_str (), R_OK) == 0
            && Lire (Entete) == Inclusions)
        {
            // Date d'emploi, pour l'elagage.
            utimensat (AT_FDCWD, (Dossier + '/' + NomCle).c_str (), nullptr, 0);
            return Entete;
        }
        std::vector <std::string> Commande = Compilateur;
        Commande.insert (Commande.end (), Options.begin (), Options.end ());
        if (! CreerDossiers (Dossier) || ! EcrireDUnCoup (Dossier, NomEntete, Inclusions)
            || ! EcrireDUnCoup (Dossier, NomCle, Cle))
            return "";
        if (! Precompiler (Commande, Dossier, Entete))
        {
            EcrireDUnCoup (Dossier, NomEchec, "");
            return "";
        }
        Elaguer (Racine, Dossier);
        return Entete;
    }

    void RenoncerA (const std::string & Entete)
    {
        const std::size_t Barre = Entete.rfind ('/');
        if (Barre == std::string::npos) return;
        unlink ((Entete + ".gch").c_str ());
        EcrireDUnCoup (Entete.substr (0, Barre), NomEchec, "");
    }
}
