#include "expressions/ParamEffectifs.h"

#include "controles/Controles.h"
#include "expressions/Expression.h"
#include "relecture/Essai.h"
#include "scanner/Scanner.h"
#include "types/TypesCodes.h"
#include "util/CExcTramelo.h"

using nsUtil::EMsg;

namespace nsTramelo
{
    // parametres_effectifs ::= ( parametre { , parametre } )   (rien pour une liste formelle vide)
    std::string & ExtraireListeParamEffectifs (const CVParamFormel & Params, std::string & Liste)
    {
        if (Params.empty ()) return Liste;
        CImbrication Niveau;
        ValidCar ('(');
        std::string Un;
        for (std::size_t i = 0; i + 1 < Params.size (); ++i)
        {
            Liste += ExtraireParamEffectif (Params [i], Un) + ", ";
            ValidCar (',');
        }
        Liste += ExtraireParamEffectif (Params.back (), Un);
        ValidCar (')');
        return Liste;
    }

    namespace
    {
        // Fin du litteral C++ commencant en i (guillemet ou apostrophe), echappements compris.
        std::size_t FinLitteral (const std::string & T, std::size_t i)
        {
            const char Quote = T [i];
            for (++i; i < T.size () && T [i] != Quote; ++i)
                if (T [i] == '\\') ++i;
            return i;
        }
    }

    bool IsReferencable (const std::string & Texte)
    {
        std::size_t i = 0;
        if (Texte.empty () || ! IsLettre (Texte [0])) return false;
        while (i < Texte.size () && IsAlnum (Texte [i])) ++i;
        // Un objet modifiable, hors variable de pour.
        const SResolution R = Resoudre (Texte.substr (0, i));
        const unsigned Type = R.IsVar () && VBoucleVar [R.Var] ? 0 : TypeModifiable (R);
        if (Type == 0) return false;
        if (i == Texte.size ()) return true;
        // Sinon un seul element : nom.at (indice), et rien apres la parenthese fermante.
        static const std::string At = ".at (";
        if (Texte.compare (i, At.size (), At) != 0) return false;
        if (! IsTypeTableau (Type) && Type != TString) return false;
        // Un element de vector <bool> n'est qu'un mandataire, pas un bool.
        if (IsTypeTableau (Type) && GetTypeElem (Type) == TBooleen) return false;
        int Profondeur = 1;
        for (i += At.size (); i < Texte.size (); ++i)
        {
            const char c = Texte [i];
            if (c == '"' || c == '\'') i = FinLitteral (Texte, i);
            else if (c == '(') ++Profondeur;
            else if (c == ')' && --Profondeur == 0) return i + 1 == Texte.size ();
        }
        return false;
    }

    // parametre ::= expression | nom de tableau (pour un tableau en entree)
    std::string & ExtraireParamEffectif (const CParamFormel & Param, std::string & s)
    {
        const unsigned TypeFormel = Param.GetType ();
        if (Param.GetInOut () == ModeIn && IsTypeTableau (TypeFormel))
        {
            ExtraireIdentForce (s);
            const SResolution R = Resoudre (s);
            unsigned TypeEffectif;
            if (R.IsTab ()) TypeEffectif = TypeTab (R.Tab);
            else if (R.IsParam () && IsTypeTableau (VTypesParamFormel [R.Param]))
                TypeEffectif = VTypesParamFormel [R.Param];
            else throw CExcTramelo (EMsg::ParametreInvalide, s);
            // Un vector ne se convertit pas en vector d'un autre type d'element.
            VerifType (GetTypeElem (TypeEffectif), GetTypeElem (TypeFormel), true);
            return s;
        }
        unsigned Type;
        const std::size_t Pos = PositionControlee ();
        ExtraireExpression (s, Type);
        if (Param.GetInOut () == ModeIn)
        {
            VerifType (Type, TypeFormel, false);
            if (ProfilVerifie) s = Convertir (s, Type, TypeFormel, Pos);
            return s;
        }
        // out et in_out : la reference C++ exige un objet, et exactement du type formel.
        if (! IsReferencable (s)) throw CExcTramelo (EMsg::ParametreInvalide, s);
        VerifType (Type, TypeFormel, true);
        return s;
    }

    std::string & ExtraireAppelFonction (std::size_t Pos, std::string & s)
    {
        // Les listes ne changent pas pendant la lecture d'un appel : pas besoin de copie.
        const CVParamFormel & Params = VVParamFormelsFct [Pos];
        std::string Liste;
        ExtraireListeParamEffectifs (Params, Liste);
        s = VIdentFct [Pos] + " (" + Liste + ")";
        return s;
    }
}
