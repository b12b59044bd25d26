// Expressions booleennes et conditions.
#pragma once

#include "modele/Modele.h"

namespace nsTramelo
{
    IdExpr ExtraireExprBooleenne ();
    IdExpr ExtraireTermeBooleen ();
    // Premiere forme d'un terme : un facteur booleen, compare ou non a un autre.
    IdExpr ExtraireFacteurCompare ();
    IdExpr ExtraireFacteurBooleen ();
    IdExpr TraiterCondition ();
    // ( condition ) des structures si, sinon_si, tant_que, jusqua et repeter.
    IdExpr LireConditionParenthesee ();
    // Operande gauche d'une comparaison dont le gauche n'est pas un facteur booleen :
    // caractere, sinon string, sinon numerique ; rend son type.
    unsigned ExtraireOperandeGauche (IdExpr & E);
}
