// La table unique des textes de diagnostic, indexee par message.
#pragma once

#include <string>

namespace nsUtil
{
    // Un message = Avant + variable1 + Milieu + variable2 + Apres ; les parties vides sont omises.
    enum class EMsg
    {
        FinFichierPrematuree, UniteAttendue, CodeApresFin, MotCleAttendu, DebutAttendu,
        MotReserve, IdentifiantAttendu, IdentificateurAttendu, DejaDeclare, CaractereAttendu,
        QuoteAttendue, GuillemetAttendu, FinInopinee, TableauConstant, TypeDeBaseAttendu,
        DoubleDeclaration, TypeDeRetour, ParamDejaDeclare, DoitEtreVariable, PasDeDimension,
        ProcStandardInconnue, FctStandardInconnue, ParametreInvalide, NatureParametre,
        AttenteVariable, ConnecteurAttendu, ExprBooleenne, ExprString, ExprCaractere,
        ExprNumerique, AffectationTableau, TypeInvalide, BorneInvalide, TailleInvalide,
        IndiceEntier, SortieMalUtilisee, ContinueMalUtilise, RenvoieHorsFonction,
        NonRedimensionnable, NonAllongeable, PasUnTableau, TailleTypeInvalide,
        ImbricationTropProfonde, SequenceEchappement, CaractereNul, OuvertureFichier, NbArguments, TailleTabulation,
        ExceptionStandard, ExceptionInconnue,
        NbMessages
    };

    struct SMessage
    {
        unsigned     Code;
        const char * Avant;
        const char * Milieu;
        const char * Apres;
    };

    const SMessage & GetMessage (EMsg Msg);
    unsigned GetCode (EMsg Msg);
    std::string Texte (EMsg Msg, const std::string & Var1 = "", const std::string & Var2 = "");
}
