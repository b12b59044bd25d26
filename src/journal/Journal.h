// Ce que la traduction a vu, pour les outils (explications, serveur de langage) : les noms
// declares et leur portee, les unites, les blocs encore ouverts a l'erreur, les divisions entieres
// ecrites avec un litteral a point. La traduction n'en lit jamais rien : le C++ produit n'en depend pas.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace nsTramelo
{
    enum class ENature : unsigned char
    {
        Variable, VariableBoucle, Constante, Tableau, Parametre, Procedure, Fonction, Algorithme
    };

    constexpr std::size_t PorteeOuverte = static_cast <std::size_t> (-1);

    // Un nom declare : ou il est ecrit, et le texte sur lequel il vaut.
    struct SDeclaration
    {
        std::string Nom;
        ENature     Nature = ENature::Variable;
        unsigned    Type = 0;          // code de type (0 pour une procedure ou l'algorithme)
        unsigned    Mode = 0;          // passage d'un parametre : 0 in, 1 out, 2 in_out
        unsigned    Niveau = 0;        // niveau de bloc
        std::size_t Decalage = 0;      // debut du nom dans le texte tamponne
        std::size_t FinPortee = PorteeOuverte;   // ou sa portee s'est fermee
    };

    // Une unite : du premier caractere de son mot-cle a la fin de son mot fin.
    struct SUnite
    {
        ENature     Nature = ENature::Algorithme;
        std::string Nom;
        std::size_t Debut = 0, Fin = PorteeOuverte;
        std::size_t DecalageFin = PorteeOuverte;   // le mot fin de son corps
        std::size_t Declaration = 0;               // son nom dans Declarations
        unsigned    TypeRetour = 0;
        bool        FinSansRenvoie = false;        // fonction dont la fin peut etre atteinte
    };

    // Un mot du source : sa position et sa longueur.
    struct SMot
    {
        std::size_t Decalage = 0, Longueur = 0;
    };

    // Une suite d'instructions ouverte : le mot qui l'a ouverte et le mot qui doit la fermer.
    struct SBloc
    {
        SMot        Ouvrant;
        std::string FinAttendue;   // "fin", "ffaire", "fboucle", "jusqua", ou "fsi" pour un si
    };

    // Une division entiere dont un operande s'ecrit avec un litteral a point (2.0 est un entier).
    struct SDivisionEntiere
    {
        std::size_t Operateur = 0;   // le /
        SMot        Litteral;
    };

    // Ce que Traduire rend aux outils.
    struct SJournal
    {
        std::vector <SDeclaration>     Declarations;
        std::vector <SUnite>           Unites;
        std::vector <SBloc>            Blocs;          // ouverts, du plus externe au plus interne
        std::vector <SMot>             Instructions;   // en cours, de la plus externe a l'interne
        std::vector <SDivisionEntiere> DivisionsEntieres;
    };

    class CJournal : public SJournal
    {
      public :
        void Vider ();

        // Un nom qui vient d'etre lu (il finit a la position de lecture) entre dans sa portee.
        void Declarer (const std::string & Nom, ENature Nature, unsigned Niveau);
        // Nature, type (et mode) connus apres la denotation : pour le dernier nom declare.
        void Preciser (ENature Nature, unsigned Type, unsigned Mode = 0);
        // Type de retour de l'unite en cours (et de son nom).
        void FixerTypeUnite (unsigned Type);
        // Les noms du niveau donne sortent de leur portee a la position de lecture.
        void FermerPortees (unsigned Niveau);

        void OuvrirUnite (ENature Nature);
        void NommerUnite (const std::string & Nom);
        void FermerUnite ();

        void OuvrirBloc (const std::string & FinAttendue);
        void FermerBloc ();
        void DebuterInstruction (std::size_t Longueur);   // le mot vient d'etre lu
        void FinirInstruction ();

        // Instruction qui ne laisse pas continuer apres elle (renvoie, ou si dont toutes les
        // branches finissent ainsi) ; suite dont la derniere instruction est de ce genre.
        bool InstructionTerminale = false;
        bool SuiteTerminale = false;

        void NoterLitteralAPoint (std::size_t Debut, std::size_t Fin);
        // Division entiere de Operateur, l'operande gauche commencant a Debut, le droit finissant a Fin.
        void NoterDivisionEntiere (std::size_t Debut, std::size_t Operateur, std::size_t Fin);

      private :
        std::vector <std::size_t> Ouvertes;       // declarations dont la portee est ouverte
        std::map <std::size_t, std::size_t> LitterauxAPoint;   // litteraux entiers a point : debut -> fin
    };

    // Rempli par toute la traduction ; vide par Reinitialiser, rendu par Traduire.
    extern CJournal Journal;
}
