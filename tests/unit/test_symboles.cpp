// Tables de symboles : la derniere declaration gagne, l'ordre des sortes prime sur le niveau,
// et la fin d'un bloc retire exactement ses declarations.
#include "Commun.h"

#include "symbols/Symboles.h"
#include "types/TypesCodes.h"

using namespace nsTramelo;
using nsTest::Charger;

namespace
{
    class Symboles : public ::testing::Test
    {
      protected :
        void SetUp () override
        {
            Charger ("");
            AjouterCst ("vrai", TBooleen, 0, Aucun);
            AjouterCst ("faux", TBooleen, 0, Aucun);
        }
    };

    void VerifierParalleles ()
    {
        EXPECT_EQ (VIdentVar.size (), VTypesVar.size ());
        EXPECT_EQ (VIdentVar.size (), VNivBlocVar.size ());
        EXPECT_EQ (VIdentCst.size (), VTypesCst.size ());
        EXPECT_EQ (VIdentCst.size (), VNivBlocCst.size ());
        EXPECT_EQ (VIdentTab.size (), VTypesTab.size ());
        EXPECT_EQ (VIdentTab.size (), VNivBlocTab.size ());
        EXPECT_EQ (VIdentParamFormel.size (), VTypesParamFormel.size ());
        EXPECT_EQ (VIdentParamFormel.size (), VInOutParamFormel.size ());
        EXPECT_EQ (VIdentParamFormel.size (), VNivBlocParamFormel.size ());
    }
}

TEST_F (Symboles, FindRevRendLaDerniereEntree)
{
    AjouterVar ("i", TEntierNaturel, 2, Aucun);
    AjouterVar ("n", TReel, 2, Aucun);
    AjouterVar ("i", TEntier, 3, Aucun);
    EXPECT_EQ (FindRev (VIdentVar, "i"), 3u);
    EXPECT_EQ (FindRev (VIdentVar, "n"), 2u);
    EXPECT_EQ (FindRev (VIdentVar, "absent"), VIdentVar.size ());
    EXPECT_EQ (GetTypeIdent ("i"), TEntier);
    // Fin du bloc interieur : la declaration exterieure revient.
    DepilerDecl (3);
    EXPECT_EQ (FindRev (VIdentVar, "i"), 1u);
    EXPECT_EQ (GetTypeIdent ("i"), TEntierNaturel);
    DepilerDecl (2);
    EXPECT_EQ (FindRev (VIdentVar, "i"), VIdentVar.size ());
    EXPECT_FALSE (IsIdentVar ("i"));
    EXPECT_EQ (GetTypeIdent ("i"), 0u);
}

TEST_F (Symboles, GetTypeIdentOrdreDesSortesAvantLeNiveau)
{
    // Un parametre nomme vrai ne masque pas la constante predeclaree.
    ++NivBloc;
    AjouterParamFormel ("vrai", 0, TEntier, NivBloc, Aucun);
    EXPECT_EQ (GetTypeIdent ("vrai"), TBooleen);

    // Constante avant variable, quel que soit leur niveau.
    AjouterCst ("x", TEntier, 1, Aucun);
    AjouterVar ("x", TReel, 3, Aucun);
    EXPECT_EQ (GetTypeIdent ("x"), TEntier);

    // Variable, puis tableau, puis parametre, puis fonction declaree, puis fonction standard.
    AjouterParamFormel ("p", 1, TCaractere, 1, Aucun);
    AjouterTab ("p", 2, Aucun);
    FixerTypeTab (TTableau | TReel);
    EXPECT_EQ (GetTypeIdent ("p"), TTableau | TReel);
    AjouterVar ("p", TString, 3, Aucun);
    EXPECT_EQ (GetTypeIdent ("p"), TString);

    AjouterParamsFct ({});
    AjouterFct ("f", TReel, Aucun);
    EXPECT_EQ (GetTypeIdent ("f"), TReel);
    AjouterParamFormel ("f", 0, TBooleen, 1, Aucun);
    EXPECT_EQ (GetTypeIdent ("f"), TBooleen);

    AjouterParamsFct ({});
    AjouterFct ("taille", TString, Aucun);
    EXPECT_EQ (GetTypeIdent ("taille"), TString);

    // Un nom de procedure, comme un inconnu, n'a pas de type.
    AjouterParamsProc ({});
    AjouterProc ("proc", Aucun);
    EXPECT_TRUE (IsIdentProc ("proc"));
    EXPECT_TRUE (IsIdentSsProgr ("proc"));
    EXPECT_TRUE (IsIdentSsProgr ("f"));
    EXPECT_FALSE (IsIdentSsProgr ("p"));
    EXPECT_EQ (GetTypeIdent ("proc"), 0u);
    VerifierParalleles ();
}

TEST_F (Symboles, DepilerDeclRetireExactementLeNiveau)
{
    AjouterVar ("a", TEntier, 1, Aucun);
    AjouterVar ("b", TEntier, 2, Aucun);
    AjouterVar ("c", TEntier, 2, Aucun);
    AjouterCst ("k", TEntier, 2, Aucun);
    AjouterTab ("t", 2, Aucun);
    FixerTypeTab (TTableau | TEntier);
    AjouterParamFormel ("p", 2, TReel, 1, Aucun);
    AjouterParamFormel ("q", 0, TReel, 2, Aucun);
    AjouterParamsProc ({});
    AjouterProc ("proc", Aucun);
    AjouterParamsFct ({});
    AjouterFct ("fct", TEntier, Aucun);

    DepilerDecl (2);
    // Variables aux niveaux 0, 1, 2, 2 : restent celles des niveaux 0 et 1.
    EXPECT_EQ (VIdentVar, (CVString_t { "", "a" }));
    EXPECT_EQ (VIdentCst, (CVString_t { "", "vrai", "faux" }));
    EXPECT_EQ (VIdentTab, (CVString_t { "" }));
    EXPECT_EQ (VIdentParamFormel, (CVString_t { "", "p" }));
    EXPECT_EQ (VInOutParamFormel, (CVUInt_t { 0, 2 }));
    EXPECT_TRUE (IsIdentProc ("proc"));
    EXPECT_TRUE (IsIdentFct ("fct"));
    VerifierParalleles ();

    // Rien au niveau demande : rien ne bouge.
    DepilerDecl (5);
    EXPECT_EQ (VIdentVar.size (), 2u);

    DepilerDecl (1);
    EXPECT_EQ (VIdentVar, (CVString_t { "" }));
    EXPECT_EQ (VIdentParamFormel, (CVString_t { "" }));
    // Les constantes de niveau 0 et les unites restent toute la traduction.
    EXPECT_EQ (VIdentCst, (CVString_t { "", "vrai", "faux" }));
    EXPECT_EQ (VIdentProc, (CVString_t { "proc" }));
    VerifierParalleles ();
}
