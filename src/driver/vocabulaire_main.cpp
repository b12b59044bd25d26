// Ecrit le vocabulaire reserve, une ligne "categorie mot" par mot : les fichiers de coloration
// des editeurs en sont tires, pour ne jamais diverger du traducteur.
#include "symbols/Vocabulaire.h"

#include <iostream>

namespace
{
    template <std::size_t N>
    void Ecrire (const char * Categorie, const std::string (& Table) [N])
    {
        for (const std::string & Mot : Table) std::cout << Categorie << ' ' << Mot << '\n';
    }
}

int main ()
{
    using namespace nsTramelo;
    Ecrire ("structure", Structs);
    Ecrire ("bloc", Begins);
    Ecrire ("bloc", Ends);
    Ecrire ("motcle", MotsCle);
    Ecrire ("operateur", Operateurs);
    Ecrire ("procedure", Procedures);
    Ecrire ("fonction", Fonctions);
    Ecrire ("type", TypesSimples);
    Ecrire ("type", TypesComposes);
    std::cout << "constante vrai\nconstante faux\n";
    return std::cout ? 0 : 1;
}
