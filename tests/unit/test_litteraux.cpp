// Litteraux : le texte C++ d'un nombre doit garder sa valeur exacte (entier en decimal,
// reel relu a l'identique), et une erreur doit etre signalee a la position du litteral.
#include "Commun.h"

#include "ecriture/Ecrivain.h"
#include "scanner/Litteraux.h"
#include "scanner/Scanner.h"
#include "types/TypesCodes.h"

using namespace nsTramelo;
using nsTest::Charger;
using nsTest::Erreur;

namespace
{
    struct SNombre
    {
        std::string Texte;
        unsigned    Type;
        char        Suivant;
    };

    SNombre LireNombre (const std::string & Source)
    {
        Charger (Source);
        SkipSpaces ();
        unsigned Type = 99;
        const std::string s = Ecrivain->Texte (ExtraireLitteralNombre (Type));
        return { s, Type, SkipSpaces () };
    }
}

TEST (Litteraux, TexteEtTypeDesNombres)
{
    struct SCas { const char * Source, * Texte; unsigned Type; };
    const SCas Cas [] =
    {
        { "12", "12", TEntierNaturel },
        { "0", "0", TEntierNaturel },
        { "2.5", "2.5", TReel },
        { "2.0", "2", TEntierNaturel },
        { "1.", "1", TEntierNaturel },
        { "25e-1", "2.5", TReel },
        { "1e3", "1000", TEntierNaturel },
        { "1E3", "1000", TEntierNaturel },
        { "1e+5", "100000", TEntierNaturel },
        { "0.1", "0.1", TReel },
        { "0.00001", "1e-05", TReel },
        { "1e10", "1e+10", TReel },
        // Entiers : en decimal, jamais en notation %g qui perd des chiffres.
        { "1000000", "1000000", TEntierNaturel },
        { "1234567", "1234567", TEntierNaturel },
        { "1.5e6", "1500000", TEntierNaturel },
        { "2147483647", "2147483647", TEntierNaturel },
        // Reels : le texte court seulement s'il redonne exactement la valeur.
        { "3.14159265", "3.14159265", TReel },
        { "1.0000001", "1.0000001", TReel },
        { "100000.5", "100000.5", TReel },
        { "0.333333333333333314829616256247", "0.3333333333333333", TReel },
        { "12345678901234567890", "1.2345678901234567e+19", TReel },
        // Hors des entiers 32 bits : reel, ecrit comme un litteral flottant du C++.
        { "2147483648", "2147483648.0", TReel },
        { "3000000000", "3e+09", TReel },
        { "4294967296", "4294967296.0", TReel },
        // Un soupassement se lit 0 et reste valide.
        { "1e-400", "0", TEntierNaturel },
    };
    for (const SCas & C : Cas)
    {
        const SNombre N = LireNombre (std::string (C.Source) + ";");
        EXPECT_EQ (N.Texte, C.Texte) << C.Source;
        EXPECT_EQ (N.Type, C.Type) << C.Source;
        EXPECT_EQ (N.Suivant, ';') << C.Source;
    }
}

TEST (Litteraux, UnNombreSArreteAuPremierCaractereQuiNeLeContinuePas)
{
    EXPECT_EQ (LireNombre ("1.5.2").Suivant, '.');
    EXPECT_EQ (LireNombre ("7 + 1").Suivant, '+');
    const SNombre N = LireNombre ("12abc");
    EXPECT_EQ (N.Texte, "12");
    EXPECT_EQ (N.Suivant, 'a');
    EXPECT_EQ (LireNombre ("3)").Texte, "3");
    EXPECT_EQ (LireNombre ("4-2").Suivant, '-');
}

TEST (Litteraux, NombreIncompletOuHorsBornes)
{
    for (const char * Source : { "1e", "1e+", "1e-;", "1ex", "2E+x", "1e999", "9e99999" })
    {
        // Le litteral est en colonne 3 de la ligne 2 : l'erreur s'y rapporte.
        Charger (std::string ("x\n  ") + Source + "\n");
        SkipSpaces ();
        std::string s;
        ExtraireIdent (s);
        SkipSpaces ();
        const std::size_t Debut = fi.Tellg ();
        unsigned Type;
        const auto E = Erreur ([&] { ExtraireLitteralNombre (Type); });
        EXPECT_EQ (E.Code, 135u) << Source;
        EXPECT_EQ (E.Libelle, "Ligne    2 - Expression numerique invalide") << Source;
        // Le flux n'est pas laisse en echec : on relit depuis le premier chiffre.
        EXPECT_FALSE (fi.EnEchec ()) << Source;
        EXPECT_EQ (fi.Tellg (), Debut) << Source;
        EXPECT_EQ (SkipSpaces (), Source [0]) << Source;
    }
    // Premier chiffre en colonne 1 : la position de l'erreur est comptee sur la ligne d'avant.
    Charger ("x\n1e\n");
    std::string s;
    ExtraireIdent (s);
    SkipSpaces ();
    unsigned Type;
    EXPECT_EQ (Erreur ([&] { ExtraireLitteralNombre (Type); }).Libelle,
               "Ligne    1 - Expression numerique invalide");
}

namespace
{
    std::string LireChaine (const std::string & Source)
    {
        Charger (Source);
        SkipSpaces ();
        return Ecrivain->Texte (ExtraireLitteralChaine ());
    }

    std::string LireCaractere (const std::string & Source)
    {
        Charger (Source);
        SkipSpaces ();
        return Ecrivain->Texte (ExtraireLitteralCaractere ());
    }
}

TEST (Litteraux, Chaines)
{
    EXPECT_EQ (LireChaine ("\"Bonjour\";"), "string (\"Bonjour\")");
    EXPECT_EQ (SkipSpaces (), ';');
    EXPECT_EQ (LireChaine ("  \"\""), "string (\"\")");
    EXPECT_EQ (LireChaine ("\"a\\\"b\""), "string (\"a\\\"b\")");
    EXPECT_EQ (LireChaine ("\"a // b 'c'\""), "string (\"a // b 'c'\")");
    EXPECT_EQ (LireChaine ("\"tab\\tfin\\n\""), "string (\"tab\\tfin\\n\")");
    // Une barre oblique echappe exactement le caractere suivant.
    EXPECT_EQ (LireChaine ("\"x\\\\\" + \"y\""), "string (\"x\\\\\")");
    EXPECT_EQ (SkipSpaces (), '+');
    EXPECT_EQ (LireChaine ("\"\\\\\\\"\""), "string (\"\\\\\\\"\")");
    // Un saut de ligne brut devient l'echappement C++, la chaine reste sur une ligne.
    EXPECT_EQ (LireChaine ("\"ab\ncd\""), "string (\"ab\\ncd\")");
    EXPECT_EQ (LireChaine ("\"ab\r\ncd\""), "string (\"ab\\r\\ncd\")");
    EXPECT_EQ (LireChaine ("\"ab\\\ncd\""), "string (\"ab\\ncd\")");
}

TEST (Litteraux, ChaineNonFermee)
{
    // Position laissee sur le guillemet ouvrant ; en colonne 1, c'est la ligne d'avant.
    Charger ("x\n  \"abc\n\n");
    std::string s;
    ExtraireIdent (s);
    SkipSpaces ();
    const std::size_t Debut = fi.Tellg ();
    auto E = Erreur ([&] { ExtraireLitteralChaine (); });
    EXPECT_EQ (E.Code, 112u);
    EXPECT_EQ (E.Libelle, "Ligne    2 - Caractere \" attendu");
    EXPECT_FALSE (fi.EnEchec ());
    EXPECT_EQ (fi.Tellg (), Debut);

    Charger ("x\n\"abc\\\"\n");
    ExtraireIdent (s);
    SkipSpaces ();
    E = Erreur ([&] { ExtraireLitteralChaine (); });
    EXPECT_EQ (E.Libelle, "Ligne    1 - Caractere \" attendu");
}

TEST (Litteraux, Caracteres)
{
    EXPECT_EQ (LireCaractere ("'x';"), "'x'");
    EXPECT_EQ (SkipSpaces (), ';');
    EXPECT_EQ (LireCaractere ("' '"), "' '");
    EXPECT_EQ (LireCaractere ("'\\n'"), "'\\n'");
    EXPECT_EQ (LireCaractere ("'\\''"), "'\\''");
    EXPECT_EQ (LireCaractere ("'\\\\'"), "'\\\\'");
    EXPECT_EQ (LireCaractere ("'\"'"), "'\"'");
    EXPECT_EQ (LireCaractere ("'''"), "'''");
    // Saut de ligne brut entre les apostrophes.
    EXPECT_EQ (LireCaractere ("'\n'"), "'\\n'");
    EXPECT_EQ (LireCaractere ("'\r'"), "'\\r'");
}

TEST (Litteraux, CaractereNonFerme)
{
    struct SCas { const char * Source, * Libelle; std::size_t Position; };
    const SCas Cas [] =
    {
        // 'ab' : position laissee sur le b.
        { "x\n 'ab'", "Ligne    2 - Caractere ' attendu", 5 },
        // Le caractere fautif en colonne 1 : la ligne d'avant.
        { "x\n '\nab'", "Ligne    2 - Caractere ' attendu", 5 },
        // Fin du texte juste apres l'apostrophe ou apres la barre oblique.
        { "x\n '", "Ligne    2 - Caractere ' attendu", 5 },
        { "x\n '\\", "Ligne    2 - Caractere ' attendu", 6 },
    };
    for (const SCas & C : Cas)
    {
        Charger (C.Source);
        std::string s;
        ExtraireIdent (s);
        SkipSpaces ();
        const auto E = Erreur ([&] { ExtraireLitteralCaractere (); });
        EXPECT_EQ (E.Code, 111u) << C.Source;
        EXPECT_EQ (E.Libelle, C.Libelle) << C.Source;
        EXPECT_FALSE (fi.EnEchec ()) << C.Source;
        EXPECT_EQ (fi.Tellg (), C.Position) << C.Source;
    }
}
