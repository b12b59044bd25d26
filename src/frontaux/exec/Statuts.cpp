#include "frontaux/exec/Statuts.h"

#include "frontaux/exec/Travail.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <iostream>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace nsExec
{
    namespace
    {
        std::vector <std::string> FichiersTemporaires;
        std::string NomOutil = "tramelo-exec";
    }

    int StatutSignal (int Signal) { return std::min (BaseSignaux + Signal, MaxStatutSignal); }

    int StatutProcessus (int Etat)
    {
        if (WIFSIGNALED (Etat)) return StatutSignal (WTERMSIG (Etat));
        return WIFEXITED (Etat) ? WEXITSTATUS (Etat) : StatutSysteme;
    }

    void Dire (const std::string & Texte)
    {
        const char * p = Texte.data ();
        std::size_t Reste = Texte.size ();
        while (Reste > 0)
        {
            const ssize_t n = write (STDERR_FILENO, p, Reste);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return;
            p += n;
            Reste -= static_cast <std::size_t> (n);
        }
    }

    void NommerOutil (const std::string & Nom) { NomOutil = Nom; }

    void Echouer (int Statut, const std::string & Message)
    {
        Dire (NomOutil + " : " + Message + '\n');
        Terminer (Statut);
    }

    void Terminer (int Statut)
    {
        for (const std::string & F : FichiersTemporaires) unlink (F.c_str ());
        RetirerTravail ();
        std::cout.flush ();
        std::exit (Statut);
    }

    void RetirerALaFin (const std::string & Chemin) { FichiersTemporaires.push_back (Chemin); }

    void OublierALaFin (const std::string & Chemin)
    {
        FichiersTemporaires.erase (std::remove (FichiersTemporaires.begin (), FichiersTemporaires.end (), Chemin),
                                   FichiersTemporaires.end ());
    }
}
