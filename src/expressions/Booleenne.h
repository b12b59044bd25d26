// Expressions booleennes et conditions.
#pragma once

#include <string>

namespace nsTramelo
{
    std::string & ExtraireExprBooleenne (std::string & s);
    std::string & ExtraireTermeBooleen (std::string & s);
    std::string & ExtraireFacteurBooleen (std::string & s);
    std::string & TraiterCondition (std::string & s);
}
