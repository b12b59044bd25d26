// Les rapports de la notation : notes.csv (une ligne par etudiant), rapport.json (tout) et
// rapport.html (autonome : tableau triable, puis le detail de chaque copie).
#pragma once

#include "frontaux/noter/Notation.h"

#include <string>
#include <vector>

namespace nsNoter
{
    std::string TexteCsv (const nsTramelo::SExercice & E, const std::vector <SNote> & Notes);
    std::string TexteJson (const nsTramelo::SExercice & E, const std::vector <SNote> & Notes);
    std::string TexteHtml (const nsTramelo::SExercice & E, const std::vector <SNote> & Notes);
}
