// tramelo-lsp : serveur de langage des sources Tramelo sur stdin/stdout (Content-Length + JSON-RPC).
//   tramelo-lsp [--stdio]      tramelo-lsp --version      tramelo-lsp --aide
// Statut : 0 apres shutdown puis exit, 1 sur exit sans shutdown ou fin de l'entree, 253 pour une
// ligne de commande invalide.
#include "frontaux/lsp/Serveur.h"
#include "frontaux/lsp/Trames.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <iostream>
#include <string>
#include <unistd.h>

#ifndef TRAMELO_VERSION
#define TRAMELO_VERSION "?"
#endif

namespace
{
    const char * const Usage =
        "Usage : tramelo-lsp [--stdio]\n"
        "Serveur de langage (Language Server Protocol) des algorithmes Tramelo : diagnostics,\n"
        "survol, symboles du document et C++ produit, sur l'entree et la sortie standard.\n"
        "  --version   affiche la version\n"
        "  --aide      affiche cette aide\n";

    // Ecrit tout, en reprenant apres une interruption ; faux si la sortie est fermee.
    bool EcrireTout (const std::string & Octets)
    {
        std::size_t Fait = 0;
        while (Fait < Octets.size ())
        {
            const ssize_t n = write (STDOUT_FILENO, Octets.data () + Fait, Octets.size () - Fait);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return false;
            Fait += static_cast <std::size_t> (n);
        }
        return true;
    }

    bool Envoyer (nsLsp::CServeur & Serveur)
    {
        std::string Paquet;
        for (const std::string & M : Serveur.Sorties)
            Paquet += "Content-Length: " + std::to_string (M.size ()) + "\r\n\r\n" + M;
        Serveur.Sorties.clear ();
        return EcrireTout (Paquet);
    }
}

int main (int argc, char * argv [])
{
    for (int i = 1; i < argc; ++i)
    {
        const std::string Arg = argv [i];
        if (Arg == "--stdio") continue;   // ajoute par certains clients
        if (Arg == "--version")
        {
            std::cout << "tramelo-lsp " TRAMELO_VERSION "\n";
            return 0;
        }
        if (Arg == "--aide" || Arg == "--help")
        {
            std::cout << Usage;
            return 0;
        }
        std::cerr << "tramelo-lsp : option inconnue : " << Arg << '\n' << Usage;
        return 253;
    }
    // Un client parti : write echoue (EPIPE) au lieu de tuer le processus.
    std::signal (SIGPIPE, SIG_IGN);

    nsLsp::CServeur Serveur;
    nsLsp::CTrames Trames;
    std::vector <std::string> Anomalies;
    std::string Corps;
    static char Tampon [1 << 16];   // rempli par chaque read, aussitot recopie dans Trames
    for (;;)
    {
        const ssize_t n = read (STDIN_FILENO, Tampon, sizeof Tampon);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;   // fin de l'entree sans exit
        Trames.Ajouter (Tampon, static_cast <std::size_t> (n));
        // Tous les messages deja arrives, puis une seule publication : une rafale de frappes ne
        // traduit que le dernier etat du texte.
        while (Trames.Extraire (Corps, Anomalies))
        {
            for (const std::string & A : Anomalies) Serveur.Signaler (A);
            Anomalies.clear ();
            if (Trames.Tronque ()) Serveur.Ignorer (Corps, Trames.Tronque ());
            else Serveur.Traiter (Corps);
            std::string ().swap (Corps);
            if (Serveur.Termine ()) break;
            // Les reponses partent tout de suite ; les diagnostics apres la rafale.
            if (! Serveur.Sorties.empty () && ! Envoyer (Serveur)) return 1;
        }
        for (const std::string & A : Anomalies) Serveur.Signaler (A);
        Anomalies.clear ();
        if (Serveur.Termine ()) break;
        Serveur.Publier ();
        if (! Envoyer (Serveur)) return 1;
    }
    Envoyer (Serveur);
    // La fin de l'entree sans exit est un arret anormal.
    return Serveur.Termine () ? Serveur.StatutSortie () : 1;
}
