// L'interface de traduction en memoire : diagnostic structure, appels successifs independants,
// rien sur les flux standard, refus des sources trop grands, NUL dans le source.
#include "services/analyses/Analyses.h"
#include "driver/Traduction.h"

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

using namespace nsTramelo;
using namespace std::string_literals;

namespace
{
    const std::string Correct = "algorithme A\ndebut\n    declarer n : entier;\n    n <- 2;\n"
                                "    afficher (n);\nfin\n";
    // Le mot refuse (x, non declare) est precede d'une tabulation : colonne 5 une fois developpee.
    const std::string Fautif = "algorithme A\ndebut\n\tx <- 1;\nfin\n";
}

TEST (Traduction, DiagnosticStructure)
{
    const STraduction R = Traduire (Fautif);
    ASSERT_TRUE (R.Erreur);
    EXPECT_EQ (R.Statut, 127);
    EXPECT_EQ (R.Erreur->Libelle, "Ligne    3 - Attente d'une variable ou d'une procedure");
    EXPECT_EQ (R.Erreur->Message, "Attente d'une variable ou d'une procedure");
    EXPECT_EQ (R.Erreur->Msg, nsUtil::EMsg::AttenteVariable);
    EXPECT_TRUE (R.Erreur->Positionne);
    EXPECT_EQ (R.Erreur->LigneSignalee, 3u);
    // Le mot x a ete lu : la lecture s'arrete juste apres lui, sur le blanc.
    EXPECT_EQ (R.Erreur->Arret.Ligne, 3u);
    EXPECT_EQ (R.Erreur->Arret.Colonne, 6u);
    EXPECT_EQ (R.Erreur->Arret.DecalageOrigine, Fautif.find ("x") + 1);
    EXPECT_EQ (R.Erreur->Longueur, 0u);
    // Le C++ partiel est rendu, comme Tramelo l'ecrit.
    EXPECT_EQ (R.Cpp.rfind ("// fichier Source\n", 0), 0u);
}

TEST (Traduction, LigneSignaleeEtArretDifferentsApresUnCoupDOeil)
{
    // Le corps commence par un mot qui n'est pas debut, en colonne 1 : Tramelo signale la ligne
    // d'avant (le caractere qui precede la position), la lecture est au debut de la ligne 2.
    const STraduction R = Traduire ("algorithme A\nfin\n");
    ASSERT_TRUE (R.Erreur);
    EXPECT_EQ (R.Erreur->Code, 104u);
    EXPECT_EQ (R.Erreur->LigneSignalee, 1u);
    EXPECT_EQ (R.Erreur->Arret.Ligne, 2u);
    EXPECT_EQ (R.Erreur->Arret.Colonne, 1u);
    EXPECT_EQ (R.Erreur->Longueur, 3u);
}

TEST (Traduction, FinDuTexte)
{
    const STraduction R = Traduire ("algorithme A\ndebut\n  afficher (1);");
    ASSERT_TRUE (R.Erreur);
    EXPECT_EQ (R.Erreur->Code, 113u);
    EXPECT_EQ (R.Erreur->Arret.Ligne, 3u);
    EXPECT_EQ (R.Erreur->Arret.Colonne, 16u);   // apres le dernier caractere de la ligne
    EXPECT_EQ (R.Erreur->Longueur, 0u);
}

TEST (Traduction, AppelsSuccessifsIndependants)
{
    const STraduction Seul = Traduire (Correct);
    EXPECT_EQ (Seul.Statut, 0);
    EXPECT_FALSE (Seul.Erreur);
    const STraduction Erreur1 = Traduire (Fautif);
    // Des declarations de noms, une erreur en plein bloc, une imbrication : rien ne doit rester.
    Traduire ("procedure P (x : in entier)\ndebut\n  si (vrai)\n    declarer y : entier;\n    y <- (((");
    Traduire (std::string (100000, '('));
    const STraduction Encore = Traduire (Correct);
    EXPECT_EQ (Encore.Cpp, Seul.Cpp);
    EXPECT_EQ (Encore.Statut, 0);
    const STraduction Erreur2 = Traduire (Fautif);
    EXPECT_EQ (Erreur2.Cpp, Erreur1.Cpp);
    EXPECT_EQ (Erreur2.Erreur->Libelle, Erreur1.Erreur->Libelle);
}

TEST (Traduction, RienSurLesFluxStandard)
{
    std::ostringstream Out, Err;
    std::streambuf * const AncienOut = std::cout.rdbuf (Out.rdbuf ());
    std::streambuf * const AncienErr = std::cerr.rdbuf (Err.rdbuf ());
    Traduire (Correct);
    Traduire (Fautif);
    std::cout.rdbuf (AncienOut);
    std::cerr.rdbuf (AncienErr);
    EXPECT_TRUE (Out.str ().empty ());
    EXPECT_TRUE (Err.str ().empty ());
}

TEST (Traduction, RefusSansPosition)
{
    SOptions Options;
    Options.TailleTab = 0;
    STraduction R = Traduire (Correct, Options);
    EXPECT_EQ (R.Statut, 253);
    EXPECT_FALSE (R.Erreur->Positionne);
    EXPECT_TRUE (R.Cpp.empty ());

    // 300 000 tabulations de largeur 1000 : 300 Mo une fois developpees, refuses sans les construire.
    Options.TailleTab = 1000;
    R = Traduire (std::string (300000, '\t'), Options);
    EXPECT_EQ (R.Statut, 254);
    EXPECT_EQ (R.Erreur->Libelle, "Exception standard : " + TexteSourceTropGrand ());
    EXPECT_TRUE (R.Cpp.empty ());
}

TEST (Traduction, NulDansLeSource)
{
    // Le NUL se lit comme la fin du texte : la traduction va au bout, puis echoue a sa ligne.
    const STraduction R = Traduire ("algorithme A\ndebut\nfin\n\n  \0 reste"s);
    EXPECT_EQ (R.Statut, 149);
    EXPECT_EQ (R.Erreur->Libelle, "Ligne    5 - Caractere nul dans le source");
    EXPECT_NE (R.Cpp.find ("} // main()\n"), std::string::npos);
    // Dans un commentaire, il disparait avec lui.
    EXPECT_EQ (Traduire ("algorithme A\ndebut\nfin // \0\n"s).Statut, 0);
}

TEST (Traduction, SituerDecalageAvecTabulations)
{
    const std::string Source = "a\tb\n\t\tc\n";
    SOptions Options;
    const STraduction R = Traduire (Source, Options);
    // Ligne 2 developpee : 8 blancs puis c ; la colonne 9 est le c, la colonne 3 dans la 1re tabulation.
    const std::size_t DebutLigne2 = R.FinLignes [0];
    SPosition P = SituerDecalage (Source, 4, R.FinLignes, DebutLigne2 + 8);
    EXPECT_EQ (P.Ligne, 2u);
    EXPECT_EQ (P.Colonne, 9u);
    EXPECT_EQ (P.DecalageOrigine, Source.find ('c'));
    P = SituerDecalage (Source, 4, R.FinLignes, DebutLigne2 + 2);
    EXPECT_EQ (P.DecalageOrigine, Source.find ('\t', 3));
    P = SituerDecalage (Source, 4, R.FinLignes, 4);   // le b, apres "a" et 3 blancs
    EXPECT_EQ (P.Ligne, 1u);
    EXPECT_EQ (P.DecalageOrigine, 2u);
}

// Un seul situeur pour toute une suite de positions, dans le desordre, sur une ligne ou se
// melent tabulations et caracteres de plusieurs octets : chaque position est celle d'un situeur
// neuf, la colonne UTF-16 compte une paire pour un caractere hors du plan de base, et le chemin
// inverse (source d'origine -> texte tamponne) revient au meme decalage.
TEST (Traduction, PositionsUtf16EtRetour)
{
    const std::string Source = "x\n\t\xC3\xA9t\xC3\xA9\t\xF0\x9F\x98\x80 z\t\xFF!\n";
    const STraduction R = Traduire (Source);
    CSitueur Un (Source, 4, R.FinLignes);
    const std::size_t Debut = R.FinLignes [0];
    for (std::size_t D : { 20, 4, 9, 0, 13, 4, 17 })
    {
        const std::size_t Decalage = Debut + D;
        const SPosition A = Un.Situer (Decalage), B = SituerDecalage (Source, 4, R.FinLignes, Decalage);
        EXPECT_EQ (A.DecalageOrigine, B.DecalageOrigine) << D;
        EXPECT_EQ (A.ColonneUtf16, B.ColonneUtf16) << D;
    }
    // "\t" (4 colonnes) puis "été" (5 octets, 3 unites) : le z est apres un second \t et l'emoji.
    const std::size_t z = Source.find ('z');
    const std::size_t Dz = Un.VersTampon (z);
    EXPECT_EQ (R.Texte [Dz], 'z');
    const SPosition Pz = Un.Situer (Dz);
    EXPECT_EQ (Pz.DecalageOrigine, z);
    EXPECT_EQ (Pz.ColonneOrigine, z - Debut + 1);
    EXPECT_EQ (Pz.ColonneUtf16, 1u + 1 + 3 + 1 + 2 + 1);
    // Au milieu de l'emoji : l'octet exact, mais la colonne UTF-16 de son debut.
    const std::size_t Emoji = Source.find ('\xF0');
    const SPosition Pe = Un.Situer (Un.VersTampon (Emoji) + 2);
    EXPECT_EQ (Pe.DecalageOrigine, Emoji + 2);
    EXPECT_EQ (Pe.ColonneUtf16, 1u + 1 + 3 + 1);
    // Un octet invalide compte une unite ; dans une tabulation, c'est la tabulation.
    EXPECT_EQ (Un.Situer (Un.VersTampon (Source.find ('!'))).ColonneUtf16, 1u + 1 + 3 + 1 + 2 + 1 + 1 + 1 + 1);
    EXPECT_EQ (Un.Situer (Debut + 2).DecalageOrigine, Debut);
    EXPECT_EQ (Un.VersTampon (Source.size ()), R.FinLignes.back ());
}

namespace
{
    const SDeclaration * Trouver (const SModele & J, const std::string & Nom)
    {
        for (const SDeclaration & D : J.Declarations)
            if (D.Nom == Nom) return & D;
        return nullptr;
    }
}

TEST (Modele, DeclarationsEtPortees)
{
    const std::string Source =
        "fonction f (x : in entier, t : in_out tableau_de entier) renvoie reel\n"   // 1
        "debut\n"
        "    renvoie 1;\n"
        "fin\n"
        "algorithme A\n"                                                            // 5
        "debut\n"
        "    declarer c : constante caractere <- 'a';\n"
        "    pour (i variant_de 1 a 3) faire\n"
        "        declarer u : tableau_de 3 booleen;\n"
        "    ffaire\n"                                                              // 10
        "fin\n";
    const STraduction R = Traduire (Source);
    ASSERT_EQ (R.Statut, 0);
    const SModele & J = R.Modele;
    const SDeclaration * f = Trouver (J, "f"), * x = Trouver (J, "x"), * t = Trouver (J, "t"),
                       * c = Trouver (J, "c"), * i = Trouver (J, "i"), * u = Trouver (J, "u");
    ASSERT_TRUE (f && x && t && c && i && u);
    EXPECT_EQ (f->Nature, ENature::Fonction);
    EXPECT_EQ (f->Type, 3u);
    EXPECT_EQ (f->FinPortee, PorteeOuverte);
    EXPECT_EQ (Source.substr (x->Decalage, 1), "x");
    EXPECT_EQ (t->Nature, ENature::Parametre);
    EXPECT_EQ (t->Mode, 2u);
    EXPECT_EQ (t->Type, 0x201u);
    EXPECT_EQ (c->Nature, ENature::Constante);
    EXPECT_EQ (i->Nature, ENature::VariableBoucle);
    EXPECT_EQ (u->Nature, ENature::Tableau);
    // La portee de x finit avec f (apres son fin), celle de i et u avec le ffaire.
    EXPECT_EQ (x->FinPortee, Source.find ("fin\n") + 3);
    EXPECT_EQ (i->FinPortee, Source.find ("ffaire") + 6);
    EXPECT_EQ (u->FinPortee, i->FinPortee);
    EXPECT_EQ (c->FinPortee, Source.size () - 1);
    ASSERT_EQ (J.Unites.size (), 2u);
    EXPECT_EQ (J.Unites [0].Nom, "f");
    EXPECT_EQ (J.Unites [0].Debut, 0u);
    EXPECT_EQ (J.Unites [1].Debut, Source.find ("algorithme"));
    EXPECT_EQ (J.Unites [1].DecalageFin, Source.size () - 4);
    EXPECT_FALSE (FinSansRenvoie (J, J.Unites [0]));
    EXPECT_TRUE (J.Blocs.empty ());
    EXPECT_TRUE (J.Instructions.empty ());
}

TEST (Modele, BlocsOuvertsALErreur)
{
    const std::string Source =
        "algorithme A\ndebut\n    tant_que (vrai) faire\n        si (faux)\n            afficher (1);\n"
        "    ffaire\nfin\n";
    const STraduction R = Traduire (Source);
    ASSERT_TRUE (R.Erreur);
    const std::vector <SBloc> & B = R.Modele.Blocs;
    ASSERT_EQ (B.size (), 3u);
    EXPECT_EQ (B [0].FinAttendue, "fin");
    EXPECT_EQ (B [0].Ouvrant.Decalage, Source.find ("debut"));
    EXPECT_EQ (B [1].FinAttendue, "ffaire");
    EXPECT_EQ (B [1].Ouvrant.Decalage, Source.find ("tant_que"));
    EXPECT_EQ (B [2].FinAttendue, "fsi");
    EXPECT_EQ (B [2].Ouvrant.Decalage, Source.find ("si ("));
    EXPECT_EQ (B [2].Ouvrant.Longueur, 2u);
}

TEST (Modele, FonctionQuiPeutFinirSansRenvoie)
{
    const auto Sans = [] (const std::string & Corps)
    {
        const STraduction R = Traduire ("fonction f (x : in entier) renvoie entier\ndebut\n" + Corps
                                        + "fin\nalgorithme A\ndebut\nfin\n");
        EXPECT_EQ (R.Statut, 0) << Corps;
        return FinSansRenvoie (R.Modele, R.Modele.Unites.at (0));
    };
    EXPECT_FALSE (Sans ("renvoie x;\n"));
    EXPECT_TRUE (Sans ("afficher (x);\n"));
    EXPECT_TRUE (Sans (""));
    EXPECT_TRUE (Sans ("renvoie x;\nafficher (x);\n"));
    EXPECT_FALSE (Sans ("si (x > 0)\nrenvoie 1;\nsinon_si (x < 0)\nrenvoie 2;\nsinon\nrenvoie 3;\nfsi\n"));
    EXPECT_TRUE (Sans ("si (x > 0)\nrenvoie 1;\nsinon_si (x < 0)\nafficher (x);\nsinon\nrenvoie 3;\nfsi\n"));
    EXPECT_TRUE (Sans ("si (x > 0)\nrenvoie 1;\nfsi\n"));
    EXPECT_TRUE (Sans ("si (x > 0) renvoie 1;\n"));
    EXPECT_FALSE (Sans ("si (x > 0) renvoie 1;\nsinon\nrenvoie 2;\nfsi\n"));
    // Une boucle qui ne peut pas finir n'est quittee que par renvoie ; une sortie la fait finir.
    EXPECT_FALSE (Sans ("tant_que (vrai) faire\nrenvoie 1;\nffaire\n"));
    EXPECT_FALSE (Sans ("boucle\nsi (x > 0) renvoie 1;\nx <- x + 1;\nfboucle\n"));
    EXPECT_TRUE (Sans ("boucle\nsi (x > 0) sortie;\nfboucle\n"));
    EXPECT_FALSE (Sans ("boucle\npour (i variant_de 1 a 2) faire\nsi (x > 0) sortie;\nffaire\nfboucle\n"));
    EXPECT_TRUE (Sans ("tant_que (x > 0) faire\nrenvoie 1;\nffaire\n"));
    EXPECT_FALSE (Sans ("repeter\nrenvoie 1;\njusqua (faux)\n"));
}

TEST (Modele, DivisionEntiereALitteralAPoint)
{
    const std::string Source =
        "algorithme A\ndebut\n    declarer n : entier;\n    declarer r : reel;\n"
        "    n <- 7;\n    afficher (n / 2.0, r / 2.0, n / 2, 7.0 / n, n / 1e1);\nfin\n";
    const STraduction R = Traduire (Source);
    ASSERT_EQ (R.Statut, 0);
    const std::vector <SDivisionEntiere> D = DivisionsEntieres (R.Modele, R.Texte);
    ASSERT_EQ (D.size (), 3u);
    EXPECT_EQ (D [0].Operateur, Source.find ("/ 2.0"));
    EXPECT_EQ (Source.substr (D [0].Litteral.Decalage, D [0].Litteral.Longueur), "2.0");
    EXPECT_EQ (Source.substr (D [1].Litteral.Decalage, D [1].Litteral.Longueur), "7.0");
    EXPECT_EQ (Source.substr (D [2].Litteral.Decalage, D [2].Litteral.Longueur), "1e1");
}

// Le nom du source dans le C++ du profil verifie (#line, nom des messages) : chaque octet de
// controle est echappe, sans quoi g++ refuse le litteral (retour chariot) ou le #line est coupe.
TEST (Traduction, NomDuSourceEchappeDansLeProfilVerifie)
{
    SOptions O;
    O.Verifie = true;
    O.NomSource = "a\rb\x1b" "1\n\"\\\x7f.algo";
    O.NomCpp = "c\r.cpp";
    const STraduction R = Traduire (Correct, O);
    ASSERT_FALSE (R.Erreur);
    const std::string Litteral = "\"a\\015b\\0331\\n\\\"\\\\\\177.algo\"";
    EXPECT_NE (R.Cpp.find ("#line 3 " + Litteral + "\n"), std::string::npos);
    EXPECT_NE (R.Cpp.find ("_Source = " + Litteral + ";"), std::string::npos);
    EXPECT_NE (R.Cpp.find (" \"c\\015.cpp\"\n"), std::string::npos);
    EXPECT_EQ (R.Cpp.find ('\r'), std::string::npos);
}
