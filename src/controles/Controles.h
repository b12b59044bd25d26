// Profil verifie : une seconde traduction, demandee par SOptions::Verifie, ou le programme produit
// controle lui-meme ses erreurs d'execution (indices, divisions, depassements, conversions,
// tailles, saisies, recursion, fin de fonction sans renvoie) et les signale en francais, au format
// de GCC, avec la ligne du source. Les lecteurs acceptent et refusent exactement les memes sources
// que dans le profil standard : seul le texte C++ produit change, et seulement par ce module.
// Le C++ produit appelle de petites fonctions du prelude verifie, toutes nommees _Majuscule : un
// nom du source commence toujours par une lettre, il ne peut pas les cacher.
#pragma once

#include "driver/Traduction.h"

#include <cstddef>
#include <string>

namespace nsTramelo
{
    // Vrai pendant une traduction dans le profil verifie ; fixe par Traduire (PreparerProfil),
    // remis a faux par Reinitialiser (OublierProfil). Lu par les lecteurs qui ecrivent du C++.
    extern bool ProfilVerifie;

    // Retient le source et ses noms pour situer les positions ; appelee par Traduire.
    void PreparerProfil (const std::string & Source, const SOptions & Options);
    void OublierProfil ();

    // Un texte en litteral C++ entre guillemets (barres obliques, guillemets, fins de ligne et
    // autres octets de controle echappes), pour les #line et le nom du source dans le prelude.
    std::string LitteralCpp (const std::string & Texte);
    // Le nom du source dans les messages et les #line (SOptions::NomSource, ou programme.algo).
    const std::string & NomSourceVerifie ();

    // Le decalage du prochain caractere non blanc, sans rien lire (la lecture n'en depend pas).
    std::size_t PositionSuivante ();
    // Le meme, que seul le profil verifie ecrit dans ses controles (0 sinon, sans rien chercher).
    inline std::size_t PositionControlee () { return ProfilVerifie ? PositionSuivante () : 0; }

    // La ligne du source (a partir de 1) du caractere a ce decalage du texte tamponne.
    std::size_t LigneSource (std::size_t Decalage);
    // "LIGNE, COLONNE" du caractere a ce decalage : les deux derniers arguments d'un controle.
    // La colonne est comptee en octets dans la ligne d'origine (une tabulation compte pour un).
    std::string TextePosition (std::size_t Decalage);

    // Les lignes produites a partir d'ici traduisent la ligne du source de ce decalage.
    void SituerSortie (std::size_t Decalage);

    // Le type C++ du resultat d'une fonction : dans le profil verifie, une fonction entier rend
    // le meme type qu'une variable entier.
    std::string TypeRetourCpp (unsigned Type);

    // Valeur (de type TypeValeur) convertie vers TypeCible, controlee si elle peut ne pas y tenir
    // (entier_naturel negatif, reel trop grand pour un entier) ; Decalage : debut de la valeur.
    // Hors du profil verifie, ou sans risque, Valeur telle quelle.
    std::string Convertir (const std::string & Valeur, unsigned TypeValeur, unsigned TypeCible,
                           std::size_t Decalage);

    // Gauche Op Droite (+ - * /) entre deux valeurs de types TypeG et TypeD ; Decalage :
    // l'operateur. Entre entiers, le calcul est fait sur 64 bits signes et controle.
    std::string Operation (char Op, const std::string & Gauche, unsigned TypeG,
                           const std::string & Droite, unsigned TypeD, std::size_t Decalage);

    // Le moins unaire applique au texte Facteur de type Type ; Decalage : le signe.
    std::string Oppose (const std::string & Facteur, unsigned Type, std::size_t Decalage);

    // Comparaison : entre deux entiers, les deux cotes sont compares comme entiers signes.
    std::string Comparaison (const std::string & Gauche, unsigned TypeG, const std::string & Op,
                             const std::string & Droite, unsigned TypeD);

    // L'indice d'un element : ".at (Indice)" dans le profil standard, ".at (_Indice (Nom,
    // Indice, LIGNE, COLONNE))" dans le profil verifie (la forme ".at (" reste la meme).
    std::string TexteIndice (const std::string & Nom, const std::string & Indice, std::size_t Decalage);

    // Une taille de tableau ou de chaine declaree, controlee (negative, trop grande).
    std::string Taille (const std::string & Dim, std::size_t Decalage);

    // modulo (a, b), controle (b nul).
    std::string Modulo (const std::string & a, const std::string & b, std::size_t Decalage);

    // Ecrivent une instruction complete a l'indentation courante.
    void GenererSaisir (const std::string & Nom, std::size_t Decalage);
    void GenererRedimension (bool Allonger, const std::string & Nom, const std::string & Longueur,
                             std::size_t Decalage);
    // Entree d'une unite : la pile d'execution ne doit pas etre epuisee (recursion trop profonde).
    void GenererEntreeUnite (const std::string & Nom, std::size_t Decalage);
    // Fin d'une fonction atteinte sans renvoie ; Decalage : son mot fin.
    void GenererFinSansRenvoie (const std::string & Nom, std::size_t Decalage);

    // Prelude et main du profil verifie.
    void GenererEnteteVerifie ();
    void Generer_mainVerifie (const std::string & Algo);
}
