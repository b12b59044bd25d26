#include "frontaux/exec/Interpretation.h"

#include "frontaux/exec/Execution.h"
#include "frontaux/exec/Processus.h"
#include "frontaux/exec/Statuts.h"

#include <cerrno>
#include <csignal>
#include <cstring>

#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace nsExec
{
    namespace
    {
        // Pas executes entre deux regards sur les signaux et deux ecritures de la sortie : assez
        // pour que ces regards ne coutent rien, assez peu pour qu'un Ctrl-C soit suivi a temps.
        const std::uint64_t Budget = 20000;
        // Attente de l'entree par tranches : un signal arrive juste avant l'attente est vu.
        const int TrancheAttente = 200;

        // Ecrit tout sur Fd ; une sortie fermee arrete comme elle arrete le programme compile
        // (SIGPIPE, sans message), une autre erreur est dite.
        void EcrireTout (int Fd, const std::string & Octets)
        {
            std::size_t Fait = 0;
            while (Fait < Octets.size ())
            {
                const ssize_t n = write (Fd, Octets.data () + Fait, Octets.size () - Fait);
                if (n > 0)
                {
                    Fait += static_cast <std::size_t> (n);
                    continue;
                }
                if (n < 0 && errno == EINTR)
                {
                    VerifierSignal ();
                    continue;
                }
                if (n < 0 && errno == EPIPE) Terminer (StatutSignal (SIGPIPE));
                Echouer (StatutSysteme, std::string ("sortie standard impossible a ecrire : ")
                                        + (n < 0 ? std::strerror (errno) : "rien n'a ete ecrit"));
            }
        }

        // La suite de l'entree, telle qu'elle arrive (une ligne au terminal) ; vide a la fin.
        bool LireEntree (std::string & Morceau)
        {
            char Tampon [1 << 16];
            for (;;)
            {
                VerifierSignal ();
                pollfd P { STDIN_FILENO, POLLIN, 0 };
                const int r = poll (& P, 1, TrancheAttente);
                if (r == 0 || (r < 0 && errno == EINTR)) continue;
                const ssize_t n = read (STDIN_FILENO, Tampon, sizeof Tampon);
                if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
                // Une entree illisible finit comme une entree epuisee.
                if (n <= 0) return false;
                Morceau.assign (Tampon, static_cast <std::size_t> (n));
                return true;
            }
        }

        // La trace et la sortie du programme vont-elles au meme endroit (meme terminal, meme
        // fichier) ? Alors une ligne que le programme a laissee commencee est terminee avant la
        // trace, comme sous gdb.
        bool MemeDestination ()
        {
            struct stat Sortie, Erreur;
            return fstat (STDOUT_FILENO, & Sortie) == 0 && fstat (STDERR_FILENO, & Erreur) == 0
                && Sortie.st_dev == Erreur.st_dev && Sortie.st_ino == Erreur.st_ino;
        }

        struct STrace
        {
            std::size_t Largeur = 1;
            bool Couleur = false;
            bool Meme = false;
            bool LigneCommencee = false;   // le dernier octet de la sortie n'est pas une fin de ligne

            void Sortie (const std::string & Octets)
            {
                if (! Octets.empty ()) LigneCommencee = Octets.back () != '\n';
            }

            // Rend ce qui precede une ligne de la trace : la fin de la ligne du programme.
            std::string NouvelleLigne ()
            {
                const bool Finir = Meme && LigneCommencee;
                LigneCommencee = false;
                return Finir ? "\n" : "";
            }

            void Ecrire (nsTramelo::CExecution & X)
            {
                std::string Trace;
                for (const nsTramelo::SEvenementSuivi & E : X.PrendreSuivi ())
                {
                    Trace += NouvelleLigne ();
                    Trace += Couleur ? "\033[36m" + nsTramelo::TexteSuivi (E, Largeur) + "\033[0m\n"
                                     : nsTramelo::TexteSuivi (E, Largeur) + '\n';
                }
                if (! Trace.empty ()) Dire (Trace);
            }
        };
    }

    int Interpreter (const SInterpretation & I)
    {
        nsTramelo::SOptionsExecution O;
        // Les messages nomment le source comme ceux du programme compile.
        O.NomSource = I.Source->Nom;
        O.TailleTab = I.Source->Options.TailleTab;
        O.Limites.Pile = PileDuProgramme ();
        O.Limites.LimitePile = LimitePileDuProgramme ();
        O.VariableMemoireDonnee = VariableMemoireDuProgramme (O.VariableMemoire);
        O.Suivi = I.PasAPas;
        if (I.PasAPas) O.LimiteLignes = I.Limite;
        nsTramelo::CExecution X (* I.Traduction, I.Source->Texte, O);
        if (! X.Pret ()) Echouer (StatutSysteme, "le programme ne peut pas etre interprete : " + X.Refus ());
        // En pas a pas, chaque ligne de la trace suit la sortie qui l'a precedee.
        X.PasAPas (I.PasAPas);
        STrace T;
        T.Largeur = nsTramelo::LargeurSuivi (I.Source->Texte);
        T.Couleur = I.Couleur;
        T.Meme = I.PasAPas && MemeDestination ();
        for (;;)
        {
            const nsTramelo::EArret A = X.Executer (Budget);
            const std::string Sortie = X.PrendreSortie ();
            EcrireTout (STDOUT_FILENO, Sortie);
            T.Sortie (Sortie);
            T.Ecrire (X);
            VerifierSignal ();
            switch (A)
            {
                case nsTramelo::EArret::Fini :
                    return X.Statut ();
                case nsTramelo::EArret::Erreur :
                {
                    const nsTramelo::SErreurExecution & E = X.ErreurExecution ();
                    Dire (E.Texte + '\n' + (E.Notes.empty () ? "" : E.Notes + '\n'));
                }
                    return X.Statut ();
                case nsTramelo::EArret::Limite :
                    Dire (T.NouvelleLigne () + "tramelo-exec : arrêt après " + std::to_string (I.Limite)
                          + " lignes exécutées (--limite N pour en permettre davantage)\n");
                    return StatutLimite;
                case nsTramelo::EArret::Entree :
                {
                    std::string Morceau;
                    if (LireEntree (Morceau)) X.AjouterEntree (Morceau);
                    else X.FermerEntree ();
                    break;
                }
                case nsTramelo::EArret::Budget :
                case nsTramelo::EArret::Pas :
                    break;
            }
        }
    }
}
