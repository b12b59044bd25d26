// Primitives de lecture du source tamponne, et surtout l'etat de fin de texte dont tout
// le reste du traducteur depend (pas de retour possible une fois la fin atteinte).
#include "Commun.h"

#include "scanner/Scanner.h"

using namespace nsTramelo;
using nsTest::Charger;
using nsTest::Erreur;

TEST (Scanner, SkipSpacesSeArreteSurLeCaractereSansLeConsommer)
{
    Charger ("   x1_y+");
    EXPECT_EQ (SkipSpaces (), 'x');
    EXPECT_EQ (fi.Tellg (), 3u);
    EXPECT_EQ (SkipSpaces (), 'x');
    std::string s = "ancien";
    EXPECT_EQ (ExtraireIdent (s), "x1_y");
    EXPECT_EQ (fi.Tellg (), 7u);
    // Devant un caractere qui n'est pas d'identificateur : chaine vide, position inchangee.
    EXPECT_EQ (ExtraireIdent (s), "");
    EXPECT_EQ (fi.Tellg (), 7u);
    EXPECT_EQ (SkipSpaces (), '+');
}

TEST (Scanner, ExtraireIdentNeSautePasLesBlancsEtAccepteChiffreEnTete)
{
    Charger ("  abc\n_9z-");
    std::string s;
    EXPECT_EQ (ExtraireIdent (s), "");
    EXPECT_EQ (fi.Tellg (), 0u);
    SkipSpaces ();
    EXPECT_EQ (ExtraireIdent (s), "abc");
    SkipSpaces ();
    EXPECT_EQ (ExtraireIdent (s), "_9z");
}

TEST (Scanner, FinDeTexteDurable)
{
    Charger ("ab\ncd");
    std::string s;
    ExtraireIdent (s);
    const std::size_t Avant = fi.Tellg ();
    ExtraireIdent (s);
    EXPECT_EQ (s, "");
    EXPECT_EQ (SkipSpaces (), 'c');
    ExtraireIdent (s);
    EXPECT_EQ (s, "cd");
    EXPECT_FALSE (fi.EnEchec ());
    // Lecture au-dela de la fin : le flux passe en etat de fin et y reste.
    EXPECT_EQ (SkipSpaces (), 0);
    EXPECT_TRUE (fi.EnEchec ());
    EXPECT_EQ (SkipSpaces (), 0);
    char c = 'z';
    EXPECT_FALSE (fi.Get (c));
    EXPECT_FALSE (fi.LireCarFormate (c));
    EXPECT_EQ (LireCarNonBlanc (), 0);
    EXPECT_EQ (ExtraireIdent (s), "");
    // Remises et repositionnements sans effet : le texte ne redevient pas lisible.
    fi.Unget ();
    fi.Seekg (Avant);
    EXPECT_EQ (SkipSpaces (), 0);
    RemettreIdentDansFlux ("cd");
    EXPECT_EQ (SkipSpaces (), 0);
    // La position d'une erreur est alors celle de la fin du texte : derniere ligne.
    EXPECT_EQ (GetLiCol (), "Ligne    2 - ");
    // Le repositionnement n'a vraiment rien fait : apres effacement, on est toujours a la fin.
    fi.Clear ();
    EXPECT_EQ (fi.Tellg (), fi.Taille ());
}

TEST (Scanner, FinDeTexteDansLesPrimitivesQuiExigent)
{
    Charger ("   \n  ");
    char c = 'z';
    auto E = Erreur ([&] { TestFinInopineeCode (c); });
    EXPECT_EQ (c, 0);
    EXPECT_EQ (E.Code, 113u);
    EXPECT_EQ (E.Libelle, "Ligne    2 - Fin inopinee du code");

    Charger ("");
    std::string s;
    E = Erreur ([&] { ExtraireIdentForce (s); });
    EXPECT_EQ (E.Code, 113u);
    EXPECT_EQ (E.Libelle, "Ligne    1 - Fin inopinee du code");

    // ValidCar a la fin du texte : 110, pas 113.
    Charger ("x");
    ExtraireIdent (s);
    E = Erreur ([] { ValidCar (';'); });
    EXPECT_EQ (E.Code, 110u);
    EXPECT_EQ (E.Libelle, "Ligne    1 - Caractere attendu : \";\"");
}

TEST (Scanner, UnNulSeLitCommeLaFinDuTexte)
{
    Charger (std::string ("ab\0cd", 5));
    std::string s;
    EXPECT_EQ (ExtraireIdent (s), "ab");
    EXPECT_EQ (SkipSpaces (), 0);
    char c;
    EXPECT_EQ (Erreur ([&] { TestFinInopineeCode (c); }).Code, 113u);
}

TEST (Scanner, ExtraireIdentForceExigeUneLettre)
{
    std::string s;
    for (const char * Texte : { "_a", "9a", "+", "\xC3\xA9t\xC3\xA9" })
    {
        Charger (Texte);
        const auto E = Erreur ([&] { ExtraireIdentForce (s); });
        EXPECT_EQ (E.Code, 106u) << Texte;
        EXPECT_EQ (E.Libelle, "Ligne    1 - Identifiant attendu") << Texte;
    }
    // Les blancs avant sont consommes, le caractere apres ne l'est pas.
    Charger ("  \n\t Zeta_2(");
    EXPECT_EQ (ExtraireIdentForce (s), "Zeta_2");
    EXPECT_EQ (SkipSpaces (), '(');
}

TEST (Scanner, UnOctetNonAsciiTermineUnIdentificateur)
{
    Charger ("caf\xC3\xA9 x");
    std::string s;
    EXPECT_EQ (ExtraireIdentForce (s), "caf");
    EXPECT_EQ (fi.Tellg (), 3u);
    // Un char negatif ne doit pas deborder de la table des classes de caracteres.
    EXPECT_FALSE (IsAlnum ('\xC3'));
    EXPECT_FALSE (IsAlnum ('\xFF'));
    EXPECT_FALSE (IsAlnum (0));
}

TEST (Scanner, ValidCar)
{
    Charger ("  )x");
    ValidCar (')');
    EXPECT_EQ (fi.Tellg (), 3u);
    EXPECT_EQ (SkipSpaces (), 'x');

    // Deux caracteres exiges l'un apres l'autre peuvent etre separes.
    Charger ("<\n   - 1");
    ValidCar ('<');
    ValidCar ('-');
    EXPECT_EQ (SkipSpaces (), '1');

    Charger ("]");
    const auto E = Erreur ([] { ValidCar (')'); });
    EXPECT_EQ (E.Code, 110u);
    EXPECT_EQ (E.Libelle, "Ligne    1 - Caractere attendu : \")\"");
    // Le caractere refuse n'est pas consomme.
    EXPECT_EQ (SkipSpaces (), ']');
}

TEST (Scanner, VerifIdentAttenduEstSensibleALaCasse)
{
    Charger ("Debut");
    VerifIdentAttendu ("debut", "debut");
    auto E = Erreur ([] { VerifIdentAttendu ("Debut", "debut"); });
    EXPECT_EQ (E.Code, 104u);
    EXPECT_EQ (E.Libelle, "Ligne    1 - mot-cle attendu : \"debut\" au lieu de \"Debut\"");
    E = Erreur ([] { VerifIdentAttendu ("", "renvoie"); });
    EXPECT_EQ (E.Libelle, "Ligne    1 - mot-cle attendu : \"renvoie\" au lieu de \"\"");
    E = Erreur ([] { VerifIdentAttendu ("debuts", "debut"); });
    EXPECT_EQ (E.Code, 104u);
}

TEST (Scanner, RemettreIdentDansFluxRevientAuDebutDuMot)
{
    Charger ("  fsi suite");
    std::string s;
    EXPECT_EQ (ExtraireIdentForce (s), "fsi");
    RemettreIdentDansFlux (s);
    // Les blancs sautes avant le mot ne sont pas rendus.
    EXPECT_EQ (fi.Tellg (), 2u);
    EXPECT_EQ (ExtraireIdentForce (s), "fsi");
    RemettreIdentDansFlux ("");
    EXPECT_EQ (fi.Tellg (), 5u);
    EXPECT_EQ (ExtraireIdentForce (s), "suite");
}

TEST (Scanner, LigneDUnePositionApresLectureOuApresCoupDOeil)
{
    // Un coup d'oeil sur un mot en colonne 1 laisse la position sur lui : l'erreur est
    // comptee sur la ligne d'avant ; apres lecture du mot, sur la sienne.
    Charger ("ab\ncd\n  ef");
    std::string s;
    ExtraireIdent (s);
    EXPECT_EQ (GetLiCol (), "Ligne    1 - ");
    EXPECT_EQ (SkipSpaces (), 'c');
    EXPECT_EQ (GetLiCol (), "Ligne    1 - ");
    ExtraireIdent (s);
    EXPECT_EQ (GetLiCol (), "Ligne    2 - ");
    EXPECT_EQ (SkipSpaces (), 'e');
    EXPECT_EQ (GetLiCol (), "Ligne    3 - ");
}
