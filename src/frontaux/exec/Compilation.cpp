#include "frontaux/exec/Compilation.h"

#include "frontaux/exec/Chemins.h"
#include "frontaux/exec/Precompile.h"
#include "frontaux/exec/Processus.h"
#include "frontaux/exec/Statuts.h"
#include "frontaux/exec/Travail.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace nsExec
{
    namespace
    {
        std::vector <std::string> Mots (const std::string & Texte)
        {
            std::vector <std::string> R;
            std::string Mot;
            for (char c : Texte + ' ')
            {
                if (c == ' ' || c == '\t' || c == '\n')
                {
                    if (! Mot.empty ()) R.push_back (Mot);
                    Mot.clear ();
                }
                else Mot += c;
            }
            return R;
        }

        // Le journal du compilateur, lu par son descripteur : il reste lisible meme si le
        // dossier de travail a disparu pendant la compilation.
        std::string LireJournal (int Fd)
        {
            std::string R;
            if (lseek (Fd, 0, SEEK_SET) != 0) return R;
            char Tampon [1 << 14];
            ssize_t n;
            while ((n = read (Fd, Tampon, sizeof Tampon)) > 0 || (n < 0 && errno == EINTR))
                if (n > 0) R.append (Tampon, static_cast <std::size_t> (n));
            return R;
        }

        // Journal sans nom : ni un autre processus ni la disparition du dossier n'y touchent.
        int JournalAnonyme ()
        {
            int Fd = open (DansTravail (".").c_str (), O_RDWR | O_TMPFILE | O_CLOEXEC, 0600);
            if (Fd >= 0) return Fd;
            std::string Modele = DansTravail ("compilation.XXXXXX");
            std::vector <char> Tampon (Modele.begin (), Modele.end ());
            Tampon.push_back ('\0');
            Fd = mkostemp (Tampon.data (), O_CLOEXEC);
            if (Fd < 0)
                Echouer (StatutSysteme, "impossible de creer le journal de la compilation dans le dossier de travail : "
                                        + std::string (std::strerror (errno)));
            unlink (Tampon.data ());
            return Fd;
        }

        struct SEssai
        {
            int Statut = 0;
            std::string Journal;
        };

        SEssai Essayer (const SCompilation & X, const std::vector <std::string> & Options, const std::string & Entete)
        {
            SLancement L;
            L.Args = X.Compilateur;
            L.Args.insert (L.Args.end (), Options.begin (), Options.end ());
            if (! Entete.empty ()) L.Args.insert (L.Args.end (), { "-include", Entete });
            L.Args.insert (L.Args.end (), { "-o", Argument (X.Programme), Argument (X.Cpp) });
            L.Dossier = X.Dossier;
            const int Journal = JournalAnonyme ();
            const int Vide = open ("/dev/null", O_RDONLY | O_CLOEXEC);
            L.Entree = Vide;
            L.Sortie = L.Erreur = Journal;
            const SIssue I = Lancer (L);
            SEssai E;
            if (Journal >= 0) E.Journal = LireJournal (Journal);
            if (Journal >= 0) close (Journal);
            if (Vide >= 0) close (Vide);
            VerifierSignal ();
            if (! I.Lance)
                Echouer (StatutCompilateurIntrouvable, "impossible de lancer le compilateur " + Affichable (X.Compilateur [0])
                                                       + " : " + std::strerror (I.Erreur));
            E.Statut = StatutProcessus (I.Etat);
            return E;
        }
    }

    bool Trouver (const std::string & Commande)
    {
        if (Commande.empty ()) return false;
        auto Executable = [] (const std::string & Chemin)
        {
            struct stat Etat;
            return stat (Chemin.c_str (), & Etat) == 0 && ! S_ISDIR (Etat.st_mode) && access (Chemin.c_str (), X_OK) == 0;
        };
        if (Commande.find ('/') != std::string::npos) return Executable (Commande);
        const char * Path = std::getenv ("PATH");
        const std::string Chemins = Path ? Path : "/usr/local/bin:/usr/bin:/bin";
        std::size_t Debut = 0;
        for (;;)
        {
            const std::size_t Fin = Chemins.find (':', Debut);
            std::string Dossier = Chemins.substr (Debut, Fin == std::string::npos ? std::string::npos : Fin - Debut);
            if (Dossier.empty ()) Dossier = ".";
            if (Executable (Dossier + '/' + Commande)) return true;
            if (Fin == std::string::npos) return false;
            Debut = Fin + 1;
        }
    }

    std::vector <std::string> CommandeDuCompilateur ()
    {
        const char * Cxx = std::getenv ("CXX");
        return Mots (Cxx ? Cxx : "g++");
    }

    bool CompilateurPresent ()
    {
        const std::vector <std::string> C = CommandeDuCompilateur ();
        return ! C.empty () && Trouver (C [0]);
    }

    std::vector <std::string> TrouverCompilateur ()
    {
        const std::vector <std::string> C = CommandeDuCompilateur ();
        if (C.empty () || ! Trouver (C [0]))
            Echouer (StatutCompilateurIntrouvable, "compilateur C++ introuvable (" + Affichable (C.empty () ? "" : C [0])
                                                   + ") ; definir CXX");
        return C;
    }

    void Compiler (const SCompilation & X)
    {
        std::vector <std::string> Options { "-std=c++17" };
        if (X.Debogage) Options.insert (Options.end (), { "-g", "-O0" });
        else Options.push_back ("-O1");
        const std::string Entete = EntetePrecompile (X.Compilateur, Options, X.Inclusions);
        SEssai E = Essayer (X, Options, Entete);
        // Un en-tete precompile en cause ne doit jamais faire echouer : essai sans lui.
        if (E.Statut != 0 && ! Entete.empty ())
        {
            E = Essayer (X, Options, "");
            if (E.Statut == 0) RenoncerA (Entete);
        }
        if (E.Statut == 0) return;
        Dire (E.Journal);
        if (! TravailPresent ())
            Echouer (StatutSysteme, "le dossier de travail a disparu pendant la compilation (supprime par un autre "
                                    "programme ?) ; rien n'a ete execute");
        if (E.Statut >= BaseSignaux && E.Journal.empty ())
            Echouer (StatutCompilation, "le compilateur a ete arrete par le signal " + std::to_string (E.Statut - BaseSignaux));
        if (X.ConserveDansTravail) ConserverSeulement (X.Conserve.substr (X.Conserve.rfind ('/') + 1));
        Echouer (StatutCompilation, "la compilation du C++ produit a echoue ; il est conserve dans " + Affichable (X.Conserve));
    }
}
