// VerifType : un seul controle de compatibilite des types sert tout le traducteur.
#include "Commun.h"

#include "types/TypesCodes.h"

using namespace nsTramelo;
using nsTest::Charger;
using nsTest::Erreur;

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
