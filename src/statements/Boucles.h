// Les cinq boucles : repeter, boucle, tant_que, jusqua, pour.
#pragma once

#include "modele/Modele.h"

#include <cstdint>
#include <string>

namespace nsTramelo
{
    // Nombre de boucles ouvertes autour du point lu ; monte et descend avec chaque Traiter<boucle>,
    // remis a 0 par Reinitialiser.
    extern std::uint32_t NbRepetImbriques;

    void TraiterRepeter ();
    void TraiterBoucle ();
    void TraiterTantQue ();
    void TraiterJusquA ();
    void TraiterPour ();
    void TraiterFaireFFaire ();
    // Une borne de pour, ajoutee aux expressions de l'instruction.
    IdExpr ExtraireBorne ();
}
