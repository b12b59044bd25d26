// Expression de type quelconque (essai de chaque forme), tableau nomme seul, indice.
#pragma once

#include <string>

namespace nsTramelo
{
    std::string & ExtraireExpression (std::string & s, unsigned & Type);
    std::string & ExtraireExprTableau (std::string & s);
    std::string & ExtraireIndice (std::string & s);
}
