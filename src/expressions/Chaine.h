// Expressions de type string et caractere.
#pragma once

#include "modele/Modele.h"

namespace nsTramelo
{
    IdExpr ExtraireExprString ();
    IdExpr ExtraireFacteurString ();
    IdExpr ExtraireExprCaractere ();
}
