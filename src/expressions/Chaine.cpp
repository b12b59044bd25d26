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
        if (c == '(')
        {
            CImbrication Niveau;
            LireCarNonBlanc ();
            std::string Expr;
            ExtraireExprString (Expr);
            ValidCar (')');
            s = " (" + Expr + ")";
            return s;
        }
        if (c == '"') return ExtraireLitteralChaine (s);
        std::string Nom;
        ExtraireIdentForce (Nom);
        std::size_t Pos;
        std::string Indice;
        if (IsIdentVar (Nom) || IsIdentCst (Nom))
        {
            VerifType (GetTypeIdent (Nom), TString, true);
            return s = Nom;
        }
        if (IsIdentTab (Nom))
        {
            VerifType (GetTypeElem (GetTypeIdent (Nom)), TString, true);
            return s = Nom + ExtraireIndice (Indice);
        }
        if ((Pos = FindRev (VIdentParamFormel, Nom)) != VIdentParamFormel.size ())
        {
            if (IsTypeTableau (VTypesParamFormel [Pos]))
            {
                VerifType (GetTypeElem (GetTypeIdent (Nom)), TString, true);
                return s = Nom + ExtraireIndice (Indice);
            }
            VerifType (GetTypeIdent (Nom), TString, true);
            return s = Nom;
        }
        if ((Pos = FindRev (VIdentFct, Nom)) != VIdentFct.size ())
        {
            VerifType (VTypesFct [Pos], TString, true);
            return ExtraireAppelFonction (Pos, s);
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
            if (IsFonction (Nom))
            {
                if (GetTypeIdent (Nom) != TCaractere) throw CExcTramelo (EMsg::ExprCaractere);
                return ExtraireFctStandard (Nom, s);
            }
            if (IsIdentFct (Nom))
            {
                if (GetTypeIdent (Nom) != TCaractere) throw CExcTramelo (EMsg::ExprCaractere);
                return ExtraireAppelFonction (FindRev (VIdentFct, Nom), s);
            }
            const unsigned Type = GetTypeIdent (Nom);
            if (GetTypeElem (Type) != TCaractere) throw CExcTramelo (EMsg::ExprCaractere);
            bool Indexe = IsIdentTab (Nom) || Type == TString;
            if (! Indexe)
            {
                const std::size_t Pos = FindRev (VIdentParamFormel, Nom);
                Indexe = Pos != VIdentParamFormel.size ()
                      && (IsTypeTableau (VTypesParamFormel [Pos]) || VTypesParamFormel [Pos] == TString);
            }
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
