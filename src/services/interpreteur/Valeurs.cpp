#include "services/interpreteur/Valeurs.h"
#include "services/interpreteur/Interpreteur.h"
#include "services/explications/Lexique.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace nsTramelo::nsInterpreteur
{
    namespace
    {
        bool Invisible (std::uint32_t Code)
        {
            return Code == 0x061C || Code == 0x200E || Code == 0x200F || Code == 0x2028 || Code == 0x2029
                || Code == 0xFEFF || (Code >= 0x202A && Code < 0x202F) || (Code >= 0x2066 && Code < 0x206A);
        }

        void AjouterHex (std::string & R, const char * Prefixe, std::uint32_t V, int Chiffres)
        {
            char Tampon [16];
            std::snprintf (Tampon, sizeof Tampon, "%s%0*x", Prefixe, Chiffres, V);
            R += Tampon;
        }

        // Ajoute un caractere (code Unicode, ou octet hors UTF-8 si Octet) rendu visible.
        void AjouterVisible (std::string & R, std::uint32_t Code, bool Octet)
        {
            if (Octet) return AjouterHex (R, "\\x", Code, 2);
            switch (Code)
            {
                case '\n' : R += "\\n"; return;
                case '\r' : R += "\\r"; return;
                case '\t' : R += "\\t"; return;
                case 0    : R += "\\0"; return;
                default   : break;
            }
            if (Code < 0x20 || (Code >= 0x7F && Code <= 0x9F)) return AjouterHex (R, "\\x", Code, 2);
            if (Invisible (Code)) return AjouterHex (R, "\\u", Code, 4);
            AjouterUtf8 (R, Code);
        }

        // Le texte rendu visible ; avec Guillemet (non nul), entre guillemets, la barre oblique
        // et le guillemet echappes.
        std::string Rendre (const std::string & Texte, char Guillemet)
        {
            std::string R;
            if (Guillemet) R += Guillemet;
            for (std::size_t i = 0; i < Texte.size ();)
            {
                const std::size_t N = LongueurUtf8 (Texte, i);
                if (N == 0)
                {
                    AjouterVisible (R, static_cast <unsigned char> (Texte [i]), true);
                    ++i;
                    continue;
                }
                const std::uint32_t Code = PointDeCode (Texte, i);
                if (Guillemet && (Code == '\\' || Code == static_cast <unsigned char> (Guillemet))) R += '\\';
                AjouterVisible (R, Code, false);
                i += N;
            }
            if (Guillemet) R += Guillemet;
            return R;
        }
    }

    std::string TexteVisible (const std::string & Texte) { return Rendre (Texte, 0); }

    // Un octet seul au-dela de 127 n'est pas de l'UTF-8 : lu comme en latin-1.
    std::string TexteCaractere (char C)
    {
        const std::uint32_t Code = static_cast <unsigned char> (C);
        std::string R = "'";
        if (Code == '\\' || Code == '\'') R += '\\';
        AjouterVisible (R, Code, false);
        return R + '\'';
    }

    std::string TexteChaine (const std::string & S) { return Rendre (S, '"'); }

    std::string TexteLigne (const std::string & Ligne)
    {
        auto Blanc = [] (char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'
                                          || (c >= 0x1C && c <= 0x1F); };
        std::size_t Debut = 0, Fin = Ligne.size ();
        while (Debut < Fin && Blanc (Ligne [Debut])) ++Debut;
        while (Fin > Debut && Blanc (Ligne [Fin - 1])) --Fin;
        return TexteVisible (Ligne.substr (Debut, Fin - Debut));
    }

    // Les chiffres les plus courts qui redonnent V, puis la forme de Python : notation
    // decimale si l'exposant decimal va de -4 a 15, scientifique sinon.
    std::string TexteReel (double V)
    {
        if (std::isnan (V)) return "nan";
        if (std::isinf (V)) return V < 0 ? "-inf" : "inf";
        if (V == 0) return std::signbit (V) ? "-0.0" : "0.0";
        char Tampon [64];
        for (int Precision = 1; Precision <= 17; ++Precision)
        {
            std::snprintf (Tampon, sizeof Tampon, "%.*e", Precision - 1, V);
            if (std::strtod (Tampon, nullptr) == V) break;
        }
        // Tampon : [-]d.ddde[+-]XX
        std::string T = Tampon;
        std::string R;
        if (T [0] == '-')
        {
            R = "-";
            T.erase (0, 1);
        }
        const std::size_t E = T.find ('e');
        std::string Chiffres;
        for (std::size_t i = 0; i < E; ++i)
            if (T [i] != '.') Chiffres += T [i];
        while (Chiffres.size () > 1 && Chiffres.back () == '0') Chiffres.pop_back ();
        const int Exposant = std::atoi (T.c_str () + E + 1);
        const int Point = Exposant + 1;   // chiffres avant la virgule
        const int N = static_cast <int> (Chiffres.size ());
        if (Point > -4 && Point <= 16)
        {
            if (Point <= 0) R += "0." + std::string (static_cast <std::size_t> (-Point), '0') + Chiffres;
            else if (Point < N) R += Chiffres.substr (0, static_cast <std::size_t> (Point)) + "." + Chiffres.substr (static_cast <std::size_t> (Point));
            else R += Chiffres + std::string (static_cast <std::size_t> (Point - N), '0') + ".0";
            return R;
        }
        R += Chiffres.substr (0, 1);
        if (N > 1) R += "." + Chiffres.substr (1);
        std::snprintf (Tampon, sizeof Tampon, "e%c%02d", Exposant < 0 ? '-' : '+', Exposant < 0 ? -Exposant : Exposant);
        return R + Tampon;
    }
}

namespace nsTramelo
{
    std::string TexteReelSuivi (double V) { return nsInterpreteur::TexteReel (V); }

    std::string TexteSuivi (const SEvenementSuivi & E, std::size_t Largeur)
    {
        std::string Numero = E.Genre == ESuivi::Ligne ? std::to_string (E.NumeroLigne) : "";
        if (Numero.size () < Largeur) Numero.insert (0, Largeur - Numero.size (), ' ');
        std::string R = "» " + Numero + " | ";
        R.append (2 * (E.Profondeur > 0 ? E.Profondeur - 1 : 0), ' ');
        switch (E.Genre)
        {
            case ESuivi::Ligne    : return R + E.Texte;
            case ESuivi::Variable : return R + "    " + E.Nom + " = " + E.Valeur;
            case ESuivi::Renvoi   : return R + "    " + E.Nom + " renvoie " + E.Valeur;
        }
        return R;
    }

    std::size_t LargeurSuivi (const std::string & Source)
    {
        // Comme le pas a pas sous gdb : le texte coupe aux fins de ligne, derniere ligne comprise.
        const std::size_t NbLignes = static_cast <std::size_t> (std::count (Source.begin (), Source.end (), '\n')) + 1;
        return std::to_string (NbLignes).size ();
    }
}
