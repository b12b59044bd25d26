// Les fichiers que tramelo-exec ecrit a cote du source : fichier.cpp (--garder, --traduire,
// --construire-seulement) et le programme (--construire-seulement). Chacun remplace l'ancien d'un
// coup (copie a cote, puis renommage), et seulement si l'ancien est une sortie de Tramelo : un
// source, un C++ ecrit a la main ne sont jamais ecrases.
#pragma once

#include "frontaux/exec/LigneCommande.h"

#include <string>

namespace nsExec
{
    struct SSorties
    {
        std::string Dossier;     // le dossier du source
        std::string Cpp;         // fichier.cpp
        std::string Programme;   // fichier (sans extension)
    };

    // Les noms des sorties ; --traduire et --construire-seulement refusent un source sans
    // extension .algo (StatutUsage) : ses sorties prendraient la place d'autres fichiers.
    SSorties NommerSorties (const SCommande & C);

    enum class ENatureSortie { Cpp, Programme };
    // Remplace Cible par une copie de Origine ; Echouer (StatutRemplacement) si Cible existe sans
    // etre une sortie de cette nature, Echouer (StatutSysteme) si l'ecriture echoue.
    void Remplacer (const std::string & Dossier, const std::string & Cible, const std::string & Origine,
                    ENatureSortie Nature);
}
