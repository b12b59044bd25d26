#include "relecture/Prediction.h"

#include "expressions/Booleenne.h"
#include "relecture/Essai.h"
#include "scanner/Scanner.h"
#include "symbols/Symboles.h"

#include <cstdint>

using nsUtil::EMsg;

namespace nsTramelo
{
    namespace
    {
        // Premier caractere non blanc a partir de P (0 a la fin du texte), P place dessus.
        char Regarder (std::size_t & P)
        {
            const std::string & T = fi.GetTexte ();
            while (P < T.size () && IsBlanc (T [P])) ++P;
            return P < T.size () ? T [P] : 0;
        }

        // Le mot au point de lecture Depart : son premier caractere (0 a la fin du texte) a la
        // position Debut, le nom qui commence la (vide si ce n'est pas une lettre), la position
        // Apres lui, et ce que les tables de la generation Generation en disent.
        struct SMotRegarde
        {
            std::size_t   Depart = CSource::PosInvalide;
            std::uint64_t Generation = 0;
            char          Premier = 0;
            std::size_t   Debut = 0;
            std::string   Nom;
            std::size_t   Apres = 0;
            SResolution   R {};
            // Ce que chaque forme fait du nom, calcule a la premiere demande.
            SNom          Classes [4];
            bool          Classe [4] = {};
        };

        // Le dernier mot regarde, que plusieurs predictions demandent de suite au meme endroit ;
        // refait par MotCourant quand la position ou les tables changent, oublie par
        // ReinitialiserPredictions.
        SMotRegarde Mot;

        const SMotRegarde & MotCourant ()
        {
            if (Mot.Depart == fi.Tellg () && Mot.Generation == GenerationSymboles) return Mot;
            Mot.Depart = Mot.Debut = fi.Tellg ();
            Mot.Generation = GenerationSymboles;
            Mot.Premier = Regarder (Mot.Debut);
            Mot.Nom.clear ();
            for (bool & C : Mot.Classe) C = false;
            if (! IsLettre (Mot.Premier)) return Mot;
            const std::string & T = fi.GetTexte ();
            Mot.Apres = Mot.Debut;
            while (Mot.Apres < T.size () && IsAlnum (T [Mot.Apres])) ++Mot.Apres;
            Mot.Nom.assign (T, Mot.Debut, Mot.Apres - Mot.Debut);
            Mot.R = Resoudre (Mot.Nom);
            return Mot;
        }

        // Un indice doit suivre le nom : echec sur si autre chose qu'un [ suit (110) ; inconnu a
        // la fin du texte, et a la borne d'imbrication (147 passerait avant).
        bool IndiceManque (const SMotRegarde & M)
        {
            if (Imbrication >= MaxImbrication) return false;
            std::size_t P = M.Apres;
            const char c = Regarder (P);
            return c != 0 && c != '[';
        }

        // Le nom echoue-t-il a coup sur dans un facteur de cette forme ?
        bool EchecNom (const SMotRegarde & M, EForme Forme)
        {
            const unsigned F = static_cast <unsigned> (Forme);
            if (! M.Classe [F])
            {
                Mot.Classes [F] = Classer (M.R, Forme);
                Mot.Classe [F] = true;
            }
            const SNom & N = M.Classes [F];
            return N.Refus || (N.Suite == ESuite::Indice && IndiceManque (M));
        }

        // ( contenu ) : echec sur si le contenu, lu par le meme lecteur, a deja echoue a cet
        // endroit, sauf par une erreur qui traverserait, et si la parenthese ne passe pas la borne.
        bool ContenuEchoue (const SMotRegarde & M, ELecteur Lecteur, unsigned Passant)
        {
            if (Imbrication + 1 > MaxImbrication) return false;
            const nsMemoire::SLecture * Lu = nsMemoire::Retrouver (Lecteur, M.Debut + 1);
            return Lu != nullptr && ! Lu->Ok && ! IsErreurDefinitive (Lu->Erreur->GetCodErr ())
                && Lu->Erreur->GetCodErr () != Passant;
        }

        // Le mot au point de lecture, ou rien si les predictions sont coupees ou le texte fini.
        const SMotRegarde * Regarde ()
        {
            if (! RelectureRapide || fi.EnEchec ()) return nullptr;
            const SMotRegarde & M = MotCourant ();
            return M.Premier == 0 ? nullptr : & M;
        }
    }

    // facteur_booleen : ( booleenne ) | NON facteur | vrai | faux | nom
    bool EchecCertainFacteurCompare ()
    {
        const SMotRegarde * M = Regarde ();
        if (M == nullptr) return false;
        if (M->Premier == '(') return ContenuEchoue (* M, ELecteur::Booleenne, 0);
        if (M->Nom.empty ()) return true;                                      // 132
        if (M->Nom == "NON" || M->Nom == "vrai" || M->Nom == "faux") return false;
        return EchecNom (* M, EForme::Booleen);
    }

    // caractere : litteral | nom
    bool EchecCertainCaractere ()
    {
        const SMotRegarde * M = Regarde ();
        if (M == nullptr || M->Premier == '\'') return false;
        return M->Nom.empty () || EchecNom (* M, EForme::Caractere);          // 106
    }

    // facteur_string : ( string ) | litteral | nom
    bool EchecCertainString ()
    {
        const SMotRegarde * M = Regarde ();
        if (M == nullptr || M->Premier == '"') return false;
        if (M->Premier == '(')
            return ContenuEchoue (* M, ELecteur::String, nsUtil::GetCode (EMsg::GuillemetAttendu));
        return M->Nom.empty () || EchecNom (* M, EForme::String);             // 106
    }

    // facteur_numerique : ( somme ) | - facteur | nombre | nom
    bool EchecCertainNumerique ()
    {
        const SMotRegarde * M = Regarde ();
        if (M == nullptr || M->Premier == '(' || M->Premier == '-' || IsChiffre (M->Premier)) return false;
        return M->Nom.empty () || EchecNom (* M, EForme::Numerique);          // 135
    }

    // Le premier terme d'une booleenne dont le premier facteur est impossible est une comparaison :
    // elle echoue si son operande gauche echoue, ou s'il n'est suivi ni d'un comparateur ni de la fin.
    bool EchecCertainBooleenne ()
    {
        if (! EchecCertainFacteurCompare ()) return false;
        if (EchecCertainCaractere () && EchecCertainString () && EchecCertainNumerique ()) return true;
        const std::size_t Depart = fi.Tellg ();
        bool Echec = true;
        Essayer ([&]
        {
            IdExpr Operande;
            ExtraireOperandeGauche (Operande);
            const char c = SkipSpaces ();
            Echec = c != 0 && c != 'v' && c != 'n' && c != '<' && c != '>';
        });
        fi.Seekg (Depart);
        return Echec;
    }

    bool IsEchecSansMot ()
    {
        if (! RelectureRapide) return false;
        const char c = SkipSpaces ();
        return c != 0 && ! IsLettre (c);
    }

    void ReinitialiserPredictions () { Mot = SMotRegarde (); }
}
