#include "frontaux/noter/Rapports.h"

#include <nlohmann/json.hpp>

namespace nsNoter
{
    using nlohmann::json;

    namespace
    {
        // Un champ CSV ; un tableur prendrait =, +, - ou @ en tete pour une formule : ' devant.
        std::string Champ (std::string Texte)
        {
            if (! Texte.empty () && (Texte [0] == '=' || Texte [0] == '+' || Texte [0] == '-' || Texte [0] == '@'))
                Texte = "'" + Texte;
            if (Texte.find_first_of (",\"\n\r") == std::string::npos) return Texte;
            std::string R = "\"";
            for (char c : Texte)
            {
                if (c == '"') R += '"';
                R += c;
            }
            return R + '"';
        }

        std::string Html (const std::string & Texte)
        {
            std::string R;
            for (char c : Texte)
                switch (c)
                {
                    case '&' : R += "&amp;"; break;
                    case '<' : R += "&lt;"; break;
                    case '>' : R += "&gt;"; break;
                    case '"' : R += "&quot;"; break;
                    case '\'' : R += "&#39;"; break;
                    case '\0' : R += "\\0"; break;
                    default : R += c;
                }
            // Les octets hors UTF-8 rendus par le navigateur comme il peut : rien d'executable.
            return R;
        }

        std::string LibelleEtat (const SNote & N)
        {
            if (N.Etat == "non_traduite") return "ne se traduit pas (statut " + std::to_string (N.Statut) + ")";
            if (N.Etat == "absente") return "pas de copie";
            if (N.Etat == "erreur_outil") return "notation impossible (statut " + std::to_string (N.Statut) + ")";
            return "";
        }
    }

    std::string TexteCsv (const nsTramelo::SExercice & E, const std::vector <SNote> & Notes)
    {
        std::string R = "etudiant,points,max";
        for (const nsTramelo::STestExercice & T : E.Tests) R += "," + Champ (T.Nom);
        R += "\n";
        for (const SNote & N : Notes)
        {
            R += Champ (N.Etudiant) + "," + std::to_string (N.Points) + "," + std::to_string (N.Max);
            for (std::size_t i = 0; i < E.Tests.size (); ++i)
                R += "," + (i < N.Tests.size () ? N.Tests [i].Mot : N.Etat);
            R += "\n";
        }
        return R;
    }

    std::string TexteJson (const nsTramelo::SExercice & E, const std::vector <SNote> & Notes)
    {
        json Tests = json::array (), Copies = json::array ();
        for (const nsTramelo::STestExercice & T : E.Tests)
            Tests.push_back ({ { "nom", T.Nom }, { "visible", T.Visible }, { "points", T.Points },
                               { "comparaison", nsTramelo::NomComparaison (T.Comparaison, T.Tolerance) } });
        for (const SNote & N : Notes)
        {
            json Resultats = json::array ();
            for (const STestNote & T : N.Tests)
                Resultats.push_back ({ { "nom", T.Nom }, { "verdict", T.Mot }, { "points", T.Points }, { "max", T.Max },
                                       { "statut", T.Statut }, { "difference", T.Difference }, { "erreurs", T.Erreurs } });
            Copies.push_back ({ { "etudiant", N.Etudiant }, { "fichier", N.Fichier }, { "etat", N.Etat },
                                { "statut", N.Statut }, { "points", N.Points }, { "max", N.Max },
                                { "diagnostics", N.Diagnostics }, { "tests", Resultats } });
        }
        const json R = { { "exercice", { { "titre", E.Titre }, { "dossier", E.Dossier }, { "temps", E.Temps },
                                          { "memoire", E.Memoire }, { "limite_sortie", E.LimiteSortie },
                                          { "points_max", E.PointsMax () }, { "tests", Tests } } },
                         { "copies", Copies } };
        return R.dump (2, ' ', false, json::error_handler_t::replace) + "\n";
    }

    std::string TexteHtml (const nsTramelo::SExercice & E, const std::vector <SNote> & Notes)
    {
        std::string R =
            "<!DOCTYPE html>\n<html lang=\"fr\">\n<head>\n<meta charset=\"utf-8\">\n"
            "<title>Notes : " + Html (E.Titre) + "</title>\n"
            "<style>\n"
            "body { font-family: sans-serif; margin: 2em; }\n"
            "table { border-collapse: collapse; }\n"
            "th, td { border: 1px solid #999; padding: 0.2em 0.6em; }\n"
            "th { cursor: pointer; background: #eee; }\n"
            ".reussi { background: #cfc; } .echoue, .erreur, .temps, .sortie { background: #fcc; }\n"
            ".non_traduite, .absente, .erreur_outil { background: #fdb; }\n"
            "pre { background: #f6f6f6; padding: 0.5em; overflow-x: auto; }\n"
            "</style>\n</head>\n<body>\n"
            "<h1>Notes : " + Html (E.Titre) + "</h1>\n"
            "<p>" + std::to_string (Notes.size ()) + " copies, " + std::to_string (E.Tests.size ()) + " tests, "
            + std::to_string (E.PointsMax ()) + " points. Cliquer sur un en-t&ecirc;te de colonne trie le tableau.</p>\n"
            "<table id=\"notes\">\n<thead><tr><th>&Eacute;tudiant</th><th data-nombre=\"1\">Points</th>";
        for (const nsTramelo::STestExercice & T : E.Tests)
            R += "<th>" + Html (T.Nom) + (T.Visible ? "" : " (cach&eacute;)") + "</th>";
        R += "</tr></thead>\n<tbody>\n";
        for (std::size_t n = 0; n < Notes.size (); ++n)
        {
            const SNote & N = Notes [n];
            R += "<tr><td><a href=\"#copie-" + std::to_string (n) + "\">" + Html (N.Etudiant) + "</a></td><td>"
                 + std::to_string (N.Points) + " / " + std::to_string (N.Max) + "</td>";
            for (std::size_t i = 0; i < E.Tests.size (); ++i)
            {
                if (i < N.Tests.size ()) R += "<td class=\"" + Html (N.Tests [i].Mot) + "\">" + Html (N.Tests [i].Libelle) + "</td>";
                else R += "<td class=\"" + Html (N.Etat) + "\">&ndash;</td>";
            }
            R += "</tr>\n";
        }
        R += "</tbody>\n</table>\n";
        for (std::size_t n = 0; n < Notes.size (); ++n)
        {
            const SNote & N = Notes [n];
            R += "<h2 id=\"copie-" + std::to_string (n) + "\">" + Html (N.Etudiant) + " : " + std::to_string (N.Points)
                 + " / " + std::to_string (N.Max) + "</h2>\n";
            if (! N.Fichier.empty ()) R += "<p>Copie : <code>" + Html (N.Fichier) + "</code></p>\n";
            if (N.Etat != "notee") R += "<p class=\"" + Html (N.Etat) + "\">" + Html (LibelleEtat (N)) + "</p>\n";
            if (! N.Diagnostics.empty ()) R += "<pre>" + Html (N.Diagnostics) + "</pre>\n";
            for (const STestNote & T : N.Tests)
            {
                R += "<h3>Test " + Html (T.Nom) + (T.Visible ? "" : " (cach&eacute;)") + " : <span class=\"" + Html (T.Mot)
                     + "\">" + Html (T.Libelle) + "</span> (" + std::to_string (T.Points) + " / " + std::to_string (T.Max) + ")</h3>\n";
                if (! T.Difference.empty ()) R += "<pre>" + Html (T.Difference) + "</pre>\n";
                if (! T.Erreurs.empty ()) R += "<pre>" + Html (T.Erreurs) + "</pre>\n";
            }
        }
        // Tri du tableau : un clic trie par la colonne, un second clic inverse l'ordre.
        R += "<script>\n"
             "document.querySelectorAll('#notes th').forEach(function (th, col) {\n"
             "  th.addEventListener('click', function () {\n"
             "    var corps = document.querySelector('#notes tbody');\n"
             "    var lignes = Array.prototype.slice.call(corps.rows);\n"
             "    var sens = th.dataset.sens === '1' ? -1 : 1;\n"
             "    th.dataset.sens = sens === 1 ? '1' : '-1';\n"
             "    lignes.sort(function (a, b) {\n"
             "      var x = a.cells[col].textContent, y = b.cells[col].textContent;\n"
             "      if (th.dataset.nombre) return sens * (parseFloat(x) - parseFloat(y));\n"
             "      return sens * x.localeCompare(y, 'fr');\n"
             "    });\n"
             "    lignes.forEach(function (l) { corps.appendChild(l); });\n"
             "  });\n"
             "});\n"
             "</script>\n</body>\n</html>\n";
        return R;
    }
}
