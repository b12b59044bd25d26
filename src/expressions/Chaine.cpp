#include "expressions/Chaine.h"

#include "expressions/Expression.h"
#include "scanner/Litteraux.h"
#include "types/TypesCodes.h"
#include "util/CExcTramelo.h"

namespace nsTramelo
{
    // string ::= facteur_string { + (caractere | facteur_string) }
    IdExpr ExtraireExprString ()
    {
        return Memoriser (ELecteur::String, [] () -> IdExpr
        {
            const IdExpr Premier = ExtraireFacteurString ();
            CConstructeur::CEnfants E (Construction);
            E.Ajouter (Premier);
            for (char c; (c = SkipSpaces ()) == '+'; )
            {
                E.Operateur (EOperateur::Plus, GetPosLecture ());
                LireCarNonBlanc ();
                IdExpr Operande;
                if (! EssayerCaractere (Operande)) Operande = ExtraireFacteurString ();
                E.Ajouter (Operande);
            }
            if (E.Nb () == 1) return Premier;
            return Construction.Operation (TString, Construction.Expr (Premier).Plage.Debut, GetPosLecture (), E);
        });
    }

    // facteur_string ::= ( string ) | litteral_chaine | variable | constante | tableau indice
    //                  | parametre [indice] | fonction [parametres_effectifs]
    IdExpr ExtraireFacteurString ()
    {
        char c;
        TestFinInopineeCode (c);
        const std::size_t Debut = GetPosLecture ();
        if (c == '(') return LireParenthese ([] { return ExtraireExprString (); }, TString);
        if (c == '"') return ExtraireLitteralChaine ();
        std::string Nom;
        return ExtraireSuiteNom (ExtraireIdentForce (Nom), EForme::String, Debut);
    }

    // caractere ::= litteral_caractere | fonction_standard ( ... ) | fonction [parametres_effectifs]
    //             | nom [indice]   (caractere, element d'un tableau de caracteres ou d'une chaine)
    IdExpr ExtraireExprCaractere ()
    {
        return Memoriser (ELecteur::Caractere, [] () -> IdExpr
        {
            const char c = SkipSpaces ();
            if (c == '\'') return ExtraireLitteralCaractere ();
            const std::size_t Debut = GetPosLecture ();
            std::string Nom;
            return ExtraireSuiteNom (ExtraireIdentForce (Nom), EForme::Caractere, Debut);
        });
    }
}
