// La face publique de la bibliotheque : tout ce dont les outils (tramelo-exec, tramelo-verifier,
// tramelo-lsp, la version WebAssembly, les bancs) ont besoin, et rien de l'interieur du
// traducteur. Un outil n'inclut que ce fichier : traduire, diagnostiquer, expliquer, situer.
#pragma once

#include "driver/ListeVocabulaire.h"
#include "driver/Traduction.h"
#include "services/exercices/CompteRendu.h"
#include "services/exercices/Exercice.h"
#include "services/exercices/Moodle.h"
#include "services/explications/Verification.h"
#include "services/interpreteur/Interpreteur.h"
#include "services/organigrammes/Organigramme.h"
#include "util/CException.h"

#include <cstddef>
#include <string>
#include <vector>

namespace nsTramelo
{
    // --- Ligne de commande et fichiers ---

    // Largeur de tabulation acceptee : de 1 a MaxTailleTabulation.
    constexpr unsigned MaxTailleTabulation = 1000;

    // Les options d'une ligne de commande de Tramelo (les arguments qui suivent le nom du
    // programme) ; leve nsUtil::CException (253) si leur nombre ou la tabulation est invalide.
    SOptions LireArguments (const std::vector <std::string> & Args);
    // Un refus sans position, tel que Tramelo l'ecrit : son statut et sa ligne d'erreur.
    struct SRefus
    {
        unsigned    Statut = 0;
        std::string Libelle;
    };
    // La meme lecture sans exception (pour un outil qui n'en laisse pas passer, la version
    // WebAssembly) : faux, et le refus (253), si la ligne est invalide.
    bool LireArguments (const std::vector <std::string> & Args, SOptions & Options, SRefus & Refus);
    // Lit la largeur de tabulation comme l'extraction d'un entier non signe ; faux si invalide.
    bool LireTailleTabulation (const std::string & Arg, unsigned & Largeur);
    // Le contenu du fichier source ; leve nsUtil::CException (252 s'il ne peut etre lu, 254 s'il
    // est trop volumineux).
    std::string LireFichierSource (const std::string & Nom);
    // Le texte (apres "Exception standard : ") d'une sortie standard impossible a ecrire.
    std::string TexteSortieImpossible ();

    // Ce qu'un outil lit comme Tramelo, sans exception : les options (Args : le source et,
    // peut-etre, la taille de tabulation) et le texte du source. En cas d'echec, Statut et Message
    // sont exactement ceux de Tramelo (253 ligne de commande, 252 source illisible, 254 source
    // trop volumineux...).
    struct SLectureSource
    {
        SOptions    Options;
        std::string Texte;
        unsigned    Statut = 0;
        std::string Message;
    };
    SLectureSource LireSource (const std::vector <std::string> & Args);

    // Vrai si Debut, le debut d'un fichier, est celui d'un C++ produit par la traduction (l'un ou
    // l'autre profil) : un outil peut remplacer ce fichier sans perdre le travail de personne.
    bool EstCppTraduit (const std::string & Debut);

    // --- Les messages des erreurs sans position, tels que Tramelo les ecrit ---

    enum class EErreurOutil { TailleTabulation, OuvertureFichier, ExceptionStandard, ExceptionInconnue };
    unsigned CodeErreurOutil (EErreurOutil E);
    // Le texte du message (le nom du fichier suit celui de OuvertureFichier, le what() celui de
    // ExceptionStandard).
    std::string TexteErreurOutil (EErreurOutil E);

    // --- Vocabulaire, pour les editeurs et la page ---

    // ListerVocabulaire (driver/ListeVocabulaire.h) : chaque mot reserve et sa categorie.

    // Une ligne d'explication et la forme d'emploi d'un mot du vocabulaire (survol).
    struct SDescriptionMot
    {
        std::string Explication;
        std::string Forme;
    };
    // Faux si le mot n'est pas decrit (la casse compte).
    bool DecrireMot (const std::string & Mot, SDescriptionMot & D);

    // Nom d'un type en mots du langage : "entier", "tableau_de reel"...
    std::string NomType (unsigned Type);
    // Vrai pour un type de tableau ; TypeDesElements rend alors le type de ses elements.
    bool EstTypeTableau (unsigned Type);
    unsigned TypeDesElements (unsigned Type);

    // --- Mots du source, pour le survol des editeurs ---

    // Caractere d'un nom ou d'un mot du langage (lettre ou chiffre ASCII, souligne), comme le
    // traducteur les lit.
    bool EstCaractereDeNom (char c);
    // Vrai pour un mot reserve (mot-cle, type, procedure ou fonction standard...) : il ne peut
    // pas nommer une declaration.
    bool EstMotReserve (const std::string & Mot);
}
