// Verification pour les outils : positions de la faute (colonne d'origine en octets, tabulations),
// erreurs sans position, ordre et gravite des diagnostics propres aux outils.
#include "services/explications/Verification.h"

#include <gtest/gtest.h>

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
