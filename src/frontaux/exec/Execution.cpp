#include "frontaux/exec/Execution.h"

#include "frontaux/exec/Chemins.h"
#include "frontaux/exec/Statuts.h"

#include "frontaux/exec/LigneCommande.h"

#include <csignal>
#include <cstdlib>
#include <cstring>

#include <sys/wait.h>

namespace nsExec
{
    namespace
    {
        const rlim_t PileVoulue = rlim_t (64) << 20;
        // Marge laissee sous la limite pour ce qui suit le controle (bibliotheque, message).
        const rlim_t MargePile = rlim_t (2) << 20;
        // Au-dessus de la memoire comptee par le programme verifie : code, bibliotheques, pile,
        // reserves de malloc. Le message du programme vient ainsi toujours avant le refus du systeme.
        const rlim_t MargeEspaceMio = 512;

        unsigned long MemoireMio = 2048;
        bool MemoireDonnee = false;   // --memoire : TRAMELO_MEMOIRE remplace pour le programme

        // La cause probable d'un signal, dans les mots de l'etudiant.
        std::string CauseSignal (int Signal)
        {
            switch (Signal)
            {
                case SIGFPE : return " (SIGFPE) : erreur arithmetique, division entiere par zero ?";
                case SIGSEGV : return " (SIGSEGV) : acces memoire invalide, recursion trop profonde ou indice hors du tableau ?";
                case SIGABRT : return " (SIGABRT) : arret anormal du programme";
                case SIGKILL : return " (SIGKILL) : tue, par manque de memoire ou de l'exterieur";
                case SIGBUS : return " (SIGBUS) : acces memoire invalide";
                default : return "";
            }
        }
    }

    std::size_t PileDuProgramme ()
    {
        SLancement L;
        DonnerLaPile (L);
        for (const auto & V : L.Environnement)
            if (V.first == "TRAMELO_PILE") return static_cast <std::size_t> (std::stoull (V.second));
        // Le budget du programme verifie lance sans TRAMELO_PILE.
        return std::size_t (6) << 20;
    }

    void DonnerLaPile (SLancement & L)
    {
        struct rlimit R;
        if (getrlimit (RLIMIT_STACK, & R) != 0) return;
        rlim_t Pile = R.rlim_cur;
        if (R.rlim_cur == RLIM_INFINITY || R.rlim_cur < PileVoulue)
        {
            rlim_t Voulue = PileVoulue;
            if (R.rlim_max != RLIM_INFINITY && R.rlim_max < Voulue) Voulue = R.rlim_max;
            if (R.rlim_cur == RLIM_INFINITY || Voulue > R.rlim_cur)
            {
                L.Pile = Voulue;
                Pile = Voulue;
            }
        }
        if (Pile != RLIM_INFINITY && Pile > 2 * MargePile)
            L.Environnement.push_back ({ "TRAMELO_PILE", std::to_string (Pile - MargePile) });
    }

    void ChoisirMemoire (unsigned long Mio)
    {
        if (Mio != 0)
        {
            MemoireMio = Mio;
            MemoireDonnee = true;
            return;
        }
        // Une variable invalide est laissee au programme verifie, qui la refuse en le disant.
        const char * const Texte = std::getenv ("TRAMELO_MEMOIRE");
        if (Texte == nullptr || * Texte == '\0' || std::strlen (Texte) > 10) return;
        for (const char * c = Texte; * c != '\0'; ++c)
            if (* c < '0' || * c > '9') return;
        const unsigned long Valeur = std::stoul (Texte);
        if (Valeur > 0 && Valeur <= MemoireMaxMio) MemoireMio = Valeur;
    }

    void DonnerLaMemoire (SLancement & L, bool Espace)
    {
        if (MemoireDonnee) L.Environnement.push_back ({ "TRAMELO_MEMOIRE", std::to_string (MemoireMio) });
        if (Espace) L.Espace = (rlim_t (MemoireMio) + MargeEspaceMio) << 20;
    }

    bool VariableMemoireDuProgramme (std::string & Texte)
    {
        if (MemoireDonnee)
        {
            Texte = std::to_string (MemoireMio);
            return true;
        }
        const char * const Variable = std::getenv ("TRAMELO_MEMOIRE");
        if (Variable == nullptr) return false;
        Texte = Variable;
        return true;
    }

    std::size_t LimitePileDuProgramme ()
    {
        SLancement L;
        DonnerLaPile (L);
        if (L.Pile != 0) return static_cast <std::size_t> (L.Pile);
        struct rlimit R;
        if (getrlimit (RLIMIT_STACK, & R) != 0 || R.rlim_cur == RLIM_INFINITY) return 0;
        return static_cast <std::size_t> (R.rlim_cur);
    }

    int Executer (const std::string & Programme)
    {
        SLancement L;
        L.Args = { Programme };
        L.Recherche = false;
        DonnerLaPile (L);
        DonnerLaMemoire (L, true);
        const SIssue I = Lancer (L);
        VerifierSignal ();
        if (! I.Lance)
            Echouer (StatutSysteme, "impossible de lancer le programme " + Affichable (Programme) + " : "
                                    + std::strerror (I.Erreur));
        const int Statut = StatutProcessus (I.Etat);
        if (WIFSIGNALED (I.Etat))
        {
            const int Sig = WTERMSIG (I.Etat);
            // Une interruption venue du clavier ou d'ailleurs n'est pas une faute du programme.
            if (Sig != SIGPIPE && Sig != SIGINT && Sig != SIGTERM && Sig != SIGHUP && Sig != SIGQUIT)
                Dire ("tramelo-exec : le programme a ete arrete par le signal " + std::to_string (Sig) + CauseSignal (Sig) + '\n');
        }
        return Statut;
    }
}
