// Erreurs d'analyse : le message commence par la ligne de la position de lecture courante.
#pragma once

#include "util/CException.h"
#include "util/Messages.h"

#include <string>

namespace nsTramelo
{
    class CExcTramelo : public nsUtil::CException
    {
      public :
        CExcTramelo (const std::string & Libelle, unsigned CodErr);
        // Construit le message depuis la table des diagnostics.
        explicit CExcTramelo (nsUtil::EMsg Msg, const std::string & Var1 = "",
                              const std::string & Var2 = "");
        ~CExcTramelo () override = default;
    };

    std::string GetLiCol ();
}
