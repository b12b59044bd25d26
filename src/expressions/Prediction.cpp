#include "expressions/Prediction.h"

#include "scanner/Relecture.h"
#include "scanner/Scanner.h"
#include "scanner/Source.h"
#include "symbols/Symboles.h"
#include "symbols/Vocabulaire.h"
#include "types/TypesCodes.h"

#include <string>

namespace nsTramelo
{
    namespace
    {
        // Premier caractere non blanc a partir de P (0 a la fin du texte), et sa position.
        char Regarder (std::size_t & P)
        {
            const std::string & T = fi.GetTexte ();
            while (P < T.size () && IsBlanc (T [P])) ++P;
            return P < T.size () ? T [P] : 0;
        }

        // Le mot qui commence a la position courante (apres les blancs), et ce qui le suit.
        struct SMot
        {
            char        Premier = 0;  // 0 : fin du texte, NUL, ou lecture deja en echec
            std::string Nom;          // vide si le premier caractere n'est pas une lettre
            std::size_t Apres = 0;
        };

        SMot LireMot ()
        {
            SMot M;
            if (fi.EnEchec ()) return M;
            std::size_t P = fi.Tellg ();
            M.Premier = Regarder (P);
            if (! IsLettre (M.Premier)) return M;
            const std::string & T = fi.GetTexte ();
            std::size_t Q = P;
            while (Q < T.size () && IsAlnum (T [Q])) ++Q;
            M.Nom.assign (T, P, Q - P);
            M.Apres = Q;
            return M;
        }

        // Un indice doit suivre le nom : echec sur si autre chose qu'un [ suit (erreur 110),
        // inconnu a la fin du texte ou a la borne d'imbrication (147 passerait avant).
        bool IndiceManque (const SMot & M)
        {
            if (Imbrication >= MaxImbrication) return false;
            std::size_t P = M.Apres;
            const char c = Regarder (P);
            return c != 0 && c != '[';
        }

        // Type d'un tableau sans lever : faux si sa denotation est en cours de lecture (135).
        bool TypeTabConnu (std::size_t Pos, unsigned & Type)
        {
            if (Pos >= VTypesTab.size ()) return false;
            Type = VTypesTab [Pos];
            return true;
        }

        // GetTypeIdent sans lever : faux pour un tableau en cours de declaration.
        bool TypeIdent (const std::string & Nom, unsigned & Type)
        {
            std::size_t Pos;
            if ((Pos = FindRev (VIdentCst, Nom)) != VIdentCst.size ()) { Type = VTypesCst [Pos]; return true; }
            if ((Pos = FindRev (VIdentVar, Nom)) != VIdentVar.size ()) { Type = VTypesVar [Pos]; return true; }
            if ((Pos = FindRev (VIdentTab, Nom)) != VIdentTab.size ()) return TypeTabConnu (Pos, Type);
            Type = GetTypeIdent (Nom);
            return true;
        }

        // Un nom du type Type, suivi d'un indice s'il est Indexe, lu par un facteur qui n'accepte
        // que les types Accepte : echec certain ?
        bool EchecNomType (const SMot & M, unsigned Type, bool Indexe, bool (* Accepte) (unsigned))
        {
            if (! Accepte (Type)) return true;
            return Indexe && IndiceManque (M);
        }

        bool EstBooleen (unsigned T) { return T == TBooleen; }
        bool EstString (unsigned T) { return T == TString; }
        bool EstNumerique (unsigned T) { return IsTypeNumerique (T); }
    }

    namespace
    {
    bool CalculerEchecFacteurBooleen (const SMot & M)
    {
        if (M.Premier == 0 || M.Premier == '(') return false;
        if (M.Nom.empty ()) return true;                       // 132
        if (M.Nom.size () <= 4 && (M.Nom == "NON" || M.Nom == "vrai" || M.Nom == "faux")) return false;
        std::size_t Pos;
        unsigned Type;
        if ((Pos = FindRev (VIdentVar, M.Nom)) != VIdentVar.size ())
            return ! EstBooleen (VTypesVar [Pos]);
        if ((Pos = FindRev (VIdentCst, M.Nom)) != VIdentCst.size ())
            return ! EstBooleen (VTypesCst [Pos]);
        if ((Pos = FindRev (VIdentTab, M.Nom)) != VIdentTab.size ())
            return ! TypeTabConnu (Pos, Type) || EchecNomType (M, GetTypeElem (Type), true, EstBooleen);
        if ((Pos = FindRev (VIdentParamFormel, M.Nom)) != VIdentParamFormel.size ())
        {
            Type = VTypesParamFormel [Pos];
            return EchecNomType (M, GetTypeElem (Type), IsTypeTableau (Type), EstBooleen);
        }
        if ((Pos = FindRev (VIdentFct, M.Nom)) != VIdentFct.size ())
            return ! EstBooleen (VTypesFct [Pos]);
        return true;                                           // 132
    }

    bool CalculerEchecCaractere (const SMot & M)
    {
        if (M.Premier == 0 || M.Premier == '\'') return false;
        if (M.Nom.empty ()) return true;                       // 106
        unsigned Type;
        if (! TypeIdent (M.Nom, Type)) return true;            // 135
        if (IsFonction (M.Nom) || IsIdentFct (M.Nom)) return Type != TCaractere;
        if (GetTypeElem (Type) != TCaractere) return true;     // 134
        bool Indexe = IsIdentTab (M.Nom) || Type == TString;
        if (! Indexe)
        {
            const std::size_t Pos = FindRev (VIdentParamFormel, M.Nom);
            Indexe = Pos != VIdentParamFormel.size ()
                  && (IsTypeTableau (VTypesParamFormel [Pos]) || VTypesParamFormel [Pos] == TString);
        }
        return Indexe && IndiceManque (M);
    }

    bool CalculerEchecString (const SMot & M)
    {
        if (M.Premier == 0 || M.Premier == '(' || M.Premier == '"') return false;
        if (M.Nom.empty ()) return true;                       // 106
        std::size_t Pos;
        unsigned Type;
        if (IsIdentVar (M.Nom) || IsIdentCst (M.Nom))
            return ! TypeIdent (M.Nom, Type) || ! EstString (Type);
        if (IsIdentTab (M.Nom))
            return ! TypeIdent (M.Nom, Type) || EchecNomType (M, GetTypeElem (Type), true, EstString);
        if ((Pos = FindRev (VIdentParamFormel, M.Nom)) != VIdentParamFormel.size ())
        {
            const bool Tableau = IsTypeTableau (VTypesParamFormel [Pos]);
            if (! TypeIdent (M.Nom, Type)) return true;
            return EchecNomType (M, Tableau ? GetTypeElem (Type) : Type, Tableau, EstString);
        }
        if ((Pos = FindRev (VIdentFct, M.Nom)) != VIdentFct.size ())
            return ! EstString (VTypesFct [Pos]);
        return true;                                           // 133
    }

    bool CalculerEchecNumerique (const SMot & M)
    {
        if (M.Premier == 0 || M.Premier == '(' || M.Premier == '-' || IsChiffre (M.Premier)) return false;
        if (M.Nom.empty ()) return true;                       // 135
        std::size_t Pos;
        unsigned Type;
        if ((Pos = PosFonction (M.Nom)) != NbFonctions) return ! EstNumerique (TypesFonctions [Pos]);
        if ((Pos = FindRev (VIdentVar, M.Nom)) != VIdentVar.size ())
            return ! EstNumerique (VTypesVar [Pos]);
        if ((Pos = FindRev (VIdentCst, M.Nom)) != VIdentCst.size ())
        {
            Type = VTypesCst [Pos];
            return EchecNomType (M, GetTypeElem (Type), IsTypeTableau (Type), EstNumerique);
        }
        if ((Pos = FindRev (VIdentTab, M.Nom)) != VIdentTab.size ())
            return ! TypeTabConnu (Pos, Type) || EchecNomType (M, GetTypeElem (Type), true, EstNumerique);
        if ((Pos = FindRev (VIdentParamFormel, M.Nom)) != VIdentParamFormel.size ())
        {
            Type = VTypesParamFormel [Pos];
            return EchecNomType (M, GetTypeElem (Type), IsTypeTableau (Type), EstNumerique);
        }
        if ((Pos = FindRev (VIdentFct, M.Nom)) != VIdentFct.size ())
            return ! EstNumerique (VTypesFct [Pos]);
        return true;                                           // 135
    }
    }

    namespace
    {
        // Les lecteurs a plusieurs essais posent souvent la meme question au meme endroit :
        // on garde les reponses de la derniere position, tant que rien n'a change.
        enum ESorte { Facteur, Caractere, Chaine, Nombre, NbSortes };

        bool Repondre (ESorte Sorte, bool (* Calculer) (const SMot &))
        {
            static std::size_t   Pos = CSource::PosInvalide;
            static std::uint64_t Generation = 0, Echecs = 0;
            static const void *  Texte = nullptr;
            static signed char   Reponses [NbSortes];
            static SMot          Mot;
            if (fi.EnEchec ()) return false;
            if (fi.Tellg () != Pos || Generation != GenerationSymboles || Echecs != fi.GetNbEchecs ()
                || Texte != fi.GetTexte ().data ())
            {
                Pos = fi.Tellg ();
                Generation = GenerationSymboles;
                Echecs = fi.GetNbEchecs ();
                Texte = fi.GetTexte ().data ();
                Mot = LireMot ();
                for (signed char & R : Reponses) R = -1;
            }
            // La borne d'imbrication change la reponse sur l'indice manquant : pas de memoire pres d'elle.
            if (Imbrication + 1 >= MaxImbrication) return Calculer (Mot);
            if (Reponses [Sorte] < 0) Reponses [Sorte] = Calculer (Mot) ? 1 : 0;
            return Reponses [Sorte] == 1;
        }
    }

    bool EchecCertainFacteurBooleen () { return Repondre (Facteur, CalculerEchecFacteurBooleen); }
    bool EchecCertainCaractere () { return Repondre (Caractere, CalculerEchecCaractere); }
    bool EchecCertainString () { return Repondre (Chaine, CalculerEchecString); }
    bool EchecCertainNumerique () { return Repondre (Nombre, CalculerEchecNumerique); }
}
