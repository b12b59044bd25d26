// Relecture d'un meme texte : essai d'une forme avec retour a la position de depart,
// memoire des lectures deja faites (pour rester lineaire), et borne d'imbrication.
#pragma once

#include "scanner/Source.h"
#include "util/CExcTramelo.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace nsTramelo
{
    // Profondeur maximale d'imbrication (parentheses, appels, indices, NON, moins unaire, blocs).
    constexpr unsigned MaxImbrication = 256;

    // Nombre de constructions imbriquees ouvertes ; monte et descend avec CImbrication.
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

    // Nombre d'essais en cours : seules les lectures faites pendant un essai peuvent etre relues.
    extern unsigned NbEssais;

    // Les erreurs qu'aucune autre lecture du meme texte ne doit masquer.
    bool IsErreurDefinitive (const CExcTramelo & Exc);

    // Essai d'une forme : rend l'erreur d'analyse levee, ou rien. L'erreur 147 et celle de code
    // CodePassant passent telles quelles ; apres toute autre, la position de depart est remise
    // (sauf si Restaurer est faux : la lecture suivante repart de la ou celle-ci s'est arretee).
    template <class FLire>
    std::optional <CExcTramelo> Essayer (FLire && Lire, unsigned CodePassant = 0, bool Restaurer = true)
    {
        const std::size_t Depart = fi.Tellg ();
        struct CCompte
        {
            CCompte () { ++NbEssais; }
            ~CCompte () { --NbEssais; }
        } Compte;
        try
        {
            Lire ();
            return std::nullopt;
        }
        catch (const CExcTramelo & Exc)
        {
            if (IsErreurDefinitive (Exc) || Exc.GetCodErr () == CodePassant) throw;
            if (Restaurer) fi.Seekg (Depart);
            return Exc;
        }
    }

    // Lecteurs dont le resultat est memorise par position de depart.
    enum class ELecteur : unsigned { Expression, Booleenne, Caractere, String, Numerique };

    void OublierLectures ();

    namespace nsDetail
    {
        struct SLecture
        {
            bool          Ok;
            std::string   Texte;
            unsigned      Type;
            std::size_t   PosFin;
            std::optional <CExcTramelo> Erreur;
        };
        const SLecture * Retrouver (ELecteur L, std::size_t Pos);
        void Retenir (ELecteur L, std::size_t Pos, SLecture Lecture, std::uint64_t Generation,
                      std::uint64_t Echecs);
        bool Vide ();
        const std::string & Rejouer (const SLecture & Lu, std::string & s, unsigned & Type);

        // Retient l'erreur qui traverse la lecture commencee a Depart, s'il en passe une.
        class CRetenueEchec
        {
          public :
            CRetenueEchec (ELecteur L, std::size_t Depart);
            ~CRetenueEchec ();
            CRetenueEchec (const CRetenueEchec &) = delete;
            CRetenueEchec & operator= (const CRetenueEchec &) = delete;

            const ELecteur      Lecteur;
            const std::size_t   Depart;
            const std::uint64_t Generation;
            const std::uint64_t Echecs;
            const int           Exceptions;
        };
    }

    // Lit avec Lire (s, Type), ou rejoue le resultat d'une lecture deja faite au meme endroit
    // avec les memes tables de symboles : meme texte, meme type, meme position, meme erreur.
    // Un echec est retenu au passage de l'erreur, sans la rattraper ni la relancer.
    template <class FLire>
    std::string & Memoriser (ELecteur L, std::string & s, unsigned & Type, FLire && Lire)
    {
        if (fi.EnEchec () || (NbEssais == 0 && nsDetail::Vide ())) return Lire (s, Type);
        const std::size_t Depart = fi.Tellg ();
        if (const nsDetail::SLecture * Lu = nsDetail::Retrouver (L, Depart))
        {
            nsDetail::Rejouer (* Lu, s, Type);
            return s;
        }
        const nsDetail::CRetenueEchec SiEchec (L, Depart);
        Lire (s, Type);
        if (! fi.EnEchec ())
            nsDetail::Retenir (L, Depart, { true, s, Type, fi.Tellg (), std::nullopt },
                               SiEchec.Generation, SiEchec.Echecs);
        return s;
    }
}
