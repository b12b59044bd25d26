// Expressions numeriques : somme, produit, facteur.
#pragma once

#include "modele/Modele.h"

namespace nsTramelo
{
    IdExpr ExtraireExprNumerique (unsigned & Type);
    IdExpr ExtraireTermeNumerique (unsigned & Type);
    IdExpr ExtraireFacteurNumerique (unsigned & Type);
    // Le type d'une operation entre deux nombres : reel, sinon entier, sinon entier_naturel.
    unsigned Combiner (unsigned T1, unsigned T2);
}
