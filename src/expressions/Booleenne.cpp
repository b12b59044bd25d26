#include "expressions/Booleenne.h"

#include "controles/Controles.h"
#include "expressions/Chaine.h"
#include "expressions/Expression.h"
#include "expressions/Numerique.h"
#include "symbols/Vocabulaire.h"
#include "types/TypesCodes.h"
#include "util/CExcTramelo.h"

using nsUtil::EMsg;

namespace nsTramelo
{
    namespace
    {
        const char * TexteConnecteur (const std::string & Mot)
        {
            if (Mot == "ET") return " & ";
            if (Mot == "OU") return " | ";
            if (Mot == "ET_ALORS") return " && ";
            if (Mot == "OU_SINON") return " || ";
            return nullptr;
        }

        // vaut | ne_vaut_pas, lu apres un v ou un n
        const char * LireRelIdent ()
        {
            std::string Mot;
            ExtraireIdent (Mot);
            if (! IsRelIdent (Mot)) throw CExcTramelo (EMsg::ExprBooleenne);
            return Mot == "vaut" ? " == " : " != ";
        }
    }

    // booleenne ::= terme { (ET | OU | ET_ALORS | OU_SINON) terme }
    std::string & ExtraireExprBooleenne (std::string & s)
    {
        return Memoriser (ELecteur::Booleenne, s, [] (std::string & s) -> std::string &
        {
            std::string Terme;
            s = ExtraireTermeBooleen (Terme);
            for (char c; (c = SkipSpaces ()) == 'E' || c == 'O'; )
            {
                std::string Mot;
                ExtraireIdent (Mot);
                const char * Op = TexteConnecteur (Mot);
                if (! Op)
                {
                    RemettreIdentDansFlux (Mot);
                    break;
                }
                s += Op + ExtraireTermeBooleen (Terme);
            }
            return s;
        });
    }

    // operande_gauche ::= caractere | string | numerique
    unsigned ExtraireOperandeGauche (std::string & s)
    {
        if (EssayerCaractere (s)) return TCaractere;
        if (EssayerString (s)) return TString;
        unsigned Type;
        ExtraireExprNumerique (s, Type);
        return Type;
    }

    // terme ::= facteur_compare
    //         | operande (vaut | ne_vaut_pas | < | <= | > | >=) operande
    //   ou l'operande gauche est un caractere, une chaine ou un nombre, le droit du meme genre
    std::string & ExtraireTermeBooleen (std::string & s)
    {
        // 1. un facteur booleen, compare ou non a un autre
        if (EssayerFacteurCompare (s)) return s;
        // 2. sinon l'operande gauche, caractere, chaine ou nombre
        std::string Gauche;
        const unsigned TypeGauche = ExtraireOperandeGauche (Gauche);
        // 3. l'operateur de comparaison
        std::string Op;
        const char c = SkipSpaces ();
        if (c == 'v' || c == 'n') Op = LireRelIdent ();
        else if (c == '<' || c == '>')
        {
            Op = std::string (" ") + LireCarNonBlanc ();
            char Suivant;
            if (fi.Get (Suivant))
            {
                if (Suivant == '=') Op += Suivant;
                else fi.Unget ();
            }
            Op += ' ';
        }
        else throw CExcTramelo (EMsg::ExprBooleenne);
        // 4. l'operande droit, du genre du gauche
        std::string Droite;
        unsigned TypeDroite = TAucun;
        if (TypeGauche == TCaractere) ExtraireExprCaractere (Droite);
        else if (TypeGauche == TString) ExtraireExprString (Droite);
        else ExtraireExprNumerique (Droite, TypeDroite);
        if (ProfilVerifie) s = Comparaison (Gauche, TypeGauche, Op, Droite, TypeDroite);
        else s = Gauche + Op + Droite;
        return s;
    }

    // facteur_compare ::= facteur [(vaut | ne_vaut_pas) facteur]
    std::string & ExtraireFacteurCompare (std::string & s)
    {
        std::string Gauche;
        s = ExtraireFacteurBooleen (Gauche);
        const char c = SkipSpaces ();
        if (c != 'v' && c != 'n') return s;
        const char * Op = LireRelIdent ();
        std::string Droite;
        s += Op + ExtraireFacteurBooleen (Droite);
        return s;
    }

    // facteur ::= ( booleenne ) | NON facteur | vrai | faux | variable | constante
    //           | tableau indice | parametre [indice] | fonction [parametres_effectifs]
    std::string & ExtraireFacteurBooleen (std::string & s)
    {
        char c;
        TestFinInopineeCode (c);
        if (c == '(') return s = LireParenthese ([] (std::string & Expr) { ExtraireExprBooleenne (Expr); });
        if (! IsLettre (c)) throw CExcTramelo (EMsg::ExprBooleenne);
        std::string Nom;
        ExtraireIdentForce (Nom);
        if (Nom == "NON")
        {
            CImbrication Niveau;
            std::string Facteur;
            return s = "! " + ExtraireFacteurBooleen (Facteur);
        }
        if (Nom == "vrai") return s = "true";
        if (Nom == "faux") return s = "false";
        ExtraireSuiteNom (Nom, EForme::Booleen, s);
        return s;
    }

    // condition ::= booleenne, sans mot en E ou O derriere
    std::string & TraiterCondition (std::string & s)
    {
        std::string Expr;
        s += ExtraireExprBooleenne (Expr);
        const char c = SkipSpaces ();
        if (c == 'E' || c == 'O')
        {
            std::string Mot;
            throw CExcTramelo (EMsg::ConnecteurAttendu, ExtraireIdent (Mot));
        }
        return s;
    }

    // condition_parenthesee ::= ( condition )
    std::string LireConditionParenthesee ()
    {
        std::string Condition;
        ValidCar ('(');
        TraiterCondition (Condition);
        ValidCar (')');
        return Condition;
    }
}
