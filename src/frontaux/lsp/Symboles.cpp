#include "frontaux/lsp/Symboles.h"

#include "frontaux/lsp/Survol.h"

#include <algorithm>

using namespace nsTramelo;

namespace nsLsp
{
    namespace
    {
        int GenreSymbole (ENature N)
        {
            switch (N)
            {
                case ENature::Algorithme : return 2;    // Module
                case ENature::Procedure  :
                case ENature::Fonction   : return 12;   // Function
                case ENature::Constante  : return 14;   // Constant
                case ENature::Tableau    : return 18;   // Array
                default                  : return 13;   // Variable
            }
        }

        bool IsUnite (ENature N)
        {
            return N == ENature::Procedure || N == ENature::Fonction || N == ENature::Algorithme;
        }
    }

    json ListerSymboles (CVue & Vue, const std::string & Uri, bool Hierarchique)
    {
        const SModele & J = Vue.Analyse.Modele;
        // Les fins d'unite sont converties a part : les autres positions vont croissant, et
        // chaque conversion reprend ainsi la ou la precedente s'est arretee.
        CVue Fins (Vue.Lignes, Vue.Texte, Vue.Analyse, Vue.TailleTabulation ());
        json Resultat = json::array ();
        for (std::size_t u = 0; u < J.Unites.size (); ++u)
        {
            const SUnite & U = J.Unites [u];
            if (U.Nom.empty () || U.Declaration >= J.Declarations.size ()) continue;
            const SDeclaration & Nom = J.Declarations [U.Declaration];
            const std::size_t Debut = Vue.VersOrigine (U.Debut);
            const std::size_t DebutNom = Vue.VersOrigine (Nom.Decalage);
            const std::size_t Fin = U.Fin == PorteeOuverte ? Vue.Texte.size () : Fins.VersOrigine (U.Fin);
            const SPositionLsp A = Vue.VersLsp (Debut), B = Fins.VersLsp (std::max (Debut, Fin), true);
            const json Tout = { { "start", { { "line", A.Ligne }, { "character", A.Caractere } } },
                                { "end", { { "line", B.Ligne }, { "character", B.Caractere } } } };
            const json Selection = Vue.Intervalle (DebutNom, DebutNom + Nom.Nom.size ());
            const std::string Detail = U.Nature == ENature::Algorithme ? "algorithme"
                                     : U.Nature == ENature::Procedure ? "procédure"
                                     : "fonction renvoyant " + NomType (U.TypeRetour);
            // Les noms declares dans l'unite (le modele dit laquelle).
            json Enfants = json::array ();
            if (! Hierarchique)
                Resultat.push_back ({ { "name", U.Nom }, { "kind", GenreSymbole (U.Nature) },
                                      { "location", { { "uri", Uri }, { "range", Tout } } } });
            for (std::size_t d = U.Declaration + 1; d < J.Declarations.size (); ++d)
            {
                const SDeclaration & D = J.Declarations [d];
                if (D.Unite != u || IsUnite (D.Nature)) continue;
                const std::size_t p = Vue.VersOrigine (D.Decalage);
                const json I = Vue.Intervalle (p, p + D.Nom.size ());
                if (Hierarchique)
                    Enfants.push_back ({ { "name", D.Nom }, { "detail", NatureDeclaration (D) },
                                         { "kind", GenreSymbole (D.Nature) }, { "range", I }, { "selectionRange", I } });
                else
                    Resultat.push_back ({ { "name", D.Nom }, { "kind", GenreSymbole (D.Nature) },
                                          { "location", { { "uri", Uri }, { "range", I } } }, { "containerName", U.Nom } });
            }
            if (Hierarchique)
                Resultat.push_back ({ { "name", U.Nom }, { "detail", Detail }, { "kind", GenreSymbole (U.Nature) },
                                      { "range", Tout }, { "selectionRange", Selection }, { "children", std::move (Enfants) } });
        }
        return Resultat;
    }
}
