#include "units/Declarations.h"

#include "ecriture/Ecrivain.h"
#include "expressions/Booleenne.h"
#include "expressions/Chaine.h"
#include "expressions/Numerique.h"
#include "modele/Construction.h"
#include "scanner/Scanner.h"
#include "symbols/Symboles.h"
#include "symbols/Vocabulaire.h"
#include "types/Denotations.h"
#include "types/TypesCodes.h"
#include "util/CExcTramelo.h"


using nsUtil::EMsg;

namespace nsTramelo
{
    // declarer ::= declarer nom : [constante type <- valeur | type] ;
    void TraiterDeclarer ()
    {
        Construction.Genre (EInstr::Declarer);
        std::string Nom;
        ExtraireIdentForce (Nom);
        TestIdentNonNomCpp (Nom);
        if (IsIdentVar (Nom) || IsIdentCst (Nom) || IsIdentTab (Nom) || IsIdentParamFormel (Nom))
            throw CExcTramelo (EMsg::DoubleDeclaration, Nom);
        Construction.Declarer (Nom, ENature::Variable, NivBloc);
        const IdDecl Decl = Construction.DerniereDeclaration ();
        Construction.FixerDecl (Decl);
        ValidCar (':');
        std::string Mot;
        ExtraireIdentForce (Mot);
        unsigned Type;
        IdExpr Taille = Aucun, Valeur = Aucun;
        const bool Constante = Mot == "constante";
        if (Constante)
        {
            ExtraireIdentForce (Mot);
            if (Mot == "tableau_de") throw CExcTramelo (EMsg::TableauConstant, Nom);
            // Une constante dimensionnee donnerait une ligne que le C++ refuse.
            if (Mot == "string_de") throw CExcTramelo (EMsg::TypeDeBaseAttendu, Mot);
            const unsigned TypeCst = GetType (Mot);
            AjouterCst (Nom, TypeCst, NivBloc, Decl);
            Construction.Preciser (ENature::Constante, TypeCst);
            TraiterType (Mot, Type, Taille, true);
            ValidCar ('<');
            ValidCar ('-');
            unsigned TypeVal;
            if (IsTypeNumerique (TypeCst)) Valeur = ExtraireExprNumerique (TypeVal);
            else if (TypeCst == TBooleen) Valeur = ExtraireExprBooleenne ();
            else if (TypeCst == TCaractere) Valeur = ExtraireExprCaractere ();
            else Valeur = ExtraireExprString ();
            Construction.FixerValeur (Valeur);
            Construction.AjouterExpr (Valeur);
        }
        else if (Mot == "tableau_de")
        {
            AjouterTab (Nom, NivBloc, Decl);
            TraiterType (Mot, Type, Taille, true);
            FixerTypeTab (Type);
            Construction.Preciser (ENature::Tableau, Type);
        }
        else
        {
            AjouterVar (Nom, GetType (Mot), NivBloc, Decl);
            TraiterType (Mot, Type, Taille, true);
            Construction.Preciser (ENature::Variable, Type);
        }
        if (Taille != Aucun)
        {
            Construction.FixerTaille (Taille);
            Construction.AjouterExpr (Taille);
        }
        ValidCar (';');
        Ecrivain->Declarer (Construction.M.Declarations [Decl], Constante, Taille, Valeur);
    }
}
