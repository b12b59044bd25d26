// Expressions de type string et caractere.
#pragma once

#include <string>

namespace nsTramelo
{
    std::string & ExtraireExprString (std::string & s);
    std::string & ExtraireFacteurString (std::string & s);
    std::string & ExtraireExprCaractere (std::string & s);
}
