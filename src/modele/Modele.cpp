#include "modele/Modele.h"

namespace nsTramelo
{
    const std::vector <std::uint32_t> & SModele::DeclarationsDe (const std::string & Nom) const
    {
        for (; NbIndexees < Declarations.size (); ++NbIndexees)
            ParNom [Declarations [NbIndexees].Nom].push_back (std::uint32_t (NbIndexees));
        static const std::vector <std::uint32_t> Aucune;
        const auto It = ParNom.find (Nom);
        return It == ParNom.end () ? Aucune : It->second;
    }

    const SDeclaration * SModele::Visible (const std::string & Nom, std::size_t Pos) const
    {
        const std::vector <std::uint32_t> & V = DeclarationsDe (Nom);
        for (auto It = V.rbegin (); It != V.rend (); ++It)
        {
            const SDeclaration & D = Declarations [* It];
            if (D.Decalage < Pos && (D.FinPortee == PorteeOuverte || D.FinPortee > Pos)) return & D;
        }
        return nullptr;
    }

    const SDeclaration * SModele::SortieDePortee (const std::string & Nom, std::size_t Pos) const
    {
        const std::vector <std::uint32_t> & V = DeclarationsDe (Nom);
        for (auto It = V.rbegin (); It != V.rend (); ++It)
        {
            const SDeclaration & D = Declarations [* It];
            if (D.FinPortee != PorteeOuverte && D.FinPortee <= Pos) return & D;
        }
        return nullptr;
    }

    const SUnite * SModele::UniteEn (std::size_t Pos) const
    {
        for (const SUnite & U : Unites)
            if (U.Debut <= Pos && (U.Fin == PorteeOuverte || Pos < U.Fin)) return & U;
        return nullptr;
    }

    namespace
    {
        // Verifie une expression et ses enfants (la profondeur est bornee par l'imbrication).
        std::string VerifierExpr (const SModele & M, IdExpr Id, SPlage Parent, std::size_t Taille)
        {
            if (Id >= M.Exprs.size ()) return "expression " + std::to_string (Id) + " hors du tableau";
            const SExpr & E = M.Exprs [Id];
            if (E.Plage.Fin () > Taille) return std::string ("expression ") + NomGenre (E.Genre) + " hors du texte";
            if (E.Plage.Debut < Parent.Debut || E.Plage.Fin () > Parent.Fin ())
                return std::string ("expression ") + NomGenre (E.Genre) + " hors de son parent";
            if (std::size_t (E.Enfants) + E.NbEnfants > M.Listes.size ()) return "enfants hors de la liste";
            const bool AvecDecl = E.Genre == EExpr::Nom || E.Genre == EExpr::Element || E.Genre == EExpr::Appel;
            if (AvecDecl && E.Ref >= M.Declarations.size ()) return std::string (NomGenre (E.Genre)) + " sans declaration";
            if (E.Genre == EExpr::Nombre && E.Ref >= M.Nombres.size ()) return "nombre sans valeur";
            if (E.Genre == EExpr::Operation && (E.NbEnfants < 2 || std::size_t (E.Ref) + E.NbEnfants - 1 > M.Operateurs.size ()))
                return "operation sans ses operateurs";
            for (std::uint32_t i = 0; i < E.NbEnfants; ++i)
            {
                const std::string R = VerifierExpr (M, M.IdEnfant (E, i), E.Plage, Taille);
                if (! R.empty ()) return R;
            }
            return "";
        }

        std::string VerifierSuite (const SModele & M, IdSuite S, SPlage Parent, std::size_t Taille)
        {
            if (S >= M.Suites.size ()) return "suite hors du tableau";
            const SSuite & Suite = M.Suites [S];
            if (std::size_t (Suite.Instrs) + Suite.NbInstrs > M.ListeInstrs.size ()) return "instructions hors de la liste";
            std::uint32_t Precedente = 0;
            for (std::uint32_t i = 0; i < Suite.NbInstrs; ++i)
            {
                const IdInstr Id = M.IdInstrDe (Suite, i);
                if (Id >= M.Instrs.size ()) return "instruction hors du tableau";
                const SInstr & I = M.Instrs [Id];
                if (I.Plage.Fin () > Taille || I.Plage.Debut < Parent.Debut || I.Plage.Fin () > Parent.Fin ())
                    return std::string ("instruction ") + NomGenre (I.Genre) + " hors de son parent";
                if (I.Plage.Debut < Precedente) return std::string ("instruction ") + NomGenre (I.Genre) + " avant la precedente";
                Precedente = I.Plage.Fin ();
                if (I.Decl != Aucun && I.Decl >= M.Declarations.size ()) return "instruction sans declaration";
                for (std::uint32_t e = 0; e < I.NbExprs; ++e)
                {
                    const std::string R = VerifierExpr (M, M.IdExprDe (I, e), I.Plage, Taille);
                    if (! R.empty ()) return R;
                }
                for (std::uint32_t s = 0; s < I.NbSuites; ++s)
                {
                    const std::string R = VerifierSuite (M, M.IdSuiteDe (I, s), I.Plage, Taille);
                    if (! R.empty ()) return R;
                }
            }
            return "";
        }
    }

    std::string Incoherence (const SModele & M, std::size_t TailleTexte)
    {
        for (const SDeclaration & D : M.Declarations)
            if (D.Decalage + D.Nom.size () > TailleTexte) return "declaration " + D.Nom + " hors du texte";
        for (const SUnite & U : M.Unites)
        {
            if (U.Corps == Aucun) continue;
            const std::size_t Fin = U.Fin == PorteeOuverte ? TailleTexte : U.Fin;
            const SPlage P { static_cast <std::uint32_t> (U.Debut), static_cast <std::uint32_t> (Fin - U.Debut) };
            const std::string R = VerifierSuite (M, U.Corps, P, TailleTexte);
            if (! R.empty ()) return "unite " + U.Nom + " : " + R;
            for (IdDecl Param : U.Parametres)
                if (Param >= M.Declarations.size ()) return "unite " + U.Nom + " : parametre sans declaration";
        }
        return "";
    }

    const SDeclaration * SModele::Designation (const std::string & Nom, std::size_t Pos) const
    {
        auto DeclaA = [&] (std::uint32_t Ref) -> const SDeclaration *
        {
            return Ref < Declarations.size () && Declarations [Ref].Nom == Nom ? & Declarations [Ref] : nullptr;
        };
        for (const SDeclaration & D : Declarations)
            if (D.Decalage == Pos && D.Nom == Nom) return & D;
        // Le nom d'un element ou d'un appel est au debut de sa plage.
        for (const SExpr & E : Exprs)
            if (E.Plage.Debut == Pos && (E.Genre == EExpr::Nom || E.Genre == EExpr::Element || E.Genre == EExpr::Appel))
                if (const SDeclaration * D = DeclaA (E.Ref)) return D;
        for (const SInstr & I : Instrs)
            if (I.Plage.Debut == Pos && I.Genre == EInstr::AppelProcedure)
                if (const SDeclaration * D = DeclaA (I.Decl)) return D;
        const SDeclaration * Trouvee = nullptr, * Unite = nullptr;
        for (const SDeclaration & D : Declarations)
        {
            if (D.Nom != Nom) continue;
            if (D.Nature == ENature::Procedure || D.Nature == ENature::Fonction || D.Nature == ENature::Algorithme)
                Unite = & D;
            else if (D.Decalage <= Pos && Pos < D.FinPortee && (! Trouvee || D.Decalage >= Trouvee->Decalage))
                Trouvee = & D;
        }
        return Trouvee ? Trouvee : Unite;
    }

    const char * NomGenre (EExpr G)
    {
        static const char * const Noms [] = {
            "nombre", "chaine", "caractere", "booleen", "nom", "element", "appel", "appel_standard",
            "parenthese", "oppose", "non", "operation", "comparaison" };
        return Noms [static_cast <unsigned> (G)];
    }

    const char * NomGenre (EInstr G)
    {
        static const char * const Noms [] = {
            "declarer", "affectation", "appel", "renvoie", "si", "tant_que", "jusqua", "pour",
            "repeter", "boucle", "sortie", "continue", "afficher", "saisir", "ligne_suivante",
            "allonger", "redimensionner", "choix_sur" };
        return Noms [static_cast <unsigned> (G)];
    }

    const char * NomNatureCourt (ENature N)
    {
        static const char * const Noms [] = {
            "variable", "variable_de_boucle", "constante", "tableau", "parametre", "procedure",
            "fonction", "algorithme" };
        return Noms [static_cast <unsigned> (N)];
    }

    const char * TexteOperateur (EOperateur Op)
    {
        static const char * const Textes [] = { "+", "-", "*", "/", "ET", "OU", "ET_ALORS", "OU_SINON" };
        return Textes [static_cast <unsigned> (Op)];
    }

    const char * TexteComparateur (EComparateur Op)
    {
        static const char * const Textes [] = { "vaut", "ne_vaut_pas", "<", "<=", ">", ">=" };
        return Textes [static_cast <unsigned> (Op)];
    }

    const char * NomFonction (EFonction F)
    {
        static const char * const Noms [] = { "Rand", "modulo", "pred", "rang", "succ", "taille", "tolower", "toupper" };
        return Noms [static_cast <unsigned> (F)];
    }
}
