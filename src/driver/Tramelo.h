// Pilote de la traduction : prelude, boucle sur les unites, main final, indentation.
#pragma once

#include <cstdint>
#include <string>

namespace nsTramelo
{
    // Le texte C++ produit, accumule puis ecrit par gros blocs sur la sortie standard.
    class CSortie
    {
      public :
        CSortie & operator<< (const std::string & Texte) { Tampon += Texte; return Verifier (); }
        CSortie & operator<< (const char * Texte) { Tampon += Texte; return Verifier (); }
        CSortie & operator<< (char c) { Tampon += c; return Verifier (); }
        // Ecrit ce qui est accumule sur std::cout.
        void Vider ();
        void Oublier () { Tampon.clear (); }

      private :
        CSortie & Verifier ()
        {
            if (Tampon.size () >= (1u << 20)) Vider ();
            return * this;
        }
        std::string Tampon;
    };

    // Sortie du C++ produit ; videe par ppal a la fin, ou avant de signaler une erreur.
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
