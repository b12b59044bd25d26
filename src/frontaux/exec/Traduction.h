// Lire le source, le verifier (diagnostics expliques de la bibliotheque) et le traduire dans le
// profil voulu.
#pragma once

#include "bibliotheque/Tramelo.h"
#include "frontaux/exec/LigneCommande.h"

#include <string>

namespace nsExec
{
    struct SSource
    {
        std::string Nom;                  // tel que donne sur la ligne de commande
        nsTramelo::SOptions Options;      // la taille de tabulation
        std::string Texte;
        bool Ordinaire = true;            // un fichier ordinaire (ni tube, ni peripherique)
    };

    // Lu une seule fois ; Terminer avec le message et le statut de Tramelo s'il ne peut l'etre.
    SSource LireLeSource (const SCommande & C);

    // Verification dans le profil standard : erreurs expliquees, avertissements avant
    // l'execution. Une erreur termine (le statut de Tramelo, ou 150 pour une fonction dont la fin
    // peut etre atteinte sans renvoie, sauf avec --traduire : rien n'est alors execute). Rend la
    // traduction standard.
    nsTramelo::STraduction VerifierLeSource (const SCommande & C, const SSource & S);

    // Les noms que le C++ du profil verifie donne au source et a lui-meme (#line, messages).
    struct SNomsCpp
    {
        std::string Source, Cpp;
    };
    // Le C++ a compiler : celui de Tramelo (--standard, Standard deja traduit) ou celui du profil
    // verifie.
    nsTramelo::STraduction TraduireLeSource (const SCommande & C, const SSource & S,
                                             nsTramelo::STraduction Standard, const SNomsCpp & Noms);

    // Le nom de l'algorithme (la fonction ou commence l'execution).
    std::string NomAlgorithme (const nsTramelo::STraduction & T);
    // Les #include qui ouvrent le C++ produit, tels quels (l'en-tete a precompiler).
    std::string InclusionsDuPrelude (const std::string & Cpp);
}
