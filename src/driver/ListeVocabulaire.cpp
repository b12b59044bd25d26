#include "driver/ListeVocabulaire.h"

#include "symbols/Vocabulaire.h"

namespace nsTramelo
{
    namespace
    {
        template <std::size_t N>
        void Ajouter (std::vector <SMotColore> & V, const char * Categorie, const std::string (& Table) [N])
        {
            for (const std::string & Mot : Table) V.push_back ({ Categorie, Mot });
        }
    }

    std::vector <SMotColore> ListerVocabulaire ()
    {
        std::vector <SMotColore> V;
        Ajouter (V, "structure", Structs);
        Ajouter (V, "bloc", Begins);
        Ajouter (V, "bloc", Ends);
        Ajouter (V, "motcle", MotsCle);
        Ajouter (V, "operateur", Operateurs);
        Ajouter (V, "procedure", Procedures);
        Ajouter (V, "fonction", Fonctions);
        Ajouter (V, "type", TypesSimples);
        Ajouter (V, "type", TypesComposes);
        V.push_back ({ "constante", "vrai" });
        V.push_back ({ "constante", "faux" });
        return V;
    }
}
