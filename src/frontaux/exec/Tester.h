// tramelo-exec --tester EXERCICE : les tests visibles de l'exercice sur le programme compile,
// avec un compte rendu pour l'etudiant sur la sortie standard.
#pragma once

#include "bibliotheque/Tramelo.h"
#include "frontaux/exec/Correction.h"

#include <string>

namespace nsExec
{
    // Le dossier d'exercice lu ; Echouer (StatutExercice) avec le fichier et la ligne s'il est refuse.
    nsTramelo::SExercice ChargerLExercice (const std::string & Dossier);

    // Chaque test visible, une fois, dans son propre dossier de travail ; rend 0 si tous
    // reussissent, StatutTestsEchoues sinon.
    int TesterLeProgramme (const nsTramelo::SExercice & E, const SProgrammeTest & Programme);
}
