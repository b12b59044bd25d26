// Codes de type et VerifType : un seul controle de compatibilite sert tout le traducteur.
#include "Commun.h"

#include "types/TypesCodes.h"

using namespace nsTramelo;
using nsTest::Charger;
using nsTest::Erreur;

TEST (Types, GetTypeEstSensibleALaCasse)
{
    EXPECT_EQ (GetType ("entier"), 1u);
    EXPECT_EQ (GetType ("entier_naturel"), 2u);
    EXPECT_EQ (GetType ("reel"), 3u);
    EXPECT_EQ (GetType ("booleen"), 4u);
    EXPECT_EQ (GetType ("caractere"), 5u);
    EXPECT_EQ (GetType ("string"), 0x105u);
    EXPECT_EQ (GetType ("string_de"), 0x105u);
    EXPECT_EQ (GetType ("tableau_de"), 0x200u);
    for (const char * Mot : { "tableau", "Entier", "STRING", "", "entiers", "vrai" })
        EXPECT_EQ (GetType (Mot), 0u) << Mot;
}

TEST (Types, OrthographesCpp)
{
    // entier s'ecrit long int dans les declarations mais int en resultat de fonction.
    EXPECT_EQ (TypeSimpleCpp ("entier"), "long int");
    EXPECT_EQ (TypeSimpleCpp ("entier_naturel"), "long unsigned");
    EXPECT_EQ (TypeSimpleCpp ("string"), "string");
    EXPECT_EQ (TypeVectorCpp ("reel"), "CVDouble");
    EXPECT_EQ (TypeVectorCpp ("booleen"), "CVBool");
    EXPECT_EQ (TypeVectorCpp ("string"), "CVString");
    EXPECT_EQ (GetTypeCpp (0), "void");
    EXPECT_EQ (GetTypeCpp (1), "int");
    EXPECT_EQ (GetTypeCpp (2), "long unsigned");
    EXPECT_EQ (GetTypeCpp (3), "double");
    EXPECT_EQ (GetTypeCpp (4), "bool");
    EXPECT_EQ (GetTypeCpp (5), "char");
    EXPECT_EQ (GetTypeCpp (0x105), "string");
    for (unsigned Code : { 0x200u, 0x201u, 0x305u, 6u, 0x100u, 0x101u })
        EXPECT_EQ (GetTypeCpp (Code), "void") << Code;
}

TEST (Types, Predicats)
{
    for (unsigned Code : { 1u, 2u, 3u }) EXPECT_TRUE (IsTypeNumerique (Code)) << Code;
    for (unsigned Code : { 0u, 4u, 5u, 0x105u, 0x201u, 0x203u })
        EXPECT_FALSE (IsTypeNumerique (Code)) << Code;

    EXPECT_TRUE (IsTypeTableau (0x200));
    EXPECT_TRUE (IsTypeTableau (0x305));
    EXPECT_FALSE (IsTypeTableau (0x105));

    EXPECT_TRUE (IsTypeString (0x105));
    EXPECT_TRUE (IsTypeString (0x305));
    EXPECT_FALSE (IsTypeString (5));
    EXPECT_FALSE (IsTypeString (0x205));
    EXPECT_FALSE (IsTypeString (0x100));

    EXPECT_EQ (GetTypeElem (0x105), 5u);
    EXPECT_EQ (GetTypeElem (0x305), 0x105u);
    EXPECT_EQ (GetTypeElem (0x203), 3u);
    EXPECT_EQ (GetTypeElem (0x201), 1u);
    EXPECT_EQ (GetTypeElem (4), 4u);
    EXPECT_EQ (GetTypeElem (0), 0u);
}

TEST (Types, VerifType)
{
    Charger ("x");
    struct SCas { unsigned T1, T2; bool Strict, Accepte; };
    const SCas Cas [] =
    {
        { 3, 1, false, true },      { 1, 3, false, true },   { 2, 1, false, true },
        { 3, 1, true, false },      { 1, 2, true, false },   { 2, 2, true, true },
        { 0, 0, false, true },      { 0, 0, true, true },    { 5, 0x105, false, false },
        { 0x105, 5, false, false }, { 4, 1, false, false },  { 1, 0, false, false },
        { 0x105, 0x105, true, true }, { 0x201, 0x201, true, true },
        // Deux tableaux d'elements numeriques differents ne sont pas des nombres.
        { 0x201, 0x203, false, false }, { 0x201, 1, false, false }, { 4, 4, true, true },
    };
    for (const SCas & C : Cas)
    {
        if (C.Accepte)
            EXPECT_NO_THROW (VerifType (C.T1, C.T2, C.Strict)) << C.T1 << ' ' << C.T2 << ' ' << C.Strict;
        else
        {
            const auto E = Erreur ([&] { VerifType (C.T1, C.T2, C.Strict); });
            EXPECT_EQ (E.Code, 137u) << C.T1 << ' ' << C.T2 << ' ' << C.Strict;
            EXPECT_EQ (E.Libelle, "Ligne    1 - Type invalide");
        }
    }
}
