#include "bibliotheque/Tramelo.h"

#include "scanner/Source.h"
#include "symbols/Descriptions.h"
#include "symbols/Vocabulaire.h"
#include "types/TypesCodes.h"
#include "util/CException.h"
#include "util/Messages.h"

#include <exception>

using nsUtil::EMsg;

namespace nsTramelo
{
    namespace
    {
        EMsg Message (EErreurOutil E)
        {
            switch (E)
            {
                case EErreurOutil::TailleTabulation  : return EMsg::TailleTabulation;
                case EErreurOutil::OuvertureFichier  : return EMsg::OuvertureFichier;
                case EErreurOutil::ExceptionStandard : return EMsg::ExceptionStandard;
                default                              : return EMsg::ExceptionInconnue;
            }
        }
    }

    unsigned CodeErreurOutil (EErreurOutil E) { return nsUtil::GetCode (Message (E)); }

    std::string TexteErreurOutil (EErreurOutil E) { return nsUtil::Texte (Message (E)); }

    SLectureSource LireSource (const std::vector <std::string> & Args)
    {
        // Memes messages et statuts que le point d'entree de Tramelo.
        SLectureSource L;
        try
        {
            L.Options = LireArguments (Args);
            L.Texte = LireFichierSource (Args [0]);
        }
        catch (const nsUtil::CException & Exc)
        {
            L.Statut = Exc.GetCodErr ();
            L.Message = Exc.GetLibelle ();
        }
        catch (const std::exception & Exc)
        {
            L.Statut = nsUtil::GetCode (EMsg::ExceptionStandard);
            L.Message = nsUtil::Texte (EMsg::ExceptionStandard) + Exc.what ();
        }
        return L;
    }

    bool EstCppTraduit (const std::string & Debut)
    {
        // La premiere ligne des deux profils (driver/Tramelo.cpp, ecriture/PreludeVerifie.cpp).
        static const std::string Entete = "// fichier Source";
        return Debut.compare (0, Entete.size (), Entete) == 0
            && (Debut.size () == Entete.size () || Debut [Entete.size ()] == '\n' || Debut [Entete.size ()] == ' ');
    }

    bool LireArguments (const std::vector <std::string> & Args, SOptions & Options, SRefus & Refus)
    {
        try
        {
            Options = LireArguments (Args);
            return true;
        }
        catch (const nsUtil::CException & Exc)
        {
            Refus = { Exc.GetCodErr (), Exc.GetLibelle () };
            return false;
        }
    }

    bool DecrireMot (const std::string & Mot, SDescriptionMot & D)
    {
        const SDescription * Desc = TrouverDescription (Mot);
        if (! Desc) return false;
        D.Explication = Desc->Explication;
        D.Forme = Desc->Forme;
        return true;
    }

    bool EstTypeTableau (unsigned Type) { return IsTypeTableau (Type); }

    unsigned TypeDesElements (unsigned Type) { return GetTypeElem (Type); }

    bool EstCaractereDeNom (char c) { return IsAlnum (c); }

    bool EstMotReserve (const std::string & Mot) { return IsIdentReserve (Mot); }
}
