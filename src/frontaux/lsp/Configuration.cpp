#include "frontaux/lsp/Configuration.h"

#include "bibliotheque/Tramelo.h"

#include <algorithm>
#include <cstdint>

#ifndef TRAMELO_VERSION
#define TRAMELO_VERSION "?"
#endif

namespace nsLsp
{
    SConfiguration LireConfiguration (const json & Params, std::vector <std::string> & Avertissements)
    {
        SConfiguration C;
        const json & Format = Facultatif (Params, { "capabilities", "textDocument", "hover", "contentFormat" });
        // Sans contentFormat, le client n'a promis que le texte brut.
        C.SurvolMarkdown = Format.is_array () && std::find (Format.begin (), Format.end (), "markdown") != Format.end ();
        const json & Hierarchie = Facultatif (Params, { "capabilities", "textDocument", "documentSymbol",
                                                        "hierarchicalDocumentSymbolSupport" });
        C.SymbolesHierarchiques = Hierarchie.is_boolean () && Hierarchie.get <bool> ();

        const json & Tab = Facultatif (Params, { "initializationOptions", "tailleTabulation" });
        if (Tab.is_number_unsigned () && Tab.get <std::uint64_t> () >= 1
            && Tab.get <std::uint64_t> () <= nsTramelo::MaxTailleTabulation)
            C.TailleTab = Tab.get <unsigned> ();
        else if (! Tab.is_null ())
            Avertissements.push_back ("tailleTabulation ignorée : entier de 1 à "
                                      + std::to_string (nsTramelo::MaxTailleTabulation) + " attendu");
        const json & Aides = Facultatif (Params, { "initializationOptions", "aidesDansMessage" });
        if (Aides.is_boolean ()) C.AidesDansMessage = Aides.get <bool> ();
        return C;
    }

    json Capacites ()
    {
        return {
            { "capabilities", {
                { "positionEncoding", "utf-16" },
                { "textDocumentSync", { { "openClose", true }, { "change", 2 } } },
                { "hoverProvider", true },
                { "documentSymbolProvider", true },
                { "executeCommandProvider", { { "commands", { "tramelo.voirCpp" } } } } } },
            { "serverInfo", { { "name", "tramelo-lsp" }, { "version", TRAMELO_VERSION } } } };
    }
}
