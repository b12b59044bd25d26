// Le source tamponne : tout le texte nettoye en memoire, lu caractere par caractere.
// Il se comporte comme un flux de chaine standard : une lecture qui bute sur la fin du texte
// met le flux en echec, et cet etat dure (lectures vides, remises et repositionnements sans effet)
// jusqu'a Clear, que seuls les lecteurs de litteraux appellent.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace nsTramelo
{
    // Classes de caracteres : une table plutot que des comparaisons, le lecteur y passe sans cesse.
    struct SClassesCar
    {
        enum : unsigned char { Blanc = 1, Ident = 2 };
        unsigned char Classe [256] = {};
        constexpr SClassesCar ()
        {
            for (unsigned char c : { ' ', '\t', '\n', '\v', '\f', '\r' }) Classe [c] = Blanc;
            for (unsigned c = 'a'; c <= 'z'; ++c) Classe [c] = Ident;
            for (unsigned c = 'A'; c <= 'Z'; ++c) Classe [c] = Ident;
            for (unsigned c = '0'; c <= '9'; ++c) Classe [c] = Ident;
            Classe [static_cast <unsigned char> ('_')] = Ident;
        }
    };
    inline constexpr SClassesCar ClassesCar {};

    // Blanc de l'extraction formatee : espace, tabulation, fin de ligne, \v, \f, \r.
    inline bool IsBlanc (char c)
    {
        return ClassesCar.Classe [static_cast <unsigned char> (c)] == SClassesCar::Blanc;
    }

    // Caractere d'identificateur : lettre ou chiffre ASCII, ou souligne.
    inline bool IsAlnum (char c)
    {
        return ClassesCar.Classe [static_cast <unsigned char> (c)] == SClassesCar::Ident;
    }

    class CSource
    {
      public :
        static constexpr std::size_t PosInvalide = static_cast <std::size_t> (-1);

        void Charger (std::string Texte);

        // Extraction formatee d'un caractere : saute les blancs puis lit ; rien lu a la fin.
        bool LireCarFormate (char & c)
        {
            if (Echec) return false;
            while (Pos < Texte.size () && IsBlanc (Texte [Pos])) ++Pos;
            return Get (c);
        }
        // Lecture brute d'un caractere, blancs compris.
        bool Get (char & c)
        {
            if (Echec) return false;
            if (Pos >= Texte.size ())
            {
                MettreEnEchec ();
                return false;
            }
            c = Texte [Pos++];
            return true;
        }
        // Lit la suite de caracteres d'identificateur qui commence ici, comme le ferait une
        // boucle de Get s'arretant (et remettant) au premier autre caractere.
        void LireSuiteAlnum (std::string & s)
        {
            s.clear ();
            if (Echec) return;
            std::size_t Fin = Pos;
            while (Fin < Texte.size () && IsAlnum (Texte [Fin])) ++Fin;
            s.assign (Texte, Pos, Fin - Pos);
            Pos = Fin;
            if (Pos >= Texte.size ()) MettreEnEchec ();
        }
        // Remet le dernier caractere lu (sans effet en echec).
        void Unget () { if (! Echec && Pos > 0) --Pos; }
        std::size_t Tellg () const { return Echec ? PosInvalide : Pos; }
        void Seekg (std::size_t P) { if (! Echec) Pos = P; }
        void Clear () { Echec = false; }
        bool EnEchec () const { return Echec; }
        std::size_t Taille () const { return Texte.size (); }
        const std::string & GetTexte () const { return Texte; }
        // Rend le texte (le flux reste vide, en echec) : la traduction est finie.
        std::string Prendre ()
        {
            Pos = 0;
            MettreEnEchec ();
            return std::move (Texte);
        }

        // Extraction formatee d'un double, comme l'operateur >> d'un flux standard :
        // faux si le texte accumule n'est pas un nombre complet ou deborde.
        bool ExtraireDouble (double & Val);

        // Entrees dans l'etat de fin de texte depuis Charger (les lectures retenues en dependent).
        std::uint64_t GetNbEchecs () const { return NbEchecs; }

      private :
        void MettreEnEchec () { Echec = true; ++NbEchecs; }

        std::string   Texte;
        std::size_t   Pos      = 0;
        bool          Echec    = false;
        std::uint64_t NbEchecs = 0;
    };

    // Le source tamponne ; rempli une fois par ppal, lu ensuite par tout le traducteur.
    extern CSource fi;
    // Decalage de la fin de chaque ligne dans fi (apres son '\n') ; rempli par ppal, lu par GetLiCol.
    extern std::vector <std::uint32_t> FinLigne;
}
