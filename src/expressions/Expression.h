// Expression de type quelconque (essai de chaque forme), tableau nomme seul, indice, et ce que
// les facteurs lisent apres un nom.
#pragma once

#include "modele/Construction.h"
#include "relecture/Essai.h"
#include "scanner/Scanner.h"
#include "symbols/Symboles.h"

#include <cstddef>
#include <string>

namespace nsTramelo
{
    IdExpr ExtraireExpression (unsigned & Type);
    IdExpr ExtraireExprTableau ();
    // L'indice d'un element (tableau ou chaine) : l'expression entre crochets.
    IdExpr ExtraireIndice ();
    // Un nom deja lu (il commence a Debut) par un facteur de la forme donnee, et sa suite
    // (indice, parametres effectifs, arguments d'une fonction standard) : le noeud, qui porte le
    // type de la valeur.
    IdExpr ExtraireSuiteNom (const std::string & Nom, EForme Forme, std::size_t Debut);
    // La declaration qui donne son type a ce nom (GetTypeIdent), ou Aucun.
    IdDecl DeclDuNom (const std::string & Nom);

    // ( expression ), la parenthese ouvrante etant le prochain caractere : l'expression est lue
    // par Lire (qui rend son noeud). Compte un niveau d'imbrication.
    template <class FLire>
    IdExpr LireParenthese (FLire Lire, unsigned Type)
    {
        CImbrication Niveau;
        LireCarNonBlanc ();
        const std::size_t Debut = GetPosLecture () - 1;
        CConstructeur::CEnfants E (Construction);
        E.Ajouter (Lire ());
        ValidCar (')');
        return Construction.Nouvelle (EExpr::Parenthese, Type, Debut, GetPosLecture (), Aucun, 0, & E);
    }
}
