// Expression de type quelconque (essai de chaque forme), tableau nomme seul, indice, et ce que
// les facteurs lisent apres un nom.
#pragma once

#include "relecture/Essai.h"
#include "scanner/Scanner.h"
#include "symbols/Symboles.h"

#include <string>

namespace nsTramelo
{
    std::string & ExtraireExpression (std::string & s, unsigned & Type);
    std::string & ExtraireExprTableau (std::string & s);
    // L'indice d'un element de Nom (tableau ou chaine) : ".at (" + indice + ")" dans s.
    std::string & ExtraireIndice (std::string & s, const std::string & Nom);
    // Un nom deja lu par un facteur de la forme donnee, et sa suite (indice, parametres effectifs,
    // arguments d'une fonction standard) : le texte dans s ; rend le type de la valeur.
    unsigned ExtraireSuiteNom (const std::string & Nom, EForme Forme, std::string & s);

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
