#include "frontaux/exec/Correction.h"

#include "frontaux/exec/Execution.h"
#include "frontaux/exec/Processus.h"
#include "frontaux/exec/Statuts.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace nsExec
{
    namespace
    {
        // Au plus Max octets du fichier (il ne peut guere depasser la limite d'ecriture).
        std::string Relire (const std::string & Chemin, std::size_t Max)
        {
            std::string R;
            const int Fd = open (Chemin.c_str (), O_RDONLY | O_CLOEXEC);
            if (Fd < 0) return R;
            char Tampon [1 << 14];
            ssize_t n;
            while (R.size () < Max && ((n = read (Fd, Tampon, sizeof Tampon)) > 0 || (n < 0 && errno == EINTR)))
                if (n > 0) R.append (Tampon, static_cast <std::size_t> (n));
            close (Fd);
            if (R.size () > Max) R.resize (Max);
            return R;
        }

        bool Ecrire (const std::string & Chemin, const std::string & Texte)
        {
            const int Fd = open (Chemin.c_str (), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
            if (Fd < 0) return false;
            std::size_t Fait = 0;
            while (Fait < Texte.size ())
            {
                const ssize_t n = write (Fd, Texte.data () + Fait, Texte.size () - Fait);
                if (n < 0 && errno == EINTR) continue;
                if (n <= 0) break;
                Fait += static_cast <std::size_t> (n);
            }
            return close (Fd) == 0 && Fait == Texte.size ();
        }
    }

    SExecutionTest ExecuterUnTest (const SProgrammeTest & Programme, const std::string & Entree,
                                   const SLimitesTest & Limites, const std::string & Dossier)
    {
        SExecutionTest R;
        const std::string CheminEntree = Dossier + "/entree", CheminSortie = Dossier + "/sortie",
                          CheminErreurs = Dossier + "/erreurs", Bac = Dossier + "/bac";
        mkdir (Bac.c_str (), 0700);
        if (! Ecrire (CheminEntree, Entree))
            Echouer (StatutSysteme, "impossible d'ecrire l'entree du test dans " + Dossier + " : " + std::strerror (errno));
        const int In = open (CheminEntree.c_str (), O_RDONLY | O_CLOEXEC);
        const int Out = open (CheminSortie.c_str (), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        const int Err = open (CheminErreurs.c_str (), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (In < 0 || Out < 0 || Err < 0)
            Echouer (StatutSysteme, "impossible de preparer les fichiers du test dans " + Dossier + " : " + std::strerror (errno));
        SLancement L;
        L.Args = { Programme.Interprete ? "tramelo-exec" : Programme.Chemin };
        L.Fonction = Programme.Interprete;
        L.Recherche = false;
        L.Entree = In;
        L.Sortie = Out;
        L.Erreur = Err;
        L.Dossier = Bac;
        L.Delai = static_cast <int> (Limites.Temps);
        L.Processeur = Limites.Temps + 1;
        L.Fichier = static_cast <rlim_t> (Limites.SortieKio) << 10;
        L.Groupe = true;
        DonnerLaPile (L);
        // Interprete, le programme est borne par le compte de memoire de l'interpreteur (comme
        // sous tramelo-exec --interprete) : une limite d'espace d'adressage viserait tramelo-exec
        // lui-meme (et empecherait un tramelo-exec construit avec ASan de demarrer).
        DonnerLaMemoire (L, ! Programme.Interprete);
        const SIssue I = Lancer (L);
        close (In);
        close (Out);
        close (Err);
        VerifierSignal ();
        if (! I.Lance)
            Echouer (StatutSysteme, "impossible de lancer le programme : " + std::string (std::strerror (I.Erreur)));
        R.Lance = true;
        R.Etat = I.Etat;
        R.TempsDepasse = I.Expire || (WIFSIGNALED (I.Etat) && WTERMSIG (I.Etat) == SIGXCPU);
        R.SortieDepassee = WIFSIGNALED (I.Etat) && WTERMSIG (I.Etat) == SIGXFSZ;
        const std::size_t Max = static_cast <std::size_t> (Limites.SortieKio) << 10;
        R.Sortie = Relire (CheminSortie, Max);
        R.Erreurs = Relire (CheminErreurs, std::min <std::size_t> (Max, 64 << 10));
        return R;
    }

    SResultatTest EvaluerTest (const SProgrammeTest & Programme, const nsTramelo::SExercice & E,
                               const nsTramelo::STestExercice & T, const std::string & Dossier)
    {
        SLimitesTest Limites;
        Limites.Temps = E.Temps;
        Limites.SortieKio = E.LimiteSortie;
        const SExecutionTest X = ExecuterUnTest (Programme, T.Entree, Limites, Dossier);
        nsTramelo::SSortieTest S;
        S.Statut = StatutProcessus (X.Etat);
        S.TempsDepasse = X.TempsDepasse;
        S.SortieDepassee = X.SortieDepassee;
        S.Sortie = X.Sortie;
        S.Erreurs = X.Erreurs;
        return nsTramelo::JugerTest (T, S);
    }
}
