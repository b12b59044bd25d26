#include "services/analyses/References.h"

#include "services/analyses/Analyses.h"
#include "units/CParamFormel.h"

#include <algorithm>

namespace nsTramelo
{
    namespace
    {
        // Les parametres effectifs Args d'un appel de Unite, place sur Appel.
        void Examiner (const SModele & M, const SDeclaration & Unite, const std::uint32_t * Args, std::uint32_t Nb,
                       SPlage Appel, std::vector <SReferenceDouble> & R)
        {
            if (Unite.Unite == Aucun || Unite.Unite >= M.Unites.size ()) return;
            const std::vector <IdDecl> & Formels = M.Unites [Unite.Unite].Parametres;
            auto ParReference = [&] (std::uint32_t i) { return i < Formels.size () && M.Declarations [Formels [i]].Mode != ModeIn; };
            for (std::uint32_t j = 0; j < Nb; ++j)
            {
                const SExpr & Element = M.Exprs [Args [j]];
                if (! ParReference (j) || Element.Genre != EExpr::Element) continue;
                for (std::uint32_t k = 0; k < Nb; ++k)
                {
                    const SExpr & Tableau = M.Exprs [Args [k]];
                    if (k == j || ! ParReference (k) || Tableau.Genre != EExpr::Nom || Tableau.Ref != Element.Ref) continue;
                    R.push_back ({ & Unite, & M.Declarations [Element.Ref], Appel, Tableau.Plage, Element.Plage });
                    break;
                }
            }
        }

        void ExaminerExpr (const SModele & M, IdExpr Id, std::vector <SReferenceDouble> & R)
        {
            const SExpr & E = M.Exprs [Id];
            for (std::uint32_t i = 0; i < E.NbEnfants; ++i) ExaminerExpr (M, M.IdEnfant (E, i), R);
            if (E.Genre == EExpr::Appel && E.Ref < M.Declarations.size ())
                Examiner (M, M.Declarations [E.Ref], M.ListeDe (E.Enfants), E.NbEnfants, E.Plage, R);
        }
    }

    std::vector <SReferenceDouble> ReferencesDoubles (const SModele & M)
    {
        std::vector <SReferenceDouble> R;
        for (const SUnite & U : M.Unites)
            ParcourirSuite (M, U.Corps, [&] (const SInstr & I)
            {
                for (std::uint32_t e = 0; e < I.NbExprs; ++e) ExaminerExpr (M, M.IdExprDe (I, e), R);
                if (I.Genre == EInstr::AppelProcedure && I.Decl < M.Declarations.size ())
                    Examiner (M, M.Declarations [I.Decl], M.ListeDe (I.Exprs), I.NbExprs, I.Plage, R);
            });
        std::stable_sort (R.begin (), R.end (), [] (const SReferenceDouble & a, const SReferenceDouble & b)
                          { return a.Element.Debut < b.Element.Debut; });
        return R;
    }
}
