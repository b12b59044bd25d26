#include "modele/Modele.h"

namespace nsTramelo
{
    const SDeclaration * SModele::Visible (const std::string & Nom, std::size_t Pos) const
    {
        for (auto It = Declarations.rbegin (); It != Declarations.rend (); ++It)
            if (It->Nom == Nom && It->Decalage < Pos && (It->FinPortee == PorteeOuverte || It->FinPortee > Pos))
                return & * It;
        return nullptr;
    }

    const SDeclaration * SModele::SortieDePortee (const std::string & Nom, std::size_t Pos) const
    {
        for (auto It = Declarations.rbegin (); It != Declarations.rend (); ++It)
            if (It->Nom == Nom && It->FinPortee != PorteeOuverte && It->FinPortee <= Pos) return & * It;
        return nullptr;
    }

    const SUnite * SModele::UniteEn (std::size_t Pos) const
    {
        for (const SUnite & U : Unites)
            if (U.Debut <= Pos && (U.Fin == PorteeOuverte || Pos < U.Fin)) return & U;
        return nullptr;
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
