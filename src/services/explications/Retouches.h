// Retouches verifiees : avant de proposer une correction (inserer, supprimer ou remplacer un mot
// ou un caractere), l'explicateur l'applique au texte en memoire et retraduit. Une aide n'est
// donnee que si la traduction va alors au-dela de la place de l'erreur, sans nouvelle erreur au
// meme endroit : suivre une aide a la lettre ne doit jamais empirer les choses.
//
// Chaque essai retraduit une fenetre du texte, pas tout le source : les instructions completes
// lues bien avant l'erreur sont retirees (sauf les declarations, dont la suite a besoin), le
// corps des unites deja terminees aussi, et le texte s'arrete quelques lignes apres l'erreur.
// Un essai coute donc de l'ordre de la fenetre, et leur nombre est borne d'avance (jamais par
// une horloge : le meme source recoit toujours la meme aide).
#pragma once

#include "driver/Traduction.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace nsTramelo
{
    // Remplacer [Decalage, Decalage + Longueur) du texte tamponne par Texte (Longueur nulle :
    // une insertion ; Texte vide : une suppression).
    struct SRetouche
    {
        std::size_t Decalage = 0, Longueur = 0;
        std::string Texte;

        bool operator== (const SRetouche & R) const
        {
            return Decalage == R.Decalage && Longueur == R.Longueur && Texte == R.Texte;
        }
    };

    // Le verdict d'un essai.
    struct SEssai
    {
        bool        Passe = false;    // la lecture depasse nettement la place de l'erreur
        // Jusqu'ou la lecture est allee, dans le texte d'origine (Bout : sans erreur, ou jusqu'au
        // bout de la fenetre).
        std::size_t Atteint = 0;
        static constexpr std::size_t Bout = static_cast <std::size_t> (-1);
    };

    class CEssayeur
    {
      public :
        // T : une traduction en erreur (avec son modele) ; Options : celles de la traduction.
        CEssayeur (const STraduction & T, const SOptions & Options);

        // Applique la retouche a la fenetre et retraduit. Une retouche qui touche du texte retire
        // de la fenetre est essayee sur la fenetre sans retrait ; hors de la fenetre, elle echoue.
        SEssai Essayer (const SRetouche & R);

        std::size_t NbEssais () const { return Essais; }
        // Plus d'essai possible : assez d'essais, ou d'octets retraduits (environ trois traductions).
        bool Epuise () const;
        // La fenetre ordinaire (pour les tests et les bancs).
        const std::string & Fenetre () const { return Compacte.Texte; }

      private :
        // Un morceau garde du texte d'origine et sa place dans la fenetre.
        struct SMorceau { std::size_t Origine = 0, Fenetre = 0, Longueur = 0; };
        struct SFenetre
        {
            std::string Texte;
            std::vector <SMorceau> Morceaux;
            // Place dans la fenetre d'une position d'origine (Bout si elle a ete retiree ;
            // Fin autorise la position juste apres un morceau).
            std::size_t VersFenetre (std::size_t Pos, bool Fin) const;
            std::size_t VersOrigine (std::size_t Pos) const;
        };
        void Construire (SFenetre & F, bool AvecRetraits) const;
        void Retirer (IdSuite S, std::size_t Limite, bool Tout, std::vector <SPlage> & Retraits) const;

        const STraduction & T;
        SOptions Options;
        std::size_t Arret = 0;       // l'erreur d'origine
        std::size_t Avant = 0;       // les instructions finies avant ce point peuvent etre retirees
        std::size_t Coupe = 0;       // fin de la fenetre, dans le texte d'origine
        SFenetre Compacte, Entiere;  // avec et sans retraits (la seconde, au besoin)
        std::size_t Essais = 0, Consomme = 0, Budget = 0;
    };

    // Une retouche candidate et son cout (1 : un signe ; 2 : un mot du langage).
    struct SCandidat
    {
        SRetouche Retouche;
        unsigned  Cout = 1;
    };

    // Les retouches simples autour de l'erreur : inserer le signe ou le mot attendu (a l'arret ou
    // au bout du mot precedent), remplacer ou supprimer le signe ou le mot du langage trouve,
    // inserer un signe courant. Jamais de suppression ni de remplacement d'un nom, d'un nombre ou
    // d'un texte de l'etudiant : ce serait perdre ce qu'il a ecrit. Dans l'ordre ou elles sont
    // preferees a cout egal.
    std::vector <SCandidat> CandidatsAutour (const STraduction & T);

    // La retouche qui passe et va le plus loin, puis la moins chere, puis la premiere dans l'ordre
    // des candidats ; rien si aucune ne passe (ou si le budget d'essais est epuise avant).
    std::optional <SRetouche> ChercherRetouche (CEssayeur & E, const std::vector <SCandidat> & Candidats);

    // Le texte tamponne retouche (pour appliquer une aide, dans les tests et les outils).
    std::string Appliquer (const std::string & Texte, const SRetouche & R);
}
