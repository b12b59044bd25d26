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

    bool EssayerBooleenne (IdExpr & E)
    {
        return ! EchecCertainBooleenne () && Essayer ([&] { E = ExtraireExprBooleenne (); });
    }

    bool EssayerFacteurCompare (IdExpr & E)
    {
        return ! EchecCertainFacteurCompare () && Essayer ([&] { E = ExtraireFacteurCompare (); });
    }

    bool EssayerCaractere (IdExpr & E)
    {
        return ! EchecCertainCaractere ()
            && Essayer ([&] { E = ExtraireExprCaractere (); }, nsUtil::GetCode (EMsg::QuoteAttendue));
    }

    bool EssayerString (IdExpr & E)
    {
        return ! EchecCertainString ()
            && Essayer ([&] { E = ExtraireExprString (); }, nsUtil::GetCode (EMsg::GuillemetAttendu));
    }

    bool EssayerNumerique (IdExpr & E, unsigned & Type)
    {
        return ! EchecCertainNumerique () && Essayer ([&] { E = ExtraireExprNumerique (Type); });
    }

    void ReinitialiserRelecture ()
    {
        Imbrication = 0;
        ReinitialiserMemoire ();
        ReinitialiserPredictions ();
    }
}
