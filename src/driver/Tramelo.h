// Pilote de la traduction : prelude, boucle sur les unites, main final, indentation.
#pragma once

#include <cstdint>
#include <string>

namespace nsTramelo
{
    // Le texte C++ produit, accumule en memoire ; Traduire le rend a son appelant.
    class CSortie
    {
      public :
        CSortie & operator<< (const std::string & Texte) { Tampon += Texte; return * this; }
        CSortie & operator<< (const char * Texte) { Tampon += Texte; return * this; }
        CSortie & operator<< (char c) { Tampon += c; return * this; }
        std::string Prendre () { return std::move (Tampon); }
        void Reserver (std::size_t Taille) { Tampon.reserve (Taille); }
        void Oublier () { std::string ().swap (Tampon); }

      private :
        std::string Tampon;
    };

    // Le C++ produit ; rempli par toute la traduction, vide par Traduire (Prendre, Reinitialiser).
    extern CSortie Sortie;

    // Indentation des lignes produites ; allongee/raccourcie par le pilote, les suites
    // d'instructions, les listes de parametres, pour et saisir.
    extern std::string Tabul;
    // Pas de l'indentation produite (toujours 4, independant de la tabulation du source).
    extern std::uint32_t TabulSz;
    // Nom de l'algorithme ; fixe par TraiterSsProgrOuAlgo, lu par Generer_main.
    extern std::string IdentAlgo;

    void Tramelo ();
    void GenererEntete ();
    void GenererRand ();
    void Generer_main (const std::string & Algo);
    void AugmenterTabul (std::string & Indent, unsigned n);
    void ReduireTabul (std::string & Indent, unsigned n);

    // Remet tout l'etat global du traducteur a son etat de demarrage.
    void Reinitialiser ();
}
