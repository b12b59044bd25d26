// Pilote de la traduction : prelude, boucle sur les unites, main final, indentation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace nsTramelo
{
    // Le texte C++ produit, accumule en memoire ; Traduire le rend a son appelant.
    // Dans le profil verifie (Suivre), chaque ligne produite est attribuee par #line a la ligne
    // du source qu'elle traduit (Situer), ou au C++ lui-meme pour le cadre (Cadre) ; une directive
    // n'est ecrite que quand le compilateur ne deduirait pas deja la bonne ligne.
    class CSortie
    {
      public :
        CSortie & operator<< (const std::string & Texte)
        {
            if (Suivi) Ecrire (Texte.data (), Texte.size ());
            else Tampon += Texte;
            return * this;
        }
        CSortie & operator<< (const char * Texte)
        {
            if (Suivi) Ecrire (Texte, std::char_traits <char>::length (Texte));
            else Tampon += Texte;
            return * this;
        }
        CSortie & operator<< (char c)
        {
            if (Suivi) Ecrire (& c, 1);
            else Tampon += c;
            return * this;
        }
        std::string Prendre ();
        void Reserver (std::size_t Taille) { Tampon.reserve (Taille); }
        void Oublier ();

        // Attribution des lignes : Source et Cpp sont les noms a ecrire dans les #line.
        void Suivre (const std::string & Source, const std::string & Cpp);
        // Les lignes suivantes traduisent la ligne LigneSource du source (a partir de 1).
        void Situer (std::size_t LigneSource) { if (Suivi) LigneAlgo = LigneSource; }
        // Les lignes suivantes sont du cadre (prelude, main) : elles restent au C++.
        void Cadre () { LigneAlgo = 0; }

      private :
        void Ecrire (const char * Texte, std::size_t Lg);
        void Annoter ();

        std::string Tampon;
        bool        Suivi = false;        // profil verifie : lignes attribuees
        std::string DirectiveSource;      // "\"nom\"\n", fin des #line vers le source
        std::string DirectiveCpp;         // de meme vers le C++
        std::size_t LigneAlgo = 0;        // ligne du source des lignes a venir (0 : cadre)
        bool        DansSource = false;   // le compilateur compte-t-il en lignes du source ?
        std::size_t Prochaine = 0;        // la ligne qu'il donnerait a la prochaine ligne produite
        std::size_t NbLignes = 0;         // lignes deja ecrites dans Tampon
        bool        DebutLigne = true;    // rien n'est encore ecrit sur la ligne en cours
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
    // Le prelude commun aux deux profils (en-tetes, types des tableaux), sans sa premiere ligne.
    extern const char * const CorpsEntete;
    void GenererEntete ();
    void GenererRand ();
    void Generer_main (const std::string & Algo);
    void AugmenterTabul (std::string & Indent, unsigned n);
    void ReduireTabul (std::string & Indent, unsigned n);

    // Remet tout l'etat global du traducteur a son etat de demarrage.
    void Reinitialiser ();
}
