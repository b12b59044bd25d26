#include "expressions/Booleenne.h"

#include "expressions/Chaine.h"
#include "expressions/Expression.h"
#include "expressions/Numerique.h"
#include "expressions/ParamEffectifs.h"
#include "expressions/Prediction.h"
#include "scanner/Relecture.h"
#include "scanner/Scanner.h"
#include "scanner/Source.h"
#include "symbols/Symboles.h"
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

        void VerifBooleen (unsigned Type) { VerifType (Type, TBooleen, true); }
    }

    // booleenne ::= terme { (ET | OU | ET_ALORS | OU_SINON) terme }
    std::string & ExtraireExprBooleenne (std::string & s)
    {
        unsigned Inutilise = TBooleen;
        return Memoriser (ELecteur::Booleenne, s, Inutilise, [] (std::string & s, unsigned &) -> std::string &
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

    unsigned ExtraireOperandeGauche (std::string & s)
    {
        if (! EchecCertainCaractere ()
            && ! Essayer ([&] { ExtraireExprCaractere (s); }, nsUtil::GetCode (EMsg::QuoteAttendue)))
            return TCaractere;
        if (! EchecCertainString ()
            && ! Essayer ([&] { ExtraireExprString (s); }, nsUtil::GetCode (EMsg::GuillemetAttendu)))
            return TString;
        unsigned Type;
        ExtraireExprNumerique (s, Type);
        return Type;
    }

    // terme ::= facteur [(vaut | ne_vaut_pas) facteur]
    //         | operande (vaut | ne_vaut_pas | < | <= | > | >=) operande
    //   ou l'operande gauche est un caractere, une chaine ou un nombre, le droit du meme genre
    std::string & ExtraireTermeBooleen (std::string & s)
    {
        const bool EchecFacteur = EchecCertainFacteurBooleen () || Essayer ([&]
        {
            std::string Gauche;
            s = ExtraireFacteurBooleen (Gauche);
            const char c = SkipSpaces ();
            if (c != 'v' && c != 'n') return;
            const char * Op = LireRelIdent ();
            std::string Droite;
            s += Op + ExtraireFacteurBooleen (Droite);
        });
        if (! EchecFacteur) return s;

        std::string Gauche;
        const unsigned TypeGauche = ExtraireOperandeGauche (Gauche);

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

        std::string Droite;
        unsigned TypeDroite;
        if (TypeGauche == TCaractere) ExtraireExprCaractere (Droite);
        else if (TypeGauche == TString) ExtraireExprString (Droite);
        else ExtraireExprNumerique (Droite, TypeDroite);
        s = Gauche + Op + Droite;
        return s;
    }

    // facteur ::= ( booleenne ) | NON facteur | vrai | faux | variable | constante
    //           | tableau indice | parametre [indice] | fonction [parametres_effectifs]
    std::string & ExtraireFacteurBooleen (std::string & s)
    {
        char c;
        TestFinInopineeCode (c);
        if (c == '(') return s += LireParenthese ([] (std::string & Expr) { ExtraireExprBooleenne (Expr); });
        if (! IsLettre (c)) throw CExcTramelo (EMsg::ExprBooleenne);
        std::string Nom;
        ExtraireIdentForce (Nom);
        if (Nom == "NON")
        {
            CImbrication Niveau;
            std::string Facteur;
            s += "! " + ExtraireFacteurBooleen (Facteur);
            return s;
        }
        if (Nom == "vrai") return s += "true";
        if (Nom == "faux") return s += "false";
        const SResolution R = Resoudre (Nom);
        if (R.IsVar ())
        {
            VerifBooleen (VTypesVar [R.Var]);
            return s += Nom;
        }
        if (R.IsCst ())
        {
            VerifBooleen (VTypesCst [R.Cst]);
            return s += Nom;
        }
        std::string Indice;
        if (R.IsTab ())
        {
            VerifBooleen (GetTypeElem (TypeTab (R.Tab)));
            return s += Nom + ExtraireIndice (Indice);
        }
        if (R.IsParam ())
        {
            const unsigned Type = VTypesParamFormel [R.Param];
            VerifBooleen (GetTypeElem (Type));
            s += Nom;
            if (IsTypeTableau (Type)) s += ExtraireIndice (Indice);
            return s;
        }
        if (R.IsFct ())
        {
            VerifBooleen (VTypesFct [R.Fct]);
            std::string Appel;
            return s += ExtraireAppelFonction (R.Fct, Appel);
        }
        throw CExcTramelo (EMsg::ExprBooleenne);
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
}
