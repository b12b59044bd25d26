// Expression de type quelconque (essai de chaque forme), tableau nomme seul, indice.
#pragma once

#include "scanner/Relecture.h"
#include "scanner/Scanner.h"

#include <string>

namespace nsTramelo
{
    std::string & ExtraireExpression (std::string & s, unsigned & Type);
    std::string & ExtraireExprTableau (std::string & s);
    std::string & ExtraireIndice (std::string & s);

    // ( expression ), la parenthese ouvrante etant le prochain caractere : l'expression est lue
    // par Lire (texte), le resultat est " (" + texte + ")". Compte un niveau d'imbrication.
    template <class FLire>
    std::string LireParenthese (FLire Lire)
    {
        CImbrication Niveau;
        LireCarNonBlanc ();
        std::string Texte;
        Lire (Texte);
        ValidCar (')');
        return " (" + Texte + ")";
    }
}
