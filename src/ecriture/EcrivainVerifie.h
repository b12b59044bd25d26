// L'ecrivain du profil verifie : le programme produit controle lui-meme ses erreurs d'execution
// (indices, divisions, depassements, conversions, tailles, saisies, recursion, memoire,
// references invalidees, fin de fonction sans renvoie) et les signale en francais, au format de
// GCC, avec la ligne et la colonne du source et des lignes d'aide ; ses lignes renvoient au
// source par #line. Les lecteurs acceptent et refusent exactement les memes sources que dans le
// profil standard : seul le texte C++ change.
//
// Chaque expression garde le type C++ qu'elle a dans le profil standard : les controles du
// prelude sont des modeles qui calculent dans le type de leurs operandes, et arretent le
// programme des que le resultat C++ n'est pas le resultat mathematique. Les operandes sont
// evalues de gauche a droite (liste entre accolades _Deux, appel _Appel).
// Le C++ produit appelle de petites fonctions du prelude verifie, toutes nommees _Majuscule : un
// nom du source commence toujours par une lettre, il ne peut pas les cacher.
#pragma once

#include "driver/Traduction.h"
#include "ecriture/Ecrivain.h"

#include <memory>
#include <string>
#include <vector>

namespace nsTramelo
{
    class CEcrivainVerifie : public CEcrivain
    {
      public :
        CEcrivainVerifie (const std::string & Source, const SOptions & Options);

        void Entete () override;
        void Fin (const std::string & Algo) override;
        void Situer (std::size_t Decalage) override;

        void Declarer (const SDeclaration & D, bool Constante, IdExpr Taille, IdExpr Valeur) override;
        void Affectation (IdExpr Cible, IdExpr Valeur) override;
        void AppelProcedure (const SDeclaration & Proc, const IdExpr * Args, std::size_t NbArgs,
                             std::size_t PosNom) override;
        void Renvoie (IdExpr Valeur) override;
        void RenvoieCourt (IdExpr Valeur) override;
        void Saisir (IdExpr Variable) override;
        void Redimension (bool Allonger, IdExpr Nom, IdExpr Longueur) override;

        void TantQue (IdExpr Condition) override;
        void JusquA (IdExpr Condition) override;
        void FinFaire () override;
        void Repeter () override;
        void FinRepeter (IdExpr Condition) override;
        void Boucle () override;
        void FinBoucle () override;
        void Pour (const SDeclaration & Variable, IdExpr Inf, IdExpr Sup, bool Descendant) override;
        void FinPour () override;

        std::string Texte (IdExpr E) override;
        std::string Valeur (IdExpr E, unsigned TypeCible) override;

      protected :
        void EntreeUnite (const SUnite & U, std::size_t PosNom) override;
        void FinSansRenvoie (const SUnite & U, std::size_t PosMotFin) override;
        void EntreeAlgorithme (const SDeclaration & Algo, std::size_t PosNom) override;

      private :
        // Comment le resultat d'une expression entiere est employe. Modulaire : il va, par des
        // +, - et *, dans une cible signee de 64 bits ou moins (le C++ standard y relit en signe
        // une valeur entier_naturel calculee modulo 2^64). Observe : tout le reste (affichage,
        // comparaison, division, indice, entier_naturel, reel).
        enum class EMode { Observe, Modulaire };

        std::string TexteExpr (IdExpr E, EMode Mode);
        std::string TexteCalcul (const SExpr & E, EMode Mode);
        std::string TexteConcatenation (const SExpr & E);
        std::string TexteComparaison (const SExpr & E);
        std::string TexteOppose (const SExpr & E, EMode Mode);
        std::string TexteAppelStandard (const SExpr & E);
        std::string TexteElement (const SExpr & E);
        std::string TexteIndice (const SExpr & E);
        // Un appel d'unite, ses parametres effectifs evalues de gauche a droite.
        std::string TexteAppel (const SDeclaration & Unite, const IdExpr * Args, std::size_t Nb, std::size_t PosNom);
        // La valeur E donnee a une cible du type C++ Cible, controlee si elle peut ne pas y tenir.
        std::string TexteConversion (IdExpr E, const std::string & Cible, const std::string & Notes = "");
        // Une operation +, -, * ou un moins unaire entre entiers (a travers les parentheses).
        bool IsModulaire (IdExpr E) const;

        // "LIGNE, COLONNE" du caractere a ce decalage : les arguments de position d'un controle.
        // La colonne est comptee en octets dans la ligne d'origine (une tabulation compte pour un).
        std::string TextePosition (std::size_t Decalage);
        // Fonction (Args, LIGNE, COLONNE).
        std::string Appel (const char * Fonction, const std::string & Args, std::size_t Decalage);
        // Les notes d'un controle, en dernier argument (vide : aucune).
        static std::string ArgumentNotes (const std::string & Notes);
        // La note d'un calcul fait dans une boucle.
        std::string NoteBoucle () const;

        // Les boucles ouvertes, pour les notes des calculs qu'elles contiennent.
        struct SBoucle
        {
            const char * Mot;
            std::size_t  Ligne;
        };
        void OuvrirBoucle (const char * Mot);

        CSitueur    Situeur;      // les positions dans le source d'origine
        std::string NomSource;    // le source dans les messages (programme.algo par defaut)
        std::vector <SBoucle> Boucles;
        std::size_t DebutInstruction = 0;   // le dernier decalage situe : l'instruction en cours
    };

    // Prelude et main du profil verifie (PreludeVerifie.cpp).
    void GenererEnteteVerifie (const std::string & NomSource);
    void Generer_mainVerifie (const std::string & Algo);
}
