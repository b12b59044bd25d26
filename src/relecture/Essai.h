// Lecture speculative : essai d'une forme au meme endroit, borne d'imbrication, et une entree par
// forme essayee, qui predit, essaie, laisse passer la bonne erreur et profite de la memoire.
// Regle de validite : une relecture (prediction ou lecture retenue) donne exactement ce que la
// lecture refaite donnerait ; RelectureRapide a faux, tout est relu et le resultat est le meme.
#pragma once

#include "modele/Modele.h"
#include "relecture/Memoire.h"
#include "relecture/Prediction.h"
#include "util/CExcTramelo.h"

#include <string>

namespace nsTramelo
{
    // Profondeur maximale d'imbrication (parentheses, appels, indices, NON, moins unaire, blocs).
    constexpr unsigned MaxImbrication = 256;

    // Constructions imbriquees ouvertes : montee et descendue par CImbrication, remise a 0 par
    // ReinitialiserRelecture.
    extern unsigned Imbrication;

    // Compte un niveau d'imbrication le temps de sa lecture ; au-dela de la borne : 147.
    class CImbrication
    {
      public :
        CImbrication ();
        ~CImbrication () { --Imbrication; }
        CImbrication (const CImbrication &) = delete;
        CImbrication & operator= (const CImbrication &) = delete;
    };

    // Les erreurs qu'aucun essai ne masque : elles finissent la traduction.
    bool IsErreurDefinitive (unsigned Code);

    // Essai de Lire : vrai s'il lit sans erreur. Une erreur definitive ou de code Passant
    // continue ; apres toute autre, la position de depart est remise si Revenir, et faux est rendu.
    // Seul Essayer rattrape une erreur d'analyse : il retient l'echec des lectures qu'elle a
    // traversees.
    template <class FLire>
    bool Essayer (FLire && Lire, unsigned Passant = 0, bool Revenir = true)
    {
        const std::size_t Depart = fi.Tellg ();
        const CEssaiOuvert Essai;
        try
        {
            Lire ();
            return true;
        }
        catch (const CExcTramelo & Exc)
        {
            Essai.Echec (Exc);
            if (IsErreurDefinitive (Exc.GetCodErr ()) || Exc.GetCodErr () == Passant) throw;
            if (Revenir) fi.Seekg (Depart);
            return false;
        }
    }

    // Une entree par forme : vrai si la forme est lue au point de lecture ; sinon rien n'est lu.
    bool EssayerBooleenne (IdExpr & E);                 // expression booleenne entiere
    bool EssayerFacteurCompare (IdExpr & E);            // premiere forme d'un terme booleen
    bool EssayerCaractere (IdExpr & E);                 // laisse passer 111
    bool EssayerString (IdExpr & E);                    // laisse passer 112
    bool EssayerNumerique (IdExpr & E, unsigned & Type);

    // Premiere lecture d'une denotation de tableau, qui commence par un mot : vrai si elle reussit ;
    // sinon la lecture suivante repart de la ou celle-ci s'est arretee (sans retour).
    template <class FLire>
    bool EssayerMot (FLire && Lire)
    {
        if (IsEchecSansMot ()) return false;
        return Essayer (Lire, 0, false);
    }

    // Remet les compteurs, la memoire et les predictions dans leur etat de demarrage.
    void ReinitialiserRelecture ();
}
