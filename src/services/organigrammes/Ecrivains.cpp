// Les ecrivains des organigrammes : SVG (la mise en page calculee ici), DOT (Graphviz fait la
// sienne), Mermaid (pour les documents Markdown) ; et ProduireOrganigramme, du source au dessin.
#include "services/organigrammes/Organigramme.h"

#include "services/organigrammes/Textes.h"

#include <algorithm>
#include <string>

namespace nsTramelo
{
    using namespace nsOrganigramme;

    namespace
    {
        std::string Id (std::size_t Unite, std::uint32_t Forme)
        {
            return "u" + std::to_string (Unite) + "n" + std::to_string (Forme);
        }

        std::string Nombre (int N) { return std::to_string (N); }

        // --- SVG ---

        constexpr int HauteurTitre = 34;      // ligne du titre d'une unite, au-dessus de son dessin
        constexpr int EcartUnites = 24;
        constexpr int MargeTitre = 16;

        const char * const StyleSvg =
            ".tramelo-organigramme .fond{fill:#fff}"
            ".tramelo-organigramme .titre{font:bold 16px 'DejaVu Sans',Arial,Helvetica,sans-serif;fill:#111}"
            ".tramelo-organigramme .forme text{font-family:'DejaVu Sans Mono','Liberation Mono',Consolas,Menlo,monospace;"
            "font-size:14px;fill:#111;text-anchor:middle}"
            ".tramelo-organigramme .forme>rect,.tramelo-organigramme .forme>polygon{stroke:#1d3557;stroke-width:1.6}"
            ".tramelo-organigramme .debut>rect,.tramelo-organigramme .fin>rect{fill:#dbe9f6}"
            ".tramelo-organigramme .entree-sortie>polygon{fill:#fdebd0}"
            ".tramelo-organigramme .action>rect{fill:#fff}"
            ".tramelo-organigramme .decision>polygon{fill:#fff4c2}"
            ".tramelo-organigramme .pour>polygon{fill:#dcf1e0}"
            ".tramelo-organigramme .jonction>circle{fill:#1d3557}"
            ".tramelo-organigramme .arc{fill:none;stroke:#222;stroke-width:1.6}"
            ".tramelo-organigramme .arc.saut{stroke:#8a1c1c;stroke-dasharray:7 4}"
            ".tramelo-organigramme .etiquette{font:12px 'DejaVu Sans',Arial,Helvetica,sans-serif;fill:#333}";

        void FormeSvg (std::string & R, std::size_t u, std::uint32_t i, const SForme & F)
        {
            const int x0 = F.X - F.Largeur / 2, x1 = F.X + F.Largeur / 2;
            const int y0 = F.Y - F.Hauteur / 2, y1 = F.Y + F.Hauteur / 2;
            R += "<g class=\"forme ";
            R += NomFigure (F.Forme);
            R += "\" id=\"" + Id (u, i) + "\"";
            if (! F.Genre.empty ()) R += " data-genre=\"" + EchapperXml (F.Genre) + "\"";
            if (F.Ligne != 0) R += " data-ligne=\"" + std::to_string (F.Ligne) + "\"";
            R += ">";
            if (F.Forme == EFigure::Jonction)
            {
                R += "<circle cx=\"" + Nombre (F.X) + "\" cy=\"" + Nombre (F.Y) + "\" r=\"4\"/></g>\n";
                return;
            }
            R += "<title>" + EchapperXml (F.Texte) + "</title>";
            auto Point = [&] (int x, int y) { return Nombre (x) + "," + Nombre (y) + " "; };
            switch (F.Forme)
            {
                case EFigure::Debut :
                case EFigure::Fin :
                case EFigure::Action :
                    R += "<rect x=\"" + Nombre (x0) + "\" y=\"" + Nombre (y0) + "\" width=\"" + Nombre (F.Largeur)
                       + "\" height=\"" + Nombre (F.Hauteur) + "\"";
                    if (F.Forme != EFigure::Action) R += " rx=\"" + Nombre (F.Hauteur / 2) + "\"";
                    R += "/>";
                    break;
                case EFigure::EntreeSortie :
                {
                    const int s = 10;
                    R += "<polygon points=\"" + Point (x0 + s, y0) + Point (x1, y0) + Point (x1 - s, y1) + Point (x0, y1);
                    R.pop_back ();
                    R += "\"/>";
                    break;
                }
                case EFigure::Decision :
                    R += "<polygon points=\"" + Point (F.X, y0) + Point (x1, F.Y) + Point (F.X, y1) + Point (x0, F.Y);
                    R.pop_back ();
                    R += "\"/>";
                    break;
                case EFigure::Pour :
                {
                    const int p = F.Hauteur / 2;
                    R += "<polygon points=\"" + Point (x0, F.Y) + Point (x0 + p, y0) + Point (x1 - p, y0)
                       + Point (x1, F.Y) + Point (x1 - p, y1) + Point (x0 + p, y1);
                    R.pop_back ();
                    R += "\"/>";
                    break;
                }
                case EFigure::Jonction :
                    break;
            }
            R += "<text>";
            const int Premiere = F.Y - static_cast <int> (F.Lignes.size ()) * 18 / 2 + 13;
            for (std::size_t k = 0; k < F.Lignes.size (); ++k)
                R += "<tspan x=\"" + Nombre (F.X) + "\" y=\"" + Nombre (Premiere + static_cast <int> (k) * 18) + "\">"
                   + EchapperXml (F.Lignes [k]) + "</tspan>";
            R += "</text></g>\n";
        }

        void ArcSvg (std::string & R, std::size_t u, const SOrganigramme & O, const SArc & A)
        {
            R += "<path class=\"arc ";
            R += NomArc (A.Genre);
            if (A.Saut) R += " saut";
            R += "\" data-de=\"" + Id (u, A.De) + "\" data-vers=\"" + Id (u, A.Vers) + "\" d=\"";
            for (std::size_t k = 0; k < A.Trace.size (); ++k)
                R += (k == 0 ? "M" : " L") + Nombre (A.Trace [k].X) + "," + Nombre (A.Trace [k].Y);
            R += "\"";
            // Pas de pointe sur une jonction : les chemins s'y rejoignent.
            if (O.Formes [A.Vers].Forme != EFigure::Jonction) R += " marker-end=\"url(#tramelo-fleche)\"";
            R += "/>\n";
        }

        void EtiquetteSvg (std::string & R, const SArc & A)
        {
            if (A.Etiquette [0] == '\0' || A.Trace.size () < 2) return;
            const SPoint & a = A.Trace [0];
            const SPoint & b = A.Trace [1];
            int x = a.X + 6, y = a.Y + 15;
            const char * Ancre = "start";
            if (a.Y == b.Y)
            {
                y = a.Y - 6;
                if (b.X < a.X)
                {
                    x = a.X - 6;
                    Ancre = "end";
                }
            }
            else if (b.Y < a.Y) y = a.Y - 6;
            R += "<text class=\"etiquette\" x=\"" + Nombre (x) + "\" y=\"" + Nombre (y) + "\" text-anchor=\"" + Ancre
               + "\">" + A.Etiquette + "</text>\n";
        }

        // --- DOT ---

        const char * FormeDot (EFigure F)
        {
            switch (F)
            {
                case EFigure::Debut :
                case EFigure::Fin : return "shape=box, style=\"rounded,filled\", fillcolor=\"#dbe9f6\"";
                case EFigure::EntreeSortie : return "shape=parallelogram, style=filled, fillcolor=\"#fdebd0\"";
                case EFigure::Action : return "shape=box, style=filled, fillcolor=\"#ffffff\"";
                case EFigure::Decision : return "shape=diamond, style=filled, fillcolor=\"#fff4c2\"";
                case EFigure::Pour : return "shape=hexagon, style=filled, fillcolor=\"#dcf1e0\"";
                case EFigure::Jonction : return "shape=point, width=0.09";
            }
            return "shape=box";
        }

        std::string LignesDot (const SForme & F)
        {
            std::string R;
            for (std::size_t k = 0; k < F.Lignes.size (); ++k)
            {
                if (k > 0) R += "\\n";
                R += EchapperDot (F.Lignes [k]);
            }
            return R;
        }

        // --- Mermaid ---

        std::string FormeMermaid (const SForme & F)
        {
            std::string Libelle;
            for (std::size_t k = 0; k < F.Lignes.size (); ++k)
            {
                if (k > 0) Libelle += "<br>";
                Libelle += EchapperMermaid (F.Lignes [k]);
            }
            const std::string L = "\"" + Libelle + "\"";
            switch (F.Forme)
            {
                case EFigure::Debut :
                case EFigure::Fin : return "([" + L + "])";
                case EFigure::EntreeSortie : return "[/" + L + "/]";
                case EFigure::Action : return "[" + L + "]";
                case EFigure::Decision : return "{" + L + "}";
                case EFigure::Pour : return "{{" + L + "}}";
                case EFigure::Jonction : return "((\" \"))";
            }
            return "[" + L + "]";
        }

        int PremiereErreur (const SVerification & V)
        {
            for (const SDiagnosticExplique & D : V.Diagnostics)
                if (D.Gravite == EGravite::Erreur) return static_cast <int> (D.Code);
            return 0;
        }
    }

    std::string EcrireSvg (const std::vector <SOrganigramme> & O, const std::string & Titre)
    {
        int Largeur = 2 * MargeTitre, Hauteur = 0;
        std::vector <std::string> Titres;
        for (const SOrganigramme & U : O)
        {
            Titres.push_back (Abreger (U.Titre, 120));
            // Police proportionnelle de 16 px en gras : au plus 10 px par caractere.
            Largeur = std::max ({ Largeur, U.Largeur, static_cast <int> (NbCaracteres (Titres.back ())) * 10 + 2 * MargeTitre });
            Hauteur += HauteurTitre + U.Hauteur + EcartUnites;
        }
        if (O.empty ()) Hauteur = 2 * MargeTitre;
        const std::string TitreDoc = EchapperXml (Assainir (Titre));
        std::string R;
        R.reserve (4096 + O.size () * 8192);
        R += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
        R += "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"tramelo-organigramme\" width=\"" + Nombre (Largeur)
           + "\" height=\"" + Nombre (Hauteur) + "\" viewBox=\"0 0 " + Nombre (Largeur) + " " + Nombre (Hauteur)
           + "\" role=\"img\" aria-labelledby=\"tramelo-titre\">\n";
        R += "<title id=\"tramelo-titre\">Organigramme" + std::string (O.size () > 1 ? "s" : "")
           + (TitreDoc.empty () ? "" : " : " + TitreDoc) + "</title>\n";
        R += "<style>";
        R += StyleSvg;
        R += "</style>\n";
        R += "<defs><marker id=\"tramelo-fleche\" viewBox=\"0 0 10 10\" refX=\"10\" refY=\"5\" markerWidth=\"7\" "
             "markerHeight=\"7\" markerUnits=\"userSpaceOnUse\" orient=\"auto\"><path d=\"M0,0 L10,5 L0,10 z\" "
             "fill=\"#222\"/></marker></defs>\n";
        R += "<rect class=\"fond\" x=\"0\" y=\"0\" width=\"" + Nombre (Largeur) + "\" height=\"" + Nombre (Hauteur) + "\"/>\n";
        int y = 0;
        for (std::size_t u = 0; u < O.size (); ++u)
        {
            const SOrganigramme & U = O [u];
            R += "<g class=\"unite\" id=\"u" + std::to_string (u) + "\" data-unite=\"" + EchapperXml (U.Nom)
               + "\" transform=\"translate(0," + Nombre (y) + ")\">\n";
            R += "<text class=\"titre\" x=\"" + Nombre (MargeTitre) + "\" y=\"24\"><title>" + EchapperXml (U.Titre)
               + "</title>" + EchapperXml (Titres [u]) + "</text>\n";
            R += "<g transform=\"translate(0," + Nombre (HauteurTitre) + ")\">\n<g class=\"formes\">\n";
            for (std::uint32_t i = 0; i < U.Formes.size (); ++i) FormeSvg (R, u, i, U.Formes [i]);
            R += "</g>\n<g class=\"arcs\">\n";
            for (const SArc & A : U.Arcs) ArcSvg (R, u, U, A);
            R += "</g>\n<g class=\"etiquettes\">\n";
            for (const SArc & A : U.Arcs) EtiquetteSvg (R, A);
            R += "</g>\n</g>\n</g>\n";
            y += HauteurTitre + U.Hauteur + EcartUnites;
        }
        R += "</svg>\n";
        return R;
    }

    std::string EcrireDot (const std::vector <SOrganigramme> & O, const std::string & Titre)
    {
        std::string R;
        R += "digraph organigrammes {\n";
        R += "    graph [comment=\"" + EchapperDot (Assainir (Titre)) + "\", charset=\"UTF-8\", "
             "fontname=\"DejaVu Sans\", rankdir=TB, nodesep=0.4];\n";
        R += "    node [fontname=\"DejaVu Sans Mono\", fontsize=12, color=\"#1d3557\"];\n";
        R += "    edge [fontname=\"DejaVu Sans\", fontsize=10];\n";
        for (std::size_t u = 0; u < O.size (); ++u)
        {
            const SOrganigramme & U = O [u];
            R += "    subgraph cluster_u" + std::to_string (u) + " {\n";
            R += "        graph [label=\"" + EchapperDot (U.Titre) + "\", class=\"unite\", style=rounded, color=\"#999999\"];\n";
            for (std::uint32_t i = 0; i < U.Formes.size (); ++i)
            {
                const SForme & F = U.Formes [i];
                R += "        " + Id (u, i) + " [" + FormeDot (F.Forme) + ", class=\"forme " + NomFigure (F.Forme) + "\"";
                if (F.Forme != EFigure::Jonction)
                {
                    R += ", label=\"" + LignesDot (F) + "\", tooltip=\"" + EchapperDot (F.Texte) + "\"";
                    if (F.Ligne != 0) R += ", comment=\"ligne " + std::to_string (F.Ligne) + "\"";
                }
                else R += ", label=\"\"";
                R += "];\n";
            }
            for (const SArc & A : U.Arcs)
            {
                R += "        " + Id (u, A.De) + " -> " + Id (u, A.Vers) + " [class=\"arc " + NomArc (A.Genre)
                   + (A.Saut ? " saut" : "") + "\"";
                if (A.Etiquette [0] != '\0') R += ", label=\"" + std::string (A.Etiquette) + "\"";
                if (A.Saut) R += ", style=dashed, color=\"#8a1c1c\"";
                if (U.Formes [A.Vers].Forme == EFigure::Jonction) R += ", arrowhead=none";
                R += "];\n";
            }
            R += "    }\n";
        }
        R += "}\n";
        return R;
    }

    std::string EcrireMermaid (const std::vector <SOrganigramme> & O)
    {
        std::string R = "flowchart TD\n";
        for (std::size_t u = 0; u < O.size (); ++u)
        {
            const SOrganigramme & U = O [u];
            R += "    subgraph u" + std::to_string (u) + " [\"" + EchapperMermaid (U.Titre) + "\"]\n";
            R += "        direction TB\n";
            for (std::uint32_t i = 0; i < U.Formes.size (); ++i)
                R += "        " + Id (u, i) + FormeMermaid (U.Formes [i]) + "\n";
            for (const SArc & A : U.Arcs)
            {
                R += "        " + Id (u, A.De) + (A.Saut ? " -.->" : " -->");
                if (A.Etiquette [0] != '\0') R += "|\"" + EchapperMermaid (A.Etiquette) + "\"|";
                R += " " + Id (u, A.Vers) + "\n";
            }
            R += "    end\n";
        }
        return R;
    }

    bool LireFormatOrganigramme (const std::string & Nom, EFormatOrganigramme & F)
    {
        if (Nom == "svg") F = EFormatOrganigramme::Svg;
        else if (Nom == "dot") F = EFormatOrganigramme::Dot;
        else if (Nom == "mermaid") F = EFormatOrganigramme::Mermaid;
        else return false;
        return true;
    }

    SOrganigrammeProduit ProduireOrganigramme (const std::string & Source, const SOptions & Options,
                                               const SDemandeOrganigramme & Demande)
    {
        SOrganigrammeProduit R;
        R.Verification = Verifier (Source, Options);
        R.Statut = PremiereErreur (R.Verification);
        if (R.Statut != 0) return R;
        const SModele & M = R.Verification.Traduction.Modele;
        if (! Demande.Unite.empty ())
        {
            bool Trouvee = false;
            std::string Noms;
            for (const SUnite & U : M.Unites)
            {
                if (U.Nom == Demande.Unite) Trouvee = true;
                Noms += (Noms.empty () ? "" : ", ") + U.Nom;
            }
            if (! Trouvee)
            {
                R.Statut = StatutUniteInconnue;
                R.Refus = "aucune unite ne s'appelle \"" + Assainir (Demande.Unite) + "\" (unites du source : "
                        + Assainir (Noms) + ")";
                return R;
            }
        }
        try
        {
            const std::vector <SOrganigramme> O = ConstruireOrganigrammes (R.Verification.Traduction, Demande.Unite);
            switch (Demande.Format)
            {
                case EFormatOrganigramme::Svg : R.Texte = EcrireSvg (O, Demande.Titre); break;
                case EFormatOrganigramme::Dot : R.Texte = EcrireDot (O, Demande.Titre); break;
                case EFormatOrganigramme::Mermaid : R.Texte = EcrireMermaid (O); break;
            }
        }
        catch (const COrganigrammeTropGrand & Exc)
        {
            R.Statut = StatutTropDeFormes;
            R.Refus = Exc.what ();
            R.Texte.clear ();
        }
        return R;
    }
}
