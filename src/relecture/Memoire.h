// Memoire des lectures : le resultat d'un lecteur, par position de depart, pour qu'un essai qui
// relit le meme texte le rejoue au lieu de le relire (la lecture reste lineaire).
// Une lecture retenue vaut tant que les tables n'ont pas change (GenerationSymboles) et que le
// texte n'a pas bute sur sa fin (fi.GetNbEchecs) ; la memoire est videe a chaque instruction.
#pragma once

#include "modele/Modele.h"
#include "scanner/Source.h"
#include "util/CExcTramelo.h"

#include <cstddef>
#include <optional>
#include <string>

namespace nsTramelo
{
    // Predictions et memoire des lectures en service ; fixe par le programme qui traduit (vrai
    // par defaut), jamais change par la traduction ni par Reinitialiser. A faux, chaque essai
    // relit tout : le resultat est le meme, seulement plus lent.
    extern bool RelectureRapide;

    // Lecteurs dont le resultat est retenu.
    enum class ELecteur : unsigned { Expression, Booleenne, Caractere, String, Numerique, Nb };

    namespace nsMemoire
    {
        struct SLecture
        {
            bool        Ok;
            IdExpr      Noeud;       // le noeud du modele lu
            unsigned    Type;
            std::size_t PosFin;      // position ou la lecture s'est arretee, erreur comprise
            std::optional <CExcTramelo> Erreur;   // celle d'une lecture qui a echoue
        };

        // Essais en cours : monte et descendu par CEssaiOuvert, remis a 0 par ReinitialiserMemoire.
        extern unsigned NbEssais;

        bool Vide ();
        const SLecture * Retrouver (ELecteur L, std::size_t Pos);
        IdExpr Rejouer (const SLecture & Lu, unsigned & Type);
        // Une lecture commence : son rang parmi les lectures ouvertes.
        std::size_t Ouvrir (ELecteur L, std::size_t Depart);
        // Elle reussit : elle est retenue, et les lectures ouvertes apres elle sont fermees.
        void Fermer (std::size_t Rang, IdExpr Noeud, unsigned Type);
    }

    // Un essai en cours, le temps de sa lecture. Quand il rattrape une erreur, les lectures
    // ouvertes pendant lui et non fermees sont celles qu'elle a traversees : leur echec est retenu.
    class CEssaiOuvert
    {
      public :
        CEssaiOuvert ();
        ~CEssaiOuvert () { --nsMemoire::NbEssais; }
        CEssaiOuvert (const CEssaiOuvert &) = delete;
        CEssaiOuvert & operator= (const CEssaiOuvert &) = delete;
        void Echec (const CExcTramelo & Exc) const noexcept;

      private :
        std::size_t Marque;
    };

    // Lit avec Lire (Type), ou rejoue la lecture deja faite a la meme position : meme noeud,
    // meme type, meme position finale, meme erreur. Hors de tout essai, rien n'est retenu.
    template <class FLire>
    IdExpr Memoriser (ELecteur L, unsigned & Type, FLire && Lire)
    {
        if (! RelectureRapide || fi.EnEchec () || (nsMemoire::NbEssais == 0 && nsMemoire::Vide ()))
            return Lire (Type);
        const std::size_t Depart = fi.Tellg ();
        if (const nsMemoire::SLecture * Lu = nsMemoire::Retrouver (L, Depart))
            return nsMemoire::Rejouer (* Lu, Type);
        if (nsMemoire::NbEssais == 0) return Lire (Type);
        const std::size_t Rang = nsMemoire::Ouvrir (L, Depart);
        const IdExpr E = Lire (Type);
        nsMemoire::Fermer (Rang, E, Type);
        return E;
    }

    // Lecteur d'un type fixe.
    template <class FLire>
    IdExpr Memoriser (ELecteur L, FLire && Lire)
    {
        unsigned SansType = 0;
        return Memoriser (L, SansType, [&] (unsigned &) { return Lire (); });
    }

    // Aucune relecture ne revient sur une instruction terminee : la memoire est videe.
    void OublierLectures ();
    // Memoire vide, aucun essai ni lecture ouverts.
    void ReinitialiserMemoire ();
}
