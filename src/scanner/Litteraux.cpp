#include "scanner/Litteraux.h"

#include "modele/Construction.h"
#include "scanner/Scanner.h"
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
    IdExpr ExtraireLitteralNombre (unsigned & Type)
    {
        const std::size_t Debut = fi.Tellg ();
        double Val;
        if (! fi.ExtraireDouble (Val))
        {
            fi.Clear ();
            fi.Seekg (Debut);
            throw CExcTramelo (EMsg::ExprNumerique);
        }
        const std::string & T = fi.GetTexte ();
        std::size_t i = Debut;
        const std::size_t Fin = GetPosLecture ();
        while (i < Fin && IsBlanc (T [i])) ++i;
        if (Val != std::floor (Val) || Val < -2147483648.0 || Val > 2147483647.0) Type = TReel;
        else Type = Val >= 0 ? TEntierNaturel : TEntier;
        return Construction.Nombre (Val, Type, i, Fin);
    }

    bool IsLitteralAPoint (const std::string & Texte, SPlage P)
    {
        for (std::size_t j = P.Debut; j < P.Fin (); ++j)
            if (Texte [j] == '.' || Texte [j] == 'e' || Texte [j] == 'E') return true;
        return false;
    }

    // chaine ::= " { caractere | \\ caractere } "
    IdExpr ExtraireLitteralChaine ()
    {
        const std::size_t Debut = fi.Tellg ();
        LireCarNonBlanc ();
        const std::size_t Guillemet = GetPosLecture () - 1;
        bool Echappe = false;
        char c;
        while (fi.Get (c))
        {
            if (c == '"' && ! Echappe) return Construction.Nouvelle (EExpr::Chaine, TString, Guillemet, GetPosLecture ());
            if (Echappe) VerifEchappement (c);
            Echappe = ! Echappe && c == '\\';
        }
        fi.Clear ();
        fi.Seekg (Debut);
        throw CExcTramelo (EMsg::GuillemetAttendu);
    }

    // caractere ::= ' (caractere | \\ caractere) '
    IdExpr ExtraireLitteralCaractere ()
    {
        LireCarNonBlanc ();
        const std::size_t Apostrophe = GetPosLecture () - 1;
        std::size_t P = fi.Tellg ();
        char K;
        if (fi.Get (K))
        {
            bool Lu = true;
            if (K == '\\')
            {
                P = fi.Tellg ();
                Lu = fi.Get (K);
                if (Lu) VerifEchappement (K);
            }
            if (Lu)
            {
                P = fi.Tellg ();
                char Fin;
                if (fi.Get (Fin) && Fin == '\'') return Construction.Nouvelle (EExpr::Caractere, TCaractere, Apostrophe, GetPosLecture ());
            }
        }
        fi.Clear ();
        fi.Seekg (P);
        throw CExcTramelo (EMsg::QuoteAttendue);
    }

    std::string TexteLitteralChaine (const std::string & Texte, SPlage P)
    {
        std::string s = "string (\"";
        bool Echappe = false;
        for (std::size_t i = P.Debut + 1; i + 1 < P.Fin (); ++i)
        {
            const char c = Texte [i];
            AjouterCar (s, c, Echappe);
            Echappe = ! Echappe && c == '\\';
        }
        return s + "\")";
    }

    std::string TexteLitteralCaractere (const std::string & Texte, SPlage P)
    {
        std::string s = "'";
        std::size_t i = P.Debut + 1;
        const bool Echappe = Texte [i] == '\\';
        if (Echappe)
        {
            s += '\\';
            ++i;
        }
        AjouterCar (s, Texte [i], Echappe);
        return s + '\'';
    }
}
