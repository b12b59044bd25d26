#include "expressions/Chaine.h"

#include "expressions/Expression.h"
#include "expressions/FctStandard.h"
#include "expressions/ParamEffectifs.h"
#include "expressions/Prediction.h"
#include "scanner/Litteraux.h"
#include "scanner/Relecture.h"
#include "scanner/Scanner.h"
#include "symbols/Symboles.h"
#include "symbols/Vocabulaire.h"
#include "types/TypesCodes.h"
#include "util/CExcTramelo.h"

using nsUtil::EMsg;

namespace nsTramelo
{
    bool IsCaractereIndexe (unsigned Type, const SResolution & R)
    {
        return R.IsTab () || Type == TString
            || (R.IsParam () && (IsTypeTableau (VTypesParamFormel [R.Param])
                                 || VTypesParamFormel [R.Param] == TString));
    }

    // string ::= facteur_string { + (caractere | facteur_string) }
    std::string & ExtraireExprString (std::string & s)
    {
        unsigned Inutilise = TString;
        return Memoriser (ELecteur::String, s, Inutilise, [] (std::string & s, unsigned &) -> std::string &
        {
            ExtraireFacteurString (s);
            while (SkipSpaces () == '+')
            {
                LireCarNonBlanc ();
                std::string Operande;
                if (EchecCertainCaractere ()
                    || Essayer ([&] { ExtraireExprCaractere (Operande); }, nsUtil::GetCode (EMsg::QuoteAttendue)))
                    ExtraireFacteurString (Operande);
                s += " + " + Operande;
            }
            return s;
        });
    }

    // facteur_string ::= ( string ) | litteral_chaine | variable | constante | tableau indice
    //                  | parametre [indice] | fonction [parametres_effectifs]
    std::string & ExtraireFacteurString (std::string & s)
    {
        char c;
        TestFinInopineeCode (c);
        if (c == '(') return s = LireParenthese ([] (std::string & Expr) { ExtraireExprString (Expr); });
        if (c == '"') return ExtraireLitteralChaine (s);
        std::string Nom;
        ExtraireIdentForce (Nom);
        std::string Indice;
        const SResolution R = Resoudre (Nom);
        if (R.IsVar () || R.IsCst ())
        {
            VerifType (GetTypeIdent (Nom, R), TString, true);
            return s = Nom;
        }
        if (R.IsTab ())
        {
            VerifType (GetTypeElem (GetTypeIdent (Nom, R)), TString, true);
            return s = Nom + ExtraireIndice (Indice);
        }
        if (R.IsParam ())
        {
            if (IsTypeTableau (VTypesParamFormel [R.Param]))
            {
                VerifType (GetTypeElem (GetTypeIdent (Nom, R)), TString, true);
                return s = Nom + ExtraireIndice (Indice);
            }
            VerifType (GetTypeIdent (Nom, R), TString, true);
            return s = Nom;
        }
        if (R.IsFct ())
        {
            VerifType (VTypesFct [R.Fct], TString, true);
            return ExtraireAppelFonction (R.Fct, s);
        }
        throw CExcTramelo (EMsg::ExprString);
    }

    // caractere ::= litteral_caractere | fonction_standard ( ... ) | fonction [parametres_effectifs]
    //             | nom [indice]   (caractere, element d'un tableau de caracteres ou d'une chaine)
    std::string & ExtraireExprCaractere (std::string & s)
    {
        unsigned Inutilise = TCaractere;
        return Memoriser (ELecteur::Caractere, s, Inutilise, [] (std::string & s, unsigned &) -> std::string &
        {
            if (SkipSpaces () == '\'') return ExtraireLitteralCaractere (s);
            std::string Nom;
            ExtraireIdentForce (Nom);
            const SResolution R = Resoudre (Nom);
            if (IsFonction (Nom))
            {
                if (GetTypeIdent (Nom, R) != TCaractere) throw CExcTramelo (EMsg::ExprCaractere);
                return ExtraireFctStandard (Nom, s);
            }
            if (R.IsFct ())
            {
                if (GetTypeIdent (Nom, R) != TCaractere) throw CExcTramelo (EMsg::ExprCaractere);
                return ExtraireAppelFonction (R.Fct, s);
            }
            const unsigned Type = GetTypeIdent (Nom, R);
            if (GetTypeElem (Type) != TCaractere) throw CExcTramelo (EMsg::ExprCaractere);
            const bool Indexe = IsCaractereIndexe (Type, R);
            s = Nom;
            if (Indexe)
            {
                std::string Indice;
                s += ExtraireIndice (Indice);
            }
            return s;
        });
    }
}
