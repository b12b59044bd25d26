// Coeur du serveur de langage sans processus : positions UTF-16, decoupage du flux, et messages
// rendus pour des sources piegeux (tabulations, CRLF, accents, emoji), compares a la bibliotheque.
#include "bibliotheque/Tramelo.h"
#include "frontaux/lsp/Texte.h"
#include "frontaux/lsp/Limites.h"
#include "frontaux/lsp/Serveur.h"
#include "frontaux/lsp/Trames.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace nsLsp;
using json = nlohmann::json;

namespace
{
    json Message (const std::string & Methode, json Params, int Id = 0)
    {
        json M = { { "jsonrpc", "2.0" }, { "method", Methode }, { "params", std::move (Params) } };
        if (Id) M ["id"] = Id;
        return M;
    }

    // Un serveur initialise ; Envoyer rend les messages produits par un message.
    struct SServeur
    {
        CServeur S;
        explicit SServeur (json Options = json::object (), SLimites Limites = {}) : S (Limites)
        {
            Envoyer (Message ("initialize", { { "capabilities", { { "textDocument", {
                     { "hover", { { "contentFormat", { "markdown", "plaintext" } } } },
                     { "documentSymbol", { { "hierarchicalDocumentSymbolSupport", true } } } } } } },
                     { "initializationOptions", Options } }, 1));
        }
        std::vector <json> Envoyer (const json & M, bool Publier = true)
        {
            S.Traiter (M.dump ());
            if (Publier) S.Publier ();
            std::vector <json> R;
            for (const std::string & Sortie : S.Sorties) R.push_back (json::parse (Sortie));
            S.Sorties.clear ();
            return R;
        }
        json Diagnostics (const std::string & Texte, const std::string & Uri = "file:///a.algo")
        {
            const auto R = Envoyer (Message ("textDocument/didOpen",
                                    { { "textDocument", { { "uri", Uri }, { "version", 1 }, { "text", Texte } } } }));
            EXPECT_EQ (R.size (), 1u);
            return R.empty () ? json () : R [0]["params"]["diagnostics"];
        }
        json Requete (const std::string & Methode, json Params)
        {
            const auto R = Envoyer (Message (Methode, std::move (Params), 7), false);
            return R.empty () ? json () : R.back ();
        }
    };

    json Pos (std::size_t Ligne, std::size_t Car) { return { { "line", Ligne }, { "character", Car } }; }
}

TEST (Texte, Utf16CrlfEtOctetsInvalides)
{
    // "é" : 2 octets, 1 unite ; emoji : 4 octets, 2 unites ; lignes finies par \r\n et \n, et un
    // \r seul, qui n'en finit pas une (comme pour le traducteur).
    const std::string T = "a\xC3\xA9" "b\xF0\x9F\x98\x80" "c\r\nx\ry\n\xFF\xE2\x82" "z";
    const CTexte L (T);
    EXPECT_EQ (L.NbLignes (), 3u);
    auto Voir = [&] (std::size_t Octet, bool Haut = false)
    {
        const SPositionLsp P = L.VersLsp (Octet, Haut);
        return std::to_string (P.Ligne) + ':' + std::to_string (P.Caractere);
    };
    EXPECT_EQ (Voir (3), "0:2");    // b
    EXPECT_EQ (Voir (8), "0:5");    // c, apres la paire
    EXPECT_EQ (Voir (5), "0:3");    // dans l'emoji : avant
    EXPECT_EQ (Voir (5, true), "0:5");   // fin d'intervalle : apres
    EXPECT_EQ (Voir (9), "0:6");    // le \r de \r\n : fin de ligne
    EXPECT_EQ (Voir (11), "1:0");   // x
    EXPECT_EQ (Voir (13), "1:2");   // y, apres le \r seul sur la meme ligne
    // \xFF : un remplacement ; \xE2\x82 tronque : un seul remplacement, puis z.
    EXPECT_EQ (Voir (18), "2:2");
    EXPECT_EQ (Voir (1000), "2:3");
    // Dans l'autre sens, et au-dela des bornes : fin de ligne, fin du texte.
    EXPECT_EQ (L.VersOctet ({ 0, 5 }), 8u);
    EXPECT_EQ (L.VersOctet ({ 0, 4 }), 4u);     // milieu de la paire : avant l'emoji
    EXPECT_EQ (L.VersOctet ({ 0, 99 }), 9u);
    EXPECT_EQ (L.VersOctet ({ 1, 99 }), 14u);
    EXPECT_EQ (L.VersOctet ({ 2, 2 }), 18u);
    EXPECT_EQ (L.VersOctet ({ 9, 0 }), T.size ());
    // Aller-retour sur chaque debut de caractere.
    for (std::size_t o : { 0, 1, 3, 4, 8, 11, 12, 13, 15, 16, 18, 19 })
        EXPECT_EQ (L.VersOctet (L.VersLsp (o)), o) << o;
}

TEST (Texte, ChangementsLocauxCommeUnTexteRelu)
{
    // Des milliers de changements au hasard (fins de ligne, \r, accents, emoji coupes, octets
    // invalides), a des endroits proches ou lointains : apres chacun, le texte, ses lignes et ses
    // positions doivent etre ceux du meme texte relu d'un bloc.
    const std::vector <std::string> Morceaux = { "", "a", "\n", "\r\n", "\r", "x\ny\nz", "\xC3\xA9", "\xF0\x9F\x98\x80",
                                                 "\xF0\x9F", "\x98\x80\n", "\xFF", "ligne\n\n", "\t" };
    std::uint32_t Graine = 12345;
    auto Hasard = [&] (std::size_t n) { Graine = Graine * 1103515245u + 12345u; return n ? (Graine >> 8) % n : 0; };
    std::string Modele = "algorithme A\ndebut\n    afficher (\"\xC3\xA9\");\r\nfin\n";
    CTexte T (Modele);
    for (int k = 0; k < 3000; ++k)
    {
        const std::size_t A = k % 7 == 0 ? Hasard (Modele.size () + 1)
                                         : std::min (Modele.size (), k % 3 == 0 ? Modele.size () / 2 + Hasard (8) : Hasard (16));
        const std::size_t B = std::min (Modele.size (), A + Hasard (k % 11 == 0 ? 40 : 4));
        std::string Nouveau;
        for (std::size_t n = Hasard (3); n > 0; --n) Nouveau += Morceaux [Hasard (Morceaux.size ())];
        T.Remplacer (A, B, Nouveau);
        Modele.replace (A, B - A, Nouveau);
        if (k % 500 == 0) { ASSERT_EQ (T.Contigu (), Modele); }
        const CTexte Relu (Modele);
        ASSERT_EQ (T.Taille (), Modele.size ());
        ASSERT_EQ (T.NbLignes (), Relu.NbLignes ()) << k;
        for (std::size_t l = 0; l <= T.NbLignes (); ++l)
        {
            ASSERT_EQ (T.DebutLigne (l), Relu.DebutLigne (l)) << k << ' ' << l;
            ASSERT_EQ (T.FinLigne (l), Relu.FinLigne (l)) << k << ' ' << l;
        }
        for (std::size_t o = 0; o <= Modele.size (); o += 1 + Hasard (5))
        {
            if (o < Modele.size ()) { ASSERT_EQ (T [o], Modele [o]); }
            const SPositionLsp P = T.VersLsp (o), Q = Relu.VersLsp (o, true);
            ASSERT_EQ (P.Ligne, Relu.VersLsp (o).Ligne);
            ASSERT_EQ (P.Caractere, Relu.VersLsp (o).Caractere) << k << ' ' << o;
            ASSERT_EQ (T.VersLsp (o, true).Caractere, Q.Caractere);
            ASSERT_EQ (T.VersOctet (P), Relu.VersOctet (P));
        }
    }
    EXPECT_EQ (T.Contigu (), Modele);
    EXPECT_EQ (T.Lire (3, 9), Modele.substr (3, 6));

    // Une ligne de 60 Ko (accents, emoji) : les positions s'y comptent depuis des reperes, que
    // chaque changement doit oublier apres lui.
    Modele = "debut\n";
    for (int i = 0; i < 6000; ++i) Modele += i % 3 ? "abcdefgh" : "\xC3\xA9\xF0\x9F\x98\x80xy";
    Modele += "\nfin\n";
    T = CTexte (Modele);
    const std::vector <std::string> Larges = { "", "\xC3\xA9", "\xF0\x9F\x98\x80", "\xF0\x9F", "\xFF", "ab" };
    for (int k = 0; k < 1500; ++k)
    {
        // Souvent juste avant un repere (tous les 4096 octets environ depuis le debut de la ligne).
        const std::size_t A = k % 2 ? 6 + Hasard (Modele.size () - 10)
                                    : std::min (Modele.size () - 4, 6 + 4096 * (1 + Hasard (12)) - Hasard (40));
        const std::size_t B = std::min (Modele.size (), A + Hasard (6));
        const std::string Nouveau = k % 50 == 0 ? "\n" : Larges [Hasard (Larges.size ())];
        // Des conversions avant le changement, pour qu'il y ait des reperes a oublier.
        T.VersLsp (A + Hasard (30000));
        T.VersOctet ({ 1, Hasard (40000) });
        T.Remplacer (A, B, Nouveau);
        Modele.replace (A, B - A, Nouveau);
        const CTexte Relu (Modele);
        for (int n = 0; n < 6; ++n)
        {
            const std::size_t o = std::min (Modele.size (), n % 2 ? Hasard (Modele.size () + 1) : A + Hasard (8192));
            const SPositionLsp P = Relu.VersLsp (o);
            ASSERT_EQ (T.VersLsp (o).Caractere, P.Caractere) << k << ' ' << o;
            ASSERT_EQ (T.VersLsp (o, true).Caractere, Relu.VersLsp (o, true).Caractere);
            const SPositionLsp Q { P.Ligne, Hasard (70000) };
            ASSERT_EQ (T.VersOctet (Q), Relu.VersOctet (Q)) << k << ' ' << Q.Caractere;
        }
    }
}

TEST (Trames, DecoupageEtResynchronisation)
{
    const std::string A = "{\"a\":1}", B = "{\"b\":2}";
    const std::string Flux = "Content-Length: 7\r\n\r\n" + A + "content-length:7\r\nContent-Type: x\r\n\r\n" + B;
    // Octet par octet : memes messages qu'en un bloc.
    CTrames T;
    std::vector <std::string> Corps, Anomalies;
    std::string C;
    for (char c : Flux)
    {
        T.Ajouter (& c, 1);
        while (T.Extraire (C, Anomalies)) Corps.push_back (C);
    }
    EXPECT_EQ (Corps, (std::vector <std::string> { A, B }));
    EXPECT_TRUE (Anomalies.empty ());

    // Parasites colles a l'en-tete, en-tete sans longueur, longueur invalide : signales ; longueur
    // trop grande (et fausse) : le debut du corps est rendu tronque ; puis le message suivant passe.
    CTrames U (100);
    const std::string Abime = std::string ("\x00\xFFgarbage", 9) + "Content-Length: 7\r\n\r\n" + A
                            + "X-Autre: 1\r\n\r\n" + "Content-Length: -3\r\n\r\n" + "Content-Length: 1000\r\n\r\n"
                            + "{\"id\":4}Content-Length: 99999999999999999999\r\n\r\n" + "Content-Length: 7\r\n\r\n" + B;
    U.Ajouter (Abime.data (), Abime.size ());
    Corps.clear ();
    std::vector <std::size_t> Tronques;
    while (U.Extraire (C, Anomalies))
    {
        Corps.push_back (C);
        Tronques.push_back (U.Tronque ());
    }
    ASSERT_EQ (Corps.size (), 3u);
    EXPECT_EQ (Corps [0], A);
    EXPECT_EQ (Corps [1].rfind ("{\"id\":4}Content-Length", 0), 0u);
    EXPECT_EQ (Corps [2], B);
    EXPECT_EQ (Tronques, (std::vector <std::size_t> { 0, 1000, 0 }));
    EXPECT_EQ (Anomalies.size (), 4u);

    // Un corps trop grand qui arrive par morceaux : son debut seul (MaxApercu octets), rien
    // d'autre n'est garde ni signale, et le message qui le suit passe.
    CTrames G (100000);
    Anomalies.clear ();
    const std::string Grand = "Content-Length: 300011\r\n\r\n{\"text\":\"" + std::string (300000, 'x') + "\"}";
    const std::string Suite = Grand + "Content-Length: 7\r\n\r\n" + A;
    Corps.clear ();
    Tronques.clear ();
    for (std::size_t i = 0; i < Suite.size (); i += 4096)
    {
        G.Ajouter (Suite.data () + i, std::min <std::size_t> (4096, Suite.size () - i));
        while (G.Extraire (C, Anomalies))
        {
            Corps.push_back (C);
            Tronques.push_back (G.Tronque ());
        }
    }
    ASSERT_EQ (Corps.size (), 2u);
    EXPECT_EQ (Corps [0], Grand.substr (Grand.find ('{'), CTrames::MaxApercu));
    EXPECT_EQ (Tronques, (std::vector <std::size_t> { 300011, 0 }));
    EXPECT_EQ (Corps [1], A);
    EXPECT_TRUE (Anomalies.empty ());

    // Des megaoctets sans en-tete : memoire bornee, puis resynchronisation.
    CTrames V;
    Anomalies.clear ();
    const std::string Bruit (1 << 20, 'x');
    for (int i = 0; i < 8; ++i)
    {
        V.Ajouter (Bruit.data (), Bruit.size ());
        EXPECT_FALSE (V.Extraire (C, Anomalies));
    }
    const std::string Fin = "\r\nContent-Length: 7\r\n\r\n" + A;
    V.Ajouter (Fin.data (), Fin.size ());
    EXPECT_TRUE (V.Extraire (C, Anomalies));
    EXPECT_EQ (C, A);
    EXPECT_EQ (Anomalies.size (), 1u);
}

TEST (Serveur, IntervalleDuDiagnosticSelonLaBibliotheque)
{
    // La faute est placee ou Verifier la place, convertie en UTF-16 : tabulations developpees par
    // la traduction, CRLF, accents et emoji avant la faute sur la meme ligne.
    const std::vector <std::string> Sources = {
        "algorithme A\ndebut\n\tdeclarer n : entier;\n\tn <- \"a\";\nfin\n",
        "algorithme A\r\ndebut\r\n    declarer n : entier;\r\n    n <- \"a\";\r\nfin\r\n",
        "algorithme A\ndebut\n    declarer s : string;\n    declarer n : entier;\n"
        "    s <- \"\xC3\xA9\xF0\x9F\x98\x80\"; n <- \"a\";\nfin\n",
        "algorithme A\ndebut\n\tdeclarer s : string;\t\n\ts <- \"\xC3\xA9\t\"; \tx <- 1;\nfin",
    };
    for (const std::string & Source : Sources)
    {
        SServeur S;
        const json D = S.Diagnostics (Source);
        const nsTramelo::SVerification V = nsTramelo::Verifier (Source);
        ASSERT_EQ (D.size (), 1u) << Source;
        ASSERT_EQ (V.Diagnostics.size (), 1u);
        const auto & E = V.Diagnostics [0];
        const SPositionLsp P = CTexte (Source).VersLsp (E.Position.DecalageOrigine);
        EXPECT_EQ (D [0]["range"]["start"], Pos (P.Ligne, P.Caractere)) << Source;
        EXPECT_EQ (D [0]["message"], E.Message);
        EXPECT_EQ (D [0]["code"], E.Code);
        EXPECT_EQ (D [0]["severity"], 1);
        EXPECT_EQ (D [0]["source"], "tramelo");
        EXPECT_GT (D [0]["range"]["end"]["character"].get <int> (), D [0]["range"]["start"]["character"].get <int> ());
    }
    // La ligne de l'emoji : octet 24 (0-base), moins 1 pour "é" (2 octets, 1 unite) et 2 pour
    // l'emoji (4 octets, 2 unites).
    SServeur S;
    EXPECT_EQ (S.Diagnostics (Sources [2])[0]["range"]["start"], Pos (4, 21));
}

TEST (Serveur, ChangementsIncrementauxEtEffacement)
{
    SServeur S;
    const std::string Uri = "file:///a.algo";
    EXPECT_EQ (S.Diagnostics ("algorithme A\ndebut\n    afficher (\"\xF0\x9F\x98\x80\", x);\nfin\n").size (), 1u);
    // Remplace x (apres l'emoji, donc au caractere 20 en UTF-16) par 1 ; puis une insertion sur deux lignes.
    auto Changer = [&] (int Version, json Changements)
    {
        return S.Envoyer (Message ("textDocument/didChange", { { "textDocument", { { "uri", Uri }, { "version", Version } } },
                                                              { "contentChanges", Changements } }));
    };
    auto R = Changer (2, { { { "range", { { "start", Pos (2, 20) }, { "end", Pos (2, 21) } } }, { "text", "1" } } });
    ASSERT_EQ (R.size (), 1u);
    EXPECT_EQ (R [0]["params"]["version"], 2);
    EXPECT_TRUE (R [0]["params"]["diagnostics"].empty ()) << R [0].dump ();
    R = Changer (3, { { { "range", { { "start", Pos (1, 5) }, { "end", Pos (2, 0) } } }, { "text", "\n    declarer n : entier;\n" } },
                      { { "range", { { "start", Pos (3, 4) }, { "end", Pos (3, 4) } } }, { "text", "n <- 2; " } } });
    EXPECT_EQ (S.S.Document (Uri)->Texte.Lire (0, std::string::npos),
               "algorithme A\ndebut\n    declarer n : entier;\n    n <- 2; afficher (\"\xF0\x9F\x98\x80\", 1);\nfin\n");
    EXPECT_TRUE (R [0]["params"]["diagnostics"].empty ());
    // Texte complet, puis fermeture : diagnostics vides.
    R = Changer (4, { { { "text", "algorithme" } } });
    EXPECT_EQ (R [0]["params"]["diagnostics"].size (), 1u);
    R = S.Envoyer (Message ("textDocument/didClose", { { "textDocument", { { "uri", Uri } } } }));
    ASSERT_EQ (R.size (), 1u);
    EXPECT_TRUE (R [0]["params"]["diagnostics"].empty ());
    EXPECT_EQ (S.S.Document (Uri), nullptr);
}

TEST (Serveur, SurvolEtSymboles)
{
    // Tabulations (journal en texte tamponne), deux unites qui reutilisent le nom n, une boucle.
    const std::string Source =
        "fonction F (n : in entier) renvoie booleen\ndebut\n\trenvoie n > 0;\nfin\n"
        "algorithme A\ndebut\n\tdeclarer n : tableau_de 3 reel;\n\tpour (i variant_de 0 a 2) faire\n"
        "\t\tn [i] <- Rand (1, 6);\n\t\tsi (F (i)) afficher (i); fsi\n\tffaire\nfin\n";
    SServeur S;
    EXPECT_TRUE (S.Diagnostics (Source).empty ());
    auto Survol = [&] (std::size_t Ligne, std::size_t Car)
    {
        const json R = S.Requete ("textDocument/hover", { { "textDocument", { { "uri", "file:///a.algo" } } },
                                                          { "position", Pos (Ligne, Car) } });
        return R ["result"].is_null () ? std::string () : R ["result"]["contents"]["value"].get <std::string> ();
    };
    EXPECT_EQ (Survol (2, 9), "n : paramètre in de type entier");
    EXPECT_EQ (Survol (8, 2), "n : tableau de reel");
    EXPECT_EQ (Survol (8, 5), "i : variable de boucle de type entier");
    EXPECT_EQ (Survol (9, 7), "F : fonction renvoyant booleen\n\n```algo\nfonction F (n : in entier) renvoie booleen\n```");
    EXPECT_EQ (Survol (4, 11), "A : algorithme");
    EXPECT_EQ (Survol (8, 12).rfind ("Un entier tiré au hasard", 0), 0u);
    EXPECT_NE (Survol (8, 12).find ("Rand (a, b)"), std::string::npos);
    EXPECT_NE (Survol (7, 2).find ("pour (i variant_de"), std::string::npos);
    EXPECT_EQ (Survol (1, 5), Survol (1, 2));   // juste apres le mot : le mot
    EXPECT_EQ (Survol (6, 0), "");              // une tabulation

    const json R = S.Requete ("textDocument/documentSymbol", { { "textDocument", { { "uri", "file:///a.algo" } } } });
    const json & Unites = R ["result"];
    ASSERT_EQ (Unites.size (), 2u);
    EXPECT_EQ (Unites [0]["name"], "F");
    EXPECT_EQ (Unites [0]["kind"], 12);
    EXPECT_EQ (Unites [0]["range"], json ({ { "start", Pos (0, 0) }, { "end", Pos (3, 3) } }));
    EXPECT_EQ (Unites [0]["selectionRange"]["start"], Pos (0, 9));
    EXPECT_EQ (Unites [1]["name"], "A");
    EXPECT_EQ (Unites [1]["kind"], 2);
    EXPECT_EQ (Unites [1]["range"]["end"], Pos (11, 3));
    ASSERT_EQ (Unites [1]["children"].size (), 2u);
    EXPECT_EQ (Unites [1]["children"][1]["name"], "i");
    EXPECT_EQ (Unites [1]["children"][1]["selectionRange"]["start"], Pos (7, 7));

    // Une unite arretee avant son nom : absente du plan, et la precedente garde ses noms.
    S.Diagnostics ("procedure P (x : in entier)\ndebut\n    declarer y : reel;\nfin\nprocedure\n", "file:///b.algo");
    const json R2 = S.Requete ("textDocument/documentSymbol", { { "textDocument", { { "uri", "file:///b.algo" } } } });
    ASSERT_EQ (R2 ["result"].size (), 1u);
    EXPECT_EQ (R2 ["result"][0]["children"].size (), 2u) << R2.dump ();
}

TEST (Serveur, CycleDeVieEtEntreesInvalides)
{
    CServeur S;
    auto Code = [&] (const std::string & Corps)
    {
        S.Traiter (Corps);
        const json R = S.Sorties.empty () ? json () : json::parse (S.Sorties.back ());
        S.Sorties.clear ();
        return R.contains ("error") ? R ["error"]["code"].get <int> () : R.is_null () ? 0 : 1;
    };
    EXPECT_EQ (Code (R"({"jsonrpc":"2.0","id":1,"method":"textDocument/hover","params":{}})"), ServerNotInitialized);
    EXPECT_EQ (Code (R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{}})"), 1);
    EXPECT_EQ (Code (R"({"jsonrpc":"2.0","id":2,"method":"initialize","params":{}})"), InvalidRequest);
    EXPECT_EQ (Code ("{\"id\":3,"), ParseError);
    EXPECT_EQ (Code ("[1,2]"), InvalidRequest);
    EXPECT_EQ (Code (R"({"id":[1],"method":"shutdown"})"), InvalidRequest);
    EXPECT_EQ (Code (R"({"id":4,"method":"inconnue"})"), MethodNotFound);
    EXPECT_EQ (Code (R"({"method":"inconnue"})"), 0);
    EXPECT_EQ (Code (R"({"method":"$/cancelRequest","params":{"id":4}})"), 0);
    EXPECT_EQ (Code (R"({"id":5,"method":"textDocument/hover","params":{"textDocument":{"uri":"x"}}})"), InvalidParams);
    EXPECT_EQ (Code (R"({"id":6,"method":"textDocument/hover","params":{"textDocument":{"uri":7}}})"), InvalidParams);
    EXPECT_EQ (Code (R"({"id":7,"method":"workspace/executeCommand","params":{"command":"x"}})"), InvalidParams);
    // Notification mal formee : un message au client, pas de reponse.
    S.Traiter (R"({"method":"textDocument/didOpen","params":{"textDocument":{"uri":"x"}}})");
    ASSERT_EQ (S.Sorties.size (), 1u);
    EXPECT_EQ (json::parse (S.Sorties [0])["method"], "window/logMessage");
    S.Sorties.clear ();
    EXPECT_EQ (Code (R"({"id":8,"method":"shutdown"})"), 1);
    EXPECT_EQ (Code (R"({"id":9,"method":"textDocument/hover","params":{}})"), InvalidRequest);
    EXPECT_FALSE (S.Termine ());
    S.Traiter (R"({"method":"exit"})");
    EXPECT_TRUE (S.Termine ());
    EXPECT_EQ (S.StatutSortie (), 0);

    CServeur Brusque;
    Brusque.Traiter (R"({"method":"exit"})");
    EXPECT_EQ (Brusque.StatutSortie (), 1);
}

TEST (Serveur, VoirCppEtAidesDansLeMessage)
{
    SServeur S (json { { "aidesDansMessage", true } });
    S.Diagnostics ("algorithme A\ndebut\n    afficher (1);\nfin\n");
    const json R = S.Requete ("workspace/executeCommand", { { "command", "tramelo.voirCpp" }, { "arguments", { "file:///a.algo" } } });
    EXPECT_NE (R ["result"]["cpp"].get <std::string> ().find ("cout << (1);"), std::string::npos);
    EXPECT_EQ (R ["result"]["statut"], 0);
    const json R2 = S.Requete ("tramelo/voirCpp", { { "textDocument", { { "uri", "file:///a.algo" } } } });
    EXPECT_EQ (R2 ["result"], R ["result"]);
    // Un caractere non ASCII a la place d'un nom : la faute commence sur lui.
    const json D = S.Diagnostics ("algorithme A\ndebut\n    \xC3\xA9 <- 1;\nfin\n", "file:///b.algo");
    ASSERT_EQ (D.size (), 1u);
    EXPECT_EQ (D [0]["range"]["start"], Pos (2, 4));
}

TEST (Serveur, ClientSansMarkdownNiHierarchieEtTabulationsDeHuit)
{
    // Capacites vides : survol en texte brut, symboles a plat (SymbolInformation) ; tabulations de
    // 8 : les noms derriere des tabulations sont retrouves dans le journal, la faute bien placee.
    CServeur S;
    S.Traiter (Message ("initialize", { { "capabilities", json::object () },
                                        { "initializationOptions", { { "tailleTabulation", 8 } } } }, 1).dump ());
    S.Traiter (Message ("textDocument/didOpen", { { "textDocument", { { "uri", "u" }, { "version", 1 }, { "text",
               "algorithme A\ndebut\n\t\tdeclarer n : entier;\n\t\tn <- \"a\";\nfin\n" } } } }).dump ());
    S.Publier ();
    const json D = json::parse (S.Sorties.back ())["params"]["diagnostics"];
    ASSERT_EQ (D.size (), 1u);
    EXPECT_EQ (D [0]["range"]["start"], Pos (3, 7));
    S.Sorties.clear ();
    S.Traiter (Message ("textDocument/hover", { { "textDocument", { { "uri", "u" } } }, { "position", Pos (3, 2) } }, 2).dump ());
    const json H = json::parse (S.Sorties.back ())["result"]["contents"];
    EXPECT_EQ (H, json ({ { "kind", "plaintext" }, { "value", "n : variable de type entier" } }));
    S.Traiter (Message ("textDocument/hover", { { "textDocument", { { "uri", "u" } } }, { "position", Pos (2, 3) } }, 3).dump ());
    EXPECT_NE (json::parse (S.Sorties.back ())["result"]["contents"]["value"].get <std::string> ().find ("\ndeclarer nom : type;"),
               std::string::npos);
    S.Traiter (Message ("textDocument/documentSymbol", { { "textDocument", { { "uri", "u" } } } }, 4).dump ());
    const json Sy = json::parse (S.Sorties.back ())["result"];
    ASSERT_EQ (Sy.size (), 2u);
    EXPECT_EQ (Sy [0]["name"], "A");
    EXPECT_EQ (Sy [0]["location"]["uri"], "u");
    EXPECT_EQ (Sy [1]["name"], "n");
    EXPECT_EQ (Sy [1]["containerName"], "A");
    EXPECT_EQ (Sy [1]["location"]["range"]["start"], Pos (2, 11));
}

namespace
{
    // Les messages d'une methode parmi ceux rendus.
    std::vector <json> Parmi (const std::vector <json> & R, const std::string & Methode)
    {
        std::vector <json> M;
        for (const json & J : R)
            if (J.value ("method", "") == Methode) M.push_back (J);
        return M;
    }

    json Changement (const std::string & Uri, int Version, json Changements)
    {
        return Message ("textDocument/didChange", { { "textDocument", { { "uri", Uri }, { "version", Version } } },
                                                   { "contentChanges", std::move (Changements) } });
    }

    json Ouverture (const std::string & Uri, std::string Texte)
    {
        return Message ("textDocument/didOpen", { { "textDocument", { { "uri", Uri }, { "version", 1 }, { "text", std::move (Texte) } } } });
    }
}

TEST (Serveur, LotDeChangementsToutOuRien)
{
    // Le second changement du lot est invalide (fin sans caractere) : le premier n'est pas
    // applique non plus, la version ne bouge pas, et l'utilisateur le voit.
    SServeur S;
    const std::string Uri = "file:///a.algo", Texte = "algorithme A\ndebut\n    afficher (1);\nfin\n";
    EXPECT_TRUE (S.Diagnostics (Texte).empty ());
    const json Bon = { { "range", { { "start", Pos (2, 14) }, { "end", Pos (2, 15) } } }, { "text", "x" } };
    const json Mauvais = { { "range", { { "start", Pos (0, 0) }, { "end", { { "line", 0 } } } } }, { "text", "" } };
    auto R = S.Envoyer (Changement (Uri, 2, { Bon, Mauvais }));
    EXPECT_EQ (S.S.Document (Uri)->Texte.Lire (0, std::string::npos), Texte);
    EXPECT_EQ (S.S.Document (Uri)->Version, 1);
    const auto Annonces = Parmi (R, "window/showMessage");
    ASSERT_EQ (Annonces.size (), 1u);
    EXPECT_NE (Annonces [0]["params"]["message"].get <std::string> ().find ("contentChanges [1]"), std::string::npos);
    EXPECT_TRUE (Parmi (R, "textDocument/publishDiagnostics").empty ());
    // Un lot valide de deux changements, le second sur le texte laisse par le premier.
    R = S.Envoyer (Changement (Uri, 3, { Bon, { { "range", { { "start", Pos (2, 14) }, { "end", Pos (2, 15) } } }, { "text", "2" } } }));
    EXPECT_EQ (S.S.Document (Uri)->Texte.Lire (0, std::string::npos), "algorithme A\ndebut\n    afficher (2);\nfin\n");
    EXPECT_EQ (Parmi (R, "textDocument/publishDiagnostics").at (0)["params"]["version"], 3);
}

TEST (Serveur, DocumentsBornesEnTailleEtEnTotal)
{
    // Bornes reduites : 1000 octets par document ; en tout, quatre documents pleins (adresses de 8
    // octets et CoutDocument compris) et de quoi garder la trace d'un cinquieme refuse.
    SLimites L;
    L.Document = 1000;
    L.Total = 4 * (980 + 8 + CoutDocument) + 8 + CoutDocument + 50;
    SServeur S (json::object (), L);
    const std::string Petit = "algorithme A\ndebut\n    afficher (1);\nfin\n";
    const std::size_t Base = S.S.MemoireDocuments ();
    // Trop grand a l'ouverture : refuse, dit par showMessage et par un diagnostic ; le serveur
    // ne garde pas son texte et refuse survol, symboles et C++.
    auto R = S.Envoyer (Ouverture ("file:///gros.algo", std::string (1001, ' ')));
    ASSERT_EQ (Parmi (R, "window/showMessage").size (), 1u);
    const json D = Parmi (R, "textDocument/publishDiagnostics").at (0)["params"]["diagnostics"];
    ASSERT_EQ (D.size (), 1u);
    EXPECT_NE (D [0]["message"].get <std::string> ().find ("document trop volumineux (1001 octets, au plus 1000 octets)"),
               std::string::npos);
    EXPECT_EQ (S.S.Document ("file:///gros.algo")->Texte.Taille (), 0u);
    EXPECT_TRUE (S.Requete ("textDocument/hover", { { "textDocument", { { "uri", "file:///gros.algo" } } },
                                                    { "position", Pos (0, 0) } })["result"].is_null ());
    EXPECT_TRUE (S.Requete ("textDocument/documentSymbol", { { "textDocument", { { "uri", "file:///gros.algo" } } } })["result"].empty ());
    EXPECT_EQ (S.Requete ("tramelo/voirCpp", { { "textDocument", { { "uri", "file:///gros.algo" } } } })["error"]["code"], RequestFailed);
    // Un changement partiel ne s'applique pas a un texte abandonne ; un texte complet permis le rend.
    R = S.Envoyer (Changement ("file:///gros.algo", 2, { { { "range", { { "start", Pos (0, 0) }, { "end", Pos (0, 1) } } }, { "text", "x" } } }));
    EXPECT_EQ (S.S.Document ("file:///gros.algo")->Texte.Taille (), 0u);
    R = S.Envoyer (Changement ("file:///gros.algo", 3, { { { "text", Petit } } }));
    EXPECT_TRUE (Parmi (R, "textDocument/publishDiagnostics").at (0)["params"]["diagnostics"].empty ());
    EXPECT_TRUE (Parmi (R, "window/showMessage").empty ());

    // Un lot qui ferait passer le document au-dela : refuse de meme, au changement fautif.
    const json Debut = { { "start", Pos (0, 0) }, { "end", Pos (0, 0) } };
    R = S.Envoyer (Changement ("file:///gros.algo", 4, { { { "range", Debut }, { "text", std::string (500, ' ') } },
                                                           { { "range", Debut }, { "text", std::string (500, ' ') } } }));
    EXPECT_FALSE (S.S.Document ("file:///gros.algo")->Refus.empty ());
    EXPECT_EQ (Parmi (R, "window/showMessage").size (), 1u);
    S.Envoyer (Message ("textDocument/didClose", { { "textDocument", { { "uri", "file:///gros.algo" } } } }));
    EXPECT_EQ (S.S.MemoireDocuments (), Base);

    // Le total : des documents permis chacun, jusqu'a ce qu'un de plus depasse.
    const std::string Plein (1000 - 20, ' ');
    for (int i = 0; i < 4; ++i)
    {
        R = S.Envoyer (Ouverture ("file:///" + std::to_string (i), Plein));
        EXPECT_TRUE (Parmi (R, "window/showMessage").empty ()) << i;
    }
    R = S.Envoyer (Ouverture ("file:///4", Plein));
    ASSERT_EQ (Parmi (R, "window/showMessage").size (), 1u);
    EXPECT_NE (Parmi (R, "window/showMessage") [0]["params"]["message"].get <std::string> ().find ("trop de texte ouvert"),
               std::string::npos);
    EXPECT_LE (S.S.MemoireDocuments (), L.Total);
    // Un de plus ne peut meme pas etre garde refuse : il n'est pas suivi, et c'est dit.
    R = S.Envoyer (Ouverture ("file:///5", ""));
    ASSERT_EQ (Parmi (R, "window/showMessage").size (), 1u);
    EXPECT_NE (Parmi (R, "window/showMessage") [0]["params"]["message"].get <std::string> ().find ("pas suivi"), std::string::npos);
    EXPECT_EQ (S.S.Document ("file:///5"), nullptr);
    // Un document ferme libere sa place.
    S.Envoyer (Message ("textDocument/didClose", { { "textDocument", { { "uri", "file:///0" } } } }));
    R = S.Envoyer (Ouverture ("file:///4", Plein));
    EXPECT_TRUE (Parmi (R, "window/showMessage").empty ());
    EXPECT_TRUE (S.S.Document ("file:///4")->Refus.empty ());
    for (int i = 1; i < 5; ++i) S.Envoyer (Message ("textDocument/didClose", { { "textDocument", { { "uri", "file:///" + std::to_string (i) } } } }));
    EXPECT_EQ (S.S.MemoireDocuments (), Base);
}

TEST (Serveur, MessagesTropImbriquesOuTropGrands)
{
    SServeur S;
    const std::string Uri = "file:///a.algo";
    S.Diagnostics ("algorithme A\ndebut\nfin\n");
    auto Traiter = [&] (const std::string & Corps)
    {
        S.S.Traiter (Corps);
        S.S.Publier ();
        std::vector <json> R;
        for (const std::string & M : S.S.Sorties) R.push_back (json::parse (M));
        S.S.Sorties.clear ();
        return R;
    };
    // Un identifiant de 140 000 tableaux imbriques (il etait recopie avant d'etre verifie) :
    // erreur de requete, sans rien construire au-dela de la borne.
    auto R = Traiter ("{\"jsonrpc\":\"2.0\",\"id\":" + std::string (140000, '[') + std::string (140000, ']') + ",\"method\":\"shutdown\"}");
    ASSERT_EQ (R.size (), 1u);
    EXPECT_EQ (R [0]["error"]["code"], InvalidRequest);
    EXPECT_TRUE (R [0]["id"].is_null ());
    // Des parametres trop imbriques dans une requete : son identifiant recoit l'erreur.
    R = Traiter ("{\"id\":9,\"method\":\"textDocument/hover\",\"params\":" + std::string (70, '[') + std::string (70, ']') + "}");
    ASSERT_EQ (R.size (), 1u);
    EXPECT_EQ (R [0]["id"], 9);
    EXPECT_FALSE (S.S.Document (Uri)->Texte.Taille () == 0);
    // Un changement trop imbrique est perdu : son document ne suit plus l'editeur, et le dit.
    R = Traiter ("{\"method\":\"textDocument/didChange\",\"params\":{\"textDocument\":{\"uri\":\"" + Uri
                 + "\"},\"contentChanges\":" + std::string (70, '[') + std::string (70, ']') + "}}");
    ASSERT_EQ (Parmi (R, "window/showMessage").size (), 1u);
    EXPECT_FALSE (S.S.Document (Uri)->Refus.empty ());
    EXPECT_EQ (Parmi (R, "textDocument/publishDiagnostics").at (0)["params"]["diagnostics"].size (), 1u);
    R = Traiter (Changement (Uri, 5, { { { "text", "algorithme A\ndebut\nfin\n" } } }).dump ());
    EXPECT_TRUE (S.S.Document (Uri)->Refus.empty ());

    // Message trop grand, dont on n'a que le debut : la requete recoit son erreur ; un changement
    // d'un document connu refuse ce document ; un message qu'on ne peut reconnaitre, tous.
    S.S.Ignorer ("{\"jsonrpc\":\"2.0\",\"id\":12,\"method\":\"tramelo/voirCpp\",\"params\":{\"x\":\"xxxx", 200u << 20);
    R = Traiter ("{\"method\":\"initialized\"}");
    ASSERT_EQ (R.size (), 1u);
    EXPECT_EQ (R [0]["id"], 12);
    EXPECT_NE (R [0]["error"]["message"].get <std::string> ().find ("209715200 octets"), std::string::npos);
    EXPECT_TRUE (S.S.Document (Uri)->Refus.empty ());
    S.Diagnostics ("algorithme B\ndebut\nfin\n", "file:///b.algo");
    S.S.Ignorer ("{\"jsonrpc\":\"2.0\",\"method\":\"textDocument/didChange\",\"params\":{\"textDocument\":{\"uri\":\"file:///b.algo\"},"
                 "\"contentChanges\":[{\"text\":\"xxxx", 200u << 20);
    EXPECT_TRUE (S.S.Document (Uri)->Refus.empty ());
    EXPECT_FALSE (S.S.Document ("file:///b.algo")->Refus.empty ());
    S.S.Ignorer ("{\"params\":{\"contentChanges\":[{\"text\":\"xxxx", 200u << 20);
    EXPECT_FALSE (S.S.Document (Uri)->Refus.empty ());
    // Une ouverture perdue : le document est connu, refuse, et son diagnostic le dit.
    S.S.Ignorer ("{\"method\":\"textDocument/didOpen\",\"params\":{\"textDocument\":{\"uri\":\"file:///c.algo\",\"text\":\"xx",
                 200u << 20);
    R = Traiter ("{\"method\":\"initialized\"}");
    ASSERT_NE (S.S.Document ("file:///c.algo"), nullptr);
    EXPECT_FALSE (S.S.Document ("file:///c.algo")->Refus.empty ());
    const auto Publies = Parmi (R, "textDocument/publishDiagnostics");
    EXPECT_TRUE (std::any_of (Publies.begin (), Publies.end (), [] (const json & P)
                 { return P ["params"]["uri"] == "file:///c.algo" && P ["params"]["diagnostics"].size () == 1; }));
}

TEST (Serveur, RetourChariotSeulCommeLeTraducteur)
{
    // Un \r seul n'est pas une fin de ligne pour le traducteur : la faute est sur la ligne et la
    // colonne que donnent Tramelo ("Ligne 1") et tramelo-verifier (1:54), pas trois lignes plus bas.
    const std::string Source = "algorithme A\rdebut\r    declarer n : entier;\r    n <- \"a\";\rfin\r";
    SServeur S;
    const json D = S.Diagnostics (Source);
    ASSERT_EQ (D.size (), 1u);
    const nsTramelo::SVerification V = nsTramelo::Verifier (Source);
    ASSERT_EQ (V.Diagnostics.size (), 1u);
    const nsTramelo::SPosition & P = V.Diagnostics [0].Position;
    EXPECT_EQ (P.Ligne, 1u);
    EXPECT_EQ (D [0]["range"]["start"], Pos (P.Ligne - 1, P.ColonneOrigine - 1));
    EXPECT_EQ (V.Traduction.Erreur->Libelle.rfind ("Ligne    1 ", 0), 0u);
}

TEST (Serveur, TableauEtElementParReferenceAnnonces)
{
    // Un tableau et son element passes par reference au meme appel : avertissement 152 (gravite 2),
    // sur l'element, quel que soit le profil ; un element passe par valeur ne dit rien.
    const std::string Source =
        "procedure Ajouter (v : in_out tableau_de entier, e : in_out entier)\n"
        "debut\n    allonger (v, 1);\n    e <- 2;\nfin\n\n"
        "procedure Lire (v : in_out tableau_de entier, e : in entier)\n"
        "debut\n    allonger (v, 1);\n    afficher (e);\nfin\n\n"
        "algorithme A\ndebut\n    declarer t : tableau_de 2 entier;\n"
        "    Ajouter (t, t[0]);\n    Lire (t, t[1]);\nfin\n";
    SServeur S;
    const json D = S.Diagnostics (Source);
    ASSERT_EQ (D.size (), 1u) << D.dump ();
    EXPECT_EQ (D [0]["code"], 152);
    EXPECT_EQ (D [0]["severity"], 2);
    EXPECT_EQ (D [0]["range"]["start"], Pos (15, 16));
    EXPECT_EQ (D [0]["range"]["end"], Pos (15, 20));
}
