#include "scanner/Litteraux.h"

#include "scanner/Scanner.h"
#include "journal/Journal.h"
#include "scanner/Source.h"
#include "types/TypesCodes.h"
#include "util/CExcTramelo.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

using nsUtil::EMsg;

namespace nsTramelo
{
    namespace
    {
        // Un saut de ligne brut dans un litteral deviendrait un litteral C++ sur deux lignes :
        // on l'ecrit sous forme d'echappement (la lettre seule s'il suit deja une barre oblique).
        void AjouterCar (std::string & s, char c, bool Echappe)
        {
            if (c == '\n') s += Echappe ? "n" : "\\n";
            else if (c == '\r') s += Echappe ? "r" : "\\r";
            else s += c;
        }

        // \x, \u et \U ouvriraient en C++ une sequence numerique que g++ refuse ainsi ecrite.
        void VerifEchappement (char c)
        {
            if (c == 'x' || c == 'u' || c == 'U') throw CExcTramelo (EMsg::SequenceEchappement);
        }

        std::string FormaterG (double Val, int Precision)
        {
            char Tampon [64];
            std::snprintf (Tampon, sizeof Tampon, "%.*g", Precision, Val);
            return Tampon;
        }
    }

    std::string TexteNombre (double Val, unsigned Type)
    {
        if (Type != TReel) return std::to_string (static_cast <long long> (Val));
        // Le format par defaut d'un flux (6 chiffres) s'il redonne exactement la valeur,
        // sinon le plus court qui la redonne.
        std::string Texte = FormaterG (Val, 6);
        for (int Precision = 7; std::strtod (Texte.c_str (), nullptr) != Val && Precision <= 17; ++Precision)
            Texte = FormaterG (Val, Precision);
        if (Texte.find_first_of (".eE") == std::string::npos) Texte += ".0";
        return Texte;
    }

    // nombre ::= chiffres [. chiffres] [(e|E) [+|-] chiffres]
    std::string & ExtraireLitteralNombre (std::string & s, unsigned & Type)
    {
        const std::size_t Debut = fi.Tellg ();
        double Val;
        if (! fi.ExtraireDouble (Val))
        {
            fi.Clear ();
            fi.Seekg (Debut);
            throw CExcTramelo (EMsg::ExprNumerique);
        }
        if (Val != std::floor (Val) || Val < -2147483648.0 || Val > 2147483647.0) Type = TReel;
        else
        {
            Type = Val >= 0 ? TEntierNaturel : TEntier;
            // Pour les outils : 2.0 ou 1e3 s'ecrivent comme des reels mais sont des entiers.
            const std::string & T = fi.GetTexte ();
            std::size_t i = Debut, Fin = GetPosLecture ();
            while (i < Fin && IsBlanc (T [i])) ++i;
            for (std::size_t j = i; j < Fin; ++j)
                if (T [j] == '.' || T [j] == 'e' || T [j] == 'E')
                {
                    Journal.NoterLitteralAPoint (i, Fin);
                    break;
                }
        }
        s = TexteNombre (Val, Type);
        return s;
    }

    // chaine ::= " { caractere | \ caractere } "
    std::string & ExtraireLitteralChaine (std::string & s)
    {
        const std::size_t Debut = fi.Tellg ();
        LireCarNonBlanc ();
        s = "string (\"";
        bool Echappe = false;
        char c;
        while (fi.Get (c))
        {
            if (c == '"' && ! Echappe)
            {
                s += "\")";
                return s;
            }
            if (Echappe) VerifEchappement (c);
            AjouterCar (s, c, Echappe);
            Echappe = ! Echappe && c == '\\';
        }
        fi.Clear ();
        fi.Seekg (Debut);
        throw CExcTramelo (EMsg::GuillemetAttendu);
    }

    // caractere ::= ' (caractere | \ caractere) '
    std::string & ExtraireLitteralCaractere (std::string & s)
    {
        LireCarNonBlanc ();
        std::size_t P = fi.Tellg ();
        char K;
        bool Echappe = false;
        if (fi.Get (K))
        {
            s = "'";
            bool Lu = true;
            if (K == '\\')
            {
                s += '\\';
                Echappe = true;
                P = fi.Tellg ();
                Lu = fi.Get (K);
                if (Lu) VerifEchappement (K);
            }
            if (Lu)
            {
                AjouterCar (s, K, Echappe);
                s += '\'';
                P = fi.Tellg ();
                char Fin;
                if (fi.Get (Fin) && Fin == '\'') return s;
            }
        }
        fi.Clear ();
        fi.Seekg (P);
        throw CExcTramelo (EMsg::QuoteAttendue);
    }
}
