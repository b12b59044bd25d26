// L'ecrivain du profil verifie : le programme produit controle lui-meme ses erreurs d'execution
// (indices, divisions, depassements, conversions, tailles, saisies, recursion, fin de fonction
// sans renvoie) et les signale en francais, au format de GCC, avec la ligne et la colonne du
// source ; ses lignes renvoient au source par #line. Les lecteurs acceptent et refusent
// exactement les memes sources que dans le profil standard : seul le texte C++ change.
// Le C++ produit appelle de petites fonctions du prelude verifie, toutes nommees _Majuscule : un
// nom du source commence toujours par une lettre, il ne peut pas les cacher.
#pragma once

#include "driver/Traduction.h"
#include "ecriture/Ecrivain.h"

#include <memory>
#include <string>

namespace nsTramelo
{
    class CEcrivainVerifie : public CEcrivain
    {
      public :
        CEcrivainVerifie (const std::string & Source, const SOptions & Options);

        void Entete () override;
        void Fin (const std::string & Algo) override;
        void Situer (std::size_t Decalage) override;
        void Saisir (IdExpr Variable) override;
        void Redimension (bool Allonger, IdExpr Nom, IdExpr Longueur) override;

      protected :
        std::string TypeRetour (unsigned Type) override;
        void EntreeUnite (const SUnite & U, std::size_t PosNom) override;
        void FinSansRenvoie (const SUnite & U, std::size_t PosMotFin) override;
        std::string ValeurInitiale () override { return " {}"; }
        std::string TexteTaille (IdExpr Taille) override;
        std::string Convertir (const std::string & Texte, IdExpr E, unsigned TypeCible) override;
        std::string TexteIndice (const std::string & Nom, IdExpr Indice) override;
        void AjouterOperation (std::string & Gauche, EOperateur Op, unsigned TypeG,
                               const std::string & Droite, unsigned TypeD, std::size_t Decalage) override;
        std::string TexteOppose (const std::string & Facteur, const SExpr & E) override;
        std::string TexteComparaison (const std::string & Gauche, unsigned TypeG, const char * Op,
                                      const std::string & Droite, unsigned TypeD) override;
        std::string TexteModulo (const std::string & a, const std::string & b, IdExpr B) override;
        const char * DebutRang () override { return " ((unsigned long) (unsigned char) ("; }
        void EntreeAlgorithme (const SDeclaration & Algo, std::size_t PosNom) override;
        void EntetePour (const std::string & Nom, bool Descendant) override;

      private :
        std::string TexteOperation (EOperateur Op, const std::string & Gauche, unsigned TypeG,
                                    const std::string & Droite, unsigned TypeD, std::size_t Decalage);
        // "LIGNE, COLONNE" du caractere a ce decalage : les deux derniers arguments d'un controle.
        // La colonne est comptee en octets dans la ligne d'origine (une tabulation compte pour un).
        std::string TextePosition (std::size_t Decalage);
        // Fonction (Args, LIGNE, COLONNE).
        std::string Appel (const char * Fonction, const std::string & Args, std::size_t Decalage);

        CSitueur    Situeur;      // les positions dans le source d'origine
        std::string NomSource;    // le source dans les messages (programme.algo par defaut)
    };

    // Prelude et main du profil verifie (PreludeVerifie.cpp).
    void GenererEnteteVerifie (const std::string & NomSource);
    void Generer_mainVerifie (const std::string & Algo);
}
