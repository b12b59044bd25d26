#include "driver/Traduction.h"

#include "driver/Ppal.h"
#include "ecriture/Ecrivain.h"
#include "modele/Construction.h"
#include "driver/Tramelo.h"
#include "scanner/Source.h"
#include "util/CExcTramelo.h"

#include <algorithm>
#include <cstring>
#include <exception>

using nsUtil::EMsg;

namespace nsTramelo
{
    namespace
    {
        // Taille du texte tamponne (tabulations developpees, un '\n' par ligne), sans le construire ;
        // s'arrete des que Max est depasse.
        std::size_t TailleTamponnee (const std::string & Source, unsigned TailleTab, std::size_t Max)
        {
            if (Source.find ('\t') == std::string::npos)
                return Source.size () + (! Source.empty () && Source.back () != '\n');
            std::size_t Total = 0, Colonne = 0;
            for (char c : Source)
            {
                if (c == '\n')
                {
                    Total += Colonne + 1;
                    Colonne = 0;
                    if (Total > Max) return Total;
                }
                else if (c == '\t')
                {
                    Colonne += LargeurTabulation (Colonne, TailleTab);
                    if (Total + Colonne > Max) return Total + Colonne;
                }
                else ++Colonne;
            }
            return Colonne > 0 ? Total + Colonne + 1 : Total;
        }

        // Longueur du mot (ou du seul caractere) qui commence a Pos ; 0 sur un blanc ou a la fin.
        std::size_t LongueurMot (const std::string & Texte, std::size_t Pos)
        {
            if (Pos >= Texte.size () || IsBlanc (Texte [Pos])) return 0;
            std::size_t Fin = Pos;
            while (Fin < Texte.size () && IsAlnum (Texte [Fin])) ++Fin;
            return Fin == Pos ? 1 : Fin - Pos;
        }

        // Les parties variables du message, selon ce qu'elles sont dans la table.
        void Arguments (SDiagnostic & D, const CExcTramelo & Exc)
        {
            if (Exc.GetMsg () == EMsg::NbMessages) return;
            if (Exc.GetMsg () == EMsg::MotCleAttendu)
            {
                D.Attendu = Exc.GetVar1 ();
                D.Trouve = Exc.GetVar2 ();
            }
            else if (Exc.GetMsg () == EMsg::CaractereAttendu) D.Attendu = Exc.GetVar1 ();
            else if (* nsUtil::GetMessage (Exc.GetMsg ()).Avant == '\0') D.Nom = Exc.GetVar1 ();
        }

        void ErreurSansPosition (STraduction & R, unsigned Code, EMsg Msg, const std::string & Libelle)
        {
            SDiagnostic D;
            D.Code = Code;
            D.Msg = Msg;
            D.Message = D.Libelle = Libelle;
            R.Statut = static_cast <int> (Code);
            R.Erreur = std::move (D);
        }

        // Apres une traduction complete, un NUL du texte nettoye aurait ete pris pour sa fin.
        void VerifSansNul ()
        {
            const std::size_t Pos = fi.GetTexte ().find ('\0');
            if (Pos == std::string::npos) return;
            fi.Clear ();
            fi.Seekg (Pos + 1);
            throw CExcTramelo (EMsg::CaractereNul);
        }
    }

    std::string TexteSourceTropGrand ()
    {
        return "source trop volumineux : plus de " + std::to_string (MaxTailleSource >> 20)
             + " Mo une fois les tabulations developpees";
    }

    STraduction Traduire (const std::string & Source, const SOptions & Options)
    {
        STraduction R;
        Reinitialiser ();
        if (Options.TailleTab == 0 || Options.TailleTab > MaxTailleTabulation)
        {
            ErreurSansPosition (R, nsUtil::GetCode (EMsg::TailleTabulation), EMsg::TailleTabulation,
                                nsUtil::Texte (EMsg::TailleTabulation));
            return R;
        }
        if (TailleTamponnee (Source, Options.TailleTab, MaxTailleSource) > MaxTailleSource)
        {
            ErreurSansPosition (R, nsUtil::GetCode (EMsg::ExceptionStandard), EMsg::ExceptionStandard,
                                nsUtil::Texte (EMsg::ExceptionStandard) + TexteSourceTropGrand ());
            return R;
        }
        try
        {
            Construction.Garder = Options.Modele;
            if (Options.Modele) Construction.Reserver (Source.size ());
            PreparerEcriture (Source, Options);
            ChargerSource (Source, Options.TailleTab);
            // Le C++ fait d'ordinaire deux a trois fois le source : pas de recopies en grandissant.
            Sortie.Reserver (2 * Source.size () + 4096);
            Tramelo ();
            VerifSansNul ();
        }
        catch (const CExcTramelo & Exc)
        {
            SDiagnostic D;
            D.Code = Exc.GetCodErr ();
            D.Msg = Exc.GetMsg ();
            D.Libelle = Exc.GetLibelle ();
            D.Positionne = true;
            D.LigneSignalee = GetLigne (Exc.GetDecalage ());
            // Le prefixe "Ligne NNNN - " est le premier " - " du libelle.
            D.Message = D.Libelle.substr (D.Libelle.find (" - ") + 3);
            D.Arret = SituerDecalage (Source, Options.TailleTab, FinLigne, Exc.GetDecalage ());
            D.Longueur = LongueurMot (fi.GetTexte (), Exc.GetDecalage ());
            Arguments (D, Exc);
            R.Statut = static_cast <int> (D.Code);
            R.Erreur = std::move (D);
        }
        catch (const nsUtil::CException & Exc)
        {
            ErreurSansPosition (R, Exc.GetCodErr (), EMsg::NbMessages, Exc.GetLibelle ());
        }
        catch (const std::exception & Exc)
        {
            ErreurSansPosition (R, nsUtil::GetCode (EMsg::ExceptionStandard), EMsg::ExceptionStandard,
                                nsUtil::Texte (EMsg::ExceptionStandard) + Exc.what ());
        }
        catch (...)
        {
            ErreurSansPosition (R, nsUtil::GetCode (EMsg::ExceptionInconnue), EMsg::ExceptionInconnue,
                                nsUtil::Texte (EMsg::ExceptionInconnue));
        }
        // Ce qui reste ouvert apres une erreur est ferme, marque incomplet, a la position de l'arret.
        Construction.Clore ();
        R.Cpp = Sortie.Prendre ();
        R.Texte = fi.Prendre ();
        R.FinLignes.swap (FinLigne);
        R.Modele = Construction.Prendre ();
        if (R.Erreur && ! R.Erreur->Nom.empty ())
            if (const SDeclaration * D = R.Modele.Visible (R.Erreur->Nom, R.Erreur->Arret.Decalage))
                R.Erreur->Declaration = static_cast <std::uint32_t> (D - R.Modele.Declarations.data ());
        Reinitialiser ();
        return R;
    }
}
