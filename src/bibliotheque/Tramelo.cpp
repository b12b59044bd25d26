#include "bibliotheque/Tramelo.h"

#include "symbols/Descriptions.h"
#include "util/CException.h"
#include "util/Messages.h"

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
}
