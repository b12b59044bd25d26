// L'instruction declarer : variables, chaines dimensionnees, tableaux, constantes.
#pragma once

namespace nsTramelo
{
    void TraiterDeclarer ();
}
