#include "bibliotheque/Tramelo.h"

#include "scanner/Source.h"
#include "symbols/Descriptions.h"
#include "symbols/Vocabulaire.h"
#include "types/TypesCodes.h"
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
