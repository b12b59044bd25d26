// Expressions booleennes et conditions.
#pragma once

#include <string>

namespace nsTramelo
{
    std::string & ExtraireExprBooleenne (std::string & s);
    std::string & ExtraireTermeBooleen (std::string & s);
    // Premiere forme d'un terme : un facteur booleen, compare ou non a un autre.
    std::string & ExtraireFacteurCompare (std::string & s);
    std::string & ExtraireFacteurBooleen (std::string & s);
    std::string & TraiterCondition (std::string & s);
    // ( condition ) des structures si, sinon_si, tant_que, jusqua et repeter : son texte.
    std::string LireConditionParenthesee ();
    // Operande gauche d'une comparaison dont le gauche n'est pas un facteur booleen :
    // caractere, sinon string, sinon numerique ; rend son type.
    unsigned ExtraireOperandeGauche (std::string & s);
}
