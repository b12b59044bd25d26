// Compiler le C++ produit : le compilateur de CXX, ses messages montres seulement s'il echoue,
// l'en-tete precompile du prelude quand il y en a un.
#pragma once

#include <string>
#include <vector>

namespace nsExec
{
    // La commande de CXX (g++ par defaut), decoupee aux blancs ("ccache g++") ;
    // Echouer (StatutCompilateurIntrouvable) si elle est introuvable.
    std::vector <std::string> TrouverCompilateur ();
    // La commande de CXX telle quelle, et si elle existe (sans rien terminer).
    std::vector <std::string> CommandeDuCompilateur ();
    bool CompilateurPresent ();

    struct SCompilation
    {
        std::vector <std::string> Compilateur;
        bool Debogage = false;        // -g -O0 au lieu de -O1
        std::string Cpp;              // le C++ a compiler
        std::string Programme;        // le programme a produire
        std::string Dossier;          // dossier courant du compilateur ("" : le notre)
        std::string Inclusions;       // les #include du prelude, pour l'en-tete precompile
        std::string Conserve;         // le C++ annonce si la compilation echoue
        bool ConserveDansTravail = false;   // ... et garde alors dans le dossier de travail
    };

    // Compile ; en cas d'echec, les messages du compilateur et Echouer (StatutCompilation).
    void Compiler (const SCompilation & X);

    // Vrai si la commande existe : chemin donne, ou dans le PATH.
    bool Trouver (const std::string & Commande);
}
