// Banc de l'interpreteur : le temps d'une execution entiere dans la bibliotheque (traduction a
// part), le nombre de pas et le temps par pas, meilleur de N.
//   tramelo-bench-interpreteur FICHIER.algo [ENTREE] [--repetitions N]
#include "bibliotheque/Tramelo.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

int main (int argc, char * argv [])
{
    if (argc < 2)
    {
        std::cerr << "usage : tramelo-bench-interpreteur FICHIER.algo [ENTREE] [--repetitions N]\n";
        return 2;
    }
    std::string Entree;
    int Repetitions = 5;
    for (int i = 2; i < argc; ++i)
    {
        const std::string A = argv [i];
        if (A == "--repetitions" && i + 1 < argc) Repetitions = std::max (1, std::atoi (argv [++i]));
        else Entree = nsTramelo::LireFichierSource (A);
    }
    const std::string Source = nsTramelo::LireFichierSource (argv [1]);
    const auto D0 = std::chrono::steady_clock::now ();
    const nsTramelo::STraduction T = nsTramelo::Traduire (Source);
    const double Traduction = std::chrono::duration <double> (std::chrono::steady_clock::now () - D0).count ();
    if (T.Erreur)
    {
        std::cerr << T.Erreur->Libelle << '\n';
        return 1;
    }
    double Meilleur = 1e100;
    std::uint64_t Pas = 0;
    for (int r = 0; r < Repetitions; ++r)
    {
        const auto Debut = std::chrono::steady_clock::now ();
        nsTramelo::CExecution X (T, Source);
        X.AjouterEntree (Entree);
        X.FermerEntree ();
        nsTramelo::EArret A;
        std::size_t Octets = 0;
        while ((A = X.Executer (100000)) == nsTramelo::EArret::Budget) Octets += X.PrendreSortie ().size ();
        Octets += X.PrendreSortie ().size ();
        const double Duree = std::chrono::duration <double> (std::chrono::steady_clock::now () - Debut).count ();
        if (A != nsTramelo::EArret::Fini) std::cerr << "arret inattendu (statut " << X.Statut () << ")\n";
        Meilleur = std::min (Meilleur, Duree);
        Pas = X.PasExecutes ();
        (void) Octets;
    }
    std::printf ("traduction %.4f s ; execution %.4f s ; %llu pas ; %.1f ns par pas\n", Traduction, Meilleur,
                 static_cast <unsigned long long> (Pas), Meilleur * 1e9 / static_cast <double> (Pas ? Pas : 1));
    return 0;
}
