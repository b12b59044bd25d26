#include "expressions/Booleenne.h"

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
        // ET, OU, ET_ALORS, OU_SINON ; faux pour un autre mot.
        bool Connecteur (const std::string & Mot, EOperateur & Op)
        {
            if (Mot == "ET") Op = EOperateur::Et;
            else if (Mot == "OU") Op = EOperateur::Ou;
            else if (Mot == "ET_ALORS") Op = EOperateur::EtAlors;
            else if (Mot == "OU_SINON") Op = EOperateur::OuSinon;
            else return false;
            return true;
        }

        // vaut | ne_vaut_pas, lu apres un v ou un n
        EComparateur LireRelIdent ()
        {
            std::string Mot;
            ExtraireIdent (Mot);
            if (! IsRelIdent (Mot)) throw CExcTramelo (EMsg::ExprBooleenne);
            return Mot == "vaut" ? EComparateur::Egal : EComparateur::Different;
        }

        IdExpr Comparaison (EComparateur Op, std::size_t PosOp, const CConstructeur::CEnfants & E)
        {
            return Construction.Nouvelle (EExpr::Comparaison, TBooleen, Construction.Expr (E [0]).Plage.Debut,
                                          GetPosLecture (), static_cast <std::uint32_t> (PosOp),
                                          static_cast <unsigned char> (Op), & E);
        }
    }

    // booleenne ::= terme { (ET | OU | ET_ALORS | OU_SINON) terme }
    IdExpr ExtraireExprBooleenne ()
    {
        return Memoriser (ELecteur::Booleenne, [] () -> IdExpr
        {
            const IdExpr Premier = ExtraireTermeBooleen ();
            CConstructeur::CEnfants E (Construction);
            E.Ajouter (Premier);
            for (char c; (c = SkipSpaces ()) == 'E' || c == 'O'; )
            {
                const std::size_t PosOp = GetPosLecture ();
                std::string Mot;
                ExtraireIdent (Mot);
                EOperateur Op;
                if (! Connecteur (Mot, Op))
                {
                    RemettreIdentDansFlux (Mot);
                    break;
                }
                E.Operateur (Op, PosOp);
                E.Ajouter (ExtraireTermeBooleen ());
            }
            if (E.Nb () == 1) return Premier;
            return Construction.Operation (TBooleen, Construction.Expr (Premier).Plage.Debut, GetPosLecture (), E);
        });
    }

    // operande_gauche ::= caractere | string | numerique
    unsigned ExtraireOperandeGauche (IdExpr & E)
    {
        if (EssayerCaractere (E)) return TCaractere;
        if (EssayerString (E)) return TString;
        unsigned Type;
        E = ExtraireExprNumerique (Type);
        return Type;
    }

    // terme ::= facteur_compare
    //         | operande (vaut | ne_vaut_pas | < | <= | > | >=) operande
    //   ou l'operande gauche est un caractere, une chaine ou un nombre, le droit du meme genre
    IdExpr ExtraireTermeBooleen ()
    {
        // 1. un facteur booleen, compare ou non a un autre
        IdExpr Facteur;
        if (EssayerFacteurCompare (Facteur)) return Facteur;
        // 2. sinon l'operande gauche, caractere, chaine ou nombre
        CConstructeur::CEnfants E (Construction);
        IdExpr Gauche;
        const unsigned TypeGauche = ExtraireOperandeGauche (Gauche);
        E.Ajouter (Gauche);
        // 3. l'operateur de comparaison
        EComparateur Op;
        const char c = SkipSpaces ();
        const std::size_t PosOp = GetPosLecture ();
        if (c == 'v' || c == 'n') Op = LireRelIdent ();
        else if (c == '<' || c == '>')
        {
            LireCarNonBlanc ();
            bool Egal = false;
            char Suivant;
            if (fi.Get (Suivant))
            {
                if (Suivant == '=') Egal = true;
                else fi.Unget ();
            }
            Op = c == '<' ? (Egal ? EComparateur::InfEgal : EComparateur::Inf)
                          : (Egal ? EComparateur::SupEgal : EComparateur::Sup);
        }
        else throw CExcTramelo (EMsg::ExprBooleenne);
        // 4. l'operande droit, du genre du gauche
        unsigned TypeDroite;
        if (TypeGauche == TCaractere) E.Ajouter (ExtraireExprCaractere ());
        else if (TypeGauche == TString) E.Ajouter (ExtraireExprString ());
        else E.Ajouter (ExtraireExprNumerique (TypeDroite));
        return Comparaison (Op, PosOp, E);
    }

    // facteur_compare ::= facteur [(vaut | ne_vaut_pas) facteur]
    IdExpr ExtraireFacteurCompare ()
    {
        const IdExpr Gauche = ExtraireFacteurBooleen ();
        const char c = SkipSpaces ();
        if (c != 'v' && c != 'n') return Gauche;
        const std::size_t PosOp = GetPosLecture ();
        CConstructeur::CEnfants E (Construction);
        E.Ajouter (Gauche);
        const EComparateur Op = LireRelIdent ();
        E.Ajouter (ExtraireFacteurBooleen ());
        return Comparaison (Op, PosOp, E);
    }

    // facteur ::= ( booleenne ) | NON facteur | vrai | faux | variable | constante
    //           | tableau indice | parametre [indice] | fonction [parametres_effectifs]
    IdExpr ExtraireFacteurBooleen ()
    {
        char c;
        TestFinInopineeCode (c);
        const std::size_t Debut = GetPosLecture ();
        if (c == '(') return LireParenthese ([] { return ExtraireExprBooleenne (); }, TBooleen);
        if (! IsLettre (c)) throw CExcTramelo (EMsg::ExprBooleenne);
        std::string Nom;
        ExtraireIdentForce (Nom);
        if (Nom == "NON")
        {
            CImbrication Niveau;
            CConstructeur::CEnfants E (Construction);
            E.Ajouter (ExtraireFacteurBooleen ());
            return Construction.Nouvelle (EExpr::Non, TBooleen, Debut, GetPosLecture (), Aucun, 0, & E);
        }
        if (Nom == "vrai" || Nom == "faux")
            return Construction.Nouvelle (EExpr::Booleen, TBooleen, Debut, GetPosLecture (), Aucun, Nom == "vrai");
        return ExtraireSuiteNom (Nom, EForme::Booleen, Debut);
    }

    // condition ::= booleenne, sans mot en E ou O derriere
    IdExpr TraiterCondition ()
    {
        const IdExpr Expr = ExtraireExprBooleenne ();
        const char c = SkipSpaces ();
        if (c == 'E' || c == 'O')
        {
            std::string Mot;
            throw CExcTramelo (EMsg::ConnecteurAttendu, ExtraireIdent (Mot));
        }
        return Expr;
    }

    // condition_parenthesee ::= ( condition )
    IdExpr LireConditionParenthesee ()
    {
        ValidCar ('(');
        const IdExpr Condition = TraiterCondition ();
        ValidCar (')');
        return Condition;
    }
}
