#include "expressions/Chaine.h"

#include "expressions/Expression.h"
#include "scanner/Litteraux.h"
#include "util/CExcTramelo.h"

namespace nsTramelo
{
    // string ::= facteur_string { + (caractere | facteur_string) }
    std::string & ExtraireExprString (std::string & s)
    {
        return Memoriser (ELecteur::String, s, [] (std::string & s) -> std::string &
        {
            ExtraireFacteurString (s);
            while (LireCarSi ('+'))
            {
                std::string Operande;
                if (! EssayerCaractere (Operande)) ExtraireFacteurString (Operande);
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
        ExtraireSuiteNom (ExtraireIdentForce (Nom), EForme::String, s);
        return s;
    }

    // caractere ::= litteral_caractere | fonction_standard ( ... ) | fonction [parametres_effectifs]
    //             | nom [indice]   (caractere, element d'un tableau de caracteres ou d'une chaine)
    std::string & ExtraireExprCaractere (std::string & s)
    {
        return Memoriser (ELecteur::Caractere, s, [] (std::string & s) -> std::string &
        {
            if (SkipSpaces () == '\'') return ExtraireLitteralCaractere (s);
            std::string Nom;
            ExtraireSuiteNom (ExtraireIdentForce (Nom), EForme::Caractere, s);
            return s;
        });
    }
}
