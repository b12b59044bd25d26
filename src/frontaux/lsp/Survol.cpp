#include "frontaux/lsp/Survol.h"

using namespace nsTramelo;

namespace nsLsp
{
    namespace
    {
        const char * NomMode (unsigned Mode)
        {
            return Mode == 1 ? "out" : Mode == 2 ? "in_out" : "in";
        }

        std::string NomElements (unsigned Type) { return NomType (TypeDesElements (Type)); }

        // En-tete d'une procedure ou d'une fonction : ses parametres, ceux de son unite.
        std::string EnTete (const SModele & M, const SDeclaration & D)
        {
            std::string Liste;
            if (D.Unite < M.Unites.size ())
                for (IdDecl Id : M.Unites [D.Unite].Parametres)
                {
                    const SDeclaration & P = M.Declarations [Id];
                    Liste += (Liste.empty () ? "" : ", ") + P.Nom + " : " + NomMode (P.Mode) + ' ' + NomType (P.Type);
                }
            std::string S = (D.Nature == ENature::Fonction ? "fonction " : "procedure ") + D.Nom;
            if (! Liste.empty ()) S += " (" + Liste + ')';
            if (D.Nature == ENature::Fonction) S += " renvoie " + NomType (D.Type);
            return S;
        }
    }

    std::string NatureDeclaration (const SDeclaration & D)
    {
        switch (D.Nature)
        {
            case ENature::Variable       : return "variable de type " + NomType (D.Type);
            case ENature::VariableBoucle : return "variable de boucle de type " + NomType (D.Type);
            case ENature::Constante      : return "constante de type " + NomType (D.Type);
            case ENature::Tableau        : return "tableau de " + NomElements (D.Type);
            case ENature::Parametre      :
                return std::string ("paramètre ") + NomMode (D.Mode)
                     + (EstTypeTableau (D.Type) ? ", tableau de " + NomElements (D.Type) : " de type " + NomType (D.Type));
            case ENature::Algorithme     : return "algorithme";
            case ENature::Procedure      : return "procédure";
            case ENature::Fonction       : return "fonction renvoyant " + NomType (D.Type);
        }
        return "";
    }

    std::string DecrireDeclaration (const SModele & M, const SDeclaration & D)
    {
        std::string S = D.Nom + " : " + NatureDeclaration (D);
        if (D.Nature == ENature::Procedure || D.Nature == ENature::Fonction) S += '\n' + EnTete (M, D);
        return S;
    }

    json Survoler (CVue & Vue, std::size_t Octet, bool Markdown)
    {
        const std::string & T = Vue.Texte;
        std::size_t A = Octet;
        if ((A >= T.size () || ! EstCaractereDeNom (T [A])) && A > 0 && A <= T.size () && EstCaractereDeNom (T [A - 1])) --A;
        if (A >= T.size () || ! EstCaractereDeNom (T [A])) return nullptr;
        std::size_t B = A;
        while (A > 0 && EstCaractereDeNom (T [A - 1])) --A;
        while (B < T.size () && EstCaractereDeNom (T [B])) ++B;
        const std::string Mot = T.substr (A, B - A);

        std::string Texte, Forme;
        const SDeclaration * Decl = nullptr;
        // Ce que la traduction a donne a ce nom (le modele), ou la declaration qui le couvre.
        if (! EstMotReserve (Mot)) Decl = Vue.Analyse.Modele.Designation (Mot, Vue.VersTamponne (A));
        SDescriptionMot Desc;
        if (Decl)
        {
            Texte = DecrireDeclaration (Vue.Analyse.Modele, * Decl);
            const std::size_t Saut = Texte.find ('\n');
            if (Saut != std::string::npos)
            {
                Forme = Texte.substr (Saut + 1);
                Texte.resize (Saut);
            }
        }
        else if (DecrireMot (Mot, Desc))
        {
            Texte = Desc.Explication;
            Forme = Desc.Forme;
        }
        else return nullptr;

        std::string Valeur = Texte;
        if (! Forme.empty ()) Valeur += Markdown ? "\n\n```algo\n" + Forme + "\n```" : "\n" + Forme;
        return { { "contents", { { "kind", Markdown ? "markdown" : "plaintext" } , { "value", Valeur } } },
                 { "range", Vue.Intervalle (A, B) } };
    }
}
