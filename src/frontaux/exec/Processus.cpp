#include "frontaux/exec/Processus.h"

#include "frontaux/exec/Statuts.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <map>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

extern char ** environ;

namespace nsExec
{
    namespace
    {
        const int SignauxDeFin [] = { SIGHUP, SIGINT, SIGQUIT, SIGTERM };
        // Delai laisse au processus en cours pour finir apres un signal relaye.
        const int GraceApresSignal = 5;

        volatile std::sig_atomic_t Recu = 0;
        volatile std::sig_atomic_t SignalRelaye = 0;   // 0 : le signal recu lui-meme
        volatile pid_t Enfant = 0;
        // Reveil de l'attente d'un processus : un octet par signal de fin et par fin d'un enfant.
        // Ecrit par les gestionnaires, lu par Lancer : aucun evenement ne se perd entre la
        // verification et l'attente.
        int Reveil [2] = { -1, -1 };

        void Reveiller ()
        {
            const int Erreur = errno;
            if (Reveil [1] >= 0 && write (Reveil [1], "r", 1) < 0) {}
            errno = Erreur;
        }

        extern "C" void Relayer (int Signal)
        {
            if (Recu == 0) Recu = Signal;
            const pid_t P = Enfant;   // negatif : un groupe
            if (P != 0) kill (P, SignalRelaye != 0 ? static_cast <int> (SignalRelaye) : Signal);
            Reveiller ();
        }

        extern "C" void FinDUnEnfant (int) { Reveiller (); }

        void Vider ()
        {
            char Tampon [64];
            while (read (Reveil [0], Tampon, sizeof Tampon) > 0) {}
        }

        double Maintenant ()
        {
            timespec T;
            clock_gettime (CLOCK_MONOTONIC, & T);
            return static_cast <double> (T.tv_sec) + static_cast <double> (T.tv_nsec) / 1e9;
        }

        void Dormir (long Millisecondes)
        {
            timespec T { 0, Millisecondes * 1000000L };
            nanosleep (& T, nullptr);
        }

        // L'environnement du processus : le notre, avec les variables de Ajouts remplacees ou
        // ajoutees. Prepare avant fork : l'enfant ne fait qu'exec.
        std::vector <std::string> Environnement (const std::vector <std::pair <std::string, std::string>> & Ajouts)
        {
            std::map <std::string, std::string> Valeurs;
            for (const auto & A : Ajouts) Valeurs [A.first] = A.second;
            std::vector <std::string> R;
            for (char ** e = environ; e && * e; ++e)
            {
                const std::string V = * e;
                if (Valeurs.count (V.substr (0, V.find ('='))) == 0) R.push_back (V);
            }
            for (const auto & A : Ajouts) R.push_back (A.first + '=' + A.second);
            return R;
        }

        // L'enfant entre fork et exec : seulement des appels surs apres fork.
        [[noreturn]] void Enfanter (const SLancement & L, char * const Argv [], char * const Envp [], int Rapport)
        {
            struct sigaction Defaut {};
            Defaut.sa_handler = SIG_DFL;
            sigemptyset (& Defaut.sa_mask);
            for (int Signal : SignauxDeFin) sigaction (Signal, & Defaut, nullptr);
            sigaction (SIGPIPE, & Defaut, nullptr);
            sigset_t Aucun;
            sigemptyset (& Aucun);
            sigprocmask (SIG_SETMASK, & Aucun, nullptr);
            // Les descripteurs a placer sont tous au-dessus de 2 (PreparerProcessus).
            if (L.Entree >= 0) dup2 (L.Entree, 0);
            if (L.Sortie >= 0) dup2 (L.Sortie, 1);
            if (L.Erreur >= 0) dup2 (L.Erreur, 2);
            if (L.Descripteur3 == 3) fcntl (3, F_SETFD, 0);
            else if (L.Descripteur3 >= 0) dup2 (L.Descripteur3, 3);
            if (L.Pile != 0)
            {
                struct rlimit R;
                if (getrlimit (RLIMIT_STACK, & R) == 0)
                {
                    R.rlim_cur = L.Pile;
                    setrlimit (RLIMIT_STACK, & R);
                }
            }
            if (L.Espace != 0)
            {
                struct rlimit R;
                if (getrlimit (RLIMIT_AS, & R) == 0 && (R.rlim_cur == RLIM_INFINITY || L.Espace < R.rlim_cur))
                {
                    R.rlim_cur = L.Espace;
                    setrlimit (RLIMIT_AS, & R);
                }
            }
            auto Limiter = [] (int Ressource, rlim_t Valeur)
            {
                struct rlimit R;
                if (Valeur == 0 || getrlimit (Ressource, & R) != 0) return;
                if (R.rlim_max != RLIM_INFINITY && Valeur > R.rlim_max) Valeur = R.rlim_max;
                R.rlim_cur = Valeur;
                setrlimit (Ressource, & R);
            };
            Limiter (RLIMIT_FSIZE, L.Fichier);
            Limiter (RLIMIT_CPU, L.Processeur);
            if (L.Groupe) setpgid (0, 0);
            int Erreur = 0;
            if (! L.Dossier.empty () && chdir (L.Dossier.c_str ()) != 0) Erreur = errno;
            else if (L.Fonction)
            {
                // Rien a executer : le tube ferme dit au parent que le lancement a reussi.
                close (Rapport);
                _exit (L.Fonction ());
            }
            else
            {
                if (L.Recherche) execvpe (Argv [0], Argv, Envp);
                else execve (Argv [0], Argv, Envp);
                Erreur = errno;
            }
            // Le parent lit l'erreur sur le tube (ferme par exec quand il reussit).
            if (write (Rapport, & Erreur, sizeof Erreur) < 0) {}
            _exit (127);
        }
    }

    void PreparerProcessus ()
    {
        for (int Fd = 0; Fd <= 2; ++Fd)
            if (fcntl (Fd, F_GETFD) < 0 && open ("/dev/null", O_RDWR) < 0) {}
        struct sigaction Ignorer {};
        Ignorer.sa_handler = SIG_IGN;
        sigemptyset (& Ignorer.sa_mask);
        sigaction (SIGPIPE, & Ignorer, nullptr);
        if (pipe2 (Reveil, O_CLOEXEC | O_NONBLOCK) != 0) Reveil [0] = Reveil [1] = -1;
        struct sigaction Action {};
        Action.sa_handler = Relayer;
        sigemptyset (& Action.sa_mask);
        for (int Signal : SignauxDeFin) sigaction (Signal, & Action, nullptr);
        struct sigaction Fin {};
        Fin.sa_handler = FinDUnEnfant;
        Fin.sa_flags = SA_RESTART | SA_NOCLDSTOP;
        sigemptyset (& Fin.sa_mask);
        sigaction (SIGCHLD, & Fin, nullptr);
    }

    void RelayerPourGdb (ERelais Relais)
    {
        if (Relais == ERelais::Interruption)
        {
            SignalRelaye = SIGINT;
            return;
        }
        // Sous gdb interactif, Ctrl-C interrompt le programme : gdb s'en charge.
        struct sigaction Ignorer {};
        Ignorer.sa_handler = SIG_IGN;
        sigemptyset (& Ignorer.sa_mask);
        sigaction (SIGINT, & Ignorer, nullptr);
        sigaction (SIGQUIT, & Ignorer, nullptr);
    }

    int SignalRecu () { return Recu; }

    void VerifierSignal ()
    {
        if (Recu != 0) Terminer (StatutSignal (Recu));
    }

    SIssue Lancer (const SLancement & L)
    {
        VerifierSignal ();
        SIssue Issue;
        std::vector <char *> Argv;
        for (const std::string & A : L.Args) Argv.push_back (const_cast <char *> (A.c_str ()));
        Argv.push_back (nullptr);
        const std::vector <std::string> Env = Environnement (L.Environnement);
        std::vector <char *> Envp;
        for (const std::string & V : Env) Envp.push_back (const_cast <char *> (V.c_str ()));
        Envp.push_back (nullptr);

        int Tube [2];
        if (pipe2 (Tube, O_CLOEXEC) != 0)
        {
            Issue.Erreur = errno;
            return Issue;
        }
        const pid_t P = fork ();
        if (P < 0)
        {
            Issue.Erreur = errno;
            close (Tube [0]);
            close (Tube [1]);
            return Issue;
        }
        if (P == 0) Enfanter (L, Argv.data (), Envp.data (), Tube [1]);
        // Le groupe est aussi cree ici : aucun signal ne le manque, quel que soit l'ordre.
        if (L.Groupe) setpgid (P, P);
        const pid_t Cible = L.Groupe ? -P : P;
        Enfant = Cible;
        // Un signal arrive entre fork et ici n'a pas encore ete relaye.
        if (Recu != 0) kill (Cible, SignalRelaye != 0 ? static_cast <int> (SignalRelaye) : static_cast <int> (Recu));
        close (Tube [1]);
        int Erreur = 0;
        ssize_t n;
        while ((n = read (Tube [0], & Erreur, sizeof Erreur)) < 0 && errno == EINTR) {}
        close (Tube [0]);

        const double Debut = Maintenant ();
        double Echeance = 0;
        bool Tue = false;
        for (;;)
        {
            const pid_t R = waitpid (P, & Issue.Etat, WNOHANG);
            if (R == P) break;
            if (R < 0 && errno != EINTR)
            {
                Issue.Etat = 0;
                break;
            }
            if (Recu != 0 && Echeance == 0)
            {
                Echeance = Maintenant () + GraceApresSignal;
                if (L.AuSignal) L.AuSignal ();
            }
            const double T = Maintenant ();
            if (! Tue && ((Echeance > 0 && T > Echeance) || (L.Delai > 0 && T > Debut + L.Delai)))
            {
                Issue.Expire = Echeance == 0;
                kill (Cible, SIGKILL);
                Tue = true;
            }
            // Attente d'un reveil (fin de l'enfant, signal), ou d'une echeance a surveiller.
            if (Reveil [0] < 0) Dormir (10);
            else
            {
                pollfd Attente { Reveil [0], POLLIN, 0 };
                poll (& Attente, 1, Echeance > 0 || L.Delai > 0 ? 50 : -1);
                Vider ();
            }
        }
        Enfant = 0;
        // Ce que le processus a lance (fork) ne survit pas a sa fin.
        if (L.Groupe) kill (Cible, SIGKILL);
        if (n == static_cast <ssize_t> (sizeof Erreur))
        {
            Issue.Erreur = Erreur;
            return Issue;
        }
        Issue.Lance = true;
        return Issue;
    }
}
