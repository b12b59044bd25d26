#include "frontaux/lsp/VoirCpp.h"

#include "bibliotheque/Tramelo.h"

namespace nsLsp
{
    json VoirCpp (const std::string & Texte, unsigned TailleTab)
    {
        nsTramelo::SOptions Options;
        Options.TailleTab = TailleTab;
        nsTramelo::STraduction T = nsTramelo::Traduire (Texte, Options);
        return { { "cpp", std::move (T.Cpp) }, { "statut", T.Statut },
                 { "message", T.Erreur ? json (T.Erreur->Libelle) : json (nullptr) } };
    }
}
