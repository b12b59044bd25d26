// Les statuts de sortie de tramelo-exec et la fin du processus. Un statut dit sans ambiguite
// d'ou vient l'issue : du programme (0, 1), de la traduction (les codes de Tramelo, 102 a 149 et
// 252 a 255, et 150), de tramelo-exec lui-meme (160 a 165) ou d'un signal (200 + n).
#pragma once

#include <string>

namespace nsExec
{
    constexpr int StatutUsage = 253;                  // ligne de commande invalide, comme Tramelo
    constexpr int StatutLimite = 160;                 // --pas-a-pas : limite de lignes atteinte
    constexpr int StatutCompilation = 161;            // le compilateur refuse le C++ produit
    constexpr int StatutCompilateurIntrouvable = 162;
    constexpr int StatutGdbIntrouvable = 163;         // gdb, ou les scripts de tramelo-exec pour gdb
    constexpr int StatutSysteme = 164;                // dossier de travail, fichier, processus, gdb
    constexpr int StatutRemplacement = 165;           // une sortie ecraserait un fichier d'autrui
    constexpr int StatutExercice = 166;               // --tester : le dossier d'exercice est refuse
    constexpr int StatutTestsEchoues = 1;             // --tester : un test visible au moins a echoue
    constexpr int BaseSignaux = 200;                  // 200 + n : signal n
    constexpr int MaxStatutSignal = 251;              // au-dela du signal 51 (temps reel)

    // 200 + Signal, borne a 251 : jamais un code de Tramelo.
    int StatutSignal (int Signal);
    // Le statut d'un processus attendu (etat de waitpid) : son code de sortie, ou StatutSignal.
    int StatutProcessus (int Etat);

    // Ecrit Texte sur l'erreur standard tel quel ; un tube ferme n'arrete rien (SIGPIPE ignore).
    void Dire (const std::string & Texte);
    // Le nom qui ouvre les messages (tramelo-exec, sauf pour un autre outil qui reprend ces etapes).
    void NommerOutil (const std::string & Nom);
    // "tramelo-exec : Message" sur l'erreur standard, puis Terminer (Statut).
    [[noreturn]] void Echouer (int Statut, const std::string & Message);
    // Fin du processus : fichiers temporaires et dossier de travail retires, puis exit (Statut).
    [[noreturn]] void Terminer (int Statut);

    // Un fichier a retirer si le processus se termine avant de l'avoir rendu definitif (copie
    // temporaire a cote du source, en-tete precompile en cours d'ecriture) ; Oublier le retire de
    // la liste sans y toucher.
    void RetirerALaFin (const std::string & Chemin);
    void OublierALaFin (const std::string & Chemin);
}
