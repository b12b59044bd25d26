// La ligne de commande de tramelo-exec : les modes, les options, l'aide.
#pragma once

#include <string>
#include <vector>

namespace nsExec
{
    enum class EMode { Executer, Traduire, PasAPas, Deboguer, Construire, Tester };

    // Qui execute le programme (--interprete, --compiler) : Auto compile si un compilateur C++
    // (et gdb pour --pas-a-pas) est la, et interprete sinon.
    enum class EMoteur { Auto, Interprete, Compiler };
    // La plus grande memoire permise, en Mio (celle que le programme verifie accepte).
    constexpr unsigned long MemoireMaxMio = 1UL << 30;

    struct SCommande
    {
        EMode Mode = EMode::Executer;
        bool  Garder = false;
        bool  Standard = false;
        EMoteur Moteur = EMoteur::Auto;
        unsigned long Limite = 1000;            // --pas-a-pas : lignes executees au plus
        unsigned long Memoire = 0;              // --memoire : Mio permis au programme (0 : non donne)
        std::vector <std::string> Args;         // le source et, peut-etre, la taille de tabulation
        std::string Source;
        std::string Exercice;                   // --tester : le dossier de l'exercice

        bool SousGdb () const { return Mode == EMode::PasAPas || Mode == EMode::Deboguer; }
        // Le programme peut etre interprete au lieu d'etre compile.
        bool Interpretable () const { return Mode == EMode::Executer || Mode == EMode::PasAPas || Mode == EMode::Tester; }
        // Compile avec les informations de debogage (-g -O0).
        bool Debogage () const { return SousGdb () || Mode == EMode::Construire; }
    };

    // Lit la ligne de commande ; --aide l'affiche et termine (0), une erreur termine avec
    // StatutUsage et l'usage sur l'erreur standard.
    SCommande LireCommande (int argc, char * argv []);
}
