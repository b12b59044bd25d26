// Suites d'instructions et instructions simples : affectation, appel de procedure, renvoie.
#pragma once

#include <cstddef>
#include <string>

namespace nsTramelo
{
    std::string TraiterInstructions (const std::string & Fin);
    void TraiterInstruction (std::string & Mot);
    void TraiterAffectation (const std::string & Cible, unsigned Type);
    void TraiterAppelProcedure (std::size_t Index);
    void TraiterRenvoie ();
    // Lit l'expression de renvoie, verifie son type contre LeTypeDeRetour, puis le ';'.
    std::string & ExtraireValeurRenvoyee (std::string & s);
}
