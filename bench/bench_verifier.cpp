// Banc de la verification (hors suite de tests) : cout de Verifier (traduction, explication,
// verifications des outils, mise en forme GCC) rapporte a celui d'une traduction seule, sur des
// sources de 1 Ko a 1 Mo, corrects ou avec une erreur pres de la fin : un ; oublie (l'aide est
// essayee une fois), ou une faute qu'aucune retouche simple ne corrige (la recherche essaie
// toutes les retouches autour de l'erreur, dans la limite de son budget).
//   tramelo-bench-verifier [repetitions]      (construction Release : cmake --preset default)
#include "driver/Traduction.h"
#include "services/explications/Verification.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{
    // Une fonction realiste (declarations, boucles, si, appels, division par un litteral a point).
    std::string Fonction (std::size_t i)
    {
        const std::string N = std::to_string (i);
        return "fonction f" + N + " (u : in entier, v : in entier) renvoie entier\n"
               "debut\n"
               "    declarer s : entier;\n"
               "    declarer t : tableau_de 10 entier;\n"
               "    s <- 0;\n"
               "    pour (k variant_de 0 a 9) faire\n"
               "        t [k] <- k * u + v;\n"
               "        si (t [k] > 100 ET u < v)\n"
               "            s <- s + modulo (v, 7);\n"
               "        sinon_si (t [k] vaut 3 OU NON (u >= v))\n"
               "            s <- s - (u - 1) * 2;\n"
               "        sinon\n"
               "            s <- s / 2.0;\n"
               "        fsi\n"
               "    ffaire\n"
               "    renvoie s;\n"
               "fin\n\n";
    }

    enum class EErreur { Aucune, PointVirgule, SansRetouche };

    // Un source d'environ Taille octets ; l'erreur est dans l'avant-derniere unite.
    std::string Source (std::size_t Taille, EErreur Erreur)
    {
        std::string S;
        std::size_t i = 0;
        while (S.size () + 400 < Taille) S += Fonction (i++);
        const std::size_t Pos = S.rfind ("    s <- 0;");
        if (Erreur == EErreur::PointVirgule) S.erase (Pos + 10, 1);
        if (Erreur == EErreur::SansRetouche) S.replace (Pos, 11, "    s <- 0 1 2;");
        return S + "algorithme Principal\ndebut\n    afficher (f0 (1, 2));\nfin\n";
    }

    template <class F>
    double Meilleur (int Repetitions, F && Faire)
    {
        double Min = 1e30;
        for (int r = 0; r < Repetitions; ++r)
        {
            const auto Debut = std::chrono::steady_clock::now ();
            Faire ();
            const std::chrono::duration <double, std::milli> Duree = std::chrono::steady_clock::now () - Debut;
            Min = std::min (Min, Duree.count ());
        }
        return Min;
    }
}

int main (int argc, char * argv [])
{
    const int Repetitions = argc > 1 ? std::max (1, std::atoi (argv [1])) : 7;
    std::printf ("| Source | Taille | Lignes | Traduction | Verification | Rapport | Diagnostics |\n");
    std::printf ("|---|---|---|---|---|---|---|\n");
    for (const std::size_t Taille : { std::size_t (1) << 10, std::size_t (10) << 10, std::size_t (100) << 10,
                                      std::size_t (240) << 10, std::size_t (1) << 20 })
        for (const EErreur Erreur : { EErreur::Aucune, EErreur::PointVirgule, EErreur::SansRetouche })
        {
            const std::string S = Source (Taille, Erreur);
            std::size_t Nb = 0;
            const double T = Meilleur (Repetitions, [&] { (void) nsTramelo::Traduire (S); });
            const double V = Meilleur (Repetitions, [&]
            {
                const nsTramelo::SVerification R = nsTramelo::Verifier (S);
                std::size_t Lg = 0;
                for (const nsTramelo::SDiagnosticExplique & D : R.Diagnostics)
                    Lg += nsTramelo::FormaterGcc ("bench.algo", S, {}, D).size ();
                Nb = R.Diagnostics.size () + (Lg == 0 ? 0 : 0);
            });
            const char * Nom = Erreur == EErreur::Aucune ? "correct"
                             : Erreur == EErreur::PointVirgule ? "; oublie pres de la fin" : "faute sans retouche simple";
            std::printf ("| %s | %.0f Ko | %zu | %.2f ms | %.2f ms | %.2f | %zu |\n", Nom, S.size () / 1024.0,
                         static_cast <std::size_t> (std::count (S.begin (), S.end (), '\n')), T, V, V / T, Nb);
        }
    return 0;
}
