// Organigrammes : chaque unite du programme (algorithme, procedure, fonction) dessinee comme
// l'organigramme du cours, a partir du modele du programme. Les textes des formes sont ceux du
// source de l'etudiant (plages du modele dans le texte tamponne, blancs normalises), jamais le C++.
//
// Une seule construction, recursive sur l'arbre du modele, donne a la fois le graphe (formes et
// arcs, que DOT et Mermaid ecrivent tels quels) et sa mise en page structuree (SVG) : une suite
// s'empile sur un axe, les branches d'un si se rangent en colonnes qui se rejoignent en dessous,
// une boucle a son couloir de retour a gauche et son couloir de sortie a droite. Les arcs d'une
// construction restent dans le cadre de celle-ci : des si et des boucles imbriques ne croisent
// jamais leurs arcs. Seuls les sauts (sortie, continue, renvoie hors de la fin de l'unite), traces
// en tirets jusqu'a leur cible, peuvent en croiser d'autres.
//
// Bibliotheque standard seulement : la version WebAssembly (la page) dessine le meme SVG.
#pragma once

#include "driver/Traduction.h"
#include "services/explications/Verification.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace nsTramelo
{
    // Au-dela, le dessin est refuse (statut 254) : un organigramme de plus de formes que cela
    // n'est plus lisible, et le temps et la taille du dessin restent bornes (bench/RESULTATS.md).
    constexpr std::size_t MaxFormesOrganigramme = 20000;
    // Texte complet d'une forme (infobulle <title>, tooltip de DOT) : coupe au-dela.
    constexpr std::size_t MaxTexteComplet = 500;

    enum class EFigure : unsigned char
    {
        Debut,          // terminal « Début » (nom et parametres de l'unite)
        Fin,            // terminal « Fin »
        EntreeSortie,   // parallelogramme : saisir, afficher, ligne_suivante
        Action,         // rectangle : affectation, appel, allonger, redimensionner, renvoie
        Decision,       // losange : condition d'un si ou d'une boucle
        Pour,           // hexagone : en-tete d'une boucle pour (variable, bornes, sens)
        Jonction        // point ou des chemins se rejoignent
    };

    enum class EArc : unsigned char
    {
        Suite,      // d'une forme a la suivante
        Oui,        // branche vraie d'un losange
        Non,        // branche fausse d'un losange
        Tour,       // de l'hexagone d'un pour a son corps
        Fini,       // de l'hexagone d'un pour a la suite (boucle terminee)
        Retour,     // retour en tete de boucle : un par boucle dont le corps peut finir
        Sortie,     // saut de « si (c) sortie; » a la suite de la boucle
        Continue,   // saut de « si (c) continue; » a la tete de la boucle
        Renvoie     // de « renvoie » a la fin de l'unite
    };

    struct SPoint
    {
        int X = 0, Y = 0;
    };

    struct SForme
    {
        EFigure Forme = EFigure::Action;
        std::string Genre;                 // genre de l'instruction ("affectation"...), vide sinon
        std::string Texte;                 // le texte entier (normalise, UTF-8 valide)
        std::vector <std::string> Lignes;  // le texte affiche : coupe en lignes, tronque par « … »
        bool Tronque = false;
        std::size_t Ligne = 0;             // ligne du source (1 ...), 0 pour une jonction
        int X = 0, Y = 0;                  // centre
        int Largeur = 0, Hauteur = 0;
    };

    struct SArc
    {
        std::uint32_t De = 0, Vers = 0;
        EArc Genre = EArc::Suite;
        const char * Etiquette = "";       // "Oui", "Non", "terminé" ou rien
        bool Saut = false;                 // trace en tirets : sortie, continue, renvoie venus de loin
        std::vector <SPoint> Trace;        // lignes brisees horizontales et verticales
    };

    struct SOrganigramme
    {
        std::string Nom;                   // nom de l'unite
        std::string Titre;                 // son en-tete, tel qu'ecrit (« fonction F (x : in entier) renvoie entier »)
        std::vector <SForme> Formes;
        std::vector <SArc> Arcs;
        int Largeur = 0, Hauteur = 0;      // le dessin, marges comprises ; coordonnees positives
    };

    // Le refus d'un dessin de plus de MaxFormesOrganigramme formes (message en francais).
    class COrganigrammeTropGrand : public std::length_error
    {
      public :
        using std::length_error::length_error;
    };

    // Les organigrammes des unites completes d'une traduction, dans l'ordre du source ; seulement
    // celle qui s'appelle Unite si elle n'est pas vide. Leve COrganigrammeTropGrand au-dela de
    // MaxFormesOrganigramme formes.
    std::vector <SOrganigramme> ConstruireOrganigrammes (const STraduction & T, const std::string & Unite = "");

    // Les ecrivains. Titre : le titre du document (le nom du fichier, par exemple).
    std::string EcrireSvg (const std::vector <SOrganigramme> & O, const std::string & Titre);
    std::string EcrireDot (const std::vector <SOrganigramme> & O, const std::string & Titre);
    std::string EcrireMermaid (const std::vector <SOrganigramme> & O);

    // Noms stables (classes du SVG et de DOT, tests).
    const char * NomFigure (EFigure F);
    const char * NomArc (EArc A);

    // --- Pour les outils : d'un source au dessin ---

    enum class EFormatOrganigramme { Svg, Dot, Mermaid };

    // Faux si Nom n'est pas "svg", "dot" ou "mermaid".
    bool LireFormatOrganigramme (const std::string & Nom, EFormatOrganigramme & F);

    struct SDemandeOrganigramme
    {
        EFormatOrganigramme Format = EFormatOrganigramme::Svg;
        std::string Unite;                 // vide : toutes les unites
        std::string Titre;                 // titre du document (SVG, DOT)
    };

    // Statuts propres au dessin (ceux du source sont ceux de tramelo-verifier).
    constexpr int StatutUniteInconnue = 253;
    constexpr int StatutTropDeFormes = 254;

    struct SOrganigrammeProduit
    {
        // 0 ; le code de la premiere erreur du source (102 a 150, comme tramelo-verifier) ;
        // StatutUniteInconnue ; StatutTropDeFormes.
        int Statut = 0;
        std::string Texte;                 // le dessin ; vide si Statut n'est pas 0
        std::string Refus;                 // le refus en francais (unite inconnue, trop de formes)
        SVerification Verification;        // diagnostics expliques (erreurs, avertissements)
    };

    // Verifie le source, puis dessine. Une erreur du source ne donne aucun dessin.
    SOrganigrammeProduit ProduireOrganigramme (const std::string & Source, const SOptions & Options,
                                               const SDemandeOrganigramme & Demande);
}
