// Les ecrivains du C++ : le texte de chaque construction, ecrit a partir du modele, a un seul
// endroit. Les lecteurs appellent l'ecrivain des qu'une construction (ou l'en-tete d'une
// construction qui en contient d'autres) est complete : une erreur laisse dans la sortie
// exactement ce qui precede l'instruction fautive.
//
// Deux ecrivains : le profil standard (CEcrivain, celui de Tramelo) et le profil verifie
// (CEcrivainVerifie), qui ne redefinit que ce qui change : le prelude et main, les controles
// d'execution (indices, operations, conversions, tailles, saisies, recursion) et l'attribution des
// lignes produites au source (#line).
#pragma once

#include "modele/Construction.h"
#include "modele/Modele.h"

#include <cstddef>
#include <memory>
#include <string>

namespace nsTramelo
{
    struct SOptions;

    class CEcrivain
    {
      public :
        virtual ~CEcrivain () = default;

        // --- Le programme ---
        virtual void Entete ();
        virtual void Fin (const std::string & Algo);
        // Les lignes produites a partir d'ici traduisent la ligne du source de ce decalage.
        virtual void Situer (std::size_t) {}

        // --- Unites ---
        void EnteteUnite (const SUnite & U, std::size_t PosNom);
        void FinUnite (const SUnite & U, std::size_t PosMotFin);

        // --- Suites d'instructions : un pas d'indentation de plus ---
        void DebutSuite ();
        void FinSuite ();

        // --- Instructions simples ---
        virtual void Declarer (const SDeclaration & D, bool Constante, IdExpr Taille, IdExpr Valeur);
        virtual void Affectation (IdExpr Cible, IdExpr Valeur);
        virtual void AppelProcedure (const SDeclaration & Proc, const IdExpr * Args, std::size_t NbArgs,
                                     std::size_t PosNom);
        virtual void Renvoie (IdExpr Valeur);
        void Afficher (const IdExpr * Valeurs, std::size_t Nb);
        virtual void Saisir (IdExpr Variable);
        void LigneSuivante ();
        virtual void Redimension (bool Allonger, IdExpr Nom, IdExpr Longueur);

        // --- Si ---
        void Si (IdExpr Condition);
        void SortieCourte ();
        void ContinueCourt ();
        virtual void RenvoieCourt (IdExpr Valeur);
        void FermerBranche ();
        void SinonSi (IdExpr Condition);
        void Sinon ();

        // --- Boucles (le profil verifie suit la boucle en cours, pour ses messages) ---
        virtual void TantQue (IdExpr Condition);
        virtual void JusquA (IdExpr Condition);
        virtual void FinFaire ();
        virtual void Repeter ();
        virtual void FinRepeter (IdExpr Condition);
        virtual void Boucle ();
        virtual void FinBoucle ();
        virtual void Pour (const SDeclaration & Variable, IdExpr Inf, IdExpr Sup, bool Descendant);
        virtual void FinPour ();

        // --- Expressions ---
        // Le texte C++ d'une expression.
        virtual std::string Texte (IdExpr E);
        // Le texte d'une valeur donnee a une cible de type TypeCible (affectation, renvoie,
        // parametre in, constante, borne de Rand) : le profil verifie la controle.
        virtual std::string Valeur (IdExpr E, unsigned TypeCible);

      protected :
        const SModele & M () const { return Construction.M; }
        const std::string & Source () const;
        // Le texte du source sur une plage (un nom, un litteral).
        std::string Extrait (SPlage P) const;

        // Points ou le profil verifie ecrit autre chose.
        virtual void EntreeUnite (const SUnite &, std::size_t) {}
        virtual void FinSansRenvoie (const SUnite &, std::size_t) {}
        virtual void EntreeAlgorithme (const SDeclaration &, std::size_t) {}

        // Le type C++ d'une variable ou d'un tableau de ce type.
        std::string TypeCpp (unsigned Type) const;
        // Vrai pour un litteral entier ecrit sans signe : il tient dans tout type entier.
        bool IsLitteralEntier (const SExpr & E) const { return E.Genre == EExpr::Nombre && E.Type != 3; }

      private :
        std::string TexteAppelStandard (const SExpr & E);
        std::string ListeEffectifs (const SDeclaration & Unite, const IdExpr * Args, std::size_t Nb);
    };

    // L'ecrivain de la traduction en cours ; choisi par Traduire (PreparerEcriture), remis au
    // profil standard par Reinitialiser (OublierEcriture).
    extern CEcrivain * Ecrivain;

    // Choisit l'ecrivain du profil demande ; le profil verifie retient le source et ses noms pour
    // situer ses controles.
    void PreparerEcriture (const std::string & Source, const SOptions & Options);
    void OublierEcriture ();

    // Un texte en litteral C++ entre guillemets (barres obliques, guillemets, fins de ligne et
    // autres octets de controle echappes), pour les #line et le nom du source dans le prelude.
    std::string LitteralCpp (const std::string & Texte);
}
