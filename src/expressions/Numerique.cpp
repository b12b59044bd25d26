#include "expressions/Numerique.h"

#include "expressions/Expression.h"
#include "scanner/Litteraux.h"
#include "types/TypesCodes.h"
#include "util/CExcTramelo.h"

using nsUtil::EMsg;

namespace nsTramelo
{
    unsigned Combiner (unsigned T1, unsigned T2)
    {
        if (T1 == TReel || T2 == TReel) return TReel;
        if (T1 == TEntier || T2 == TEntier) return TEntier;
        return TEntierNaturel;
    }

    namespace
    {
        EOperateur OperateurDe (char c)
        {
            switch (c)
            {
                case '+' : return EOperateur::Plus;
                case '-' : return EOperateur::Moins;
                case '*' : return EOperateur::Fois;
                default  : return EOperateur::Divise;
            }
        }

        // Suite d'operandes lus par Lire et joints par les deux operateurs donnes ; un seul
        // operande est rendu tel quel.
        template <class FLire>
        IdExpr LireSuite (unsigned & Type, char Op1, char Op2, FLire Lire)
        {
            const IdExpr Premier = Lire (Type);
            char c = SkipSpaces ();
            if (c != Op1 && c != Op2) return Premier;
            CConstructeur::CEnfants E (Construction);
            E.Ajouter (Premier);
            for (; c == Op1 || c == Op2; c = SkipSpaces ())
            {
                E.Operateur (OperateurDe (c), GetPosLecture ());
                LireCarNonBlanc ();
                unsigned TypeOperande;
                E.Ajouter (Lire (TypeOperande));
                Type = Combiner (Type, TypeOperande);
            }
            return Construction.Operation (Type, Construction.Expr (Premier).Plage.Debut, GetPosLecture (), E);
        }
    }

    // somme ::= terme { (+ | -) terme }
    IdExpr ExtraireExprNumerique (unsigned & Type)
    {
        return Memoriser (ELecteur::Numerique, Type, [] (unsigned & Type)
        {
            return LireSuite (Type, '+', '-', ExtraireTermeNumerique);
        });
    }

    // produit ::= facteur { (* | /) facteur }
    IdExpr ExtraireTermeNumerique (unsigned & Type)
    {
        return LireSuite (Type, '*', '/', ExtraireFacteurNumerique);
    }

    // facteur ::= ( somme ) | - facteur | nombre | fonction_standard ( ... ) | variable | constante
    //           | tableau indice | parametre [indice] | fonction [parametres_effectifs]
    IdExpr ExtraireFacteurNumerique (unsigned & Type)
    {
        char c;
        TestFinInopineeCode (c);
        const std::size_t Debut = GetPosLecture ();
        if (c == '(')
        {
            const IdExpr P = LireParenthese ([&] { return ExtraireExprNumerique (Type); }, TAucun);
            Construction.M.Exprs [P].Type = static_cast <std::uint16_t> (Type);
            return P;
        }
        if (c == '-')
        {
            CImbrication Niveau;
            LireCarNonBlanc ();
            unsigned TypeFacteur;
            CConstructeur::CEnfants E (Construction);
            E.Ajouter (ExtraireFacteurNumerique (TypeFacteur));
            Type = TypeFacteur == TEntierNaturel ? TEntier : TypeFacteur;
            return Construction.Nouvelle (EExpr::Oppose, Type, Debut, GetPosLecture (), Aucun, 0, & E);
        }
        if (IsChiffre (c)) return ExtraireLitteralNombre (Type);
        if (! IsLettre (c)) throw CExcTramelo (EMsg::ExprNumerique);
        std::string Nom;
        const IdExpr N = ExtraireSuiteNom (ExtraireIdentForce (Nom), EForme::Numerique, Debut);
        Type = Construction.Expr (N).Type;
        return N;
    }
}
