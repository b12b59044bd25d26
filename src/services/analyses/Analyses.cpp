#include "services/analyses/Analyses.h"

#include "scanner/Litteraux.h"
#include "types/TypesCodes.h"

#include <algorithm>

namespace nsTramelo
{
    namespace
    {
        // Les expressions dans l'ordre du source, chacune apres ses enfants (l'ordre ou la
        // lecture les termine) ; Visiter (const SExpr &) pour chacune.
        template <class F>
        void ParcourirExpr (const SModele & M, IdExpr Id, F & Visiter)
        {
            const SExpr & E = M.Exprs [Id];
            for (std::uint32_t i = 0; i < E.NbEnfants; ++i) ParcourirExpr (M, M.IdEnfant (E, i), Visiter);
            Visiter (E);
        }

        // Les litteraux entiers ecrits avec un point ou un exposant, par position.
        struct SLitteraux
        {
            std::vector <SMot> Mots;
            // Le premier qui commence dans [Debut, Fin), ou nul.
            const SMot * Dans (std::size_t Debut, std::size_t Fin) const
            {
                const auto It = std::lower_bound (Mots.begin (), Mots.end (), Debut,
                                                  [] (const SMot & M, std::size_t P) { return M.Decalage < P; });
                return It != Mots.end () && It->Decalage < Fin ? & * It : nullptr;
            }
        };

        // Toutes les expressions du programme, unite par unite, dans l'ordre du source.
        template <class F>
        void ParcourirProgramme (const SModele & M, F && Visiter)
        {
            auto Exprs = [&] (IdExpr E) { ParcourirExpr (M, E, Visiter); };
            for (const SUnite & U : M.Unites)
            {
                if (U.Corps == Aucun) continue;
                ParcourirSuite (M, U.Corps, [&] (const SInstr & I)
                {
                    for (std::uint32_t e = 0; e < I.NbExprs; ++e) Exprs (M.IdExprDe (I, e));
                });
            }
        }

        // Une sortie de cette suite quitte-t-elle la boucle qui la contient (sans boucle entre) ?
        bool ContientSortie (const SModele & M, IdSuite S)
        {
            const SSuite & Suite = M.Suites [S];
            for (std::uint32_t i = 0; i < Suite.NbInstrs; ++i)
            {
                const SInstr & I = M.InstrDe (Suite, i);
                if (I.Genre == EInstr::Sortie) return true;
                if (I.Genre == EInstr::Si)
                    for (std::uint32_t s = 0; s < I.NbSuites; ++s)
                        if (ContientSortie (M, M.IdSuiteDe (I, s))) return true;
            }
            return false;
        }

        bool IsBooleen (const SModele & M, IdExpr E, bool Valeur)
        {
            const SExpr & X = M.Exprs [E];
            if (X.Genre == EExpr::Parenthese) return IsBooleen (M, M.IdEnfant (X, 0), Valeur);
            return X.Genre == EExpr::Booleen && (X.Op != 0) == Valeur;
        }
    }

    std::vector <SDivisionEntiere> DivisionsEntieres (const SModele & M, const std::string & Texte)
    {
        SLitteraux Litteraux;
        ParcourirProgramme (M, [&] (const SExpr & E)
        {
            if (E.Genre == EExpr::Nombre && E.Type != TReel && IsLitteralAPoint (Texte, E.Plage))
                Litteraux.Mots.push_back ({ E.Plage.Debut, E.Plage.Longueur });
        });
        std::vector <SDivisionEntiere> R;
        if (Litteraux.Mots.empty ()) return R;
        std::sort (Litteraux.Mots.begin (), Litteraux.Mots.end (),
                   [] (const SMot & a, const SMot & b) { return a.Decalage < b.Decalage; });
        ParcourirProgramme (M, [&] (const SExpr & E)
        {
            if (E.Genre != EExpr::Operation || E.Type == TString || E.Type == TBooleen) return;
            unsigned Type = M.Enfant (E, 0).Type;
            for (std::uint32_t i = 1; i < E.NbEnfants; ++i)
            {
                const SExpr & Terme = M.Enfant (E, i);
                Type = Type == TReel || Terme.Type == TReel ? TReel
                     : Type == TEntier || Terme.Type == TEntier ? TEntier : TEntierNaturel;
                const SOperateur & Op = M.OperateurDe (E, i);
                if (Op.Op != EOperateur::Divise || Type == TReel) continue;
                // Le litteral de l'operande droit d'abord (x / 2.0), sinon celui du gauche (7.0 / n).
                const SMot * L = Litteraux.Dans (Op.Decalage, Terme.Plage.Fin ());
                if (! L) L = Litteraux.Dans (E.Plage.Debut, Op.Decalage);
                if (L) R.push_back ({ Op.Decalage, * L });
            }
        });
        return R;
    }

    bool IsSuiteTerminale (const SModele & M, IdSuite S)
    {
        const SSuite & Suite = M.Suites [S];
        return Suite.NbInstrs > 0 && IsTerminale (M, M.InstrDe (Suite, Suite.NbInstrs - 1));
    }

    bool IsTerminale (const SModele & M, const SInstr & I)
    {
        switch (I.Genre)
        {
            case EInstr::Renvoie : return true;
            case EInstr::Si :
            {
                // Sans sinon, la condition fausse continue ; une forme courte seule aussi.
                if (I.NbSuites <= I.NbExprs) return false;
                for (std::uint32_t s = 0; s < I.NbSuites; ++s)
                    if (! IsSuiteTerminale (M, M.IdSuiteDe (I, s))) return false;
                return true;
            }
            // Une boucle qui ne peut pas finir : seul un renvoie en sort.
            case EInstr::Boucle : return I.NbSuites == 1 && ! ContientSortie (M, M.IdSuiteDe (I, 0));
            case EInstr::TantQue :
                return I.NbSuites == 1 && IsBooleen (M, M.IdExprDe (I, 0), true) && ! ContientSortie (M, M.IdSuiteDe (I, 0));
            case EInstr::JusquA :
                return I.NbSuites == 1 && IsBooleen (M, M.IdExprDe (I, 0), false) && ! ContientSortie (M, M.IdSuiteDe (I, 0));
            case EInstr::Repeter :
                return I.NbSuites == 1 && I.NbExprs == 1 && IsBooleen (M, M.IdExprDe (I, 0), false)
                    && ! ContientSortie (M, M.IdSuiteDe (I, 0));
            default : return false;
        }
    }

    bool FinSansRenvoie (const SModele & M, const SUnite & U)
    {
        return U.Nature == ENature::Fonction && U.Complete && (U.Corps == Aucun || ! IsSuiteTerminale (M, U.Corps));
    }

    const SInstr * DerniereInstruction (const SModele & M, const SUnite & U)
    {
        if (U.Corps == Aucun) return nullptr;
        const SSuite & S = M.Suites [U.Corps];
        return S.NbInstrs == 0 ? nullptr : & M.InstrDe (S, S.NbInstrs - 1);
    }
}
