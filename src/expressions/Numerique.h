// Expressions numeriques : somme, produit, facteur.
#pragma once

#include <string>

namespace nsTramelo
{
    std::string & ExtraireExprNumerique (std::string & s, unsigned & Type);
    std::string & ExtraireTermeNumerique (std::string & s, unsigned & Type);
    std::string & ExtraireFacteurNumerique (std::string & s, unsigned & Type);
}
