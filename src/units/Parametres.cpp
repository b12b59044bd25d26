#include "units/Parametres.h"

#include "driver/Tramelo.h"
#include "journal/Journal.h"
#include "scanner/Scanner.h"
#include "symbols/Vocabulaire.h"
#include "types/Denotations.h"
#include "util/CExcTramelo.h"

using nsUtil::EMsg;

namespace nsTramelo
{
    // parametres ::= ( parametre { , parametre } )
    std::string & TraiterParametres (std::string & Texte, CVParamFormel & Params)
    {
        char c;
        TestFinInopineeCode (c);
        if (c != '(') return Texte;
        LireCarNonBlanc ();
        Texte = "(\n";
        AugmenterTabul (Tabul, TabulSz);
        CParamFormel Param;
        for (;;)
        {
            std::string Un;
            TraiterParamFormel (Un, Param);
            Texte += Tabul + Un;
            Params.push_back (Param);
            if (! LireCarSi (',')) break;
            Texte += ",\n";
        }
        Texte += "\n";
        ValidCar (')');
        ReduireTabul (Tabul, TabulSz);
        Texte += Tabul + ")";
        return Texte;
    }

    // parametre ::= nom : (in | out | in_out) type
    std::string & TraiterParamFormel (std::string & Texte, CParamFormel & Param)
    {
        Texte.clear ();
        std::string Nom;
        ExtraireIdentForce (Nom);
        TestIdentNonMotCle (Nom);
        if (IsIdentParamFormel (Nom)) throw CExcTramelo (EMsg::ParamDejaDeclare, Nom);
        Journal.Declarer (Nom, ENature::Parametre, NivBloc);
        ValidCar (':');
        std::string Mot;
        ExtraireIdentForce (Mot);
        unsigned Mode;
        if (Mot == "in") Mode = ModeIn;
        else if (Mot == "out") Mode = ModeOut;
        else if (Mot == "in_out") Mode = ModeInOut;
        else throw CExcTramelo (EMsg::NatureParametre, Nom);
        std::string MotType, TypeCpp, ArgsCtor;
        ExtraireIdentForce (MotType);
        unsigned Type;
        TraiterType (MotType, TypeCpp, ArgsCtor, Type, false);
        AjouterParamFormel (Nom, Mode, Type, NivBloc);
        Journal.Preciser (ENature::Parametre, Type, Mode);
        Param.SetAll (MotType, Mode, Type);
        Texte = TypeCpp + ArgsCtor + (Mode == ModeIn ? " " : " & ") + Nom;
        return Texte;
    }
}
