// Suites d'instructions et instructions simples : affectation, appel de procedure, renvoie.
#pragma once

#include "modele/Modele.h"

#include <cstddef>
#include <string>

namespace nsTramelo
{
    // Lit les instructions jusqu'au mot Fin ("fin_bloc_si" : sinon, sinon_si ou fsi) et le rend.
    // SuiteOuverte : la suite du modele est deja ouverte (forme courte de si suivie d'une branche).
    std::string TraiterInstructions (const std::string & Fin, bool SuiteOuverte = false);
    void TraiterInstruction (std::string & Mot);
    // Cible : la variable ou l'element affecte (son noeud porte son type).
    void TraiterAffectation (IdExpr Cible, unsigned Type);
    void TraiterAppelProcedure (std::size_t Index);
    void TraiterRenvoie ();
    // Lit l'expression de renvoie, verifie son type contre LeTypeDeRetour, puis le ';'.
    IdExpr ExtraireValeurRenvoyee ();
}
