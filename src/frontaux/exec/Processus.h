// Lancer un outil ou le programme et l'attendre ; les signaux de fin recus par tramelo-exec
// (HUP, INT, QUIT, TERM) sont notes et relayes au processus en cours.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <sys/resource.h>

namespace nsExec
{
    // Descripteurs 0 a 2 ouverts (sur /dev/null s'ils ne l'etaient pas : aucun fichier ouvert
    // ensuite ne peut les prendre), SIGPIPE ignore (une erreur standard fermee n'empeche pas le
    // menage), signaux de fin notes et relayes tels quels au processus en cours.
    void PreparerProcessus ();

    // Ce que devient un signal de fin quand gdb est le processus en cours.
    enum class ERelais
    {
        Interruption,   // --pas-a-pas : SIGINT a sa place, que gdb transmet au programme
        SaufClavier     // --deboguer : Ctrl-C et Ctrl-\ laisses a gdb, ignores ici
    };
    void RelayerPourGdb (ERelais Relais);
    // Le premier signal de fin recu, 0 sinon.
    int SignalRecu ();
    // Terminer (StatutSignal) si un signal de fin est arrive.
    void VerifierSignal ();

    struct SLancement
    {
        std::vector <std::string> Args;
        int Entree = -1, Sortie = -1, Erreur = -1;  // -1 : ceux de tramelo-exec
        int Descripteur3 = -1;                      // donne au processus comme descripteur 3
        std::string Dossier;                        // son dossier courant ("" : le notre)
        std::vector <std::pair <std::string, std::string>> Environnement;  // variables ajoutees
        bool Recherche = true;                      // Args [0] cherche dans le PATH
        rlim_t Pile = 0;                            // limite douce de pile donnee (0 : inchangee)
        rlim_t Espace = 0;                          // limite d'espace d'adressage (0 : inchangee ;
                                                    // jamais relevee au-dessus de la limite en place)
        int Delai = 0;                              // secondes ; au-dela, le processus est tue
        rlim_t Fichier = 0;                         // octets ecrits par fichier au plus (0 : inchange)
        rlim_t Processeur = 0;                      // secondes de processeur au plus (0 : inchange)
        bool Groupe = false;                        // son propre groupe de processus, tue en entier
                                                    // a la fin : ses enfants ne lui survivent pas
        std::function <void ()> AuSignal;           // appele une fois, hors du gestionnaire, apres
                                                    // le relais d'un signal de fin
        // Au lieu d'exec, executee dans l'enfant (tramelo-exec n'a qu'un fil) : son resultat est
        // le statut du processus. Sert a l'interpreteur, sous les memes limites qu'un programme.
        std::function <int ()> Fonction;
    };

    struct SIssue
    {
        bool Lance = false;   // faux : le processus n'a pas pu etre lance (Erreur : errno)
        int  Erreur = 0;
        int  Etat = 0;        // etat de waitpid
        bool Expire = false;  // tue apres Delai
    };

    // Lance et attend. Un signal de fin recu pendant l'attente est relaye ; si le processus est
    // encore la 5 s plus tard, il est tue (SIGKILL).
    SIssue Lancer (const SLancement & L);
}
