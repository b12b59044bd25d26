#include "expressions/ParamEffectifs.h"

#include "ecriture/Ecrivain.h"
#include "expressions/Expression.h"
#include "relecture/Essai.h"
#include "scanner/Scanner.h"
#include "types/TypesCodes.h"
#include "util/CExcTramelo.h"

using nsUtil::EMsg;

namespace nsTramelo
{
    // parametres_effectifs ::= ( parametre { , parametre } )   (rien pour une liste formelle vide)
    void ExtraireListeParamEffectifs (const CVParamFormel & Params, CConstructeur::CEnfants & Args)
    {
        if (Params.empty ()) return;
        CImbrication Niveau;
        ValidCar ('(');
        for (std::size_t i = 0; i + 1 < Params.size (); ++i)
        {
            Args.Ajouter (ExtraireParamEffectif (Params [i]));
            ValidCar (',');
        }
        Args.Ajouter (ExtraireParamEffectif (Params.back ()));
        ValidCar (')');
    }

    bool IsReferencable (IdExpr Id)
    {
        const SExpr & E = Construction.Expr (Id);
        if (E.Genre != EExpr::Nom && E.Genre != EExpr::Element) return false;
        // Un objet modifiable, hors variable de pour.
        const SResolution R = Resoudre (Construction.M.Declarations [E.Ref].Nom);
        const unsigned Type = R.IsVar () && VBoucleVar [R.Var] ? 0 : TypeModifiable (R);
        if (Type == 0) return false;
        if (E.Genre == EExpr::Nom) return true;
        // Sinon un seul element, d'un tableau ou d'une chaine ; un element de vector <bool>
        // n'est qu'un mandataire, pas un bool.
        if (! IsTypeTableau (Type) && Type != TString) return false;
        return ! (IsTypeTableau (Type) && GetTypeElem (Type) == TBooleen);
    }

    // parametre ::= expression | nom de tableau (pour un tableau en entree)
    IdExpr ExtraireParamEffectif (const CParamFormel & Param)
    {
        const unsigned TypeFormel = Param.GetType ();
        if (Param.GetInOut () == ModeIn && IsTypeTableau (TypeFormel))
        {
            std::string s;
            ExtraireIdentForce (s);
            const std::size_t Fin = GetPosLecture ();
            const SResolution R = Resoudre (s);
            unsigned TypeEffectif;
            IdDecl Decl;
            if (R.IsTab ())
            {
                TypeEffectif = TypeTab (R.Tab);
                Decl = VDeclTab [R.Tab];
            }
            else if (R.IsParam () && IsTypeTableau (VTypesParamFormel [R.Param]))
            {
                TypeEffectif = VTypesParamFormel [R.Param];
                Decl = VDeclParamFormel [R.Param];
            }
            else throw CExcTramelo (EMsg::ParametreInvalide, s);
            // Un vector ne se convertit pas en vector d'un autre type d'element.
            VerifType (GetTypeElem (TypeEffectif), GetTypeElem (TypeFormel), true);
            return Construction.Nouvelle (EExpr::Nom, TypeEffectif, Fin - s.size (), Fin, Decl);
        }
        unsigned Type;
        const IdExpr E = ExtraireExpression (Type);
        if (Param.GetInOut () == ModeIn)
        {
            VerifType (Type, TypeFormel, false);
            return E;
        }
        // out et in_out : la reference C++ exige un objet, et exactement du type formel.
        if (! IsReferencable (E)) throw CExcTramelo (EMsg::ParametreInvalide, Ecrivain->Texte (E));
        VerifType (Type, TypeFormel, true);
        return E;
    }

    IdExpr ExtraireAppelFonction (std::size_t Pos, std::size_t Debut)
    {
        // Les listes ne changent pas pendant la lecture d'un appel : pas besoin de copie.
        const CVParamFormel & Params = VVParamFormelsFct [Pos];
        CConstructeur::CEnfants Args (Construction);
        ExtraireListeParamEffectifs (Params, Args);
        return Construction.Nouvelle (EExpr::Appel, VTypesFct [Pos], Debut, GetPosLecture (), VDeclFct [Pos], 0, & Args);
    }
}
