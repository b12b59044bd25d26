// Lecture de exercice.txt (blocs, fichiers tests/, refus avec fichier et ligne) et comparaison
// des sorties (exacte, blancs, reels, casse), avec la difference montree a l'etudiant.
// Jugement d'un test et compte rendu de l'etudiant.
#include "bibliotheque/Tramelo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <unistd.h>

using namespace nsTramelo;

namespace
{
    bool Lire (const std::string & Texte, SExercice & E, SErreurExercice & Err, const std::string & Dossier = "/inexistant")
    {
        return LireDescriptionExercice (Texte, "exercice.txt", Dossier, E, Err);
    }

    // Le refus attendu : la ligne et un morceau du message.
    void Refus (const std::string & Texte, unsigned Ligne, const std::string & Morceau)
    {
        SExercice E;
        SErreurExercice Err;
        EXPECT_FALSE (Lire (Texte, E, Err)) << Texte;
        EXPECT_EQ (Err.Ligne, Ligne) << Texte;
        EXPECT_NE (Err.Message.find (Morceau), std::string::npos) << Err.Message;
        EXPECT_EQ (Err.Texte ().rfind ("exercice.txt:", 0), 0u);
    }
}

TEST (Exercices, DescriptionComplete)
{
    SExercice E;
    SErreurExercice Err;
    const std::string Texte =
        "# un commentaire\n"
        "temps 3\n"
        "memoire: 64\n"
        "limite_sortie 10\n"
        "\n"
        "test exemple\n"
        "points: 2\n"
        "comparaison: reels 1e-3\n"
        "entree <<FIN\n"
        "1 2\n"
        "  fin en retrait garde ses blancs\n"
        "FIN\n"
        "sortie <<FIN\r\n"
        "3\r\n"
        "FIN\r\n"
        "test cache_2\n"
        "visible non\n"
        "comparaison casse\n"
        "entree <<X\n"
        "X\n"
        "sortie <<X\n"
        "test pas un test\n"
        "X\n";
    ASSERT_TRUE (Lire (Texte, E, Err)) << Err.Texte ();
    EXPECT_EQ (E.Temps, 3u);
    EXPECT_EQ (E.Memoire, 64ul);
    EXPECT_EQ (E.LimiteSortie, 10ul);
    ASSERT_EQ (E.Tests.size (), 2u);
    EXPECT_EQ (E.Tests [0].Nom, "exemple");
    EXPECT_TRUE (E.Tests [0].Visible);
    EXPECT_EQ (E.Tests [0].Points, 2u);
    EXPECT_EQ (E.Tests [0].Comparaison, EComparaison::Reels);
    EXPECT_DOUBLE_EQ (E.Tests [0].Tolerance, 1e-3);
    EXPECT_EQ (E.Tests [0].Entree, "1 2\n  fin en retrait garde ses blancs\n");
    EXPECT_EQ (E.Tests [0].Sortie, "3\n");
    EXPECT_EQ (E.Tests [0].Ligne, 6u);
    EXPECT_FALSE (E.Tests [1].Visible);
    EXPECT_EQ (E.Tests [1].Points, 1u);
    EXPECT_EQ (E.Tests [1].Comparaison, EComparaison::Casse);
    EXPECT_EQ (E.Tests [1].Entree, "");
    EXPECT_EQ (E.Tests [1].Sortie, "test pas un test\n");
    EXPECT_EQ (E.PointsMax (), 3u);
}

TEST (Exercices, DescriptionsRefusees)
{
    Refus ("", 0, "aucun test");
    Refus ("\xEF\xBB\xBFtemps 0\n", 1, "temps invalide");   // la marque UTF-8 n'est pas lue comme texte
    Refus ("temps 0\ntest a\n", 1, "temps invalide");
    Refus ("temps 601\n", 1, "temps invalide");
    Refus ("memoire beaucoup\n", 1, "memoire invalide");
    Refus ("test a\ntemps 2\n", 2, "avant le premier test");
    Refus ("points 2\ntest a\n", 1, "avant le premier");
    Refus ("test a\ntest a\n", 2, "deja defini");
    Refus ("test ../etc\n", 1, "nom de test invalide");
    Refus ("test a\nvisible peut-etre\n", 2, "oui ou non");
    Refus ("test a\npoints -1\n", 2, "points invalides");
    Refus ("test a\ncomparaison floue\n", 2, "comparaison inconnue");
    Refus ("test a\ncomparaison reels beaucoup\n", 2, "tolerance invalide");
    Refus ("test a\n\nentree <<FIN\n1\n2\n", 3, "sans sa ligne de fin");
    Refus ("test a\nentree\n", 2, "marqueur de fin");
    Refus ("test a\nentree <<F\nF\nentree <<F\nF\n", 4, "deja donnee");
    Refus ("test a\nnote 3\n", 2, "ligne incomprise");
    Refus (std::string ("test a\0b\n", 9), 0, "caractere nul");
}

TEST (Exercices, DossierEtFichiersDeTests)
{
    namespace fs = std::filesystem;
    const fs::path D = fs::temp_directory_path () / ("tramelo-test-exercice-" + std::to_string (::getpid ()));
    fs::remove_all (D);
    fs::create_directories (D / "tests");
    auto Ecrire = [&] (const fs::path & P, const std::string & T) { std::ofstream (P, std::ios::binary) << T; };
    SExercice E;
    SErreurExercice Err;

    EXPECT_FALSE (ChargerExercice ((D / "absent").string (), E, Err));
    EXPECT_FALSE (ChargerExercice (D.string (), E, Err));
    EXPECT_EQ (Err.Fichier, (D / "enonce.md").string ());
    Ecrire (D / "enonce.md", "Texte\n# Somme de deux entiers\n");
    Ecrire (D / "exercice.txt", "temps 1\ntest un\ntest deux\nsortie <<F\nok\nF\n");
    EXPECT_FALSE (ChargerExercice (D.string (), E, Err));
    EXPECT_EQ (Err.Fichier, (D / "tests/un.out").string ());
    EXPECT_NE (Err.Message.find ("ligne 2"), std::string::npos) << Err.Message;

    Ecrire (D / "tests/un.in", "4 5\n");
    Ecrire (D / "tests/un.out", "9\n");
    ASSERT_TRUE (ChargerExercice (D.string (), E, Err)) << Err.Texte ();
    EXPECT_EQ (E.Titre, "Somme de deux entiers");
    EXPECT_FALSE (E.Depart.has_value ());
    EXPECT_EQ (E.Tests [0].Entree, "4 5\n");
    EXPECT_EQ (E.Tests [0].Sortie, "9\n");
    EXPECT_EQ (E.Tests [1].Entree, "");   // pas de tests/deux.in : entree vide
    EXPECT_EQ (E.Tests [1].Sortie, "ok\n");

    // Un dossier a la place d'un fichier attendu est refuse, pas lu.
    fs::create_directories (D / "depart.algo");
    EXPECT_FALSE (ChargerExercice (D.string (), E, Err));
    EXPECT_EQ (Err.Fichier, (D / "depart.algo").string ());
    fs::remove_all (D);
}

TEST (Exercices, ComparaisonExacte)
{
    EXPECT_TRUE (ComparerSorties ("a\nb\n", "a\nb\n", EComparaison::Exacte, 0).Egales);
    SDifference D = ComparerSorties ("a\nbonjour\n", "a\nbonsoir\n", EComparaison::Exacte, 0);
    EXPECT_FALSE (D.Egales);
    EXPECT_EQ (D.Ligne, 2u);
    EXPECT_EQ (D.Colonne, 3u);
    EXPECT_EQ (D.Attendue, "bonjour");
    EXPECT_EQ (D.Obtenue, "bonsoir");
    // Seule la fin de ligne finale manque : la difference le dit.
    D = ComparerSorties ("a\n", "a", EComparaison::Exacte, 0);
    EXPECT_FALSE (D.Egales);
    EXPECT_NE (D.Precision.find ("manque"), std::string::npos);
    EXPECT_FALSE (ComparerSorties ("a\n", "a \n", EComparaison::Exacte, 0).Egales);
    D = ComparerSorties ("a\nb\n", "a\n", EComparaison::Exacte, 0);
    EXPECT_TRUE (D.ObtenueAbsente);
    EXPECT_EQ (D.Ligne, 2u);
    D = ComparerSorties ("a\n", "a\nde trop\n", EComparaison::Exacte, 0);
    EXPECT_TRUE (D.AttendueAbsente);
}

TEST (Exercices, ComparaisonsSouples)
{
    // Blancs de fin de ligne, \r et lignes vides finales ignores ; pas les blancs du debut.
    EXPECT_TRUE (ComparerSorties ("a b\nc\n", "a b  \t\r\nc\n\n\n", EComparaison::Blancs, 0).Egales);
    EXPECT_TRUE (ComparerSorties ("a\n", "a", EComparaison::Blancs, 0).Egales);
    EXPECT_FALSE (ComparerSorties ("a\n", " a\n", EComparaison::Blancs, 0).Egales);
    EXPECT_FALSE (ComparerSorties ("a\n\nb\n", "a\nb\n", EComparaison::Blancs, 0).Egales);
    // Casse : ASCII seulement.
    EXPECT_TRUE (ComparerSorties ("Oui\n", "OUI \n", EComparaison::Casse, 0).Egales);
    EXPECT_FALSE (ComparerSorties ("Non\n", "Oui\n", EComparaison::Casse, 0).Egales);
    // Reels : les nombres a la tolerance pres (relative au-dela de 1), les autres mots exacts.
    EXPECT_TRUE (ComparerSorties ("moyenne 3.333333\n", "moyenne  3.3333334\n", EComparaison::Reels, 1e-6).Egales);
    EXPECT_TRUE (ComparerSorties ("1e6\n", "1000000.5\n", EComparaison::Reels, 1e-6).Egales);
    EXPECT_FALSE (ComparerSorties ("0.5\n", "0.51\n", EComparaison::Reels, 1e-6).Egales);
    EXPECT_FALSE (ComparerSorties ("moyenne 3\n", "Moyenne 3\n", EComparaison::Reels, 1e-6).Egales);
    EXPECT_FALSE (ComparerSorties ("1 2\n", "1\n", EComparaison::Reels, 1e-6).Egales);
    EXPECT_TRUE (ComparerSorties ("nan\n", "nan \n", EComparaison::Reels, 1e-6).Egales);   // un mot, pas un nombre
    EXPECT_FALSE (ComparerSorties ("1\n", "0x1\n", EComparaison::Reels, 1e-6).Egales);
    const SDifference D = ComparerSorties ("x 1 2.5\n", "x 1 2.7\n", EComparaison::Reels, 1e-3);
    EXPECT_EQ (D.Colonne, 4u);
}

TEST (Exercices, DifferenceMontree)
{
    // Le ^ est sous le premier caractere different, accents et tabulations comptes comme affiches.
    SDifference D = ComparerSorties ("été 5\n", "été 6\n", EComparaison::Exacte, 0);
    EXPECT_EQ (MontrerDifference (D, ""),
               "ligne 1 :\n"
               "  attendu : été 5\n"
               "  obtenu  : été 6\n"
               "                ^\n");
    D = ComparerSorties ("a\tb\n", "a\tc\n", EComparaison::Exacte, 0);
    EXPECT_EQ (MontrerDifference (D, ">"),
               ">ligne 1 :\n"
               ">  attendu : a\\tb\n"
               ">  obtenu  : a\\tc\n"
               ">               ^\n");
    D = ComparerSorties ("a\nb\n", "a\n", EComparaison::Blancs, 0);
    EXPECT_NE (MontrerDifference (D, "").find ("(rien : la sortie du programme s'arrete avant)"), std::string::npos);
    EXPECT_EQ (MontrerDifference (ComparerSorties ("a", "a", EComparaison::Exacte, 0), ""), "");
}

// Le jugement : le temps passe avant la sortie trop longue, qui passe avant le statut ; la
// sortie n'est comparee que pour un programme termine normalement.
TEST (Exercices, JugementEtCompteRendu)
{
    nsTramelo::SExercice E;
    E.Titre = "Titre\x1b[2J";
    E.Temps = 3;
    nsTramelo::STestExercice T;
    T.Nom = "t";
    T.Points = 4;
    T.Sortie = "42\n";
    E.Tests = { T };

    nsTramelo::SSortieTest X;
    X.Sortie = "42\n";
    nsTramelo::SResultatTest R = nsTramelo::JugerTest (T, X);
    EXPECT_EQ (R.Verdict, nsTramelo::EVerdict::Reussi);
    EXPECT_EQ (R.Points, 4u);
    X.Statut = 1;
    X.Erreurs = "p.algo:3:5: erreur : Division par zéro\n";
    EXPECT_EQ (nsTramelo::JugerTest (T, X).Verdict, nsTramelo::EVerdict::ErreurExecution);
    X.SortieDepassee = true;
    EXPECT_EQ (nsTramelo::JugerTest (T, X).Verdict, nsTramelo::EVerdict::SortieTropLongue);
    X.TempsDepasse = true;
    R = nsTramelo::JugerTest (T, X);
    EXPECT_EQ (R.Verdict, nsTramelo::EVerdict::TempsDepasse);
    EXPECT_EQ (R.Points, 0u);

    // Le titre est rendu visible (pas de sequence d'echappement envoyee au terminal).
    EXPECT_EQ (nsTramelo::EnteteCompteRendu (E), "Exercice : Titre\\x1b[2J (1 test visible)\n");
    EXPECT_EQ (nsTramelo::CompteRenduTest (E, T, R), "Test t : temps dépassé (limite : 3 s)\n"
                                                     "  | p.algo:3:5: erreur : Division par zéro\n");
    EXPECT_EQ (nsTramelo::BilanCompteRendu (E, 0), "Bilan : 0 sur 1 test visible réussi\n");
    // Au plus 20 lignes de l'erreur standard.
    X = {};
    X.Statut = 1;
    for (int i = 0; i < 30; ++i) X.Erreurs += "ligne\n";
    const std::string C = nsTramelo::CompteRenduTest (E, T, nsTramelo::JugerTest (T, X));
    EXPECT_EQ (std::count (C.begin (), C.end (), '\n'), 22);
    EXPECT_NE (C.find ("  | [...]\n"), std::string::npos);
    E.Tests [0].Visible = false;
    EXPECT_EQ (nsTramelo::BilanCompteRendu (E, 0).rfind ("Aucun test visible", 0), 0u);
}
