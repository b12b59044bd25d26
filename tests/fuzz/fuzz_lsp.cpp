// Cible libFuzzer du serveur de langage : un flux d'octets apres initialize et l'ouverture d'un
// document. L'octet 0x1E separe des morceaux ; un morceau qui commence par '{' est encadre d'un
// Content-Length exact, les autres passent tels quels (en-tetes faux, octets parasites). Le flux
// arrive en deux lectures, coupe a une position tiree du premier octet. Tout message produit doit
// etre du JSON valide ; une exception, un plantage ou un rapport de sanitizer est une trouvaille.
// Les entrees vont jusqu'a 1 Mo (lancer_lsp.sh) : imbrications profondes, grands documents.
#include "frontaux/lsp/Serveur.h"
#include "frontaux/lsp/Trames.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string>

namespace
{
    std::string Trame (const std::string & Corps)
    {
        return "Content-Length: " + std::to_string (Corps.size ()) + "\r\n\r\n" + Corps;
    }

    const std::string Debut =
        Trame (R"({"jsonrpc":"2.0","id":0,"method":"initialize","params":{"capabilities":{"textDocument":)"
               R"({"documentSymbol":{"hierarchicalDocumentSymbolSupport":true}}}}})")
        + Trame (R"({"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":{"uri":"f","version":1,)"
                 R"("text":"fonction F (x : in reel) renvoie booleen\ndebut\n\trenvoie x > 0;\nfin\nalgorithme A\ndebut\n)"
                 R"(\tdeclarer t : tableau_de 3 reel;\n\tsi (F (t [0])) afficher (\"\u00e9\ud83d\ude00\"); fsi\nfin\n"}}})");

    void Vider (nsLsp::CServeur & S)
    {
        for (const std::string & M : S.Sorties)
        {
            const nsLsp::json J = nsLsp::json::parse (M, nullptr, false);
            if (J.is_discarded () || ! J.is_object () || J.value ("jsonrpc", "") != "2.0")
            {
                std::cerr << "message invalide produit : " << M.substr (0, 300) << '\n';
                std::abort ();
            }
        }
        S.Sorties.clear ();
    }
}

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t * Donnees, std::size_t Taille)
{
    std::string Flux = Debut;
    std::size_t i = 0;
    while (i <= Taille)
    {
        std::size_t j = i;
        while (j < Taille && Donnees [j] != 0x1E) ++j;
        const std::string Morceau (reinterpret_cast <const char *> (Donnees) + i, j - i);
        Flux += ! Morceau.empty () && Morceau [0] == '{' ? Trame (Morceau) : Morceau;
        i = j + 1;
    }
    // Bornes reduites, pour que des entrees d'au plus 1 Mo atteignent les refus : document trop
    // grand, trop de texte ouvert, message trop grand (dont seul le debut est lu).
    nsLsp::SLimites Limites;
    Limites.Document = 64 << 10;
    Limites.Total = 256 << 10;
    nsLsp::CServeur Serveur (Limites);
    nsLsp::CTrames Trames (256 << 10);
    const std::size_t Coupure = Debut.size () + (Taille ? Donnees [0] * (Flux.size () - Debut.size ()) / 256 : 0);
    std::vector <std::string> Anomalies;
    std::string Corps;
    for (const auto & [A, B] : { std::make_pair (std::size_t (0), Coupure), std::make_pair (Coupure, Flux.size ()) })
    {
        Trames.Ajouter (Flux.data () + A, B - A);
        while (Trames.Extraire (Corps, Anomalies))
        {
            for (const std::string & Texte : Anomalies) Serveur.Signaler (Texte);
            Anomalies.clear ();
            if (Trames.Tronque ()) Serveur.Ignorer (Corps, Trames.Tronque ());
            else Serveur.Traiter (Corps);
            Serveur.Publier ();
            Vider (Serveur);
            if (Serveur.Termine ()) return 0;
        }
    }
    return 0;
}
