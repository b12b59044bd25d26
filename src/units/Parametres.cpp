#include "units/Parametres.h"

#include "modele/Construction.h"
#include "scanner/Scanner.h"
#include "symbols/Vocabulaire.h"
#include "types/Denotations.h"
#include "util/CExcTramelo.h"

using nsUtil::EMsg;

namespace nsTramelo
{
    // parametres ::= ( parametre { , parametre } )
    void TraiterParametres (CVParamFormel & Params)
    {
        char c;
        TestFinInopineeCode (c);
        if (c != '(') return;
        LireCarNonBlanc ();
        CParamFormel Param;
        for (;;)
        {
            TraiterParamFormel (Param);
            Params.push_back (Param);
            if (! LireCarSi (',')) break;
        }
        ValidCar (')');
    }

    // parametre ::= nom : (in | out | in_out) type
    void TraiterParamFormel (CParamFormel & Param)
    {
        std::string Nom;
        ExtraireIdentForce (Nom);
        TestIdentNonMotCle (Nom);
        if (IsIdentParamFormel (Nom)) throw CExcTramelo (EMsg::ParamDejaDeclare, Nom);
        Construction.Declarer (Nom, ENature::Parametre, NivBloc);
        Construction.AjouterParametre ();
        ValidCar (':');
        std::string Mot;
        ExtraireIdentForce (Mot);
        unsigned Mode;
        if (Mot == "in") Mode = ModeIn;
        else if (Mot == "out") Mode = ModeOut;
        else if (Mot == "in_out") Mode = ModeInOut;
        else throw CExcTramelo (EMsg::NatureParametre, Nom);
        std::string MotType;
        ExtraireIdentForce (MotType);
        unsigned Type;
        IdExpr SansTaille;
        TraiterType (MotType, Type, SansTaille, false);
        AjouterParamFormel (Nom, Mode, Type, NivBloc, Construction.DerniereDeclaration ());
        Construction.Preciser (ENature::Parametre, Type, Mode);
        Param.SetAll (MotType, Mode, Type);
    }
}
