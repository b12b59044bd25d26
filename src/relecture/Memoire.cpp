#include "relecture/Memoire.h"

#include "symbols/Symboles.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace nsTramelo
{
    bool RelectureRapide = true;

    namespace nsMemoire
    {
        unsigned NbEssais = 0;

        namespace
        {
            // Cle d'une lecture : sa position de depart, le lecteur dans les bits du bas.
            constexpr unsigned BitsLecteur = 3;
            static_assert (static_cast <unsigned> (ELecteur::Nb) <= 1u << BitsLecteur, "cle trop petite");

            // Les lectures retenues ; remplies par Fermer et CEssaiOuvert::Echec, videes par Vider.
            std::unordered_map <std::uint64_t, SLecture> Lectures;
            // Tables et fins de texte pour lesquelles valent les lectures retenues ; suivies par Synchroniser.
            std::uint64_t GenerationLectures = 0, EchecsLectures = 0;

            // Une lecture ouverte : ce qu'il faut pour la retenir quand elle finit.
            struct SOuverte
            {
                ELecteur      Lecteur;
                std::size_t   Depart;
                std::uint64_t Generation, Echecs;
            };
            // Lectures commencees pendant un essai et pas encore finies ; empilees par Ouvrir,
            // depilees par Fermer ou par l'essai qui rattrape une erreur.
            std::vector <SOuverte> Ouvertes;

            std::uint64_t Cle (ELecteur L, std::size_t Pos)
            {
                return (static_cast <std::uint64_t> (Pos) << BitsLecteur) | static_cast <unsigned> (L);
            }

            // Vider sans garder des milliers d'alveoles : on vide a chaque instruction.
            void Vider ()
            {
                if (Lectures.empty ()) return;
                if (Lectures.bucket_count () > 64) std::unordered_map <std::uint64_t, SLecture> ().swap (Lectures);
                else Lectures.clear ();
            }

            void Synchroniser ()
            {
                if (GenerationLectures != GenerationSymboles || EchecsLectures != fi.GetNbEchecs ())
                {
                    Vider ();
                    GenerationLectures = GenerationSymboles;
                    EchecsLectures = fi.GetNbEchecs ();
                }
            }

            // Une lecture qui a vu changer les tables ou buter sur la fin ne se rejoue pas.
            void Retenir (const SOuverte & O, SLecture Lecture)
            {
                if (O.Generation != GenerationSymboles || O.Echecs != fi.GetNbEchecs ()) return;
                Synchroniser ();
                Lectures.insert_or_assign (Cle (O.Lecteur, O.Depart), std::move (Lecture));
            }
        }

        bool Vide () { return Lectures.empty (); }

        const SLecture * Retrouver (ELecteur L, std::size_t Pos)
        {
            Synchroniser ();
            const auto It = Lectures.find (Cle (L, Pos));
            return It == Lectures.end () ? nullptr : & It->second;
        }

        IdExpr Rejouer (const SLecture & Lu, unsigned & Type)
        {
            fi.Seekg (Lu.PosFin);
            if (! Lu.Ok) throw * Lu.Erreur;
            Type = Lu.Type;
            return Lu.Noeud;
        }

        std::size_t Ouvrir (ELecteur L, std::size_t Depart)
        {
            Ouvertes.push_back ({ L, Depart, GenerationSymboles, fi.GetNbEchecs () });
            return Ouvertes.size () - 1;
        }

        void Fermer (std::size_t Rang, IdExpr Noeud, unsigned Type)
        {
            const SOuverte O = Ouvertes [Rang];
            Ouvertes.resize (Rang);
            if (! fi.EnEchec ()) Retenir (O, { true, Noeud, Type, fi.Tellg (), std::nullopt });
        }
    }

    CEssaiOuvert::CEssaiOuvert () : Marque (nsMemoire::Ouvertes.size ()) { ++nsMemoire::NbEssais; }

    void CEssaiOuvert::Echec (const CExcTramelo & Exc) const noexcept
    {
        using namespace nsMemoire;
        // Sans memoire, ces lectures seront simplement refaites.
        try
        {
            if (! fi.EnEchec ())
                for (std::size_t i = Ouvertes.size (); i-- > Marque; )
                    Retenir (Ouvertes [i], { false, Aucun, 0, fi.Tellg (), Exc });
        }
        catch (...) {}
        Ouvertes.resize (Marque);
    }

    void OublierLectures () { nsMemoire::Vider (); }

    void ReinitialiserMemoire ()
    {
        using namespace nsMemoire;
        std::unordered_map <std::uint64_t, SLecture> ().swap (Lectures);
        Ouvertes.clear ();
        GenerationLectures = EchecsLectures = 0;
        NbEssais = 0;
    }
}
