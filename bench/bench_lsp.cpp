// Banc du coeur du serveur de langage (hors suite de tests) : ce que coute une modification
// incrementale (didChange), sans la traduction qui suit la rafale.
//   tramelo-bench-lsp      (construction Release : cmake --build --preset default --target tramelo-bench-lsp)
// Deux documents : un source de 1,2 Mo en 55 000 lignes (des procedures de 20 lignes, comme
// bench/lsp.py), ou chaque modification ajoute puis efface un blanc, de 20 lignes en 20 lignes ;
// et une seule ligne de 750 Ko avec des accents, tapee puis effacee en son milieu.
#include "frontaux/lsp/Serveur.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace
{
    using nsLsp::json;

    std::string Source ()
    {
        static const char * const Unite [] = {
            "procedure P%d (t : in_out tableau_de entier, n : in entier)", "debut", "    declarer i : entier;",
            "    declarer s : entier;", "    s <- 0;", "    pour (i variant_de 0 a n - 1) faire", "        si (t [i] > s)",
            "            s <- t [i];", "        sinon_si (t [i] < 0)", "            t [i] <- 0 - t [i];", "        fsi",
            "    ffaire", "    tant_que (s > 10) faire", "        s <- s / 2;", "    ffaire",
            "    afficher (\"maximum : \", s);", "    ligne_suivante;", "    t [0] <- s;", "    n <- n + 1;", "fin" };
        std::string S;
        for (int k = 0; k < 2750; ++k)
            for (const char * L : Unite)
            {
                std::string Ligne = L;
                const std::size_t p = Ligne.find ("%d");
                if (p != std::string::npos) Ligne.replace (p, 2, std::to_string (k));
                S += Ligne + '\n';
            }
        return S + "algorithme Banc\ndebut\n    declarer t : tableau_de 10 entier;\n    declarer n : entier;\n"
                   "    n <- 10;\nfin\n";
    }

    std::string LigneAccentuee ()
    {
        std::string S = "algorithme A debut ";
        while (S.size () < 750000) S += "afficher (\"\xC3\xA9t\xC3\xA9\"); ";
        return S + "fin\n";
    }

    json Position (std::size_t Ligne, std::size_t Caractere) { return { { "line", Ligne }, { "character", Caractere } }; }

    std::string Changement (int Version, std::size_t Ligne, std::size_t Caractere, bool Ajout)
    {
        const json Intervalle = { { "start", Position (Ligne, Caractere) }, { "end", Position (Ligne, Caractere + (Ajout ? 0 : 1)) } };
        return json ({ { "jsonrpc", "2.0" }, { "method", "textDocument/didChange" },
                       { "params", { { "textDocument", { { "uri", "file:///banc.algo" }, { "version", Version } } },
                                     { "contentChanges", { { { "range", Intervalle }, { "text", Ajout ? " " : "" } } } } } } }).dump ();
    }

    void Mesurer (const char * Nom, const std::string & Texte, bool UneLigne)
    {
        nsLsp::CServeur S;
        S.Traiter (R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{"capabilities":{}}})");
        S.Traiter (json ({ { "jsonrpc", "2.0" }, { "method", "textDocument/didOpen" },
                           { "params", { { "textDocument", { { "uri", "file:///banc.algo" }, { "version", 1 }, { "text", Texte } } } } } }).dump ());
        S.Publier ();
        S.Sorties.clear ();
        // Les messages sont prets d'avance : seul leur traitement est mesure (lecture du JSON comprise).
        std::vector <std::string> Messages;
        const int Nb = 10000;
        for (int k = 0; k < Nb; ++k)
        {
            const std::size_t Ligne = UneLigne ? 0 : 4 + 20 * ((k / 2) % 2500);
            const std::size_t Caractere = UneLigne ? 375000 + k / 2 : 11;
            Messages.push_back (Changement (k + 2, Ligne, Caractere, k % 2 == 0));
        }
        const auto Debut = std::chrono::steady_clock::now ();
        for (const std::string & M : Messages) S.Traiter (M);
        const auto Milieu = std::chrono::steady_clock::now ();
        S.Publier ();
        const auto Fin = std::chrono::steady_clock::now ();
        const double Modifications = std::chrono::duration <double, std::milli> (Milieu - Debut).count ();
        std::printf ("| %s | %.2f Mo | %.0f ms | %.1f µs | %.0f ms |\n", Nom, Texte.size () / 1e6, Modifications,
                     1000 * Modifications / Nb, std::chrono::duration <double, std::milli> (Fin - Milieu).count ());
    }
}

int main ()
{
    std::printf ("| Document | Taille | 10 000 modifications | Par modification | Puis une analyse |\n|---|---|---|---|---|\n");
    Mesurer ("55 000 lignes", Source (), false);
    Mesurer ("une ligne accentuée", LigneAccentuee (), true);
}
