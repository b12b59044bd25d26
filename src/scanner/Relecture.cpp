#include "scanner/Relecture.h"

#include "symbols/Symboles.h"

#include <exception>
#include <unordered_map>

using nsUtil::EMsg;

namespace nsTramelo
{
    unsigned Imbrication = 0;
    unsigned NbEssais = 0;

    CImbrication::CImbrication ()
    {
        if (++Imbrication > MaxImbrication)
        {
            --Imbrication;
            throw CExcTramelo (EMsg::ImbricationTropProfonde);
        }
    }

    bool IsErreurDefinitive (const CExcTramelo & Exc)
    {
        return Exc.GetCodErr () == nsUtil::GetCode (EMsg::ImbricationTropProfonde)
            || Exc.GetCodErr () == nsUtil::GetCode (EMsg::SequenceEchappement);
    }

    namespace nsDetail
    {
        namespace
        {
            std::unordered_map <std::uint64_t, SLecture> Lectures;
            std::uint64_t GenerationLectures = 0;
            std::uint64_t EchecsLectures = 0;

            // Vider sans garder des milliers d'alveoles : on vide a chaque instruction.
            void Vider ()
            {
                if (Lectures.empty ()) return;
                if (Lectures.bucket_count () > 64) std::unordered_map <std::uint64_t, SLecture> ().swap (Lectures);
                else Lectures.clear ();
            }

            std::uint64_t Cle (ELecteur L, std::size_t Pos)
            {
                return (static_cast <std::uint64_t> (Pos) << 3) | static_cast <unsigned> (L);
            }

            // Les lectures retenues ne valent que pour les memes tables et hors fin de texte.
            void Synchroniser ()
            {
                if (GenerationLectures != GenerationSymboles || EchecsLectures != fi.GetNbEchecs ())
                {
                    Vider ();
                    GenerationLectures = GenerationSymboles;
                    EchecsLectures = fi.GetNbEchecs ();
                }
            }
        }

        bool Vide () { return Lectures.empty (); }

        const SLecture * Retrouver (ELecteur L, std::size_t Pos)
        {
            Synchroniser ();
            auto It = Lectures.find (Cle (L, Pos));
            return It == Lectures.end () ? nullptr : & It->second;
        }

        void Retenir (ELecteur L, std::size_t Pos, SLecture Lecture, std::uint64_t Generation,
                      std::uint64_t Echecs)
        {
            // Une lecture qui a vu changer les tables ou buter sur la fin ne se rejoue pas ; hors
            // de tout essai, personne ne reviendra en arriere la relire.
            if (Generation != GenerationSymboles || Echecs != fi.GetNbEchecs () || NbEssais == 0) return;
            Synchroniser ();
            Lectures.insert_or_assign (Cle (L, Pos), std::move (Lecture));
        }

        CRetenueEchec::CRetenueEchec (ELecteur L, std::size_t Depart)
            : Lecteur (L), Depart (Depart), Generation (GenerationSymboles), Echecs (fi.GetNbEchecs ()),
              Exceptions (std::uncaught_exceptions ())
        {}

        CRetenueEchec::~CRetenueEchec ()
        {
            // Une erreur d'analyse traverse cette lecture : c'est la derniere construite (ou rejouee).
            if (std::uncaught_exceptions () <= Exceptions || fi.EnEchec ()) return;
            const CExcTramelo * Erreur = CExcTramelo::GetDerniere ();
            if (Erreur == nullptr) return;
            try
            {
                Retenir (Lecteur, Depart, { false, "", 0, fi.Tellg (), * Erreur }, Generation, Echecs);
            }
            catch (...) {}   // sans memoire, la lecture sera simplement refaite
        }

        const std::string & Rejouer (const SLecture & Lu, std::string & s, unsigned & Type)
        {
            fi.Seekg (Lu.PosFin);
            if (! Lu.Ok)
            {
                CExcTramelo::SetDerniere (* Lu.Erreur);
                throw * Lu.Erreur;
            }
            s = Lu.Texte;
            Type = Lu.Type;
            return s;
        }
    }

    void OublierLectures ()
    {
        nsDetail::Vider ();
    }
}
