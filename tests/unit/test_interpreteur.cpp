// L'interpreteur par sa face publique : ce que le test differentiel (tests/interpreteur) ne voit
// pas. Reprise apres un budget, une saisie attendue par morceaux, le pas a pas (ligne courante,
// variables visibles), les bornes de memoire et de pile, les valeurs hostiles dans le suivi, et
// chaque famille d'erreur d'execution avec sa position.
#include "bibliotheque/Tramelo.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace nsTramelo;

namespace
{
    std::string Algo (const std::string & Corps) { return "algorithme A\ndebut\n" + Corps + "fin\n"; }

    struct SPrets
    {
        std::string Source;
        STraduction T;
        explicit SPrets (const std::string & S) : Source (S), T (Traduire (S)) {}
    };

    // Execute jusqu'au bout, toute l'entree donnee d'avance ; rend la sortie.
    std::string Tout (CExecution & X, const std::string & Entree = "", EArret * Fin = nullptr)
    {
        X.AjouterEntree (Entree);
        X.FermerEntree ();
        std::string Sortie;
        EArret A;
        int Tours = 0;
        do
        {
            A = X.Executer (1000);
            Sortie += X.PrendreSortie ();
        }
        while ((A == EArret::Budget || A == EArret::Pas) && ++Tours < 100000);
        if (Fin) * Fin = A;
        return Sortie;
    }

    SOptionsExecution Options ()
    {
        SOptionsExecution O;
        O.NomSource = "p.algo";
        O.Graine = 7;
        return O;
    }

    // L'erreur d'execution d'un corps d'algorithme (entree donnee).
    std::string Erreur (const std::string & Corps, const std::string & Entree = "")
    {
        SPrets P (Algo (Corps));
        EXPECT_EQ (P.T.Statut, 0) << Corps;
        CExecution X (P.T, P.Source, Options ());
        Tout (X, Entree);
        EXPECT_EQ (X.Statut (), 1) << Corps;
        return X.ErreurExecution ().Texte;
    }
}

TEST (Interpreteur, RefuseUnSourceNonTraduit)
{
    SPrets P ("algorithme A\ndebut\n    x <- ;\nfin\n");
    ASSERT_NE (P.T.Statut, 0);
    CExecution X (P.T, P.Source, Options ());
    EXPECT_FALSE (X.Pret ());
    EXPECT_FALSE (X.Refus ().empty ());
    // Rien ne s'execute, rien ne casse.
    EXPECT_EQ (X.Executer (10), EArret::Fini);
    EXPECT_EQ (X.PrendreSortie (), "");
}

TEST (Interpreteur, BudgetPuisReprise)
{
    // Une boucle sans fin rend la main a chaque budget ; la sortie vient par morceaux, complete.
    SPrets P (Algo ("    declarer n : entier;\n    n <- 0;\n    boucle\n        n <- n + 1;\n"
                    "        si (modulo (n, 1000) vaut 0) afficher (n, ' '); fsi\n    fboucle\n"));
    CExecution X (P.T, P.Source, Options ());
    ASSERT_TRUE (X.Pret ()) << X.Refus ();
    std::string Sortie;
    for (int i = 0; i < 50; ++i)
    {
        ASSERT_EQ (X.Executer (2000), EArret::Budget);
        Sortie += X.PrendreSortie ();
    }
    EXPECT_GE (X.PasExecutes (), 50u * 2000u);
    EXPECT_EQ (Sortie.substr (0, 15), "1000 2000 3000 ");
    // Un budget nul ne fait aucun pas.
    const std::uint64_t Avant = X.PasExecutes ();
    EXPECT_EQ (X.Executer (0), EArret::Budget);
    EXPECT_EQ (X.PasExecutes (), Avant);
}

TEST (Interpreteur, SaisieParMorceaux)
{
    // L'entree arrive par morceaux : un mot coupe en deux attend la suite ; une ligne sans fin de
    // ligne n'est complete qu'a la fermeture de l'entree.
    SPrets P (Algo ("    declarer n : entier;\n    declarer s : string;\n    declarer c : caractere;\n"
                    "    afficher (\"n ? \");\n    saisir (n);\n    saisir (c);\n    saisir (s);\n"
                    "    afficher (n * 2, c, \"[\", s, \"]\");\n"));
    CExecution X (P.T, P.Source, Options ());
    EXPECT_EQ (X.Executer (1000), EArret::Entree);
    EXPECT_EQ (X.PrendreSortie (), "n ? ");
    X.AjouterEntree ("  4");
    EXPECT_EQ (X.Executer (1000), EArret::Entree);
    X.AjouterEntree ("2\n");
    EXPECT_EQ (X.Executer (1000), EArret::Entree);
    // Le caractere lu, saisir (s) prend le reste de sa ligne (comme le programme compile).
    X.AjouterEntree ("x, fin sans ");
    EXPECT_EQ (X.Executer (1000), EArret::Entree);
    X.AjouterEntree ("ligne");
    X.FermerEntree ();
    EXPECT_EQ (X.Executer (1000), EArret::Fini);
    EXPECT_EQ (X.PrendreSortie (), "84x[, fin sans ligne]");
    EXPECT_EQ (X.Statut (), 0);
}

TEST (Interpreteur, SaisiesInvalidesEtFinDeLEntree)
{
    EXPECT_EQ (Erreur ("    declarer n : entier;\n    saisir (n);\n", "12a\n"),
               "p.algo:4:13: erreur : saisir (n) : un entier était attendu, « 12a » a été lu");
    EXPECT_EQ (Erreur ("    declarer n : entier_naturel;\n    saisir (n);\n", "-3\n"),
               "p.algo:4:13: erreur : saisir (n) : un entier_naturel était attendu, « -3 » a été lu");
    EXPECT_EQ (Erreur ("    declarer s : string;\n    saisir (s);\n"),
               "p.algo:4:13: erreur : saisir (s) : fin de l'entrée, une ligne était attendue");
}

TEST (Interpreteur, ErreursDExecutionSituees)
{
    // Une par famille ; la colonne est celle de l'operateur ou de l'indice, comme le programme
    // compile du profil verifie.
    EXPECT_EQ (Erreur ("    declarer a : entier;\n    a <- 0;\n    afficher (7 / a);\n"),
               "p.algo:5:17: erreur : Division par zéro : 7 / 0");
    EXPECT_EQ (Erreur ("    declarer t : tableau_de 3 entier;\n    t[3] <- 1;\n"),
               "p.algo:4:7: erreur : Indice invalide : 3 hors de 0..2");
    EXPECT_EQ (Erreur ("    declarer s : string;\n    afficher (s[0]);\n"),
               "p.algo:4:17: erreur : Indice invalide : 0, la chaîne est vide");
    EXPECT_EQ (Erreur ("    declarer a : entier;\n    a <- 2147483648;\n    a <- a * a * 2;\n"),
               "p.algo:5:16: erreur : Dépassement de capacité : 4611686018427387904 * 2 ne tient pas dans un "
               "entier (de -9223372036854775808 à 9223372036854775807)");
    EXPECT_EQ (Erreur ("    declarer n : entier_naturel;\n    n <- 2 - 5;\n"),
               "p.algo:4:10: erreur : Valeur négative pour un entier_naturel : -3");
    EXPECT_EQ (Erreur ("    declarer t : tableau_de entier;\n    redimensionner (t, 0 - 1);\n"),
               "p.algo:4:24: erreur : Taille négative pour redimensionner : -1");
}

TEST (Interpreteur, TypesDuCppEtNotes)
{
    // Ce que le test differentiel ne couvre pas par ses cas : chaque programme, compare une fois
    // au programme compile du profil verifie ; la sortie, puis l'erreur avec ses notes et aides.
    struct SCas
    {
        const char * Source, * Entree, * Sortie, * Erreur;
    };
    const SCas Cas [] = {
        // Un entier_naturel se saisit jusqu'a 2^64 - 1 et calcule sans signe.
        { "algorithme A\ndebut\n    declarer n : entier_naturel;\n    saisir (n);\n    afficher (n, \" \", n - 1);\n"
          "    ligne_suivante;\n    saisir (n);\nfin\n",
          "18446744073709551615\n18446744073709551616\n", "18446744073709551615 18446744073709551614\n",
          "p.algo:7:13: erreur : saisir (n) : « 18446744073709551616 » est trop grand pour un entier_naturel\n"
          "note : un entier_naturel va de 0 à 18446744073709551615" },
        // Vers un entier, taille (t) - 5 se calcule modulo 2^64 et se relit en signe ; un
        // entier_naturel trop grand pour un entier est refuse.
        { "algorithme A\ndebut\n    declarer t : tableau_de 2 entier_naturel;\n    declarer e : entier;\n"
          "    e <- taille (t) - 5;\n    afficher (e);\n    ligne_suivante;\n    e <- t[0];\nfin\n",
          "", "-3\n",
          "p.algo:8:10: erreur : La valeur 18446744073709551615 ne tient pas dans un entier (de -9223372036854775808 à "
          "9223372036854775807)\nnote : 18446744073709551615 est la valeur des éléments d'un tableau entier_naturel qui "
          "n'ont pas encore reçu de valeur" },
        // Ailleurs, le calcul en entier_naturel deborde.
        { "algorithme A\ndebut\n    declarer t : tableau_de 2 entier;\n    afficher (taille (t) - 5);\nfin\n", "", "",
          "p.algo:4:26: erreur : Dépassement de capacité : 2 - 5 ne tient pas dans un entier_naturel (de 0 à "
          "18446744073709551615)\nnote : en C++, les entier_naturel, taille et rang sont sans signe : ce calcul se fait en "
          "entier_naturel et donnerait 18446744073709551613\naide : pour un calcul qui peut devenir négatif, recopiez "
          "d'abord la valeur dans une variable entier" },
        // redimensionner deplace les caracteres d'une chaine dont un caractere est passe par reference.
        { "procedure Couper (s : in_out string, c : in_out caractere)\ndebut\n    redimensionner (s, 40);\n"
          "    c <- 'x';\nfin\n\nalgorithme A\ndebut\n    declarer m : string;\n    m <- \"abc\";\n    Couper (m, m[2]);\nfin\n",
          "", "",
          "p.algo:3:24: erreur : Référence invalidée : redimensionner (s, …) a déplacé les caractères de s, et m[2], passé "
          "par référence à Couper, ne les désigne plus\nnote : ligne 11, l'appel de Couper reçoit par référence à la fois "
          "la chaîne m et son caractère m[2] ; en C++, la référence désignerait une mémoire libérée\naide : passez "
          "l'élément par valeur (paramètre in) ou passez son indice, ou changez la chaîne avant l'appel" },
        // Le plus petit entier modulo -1, dans une boucle.
        { "algorithme A\ndebut\n    declarer a : entier;\n    a <- 0 - 9223372036854775807 - 1;\n    tant_que (a < 0) faire\n"
          "        afficher (modulo (a, 0 - 1));\n    ffaire\nfin\n", "", "",
          "p.algo:6:30: erreur : Dépassement de capacité : modulo (-9223372036854775808, -1) ne tient pas dans un entier "
          "(de -9223372036854775808 à 9223372036854775807)\nnote : en C++, le plus petit entier divisé par -1 a un "
          "comportement indéfini\nnote : ce calcul est dans la boucle tant_que de la ligne 5 : il est refait à chaque tour" },
        // Un reel rendu par une fonction entier doit tenir dans un int.
        { "fonction F (n : in entier) renvoie entier\ndebut\n    renvoie n * 1.5;\nfin\n\nalgorithme A\ndebut\n"
          "    afficher (F (4), \" \", F (2000000000));\nfin\n", "", "6 ",
          "p.algo:3:13: erreur : La valeur 3e+09 ne tient pas dans un int\nnote : un reel devient un entier en perdant sa "
          "partie décimale : la partie entière doit tenir dans le type\nnote : en C++, une fonction entier rend un int, "
          "sur 32 bits (de -2147483648 à 2147483647)" },
        // Un reel jusqu'a 2^64 exclu tient dans un entier_naturel.
        { "algorithme A\ndebut\n    declarer n : entier_naturel;\n    declarer r : reel;\n    r <- 1.5e19;\n    n <- r;\n"
          "    afficher (n);\n    ligne_suivante;\n    r <- r * 2;\n    n <- r;\nfin\n", "", "15000000000000000000\n",
          "p.algo:10:10: erreur : La valeur 3e+19 ne tient pas dans un entier_naturel\nnote : un reel devient un entier en "
          "perdant sa partie décimale : la partie entière doit tenir dans le type" },
    };
    for (const SCas & C : Cas)
    {
        SPrets P (C.Source);
        ASSERT_FALSE (P.T.Erreur) << C.Source;
        CExecution X (P.T, P.Source, Options ());
        ASSERT_TRUE (X.Pret ()) << X.Refus ();
        EXPECT_EQ (Tout (X, C.Entree), C.Sortie) << C.Source;
        EXPECT_EQ (X.Statut (), 1) << C.Source;
        const SErreurExecution & E = X.ErreurExecution ();
        EXPECT_EQ (E.Texte + '\n' + E.Notes, C.Erreur) << C.Source;
    }
}

TEST (Interpreteur, PileBornee)
{
    // Une recursion sans fin s'arrete sur l'erreur du programme compile, sans epuiser la pile
    // de l'hote (les appels ne passent pas par elle), quelle que soit la borne.
    const std::string Source = "fonction F (n : in entier) renvoie entier\ndebut\n    renvoie F (n + 1);\nfin\n"
                               + Algo ("    afficher (F (0));\n");
    SPrets P (Source);
    for (std::size_t Pile : { std::size_t (1) << 16, std::size_t (64) << 20 })
    {
        SOptionsExecution O = Options ();
        O.Limites.Pile = Pile;
        CExecution X (P.T, P.Source, O);
        Tout (X);
        EXPECT_EQ (X.Statut (), 1);
        EXPECT_EQ (X.ErreurExecution ().Texte,
                   "p.algo:1:10: erreur : Récursion trop profonde dans F : la pile d'exécution est épuisée");
    }
}

TEST (Interpreteur, MemoireBornee)
{
    // Une chaine qui double sans fin : "Memoire insuffisante" a la concatenation qui demande la
    // memoire, avec ce qui est occupe et demande, bien avant d'avoir pris la memoire de l'hote.
    SPrets P (Algo ("    declarer s : string;\n    s <- \"ab\";\n    boucle\n        s <- s + s;\n    fboucle\n"));
    SOptionsExecution O = Options ();
    O.Limites.Memoire = std::size_t (4) << 20;
    {
        CExecution X (P.T, P.Source, O);
        Tout (X);
        EXPECT_EQ (X.Statut (), 1);
        EXPECT_EQ (X.ErreurExecution ().Texte, "p.algo:6:16: erreur : Mémoire insuffisante");
        EXPECT_EQ (X.ErreurExecution ().Notes.rfind ("note : le programme occupe ", 0), 0u);
        EXPECT_NE (X.ErreurExecution ().Notes.find (" ; la mémoire permise est de 4 Mio\naide : vérifiez "), std::string::npos);
    }
    // TRAMELO_MEMOIRE comme le programme compile le lit : un nombre de Mio remplace la limite,
    // un autre texte arrete avant la premiere instruction.
    SPrets Q (Algo ("    afficher (\"debut\");\n    declarer t : tableau_de 1000000 entier;\n    afficher (taille (t));\n"));
    O.VariableMemoireDonnee = true;
    O.VariableMemoire = "7";
    {
        CExecution X (Q.T, Q.Source, O);
        EXPECT_EQ (Tout (X), "debut");
        EXPECT_EQ (X.ErreurExecution ().Message, "Mémoire insuffisante : 1000000 éléments de 8 octets demandent 8 Mio");
        EXPECT_EQ (X.ErreurExecution ().Notes.rfind ("note : la mémoire permise est de 7 Mio\naide : ", 0), 0u);
    }
    for (const char * Invalide : { "2Go", "0", "1073741825", "" })
    {
        O.VariableMemoire = Invalide;
        CExecution X (Q.T, Q.Source, O);
        EXPECT_EQ (Tout (X), "") << Invalide;
        EXPECT_EQ (X.Statut (), 1) << Invalide;
        EXPECT_EQ (X.ErreurExecution ().Texte, std::string ("p.algo: erreur : TRAMELO_MEMOIRE invalide : « ") + Invalide + " »");
    }
}

TEST (Interpreteur, PasAPasLigneCouranteEtVariables)
{
    SPrets P ("procedure Doubler (x : in_out entier)\ndebut\n    x <- x * 2;\nfin\n"
              + Algo ("    declarer v : entier;\n    v <- 3;\n    Doubler (v);\n    afficher (v);\n"));
    SOptionsExecution O = Options ();
    O.PasAPas = true;
    CExecution X (P.T, P.Source, O);
    std::vector <std::size_t> Lignes;
    EArret A;
    while ((A = X.Executer (1000000)) == EArret::Pas)
    {
        const SPositionCourante C = X.PositionCourante ();
        ASSERT_TRUE (C.Valide);
        Lignes.push_back (C.Ligne);
        if (C.Ligne == 3)
        {
            // Dans Doubler : le parametre, lu a travers sa reference.
            EXPECT_EQ (C.Profondeur, 2u);
            const std::vector <SVariableVisible> V = X.Variables ();
            ASSERT_EQ (V.size (), 1u);
            EXPECT_EQ (V [0].Nom, "x");
            EXPECT_EQ (V [0].Valeur, "3");
        }
    }
    EXPECT_EQ (A, EArret::Fini);
    EXPECT_EQ (X.PrendreSortie (), "6");
    EXPECT_EQ (Lignes, (std::vector <std::size_t> { 7, 8, 9, 1, 3, 4, 10, 11 }));
    // Le suivi : la ligne de l'appel revient avec la variable changee par Doubler.
    std::string Trace;
    for (const SEvenementSuivi & E : X.PrendreSuivi ()) Trace += TexteSuivi (E, LargeurSuivi (P.Source)) + '\n';
    EXPECT_NE (Trace.find ("»  9 | Doubler (v);\n»    |     v = 6\n"), std::string::npos) << Trace;
}

TEST (Interpreteur, ValeursHostilesDansLeSuivi)
{
    // Une valeur ne peut ni forger une ligne de la trace ni agir sur un terminal ; un reel
    // s'ecrit par sa plus courte forme.
    SPrets P (Algo ("    declarer s : string;\n    declarer r : reel;\n    declarer c : caractere;\n"
                    "    saisir (s);\n    r <- 0.1 + 0.2;\n    c <- s[0];\n"));
    SOptionsExecution O = Options ();
    O.Suivi = true;
    CExecution X (P.T, P.Source, O);
    Tout (X, "\x1b[2J\r  10 | faux\xff\n");
    std::string Trace;
    for (const SEvenementSuivi & E : X.PrendreSuivi ()) Trace += TexteSuivi (E, 1) + '\n';
    EXPECT_NE (Trace.find ("»   |     s = \"\\x1b[2J\\r  10 | faux\\xff\"\n"), std::string::npos) << Trace;
    EXPECT_NE (Trace.find ("»   |     r = 0.30000000000000004\n"), std::string::npos) << Trace;
    EXPECT_NE (Trace.find ("»   |     c = '\\x1b'\n"), std::string::npos) << Trace;
    EXPECT_EQ (TexteReelSuivi (2.0), "2.0");
    EXPECT_EQ (TexteReelSuivi (1e20), "1e+20");
}

TEST (Interpreteur, LimiteDeLignes)
{
    // Une boucle ecrite sur une seule ligne : chaque tour est une nouvelle ligne executee, la
    // limite l'arrete (sinon le pas a pas ne rendrait jamais la main).
    SPrets P (Algo ("    declarer n : entier;\n    boucle n <- n + 1; fboucle\n"));
    SOptionsExecution O = Options ();
    O.Suivi = true;
    O.LimiteLignes = 10;
    CExecution X (P.T, P.Source, O);
    EArret A;
    Tout (X, "", & A);
    EXPECT_EQ (A, EArret::Limite);
    EXPECT_EQ (X.LignesSuivies (), 10u);
}
