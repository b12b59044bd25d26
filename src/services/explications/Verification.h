// Verification d'un source pour les outils (tramelo-verifier, tramelo-exec, serveur de langage,
// page web) : la traduction, puis des diagnostics expliques — l'endroit probable de la faute, le
// message, des aides en francais — et les verifications propres aux outils (avertissements,
// fonction dont la fin peut etre atteinte sans renvoie). Tramelo lui-meme n'en utilise rien.
#pragma once

#include "driver/Traduction.h"

#include <optional>
#include <string>
#include <vector>

namespace nsTramelo
{
    enum class EGravite { Erreur, Avertissement };

    // Codes propres aux outils de verification (Tramelo ne les emploie jamais) :
    // 150, erreur : fonction dont la fin peut etre atteinte sans renvoie ;
    // 151, avertissement : division entiere dont un operande s'ecrit avec un point ou un exposant ;
    // 152, avertissement : tableau (ou chaine) et un de ses elements passes par reference au meme appel.
    // 153 a 157, avertissements de logique (services/analyses/Logique.h) : boucle pour aux bornes
    // constantes dans le mauvais sens, boucle dont la condition ne change jamais, valeur reel
    // rangee dans un entier, parametre in modifie sans que l'appelant le voie, variable lue avant
    // d'avoir recu une valeur.
    constexpr unsigned CodeFinSansRenvoie = 150;
    constexpr unsigned CodeDivisionEntiere = 151;
    constexpr unsigned CodeReferenceDouble = 152;
    constexpr unsigned CodePourSensContraire = 153;
    constexpr unsigned CodeBoucleFigee = 154;
    constexpr unsigned CodeReelDansEntier = 155;
    constexpr unsigned CodeParametreInModifie = 156;
    constexpr unsigned CodeLectureSansValeur = 157;
    // 158, avertissement : indice constant (ou variable d'un pour aux bornes constantes) hors d'un
    // tableau de taille constante, que l'execution arreterait sur « Indice invalide ».
    constexpr unsigned CodeIndiceHorsTaille = 158;

    // Une correction verifiee, dans le source d'origine : remplacer Longueur octets a partir de
    // Position par Texte. Appliquee, la traduction va au-dela de l'endroit de l'erreur.
    struct SCorrection
    {
        SPosition   Position;
        std::size_t Longueur = 0;
        std::string Texte;
    };

    // Une ligne d'aide sous le diagnostic : "aide : ..." (ce qu'il faut faire) ou "note : ..."
    // (un fait secondaire, par exemple ou s'ouvre le bloc reste ouvert).
    struct SAide
    {
        bool        Note = false;
        std::string Texte;
    };

    struct SDiagnosticExplique
    {
        EGravite    Gravite = EGravite::Erreur;
        unsigned    Code = 0;           // code de Tramelo, ou code propre aux outils
        // L'en-tete : la cause en francais quand une regle la connait, sinon le message exact de
        // Tramelo (qui passe alors dans la derniere note, avec son code).
        std::string Message;
        std::string MessageTramelo;     // pour une erreur de Tramelo : son message exact
        SPosition   Position;           // l'endroit de la faute (qui peut differer de celui de Tramelo)
        SPosition   Arret;              // pour une erreur de Tramelo : ou sa lecture s'est arretee
        std::size_t Longueur = 0;       // longueur du mot fautif (0 : un point)
        std::vector <SAide> Aides;
        std::string Regle;              // nom de la regle qui a explique (pour les tests)
        bool        Positionne = true;  // faux pour une erreur sans position (253 a 255)
        std::optional <SCorrection> Correction;   // la correction que propose l'aide, verifiee
    };

    struct SVerification
    {
        STraduction Traduction;
        std::vector <SDiagnosticExplique> Diagnostics;   // dans l'ordre des positions

        bool AErreur () const
        {
            for (const SDiagnosticExplique & D : Diagnostics)
                if (D.Gravite == EGravite::Erreur) return true;
            return false;
        }
    };

    // Traduit et explique. Cout : quelques traductions au plus (les aides sont essayees sur une
    // fenetre du source). Apres une erreur de traduction, seule elle est rendue ; sinon, les
    // avertissements et les erreurs propres aux outils (150 a 158).
    SVerification Verifier (const std::string & Source, const SOptions & Options = {});

    // "erreur" ou "attention", comme dans l'en-tete du format GCC.
    const char * TexteGravite (EGravite Gravite);

    // Diagnostic au format de GCC, que les editeurs savent lire :
    //   FICHIER:LIGNE:COLONNE: erreur : MESSAGE [CODE]
    //       9 |         somme <- somme + i
    //         |                           ^
    //   aide : ...
    // Couleur : sequences ANSI (l'appelant decide : terminal, NO_COLOR).
    std::string FormaterGcc (const std::string & Fichier, const std::string & Source,
                             const SOptions & Options, const SDiagnosticExplique & D, bool Couleur = false);
}
