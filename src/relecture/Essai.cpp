#include "relecture/Essai.h"

#include "expressions/Booleenne.h"
#include "expressions/Chaine.h"
#include "expressions/Numerique.h"
#include "relecture/Prediction.h"

using nsUtil::EMsg;

namespace nsTramelo
{
    unsigned Imbrication = 0;

    CImbrication::CImbrication ()
    {
        if (++Imbrication > MaxImbrication)
        {
            --Imbrication;
            throw CExcTramelo (EMsg::ImbricationTropProfonde);
        }
    }

    bool IsErreurDefinitive (unsigned Code)
    {
        for (const EMsg Msg : { EMsg::ImbricationTropProfonde, EMsg::SequenceEchappement })
            if (Code == nsUtil::GetCode (Msg)) return true;
        return false;
    }

    bool EssayerBooleenne (std::string & s)
    {
        return ! EchecCertainBooleenne () && Essayer ([&] { ExtraireExprBooleenne (s); });
    }

    bool EssayerFacteurCompare (std::string & s)
    {
        return ! EchecCertainFacteurCompare () && Essayer ([&] { ExtraireFacteurCompare (s); });
    }

    bool EssayerCaractere (std::string & s)
    {
        return ! EchecCertainCaractere ()
            && Essayer ([&] { ExtraireExprCaractere (s); }, nsUtil::GetCode (EMsg::QuoteAttendue));
    }

    bool EssayerString (std::string & s)
    {
        return ! EchecCertainString ()
            && Essayer ([&] { ExtraireExprString (s); }, nsUtil::GetCode (EMsg::GuillemetAttendu));
    }

    bool EssayerNumerique (std::string & s, unsigned & Type)
    {
        return ! EchecCertainNumerique () && Essayer ([&] { ExtraireExprNumerique (s, Type); });
    }

    void ReinitialiserRelecture ()
    {
        Imbrication = 0;
        ReinitialiserMemoire ();
        ReinitialiserPredictions ();
    }
}
