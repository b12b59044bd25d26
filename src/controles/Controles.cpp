#include "controles/Controles.h"

#include "driver/Tramelo.h"
#include "scanner/Source.h"
#include "types/TypesCodes.h"
#include "util/CExcTramelo.h"

#include <algorithm>
#include <memory>

namespace nsTramelo
{
    bool ProfilVerifie = false;

    namespace
    {
        // Situe les controles dans le source d'origine (colonnes avant developpement des
        // tabulations) ; cree par PreparerProfil, detruit par OublierProfil.
        std::unique_ptr <CSitueur> Situeur;
        // Nom du source dans les messages ; fixe par PreparerProfil, vide par OublierProfil.
        std::string NomSourceProfil;

        // Un litteral entier sans signe (un nombre lu tel quel) : il tient dans tout type entier.
        bool IsLitteralEntier (const std::string & Texte)
        {
            if (Texte.empty ()) return false;
            for (char c : Texte)
                if (c < '0' || c > '9') return false;
            return true;
        }

        bool IsEntier (unsigned Type) { return Type == TEntier || Type == TEntierNaturel; }

        std::string Appel (const char * Fonction, const std::string & Args, std::size_t Decalage)
        {
            return std::string (Fonction) + " (" + Args + ", " + TextePosition (Decalage) + ")";
        }
    }

    void PreparerProfil (const std::string & Source, const SOptions & Options)
    {
        ProfilVerifie = true;
        NomSourceProfil = Options.NomSource.empty () ? "programme.algo" : Options.NomSource;
        // FinLigne est rempli ensuite par ChargerSource ; le situeur n'en garde que la reference.
        Situeur = std::make_unique <CSitueur> (Source, Options.TailleTab, FinLigne);
        Sortie.Suivre (NomSourceProfil, Options.NomCpp.empty () ? "programme.cpp" : Options.NomCpp);
    }

    void OublierProfil ()
    {
        ProfilVerifie = false;
        Situeur.reset ();
        NomSourceProfil.clear ();
    }

    const std::string & NomSourceVerifie () { return NomSourceProfil; }

    std::string LitteralCpp (const std::string & Texte)
    {
        std::string R = "\"";
        for (char c : Texte)
        {
            const unsigned char o = static_cast <unsigned char> (c);
            if (c == '"' || c == '\\') R += '\\';
            if (c == '\n') R += "\\n";
            else if (o < 32 || o == 127)
            {
                // Tout autre octet de controle (retour chariot, echappement...) en octal sur trois
                // chiffres : g++ refuse un retour chariot dans un litteral, et trois chiffres
                // n'absorbent jamais le caractere suivant.
                R += '\\';
                R += static_cast <char> ('0' + (o >> 6));
                R += static_cast <char> ('0' + ((o >> 3) & 7));
                R += static_cast <char> ('0' + (o & 7));
            }
            else R += c;
        }
        return R + '"';
    }

    std::size_t PositionSuivante ()
    {
        const std::string & T = fi.GetTexte ();
        std::size_t i = GetPosLecture ();
        while (i < T.size () && IsBlanc (T [i])) ++i;
        return i;
    }

    std::size_t LigneSource (std::size_t Decalage)
    {
        if (FinLigne.empty ()) return 1;
        const std::size_t D = std::min <std::size_t> (Decalage, FinLigne.back () - 1);
        return std::upper_bound (FinLigne.begin (), FinLigne.end (), D) - FinLigne.begin () + 1;
    }

    std::string TextePosition (std::size_t Decalage)
    {
        if (FinLigne.empty () || ! Situeur) return "1, 1";
        const SPosition P = Situeur->Situer (Decalage);
        return std::to_string (P.Ligne) + ", " + std::to_string (P.ColonneOrigine);
    }

    void SituerSortie (std::size_t Decalage)
    {
        if (ProfilVerifie) Sortie.Situer (LigneSource (Decalage));
    }

    std::string TypeRetourCpp (unsigned Type)
    {
        return ProfilVerifie && Type == TEntier ? "long int" : GetTypeCpp (Type);
    }

    std::string Convertir (const std::string & Valeur, unsigned TypeValeur, unsigned TypeCible,
                           std::size_t Decalage)
    {
        if (! ProfilVerifie || IsLitteralEntier (Valeur)) return Valeur;
        if (TypeCible == TEntier && TypeValeur == TReel) return Appel ("_EntierDeReel", Valeur, Decalage);
        if (TypeCible == TEntierNaturel && TypeValeur == TReel) return Appel ("_NaturelDeReel", Valeur, Decalage);
        if (TypeCible == TEntierNaturel && IsEntier (TypeValeur)) return Appel ("_Naturel", Valeur, Decalage);
        return Valeur;
    }

    std::string Operation (char Op, const std::string & Gauche, unsigned TypeG,
                           const std::string & Droite, unsigned TypeD, std::size_t Decalage)
    {
        const std::string Args = Gauche + ", " + Droite;
        if (IsEntier (TypeG) && IsEntier (TypeD))
        {
            switch (Op)
            {
                case '+' : return Appel ("_Plus", Args, Decalage);
                case '-' : return Appel ("_Moins", Args, Decalage);
                case '*' : return Appel ("_Fois", Args, Decalage);
                default  : return Appel ("_Div", Args, Decalage);
            }
        }
        if (Op == '/') return Appel ("_DivReel", Args, Decalage);
        return Gauche + ' ' + Op + ' ' + Droite;
    }

    std::string Oppose (const std::string & Facteur, unsigned Type, std::size_t Decalage)
    {
        if (Type == TReel || IsLitteralEntier (Facteur))
            return (Facteur [0] == '-' ? "- " : "-") + Facteur;
        return Appel ("_Oppose", Facteur, Decalage);
    }

    std::string Comparaison (const std::string & Gauche, unsigned TypeG, const std::string & Op,
                             const std::string & Droite, unsigned TypeD)
    {
        if (ProfilVerifie && IsEntier (TypeG) && IsEntier (TypeD))
            return "long (" + Gauche + ")" + Op + "long (" + Droite + ")";
        return Gauche + Op + Droite;
    }

    std::string TexteIndice (const std::string & Nom, const std::string & Indice, std::size_t Decalage)
    {
        if (! ProfilVerifie) return ".at (" + Indice + ")";
        return ".at (" + Appel ("_Indice", Nom + ", " + Indice, Decalage) + ")";
    }

    std::string Taille (const std::string & Dim, std::size_t Decalage)
    {
        return ProfilVerifie ? Appel ("_Taille", Dim, Decalage) : Dim;
    }

    std::string Modulo (const std::string & a, const std::string & b, std::size_t Decalage)
    {
        return " " + Appel ("_Modulo", a + ", " + b, Decalage);
    }

    void GenererSaisir (const std::string & Nom, std::size_t Decalage)
    {
        Sortie << Tabul << Appel ("_Saisir", Nom + ", \"" + Nom + '"', Decalage) << ";\n";
    }

    void GenererRedimension (bool Allonger, const std::string & Nom, const std::string & Longueur,
                             std::size_t Decalage)
    {
        Sortie << Tabul << Appel (Allonger ? "_Allonger" : "_Redimensionner", Nom + ", " + Longueur, Decalage)
               << ";\n";
    }

    void GenererEntreeUnite (const std::string & Nom, std::size_t Decalage)
    {
        Sortie << Tabul << std::string (TabulSz, ' ') << Appel ("_Entree", '"' + Nom + '"', Decalage) << ";\n";
    }

    void GenererFinSansRenvoie (const std::string & Nom, std::size_t Decalage)
    {
        Sortie << Tabul << std::string (TabulSz, ' ') << Appel ("_SansRenvoie", '"' + Nom + '"', Decalage) << ";\n";
    }

    void Generer_mainVerifie (const std::string & Algo)
    {
        Sortie.Cadre ();
        Sortie <<
            "} // namespace\n"
            "\n"
            "int main()\n"
            "{\n"
            "    _BasePile = static_cast <char *> (__builtin_frame_address (0));\n"
            "    _LireBudgetPile ();\n"
            "    try\n"
            "    {\n"
            "        " << Algo << "();\n"
            "    }\n"
            "    catch (const std::bad_alloc &)\n"
            "    {\n"
            "        _SignalerSansPosition () << \"Mémoire insuffisante\";\n"
            "        _Arreter ();\n"
            "    }\n"
            "    catch (const std::exception & _E)\n"
            "    {\n"
            "        _SignalerSansPosition () << \"Erreur inattendue de la bibliothèque C++ (\" << _E.what () << \")\";\n"
            "        _Arreter ();\n"
            "    }\n"
            "    catch (...)\n"
            "    {\n"
            "        _SignalerSansPosition () << \"Erreur inattendue\";\n"
            "        _Arreter ();\n"
            "    }\n"
            "    std::cout.flush ();\n"
            "    return 0;\n"
            "\n"
            "} // main()\n";
    }
}
