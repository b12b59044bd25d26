#include "expressions/Prediction.h"

#include "expressions/Chaine.h"
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
            std::size_t Position = 0; // celle du premier caractere
            std::string Nom;          // vide si le premier caractere n'est pas une lettre
            std::size_t Apres = 0;
            SResolution R {};         // le nom dans les tables
        };

        SMot LireMot ()
        {
            SMot M;
            if (fi.EnEchec ()) return M;
            std::size_t P = fi.Tellg ();
            M.Premier = Regarder (P);
            M.Position = P;
            if (! IsLettre (M.Premier)) return M;
            const std::string & T = fi.GetTexte ();
            std::size_t Q = P;
            while (Q < T.size () && IsAlnum (T [Q])) ++Q;
            M.Nom.assign (T, P, Q - P);
            M.Apres = Q;
            M.R = Resoudre (M.Nom);
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
        bool TypeIdent (const SMot & M, unsigned & Type)
        {
            if (! M.R.IsCst () && ! M.R.IsVar () && M.R.IsTab ()) return TypeTabConnu (M.R.Tab, Type);
            Type = GetTypeIdent (M.Nom, M.R);
            return true;
        }

        // Une parenthese ouvrante dont le contenu, lu par le meme lecteur, a deja echoue a cet
        // endroit (erreur retenue) : la forme echoue de meme, sauf pour l'erreur qui traverse.
        bool ContenuEchoue (const SMot & M, ELecteur Lecteur, unsigned CodePassant)
        {
            if (Imbrication + 1 > MaxImbrication) return false;
            const nsDetail::SLecture * Lu = nsDetail::Retrouver (Lecteur, M.Position + 1);
            return Lu != nullptr && ! Lu->Ok && ! IsErreurDefinitive (* Lu->Erreur)
                && Lu->Erreur->GetCodErr () != CodePassant;
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
        if (M.Premier == '(') return ContenuEchoue (M, ELecteur::Booleenne, 0);
        if (M.Premier == 0) return false;
        if (M.Nom.empty ()) return true;                       // 132
        if (M.Nom.size () <= 4 && (M.Nom == "NON" || M.Nom == "vrai" || M.Nom == "faux")) return false;
        const SResolution & R = M.R;
        unsigned Type;
        if (R.IsVar ()) return ! EstBooleen (VTypesVar [R.Var]);
        if (R.IsCst ()) return ! EstBooleen (VTypesCst [R.Cst]);
        if (R.IsTab ())
            return ! TypeTabConnu (R.Tab, Type) || EchecNomType (M, GetTypeElem (Type), true, EstBooleen);
        if (R.IsParam ())
        {
            Type = VTypesParamFormel [R.Param];
            return EchecNomType (M, GetTypeElem (Type), IsTypeTableau (Type), EstBooleen);
        }
        if (R.IsFct ()) return ! EstBooleen (VTypesFct [R.Fct]);
        return true;                                           // 132
    }

    bool CalculerEchecCaractere (const SMot & M)
    {
        if (M.Premier == 0 || M.Premier == '\'') return false;
        if (M.Nom.empty ()) return true;                       // 106
        const SResolution & R = M.R;
        unsigned Type;
        if (! TypeIdent (M, Type)) return true;                // 135
        if (IsFonction (M.Nom) || R.IsFct ()) return Type != TCaractere;
        if (GetTypeElem (Type) != TCaractere) return true;     // 134
        return IsCaractereIndexe (Type, R) && IndiceManque (M);
    }

    bool CalculerEchecString (const SMot & M)
    {
        if (M.Premier == '(') return ContenuEchoue (M, ELecteur::String, nsUtil::GetCode (nsUtil::EMsg::GuillemetAttendu));
        if (M.Premier == 0 || M.Premier == '"') return false;
        if (M.Nom.empty ()) return true;                       // 106
        const SResolution & R = M.R;
        unsigned Type;
        if (R.IsVar () || R.IsCst ()) return ! TypeIdent (M, Type) || ! EstString (Type);
        if (R.IsTab ())
            return ! TypeIdent (M, Type) || EchecNomType (M, GetTypeElem (Type), true, EstString);
        if (R.IsParam ())
        {
            const bool Tableau = IsTypeTableau (VTypesParamFormel [R.Param]);
            if (! TypeIdent (M, Type)) return true;
            return EchecNomType (M, Tableau ? GetTypeElem (Type) : Type, Tableau, EstString);
        }
        if (R.IsFct ()) return ! EstString (VTypesFct [R.Fct]);
        return true;                                           // 133
    }

    bool CalculerEchecNumerique (const SMot & M)
    {
        if (M.Premier == 0 || M.Premier == '(' || M.Premier == '-' || IsChiffre (M.Premier)) return false;
        if (M.Nom.empty ()) return true;                       // 135
        const SResolution & R = M.R;
        std::size_t Pos;
        unsigned Type;
        if ((Pos = PosFonction (M.Nom)) != NbFonctions) return ! EstNumerique (TypesFonctions [Pos]);
        if (R.IsVar ()) return ! EstNumerique (VTypesVar [R.Var]);
        if (R.IsCst ())
        {
            Type = VTypesCst [R.Cst];
            return EchecNomType (M, GetTypeElem (Type), IsTypeTableau (Type), EstNumerique);
        }
        if (R.IsTab ())
            return ! TypeTabConnu (R.Tab, Type) || EchecNomType (M, GetTypeElem (Type), true, EstNumerique);
        if (R.IsParam ())
        {
            Type = VTypesParamFormel [R.Param];
            return EchecNomType (M, GetTypeElem (Type), IsTypeTableau (Type), EstNumerique);
        }
        if (R.IsFct ()) return ! EstNumerique (VTypesFct [R.Fct]);
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
