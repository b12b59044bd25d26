// Lecture speculative : une relecture (prediction, lecture retenue) donne exactement ce que la
// lecture refaite donnerait, apres un changement des tables comme a la borne d'imbrication.
// Ces cas ne se voient pas tous depuis la ligne de commande : la profondeur d'un point du texte
// y est toujours la meme, et une declaration n'est jamais relue.
#include "Commun.h"

#include "ecriture/Ecrivain.h"
#include "expressions/Numerique.h"
#include "relecture/Essai.h"
#include "symbols/Symboles.h"
#include "types/TypesCodes.h"

using namespace nsTramelo;
using nsTest::Charger;
using nsTest::Erreur;

TEST (Relecture, LeTypeFixeDUnTableauInvalideCeQuiEstRetenu)
{
    Charger ("t [0]");
    AjouterTab ("t", 2, nsTest::Declarer ("t"));
    IdExpr s;
    unsigned Type;
    // Pendant sa denotation, le tableau n'a pas de type : echec 135, retenu et prevu.
    EXPECT_FALSE (Essayer ([&] { s = ExtraireExprNumerique (Type); }));
    EXPECT_FALSE (EssayerNumerique (s, Type));
    FixerTypeTab (TTableau | TEntier);
    EXPECT_TRUE (EssayerNumerique (s, Type));
    EXPECT_EQ (Ecrivain->Texte (s), "t.at (0)");
    EXPECT_EQ (Type, TEntier);
}

TEST (Relecture, LaFinDUnBlocInvalideCeQuiEstRetenu)
{
    Charger ("x");
    AjouterVar ("x", TCaractere, 2, nsTest::Declarer ("x"));
    AjouterVar ("x", TEntier, 3, nsTest::Declarer ("x"));
    IdExpr s;
    // Le x du bloc interieur est un entier : la forme caractere echoue, c'est prevu.
    EXPECT_FALSE (EssayerCaractere (s));
    DepilerDecl (3);
    EXPECT_TRUE (EssayerCaractere (s));
    EXPECT_EQ (Ecrivain->Texte (s), "x");
}

TEST (Relecture, ALaBorneUnIndiceManquantLeve147)
{
    Charger ("t )");
    AjouterTab ("t", 2, nsTest::Declarer ("t"));
    FixerTypeTab (TTableau | TCaractere);
    IdExpr s;
    EXPECT_FALSE (EssayerCaractere (s));
    // Au niveau maximal, l'indice ouvrirait un niveau de trop : 147 passe avant le [ manquant.
    Imbrication = MaxImbrication;
    EXPECT_EQ (Erreur ([&] { EssayerCaractere (s); }).Code, 147u);
}

TEST (Relecture, ALaBorneUneParentheseDejaEnEchecLeve147)
{
    Charger ("(x)");
    AjouterVar ("x", TEntier, 2, nsTest::Declarer ("x"));
    IdExpr s;
    // x est numerique : le contenu de la parenthese echoue comme booleenne, et c'est retenu.
    EXPECT_FALSE (EssayerFacteurCompare (s));
    EXPECT_FALSE (EssayerFacteurCompare (s));
    Imbrication = MaxImbrication;
    EXPECT_EQ (Erreur ([&] { EssayerFacteurCompare (s); }).Code, 147u);
}

TEST (Relecture, UnEchecRejoueLaisseLaPositionDeLEchec)
{
    Charger ("x + )");
    AjouterVar ("x", TEntier, 2, nsTest::Declarer ("x"));
    IdExpr s;
    unsigned Type;
    const auto Lire = [&] { s = ExtraireExprNumerique (Type); };
    // Sans retour, comme la denotation d'un tableau : la position est celle de l'erreur.
    EXPECT_FALSE (Essayer (Lire, 0, false));
    const std::size_t Fin = fi.Tellg ();
    EXPECT_EQ (Fin, 4u);
    fi.Seekg (0);
    EXPECT_FALSE (Essayer (Lire, 0, false));
    EXPECT_EQ (fi.Tellg (), Fin);
}
