// Verification pour les outils : positions de la faute (colonne d'origine en octets, tabulations),
// erreurs sans position, ordre et gravite des diagnostics propres aux outils.
#include "services/explications/Lexique.h"
#include "services/explications/Verification.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace nsTramelo;

TEST (Verification, FauteSurLaLigneOuManqueLePointVirgule)
{
    // Une tabulation avant l'instruction : colonne developpee 4 + 5, colonne d'origine 1 + 5.
    const std::string Source = "algorithme A\ndebut\n    declarer x : entier;\n\tx <- 1\nfin\n";
    const SVerification V = Verifier (Source);
    ASSERT_EQ (V.Diagnostics.size (), 1u);
    const SDiagnosticExplique & D = V.Diagnostics [0];
    EXPECT_EQ (D.Code, 110u);
    EXPECT_EQ (D.Regle, "ponctuation_oubliee");
    EXPECT_EQ (D.Position.Ligne, 4u);
    EXPECT_EQ (D.Position.Colonne, 11u);
    EXPECT_EQ (D.Position.ColonneOrigine, 8u);
    EXPECT_EQ (D.Position.DecalageOrigine, Source.find ("1\n") + 1);
    EXPECT_TRUE (V.AErreur ());
    // Le rapport montre la ligne developpee et le signe apres le 1.
    const std::string R = FormaterGcc ("p.algo", Source, {}, D);
    EXPECT_EQ (R.substr (0, R.find ('\n')), "p.algo:4:8: erreur : Caractere attendu : \";\" [110]");
    EXPECT_NE (R.find ("    4 |     x <- 1\n      |           ^\n"), std::string::npos);
}

TEST (Verification, ErreurSansPositionEtSourceCorrect)
{
    SOptions Options;
    Options.TailleTab = 0;
    const SVerification V = Verifier ("algorithme A\ndebut\nfin\n", Options);
    ASSERT_EQ (V.Diagnostics.size (), 1u);
    EXPECT_FALSE (V.Diagnostics [0].Positionne);
    EXPECT_EQ (V.Diagnostics [0].Code, 253u);
    EXPECT_EQ (FormaterGcc ("p.algo", "", Options, V.Diagnostics [0]), "p.algo: erreur : Taille de tabulation invalide [253]\n");
    EXPECT_TRUE (Verifier ("algorithme A\ndebut\nfin\n").Diagnostics.empty ());
}

TEST (Verification, AvertissementsEtFonctionSansRenvoieDansLOrdre)
{
    const std::string Source =
        "fonction F (n : in entier) renvoie entier\ndebut\n    si (n > 0) renvoie n / 2.0;\nfin\n"
        "algorithme A\ndebut\n    afficher (F (3) / 4.0);\nfin\n";
    const SVerification V = Verifier (Source);
    ASSERT_EQ (V.Diagnostics.size (), 3u);
    EXPECT_EQ (V.Diagnostics [0].Code, CodeDivisionEntiere);
    EXPECT_EQ (V.Diagnostics [0].Gravite, EGravite::Avertissement);
    EXPECT_EQ (V.Diagnostics [1].Code, CodeFinSansRenvoie);
    EXPECT_EQ (V.Diagnostics [1].Position.Ligne, 4u);
    EXPECT_EQ (V.Diagnostics [2].Position.Ligne, 7u);
    EXPECT_TRUE (V.AErreur ());
    // La couleur n'ajoute que des sequences ANSI.
    const std::string Couleur = FormaterGcc ("p.algo", Source, {}, V.Diagnostics [0], true);
    EXPECT_NE (Couleur.find ("\033[1;35mattention\033[0m"), std::string::npos);
}

// La distance bornee (calculee sur une bande autour de la diagonale) est celle du calcul complet,
// pour toutes les paires de mots courts et pour de longs noms voisins.
TEST (Verification, DistanceBorneeCommeLeCalculComplet)
{
    const auto Complete = [] (const std::string & a, const std::string & b)
    {
        std::vector <std::vector <std::size_t>> D (a.size () + 1, std::vector <std::size_t> (b.size () + 1));
        for (std::size_t i = 0; i <= a.size (); ++i)
            for (std::size_t j = 0; j <= b.size (); ++j)
            {
                if (i == 0 || j == 0) { D [i][j] = i + j; continue; }
                D [i][j] = std::min ({ D [i - 1][j] + 1, D [i][j - 1] + 1, D [i - 1][j - 1] + (a [i - 1] != b [j - 1]) });
                if (i > 1 && j > 1 && a [i - 1] == b [j - 2] && a [i - 2] == b [j - 1])
                    D [i][j] = std::min (D [i][j], D [i - 2][j - 2] + 1);
            }
        return D [a.size ()][b.size ()];
    };
    std::vector <std::string> Mots { "" };
    for (std::size_t Debut = 0; Mots.size () < 1000; )
    {
        const std::size_t Fin = Mots.size ();
        for (std::size_t k = Debut; k < Fin; ++k)
            for (char c : { 'a', 'b', 'c' }) Mots.push_back (Mots [k] + c);
        Debut = Fin;
    }
    for (std::size_t i = 0; i < Mots.size (); i += 7)
        for (std::size_t j = 0; j < Mots.size (); j += 5)
            for (std::size_t Max : { 0u, 1u, 2u, 3u })
                ASSERT_EQ (Distance (Mots [i], Mots [j], Max), std::min (Complete (Mots [i], Mots [j]), Max + 1))
                    << Mots [i] << " / " << Mots [j] << " / " << Max;
    std::string Long (3000, 'a'), Voisin = Long;
    Long [1500] = 'b';
    Voisin [1501] = 'b';
    EXPECT_EQ (Distance (Long, Voisin, 2), 1u);
    EXPECT_EQ (Distance (Long, Voisin + "xyz", 2), 3u);
    EXPECT_EQ (Distance (Long, std::string (3000, 'c'), 2), 3u);
}
