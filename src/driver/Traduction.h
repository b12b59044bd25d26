// Interface de la bibliotheque : traduire un source tenu en memoire et rendre le C++, le statut et,
// en cas d'echec, un diagnostic structure. Tous les outils (Tramelo, tramelo-verifier, tramelo-lsp,
// la version WebAssembly, le fuzzer) passent par Traduire ; elle n'ecrit rien sur stdout ni stderr.
#pragma once

#include "modele/Modele.h"
#include "scanner/Positions.h"
#include "util/Messages.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace nsTramelo
{
    // Source au-dela duquel on refuse de traduire (tabulations developpees comprises) : la memoire
    // doit rester un petit multiple de la taille du source.
    constexpr std::size_t MaxTailleSource = std::size_t (256) << 20;

    struct SOptions
    {
        unsigned TailleTab = 4;   // largeur des tabulations du source (1 a MaxTailleTabulation)
        // Profil verifie (faux : le profil standard, celui de Tramelo) : le programme produit
        // controle ses erreurs d'execution et ses lignes renvoient au source par #line. Il
        // accepte et refuse exactement les memes sources ; seul le C++ produit change.
        bool        Verifie = false;
        std::string NomSource;    // le source, tel qu'il doit paraitre dans les messages et les #line
        std::string NomCpp;       // le fichier C++ compile, pour les #line du cadre (prelude, main)
        // Garder le modele du programme dans le resultat (faux : seul le C++ compte, chaque
        // instruction est oubliee des qu'elle est ecrite, la memoire ne croit pas avec le source).
        bool        Modele = true;
    };

    // L'erreur qui a arrete la traduction.
    struct SDiagnostic
    {
        unsigned     Code = 0;
        nsUtil::EMsg Msg = nsUtil::EMsg::ExceptionInconnue; // quel message de la table
        std::string  Message;         // le message, sans le prefixe de ligne
        std::string  Libelle;         // exactement la ligne que Tramelo ecrit sur stderr
        bool         Positionne = false; // faux pour les erreurs sans position (252 a 255)
        std::size_t  LigneSignalee = 0;  // la ligne du prefixe "Ligne NNNN - "
        SPosition    Arret;           // ou la lecture s'est arretee
        std::size_t  Longueur = 0;    // longueur du mot (ou du caractere) qui commence a Arret
        // Ce que le message cite, en donnees (jamais a relire dans son texte) :
        std::string  Nom;             // le nom en tete du message ("x : Double declaration" : x)
        std::string  Attendu;         // le mot ou le caractere attendu (104, 110)
        std::string  Trouve;          // le mot lu a sa place (104)
        // La declaration du modele que le nom designe a l'arret (la premiere, pour une double
        // declaration), ou Aucun.
        std::uint32_t Declaration = 0xFFFFFFFFu;
    };

    struct STraduction
    {
        std::string Cpp;               // le C++ produit (partiel en cas d'erreur, comme Tramelo)
        int         Statut = 0;        // 0, ou le code de l'erreur
        std::optional <SDiagnostic> Erreur;
        // Le texte tamponne (tabulations developpees, commentaires blanchis) et la fin de chaque
        // ligne, pour situer les positions sans recharger le source.
        std::string Texte;
        std::vector <std::uint32_t> FinLignes;
        // Le modele du programme lu (jusqu'a l'erreur s'il y en a une) : unites, declarations,
        // instructions, expressions ; et, a l'erreur, les blocs et instructions encore ouverts.
        SModele Modele;
    };

    // Traduit Source ; l'etat global est remis a neuf a chaque appel (appels successifs possibles).
    STraduction Traduire (const std::string & Source, const SOptions & Options = {});

    // Le texte (apres "Exception standard : ") du refus d'un source trop volumineux.
    std::string TexteSourceTropGrand ();

}
