#include "frontaux/lsp/Positions.h"

#include <algorithm>

namespace nsLsp
{
    std::size_t LireCaractere (const std::string & Texte, std::size_t Pos, std::size_t Fin, std::size_t & Unites)
    {
        const unsigned char c = static_cast <unsigned char> (Texte [Pos]);
        Unites = 1;
        if (c < 0x80) return 1;
        // Longueur annoncee et bornes du deuxieme octet (sans formes trop longues ni surrogates) ;
        // une sequence invalide vaut un caractere de remplacement par partie maximale, comme en
        // decodage WHATWG.
        std::size_t Longueur;
        unsigned char Min = 0x80, Max = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) Longueur = 2;
        else if (c >= 0xE0 && c <= 0xEF)
        {
            Longueur = 3;
            if (c == 0xE0) Min = 0xA0;
            if (c == 0xED) Max = 0x9F;
        }
        else if (c >= 0xF0 && c <= 0xF4)
        {
            Longueur = 4;
            if (c == 0xF0) Min = 0x90;
            if (c == 0xF4) Max = 0x8F;
        }
        else return 1;
        std::size_t Lus = 1;
        while (Lus < Longueur && Pos + Lus < Fin)
        {
            const unsigned char s = static_cast <unsigned char> (Texte [Pos + Lus]);
            if (s < Min || s > Max) break;
            Min = 0x80;
            Max = 0xBF;
            ++Lus;
        }
        if (Lus == Longueur && Longueur == 4) Unites = 2;   // hors du plan de base : une paire
        return Lus;
    }

    void CLignes::Calculer (const std::string & Texte)
    {
        Debuts.clear ();
        Debuts.push_back (0);
        for (std::size_t i = 0; i < Texte.size (); ++i)
        {
            if (Texte [i] == '\n') Debuts.push_back (i + 1);
            else if (Texte [i] == '\r')
            {
                if (i + 1 < Texte.size () && Texte [i + 1] == '\n') ++i;
                Debuts.push_back (i + 1);
            }
        }
    }

    // Fin du contenu de la ligne (avant son separateur).
    std::size_t CLignes::FinLigne (const std::string & Texte, std::size_t Ligne) const
    {
        if (Ligne + 1 >= Debuts.size ()) return Texte.size ();
        std::size_t Fin = Debuts [Ligne + 1] - 1;
        if (Texte [Fin] == '\n' && Fin > Debuts [Ligne] && Texte [Fin - 1] == '\r') --Fin;
        return Fin;
    }

    SPositionLsp CLignes::VersLsp (const std::string & Texte, std::size_t Decalage, bool ArrondiHaut) const
    {
        SPositionLsp P;
        if (Debuts.empty ()) return P;
        Decalage = std::min (Decalage, Texte.size ());
        P.Ligne = std::upper_bound (Debuts.begin (), Debuts.end (), Decalage) - Debuts.begin () - 1;
        const std::size_t Fin = FinLigne (Texte, P.Ligne);
        // Un decalage dans le separateur ("\r" de "\r\n") : la fin de la ligne.
        const std::size_t Cible = std::min (Decalage, Fin);
        std::size_t i = Debuts [P.Ligne];
        while (i < Cible)
        {
            std::size_t Unites;
            const std::size_t Longueur = LireCaractere (Texte, i, Fin, Unites);
            if (i + Longueur > Cible && ! ArrondiHaut) break;
            P.Caractere += Unites;
            i += Longueur;
        }
        return P;
    }

    std::size_t CLignes::VersOctet (const std::string & Texte, SPositionLsp P) const
    {
        if (Debuts.empty () || P.Ligne >= Debuts.size ()) return Texte.size ();
        const std::size_t Fin = FinLigne (Texte, P.Ligne);
        std::size_t i = Debuts [P.Ligne], Compte = 0;
        while (i < Fin && Compte < P.Caractere)
        {
            std::size_t Unites;
            const std::size_t Longueur = LireCaractere (Texte, i, Fin, Unites);
            // Au milieu d'une paire de surrogates : avant le caractere.
            if (Compte + Unites > P.Caractere) break;
            Compte += Unites;
            i += Longueur;
        }
        return i;
    }
}
