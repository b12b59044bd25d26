// tramelo-exec : verifie un algorithme, le traduit, compile le C++ obtenu et l'execute, en une
// seule commande ; ou l'execute pas a pas sous gdb, ou ouvre gdb sur le source ; ou, sans
// compilateur, le fait executer par l'interpreteur de la bibliotheque. La traduction, la
// verification et l'interpretation sont celles de la bibliotheque ; le C++ execute est celui du
// profil verifie, sauf avec --standard. Chaque etape a son fichier dans ce dossier ; main les
// enchaine.
#include "frontaux/commun/Couleur.h"
#include "frontaux/exec/Chemins.h"
#include "frontaux/exec/Compilation.h"
#include "frontaux/exec/Deboguer.h"
#include "frontaux/exec/Execution.h"
#include "frontaux/exec/Gdb.h"
#include "frontaux/exec/Interpretation.h"
#include "frontaux/exec/LigneCommande.h"
#include "frontaux/exec/PasAPas.h"
#include "frontaux/exec/Processus.h"
#include "frontaux/exec/Sorties.h"
#include "frontaux/exec/Statuts.h"
#include "frontaux/exec/Tester.h"
#include "frontaux/exec/Traduction.h"
#include "frontaux/exec/Travail.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>

using namespace nsExec;

namespace
{
    // Les outils dont le mode a besoin, cherches avant tout travail.
    struct SOutils
    {
        std::vector <std::string> Compilateur;
        std::string Gdb, Script;
    };

    const char * ScriptDuMode (const SCommande & C) { return C.Mode == EMode::PasAPas ? "pas_a_pas.py" : "deboguer.py"; }

    // Sans --interprete ni --compiler, un programme que rien ne peut compiler (ou suivre sous
    // gdb) est interprete : une ligne le dit. Le profil standard, lui, n'est que compile.
    void ChoisirMoteur (SCommande & C)
    {
        if (C.Moteur != EMoteur::Auto || ! C.Interpretable () || C.Standard) return;
        if (! CompilateurPresent ())
        {
            const std::vector <std::string> Cxx = CommandeDuCompilateur ();
            Dire ("tramelo-exec : compilateur C++ introuvable (" + Affichable (Cxx.empty () ? "" : Cxx [0])
                  + ") : le programme est interprete (--compiler pour exiger la compilation)\n");
            C.Moteur = EMoteur::Interprete;
        }
        else if (C.Mode == EMode::PasAPas && ! GdbPresent (ScriptDuMode (C)))
        {
            Dire ("tramelo-exec : gdb ou son script introuvable : le pas a pas est interprete"
                  " (--compiler pour exiger gdb)\n");
            C.Moteur = EMoteur::Interprete;
        }
    }

    SOutils TrouverOutils (const SCommande & C)
    {
        SOutils O;
        if (C.Moteur == EMoteur::Interprete) return O;
        if (C.Mode != EMode::Traduire) O.Compilateur = TrouverCompilateur ();
        if (C.SousGdb ())
        {
            O.Gdb = TrouverGdb ();
            O.Script = TrouverScript (ScriptDuMode (C));
        }
        return O;
    }

    // Ou va le C++ et comment il se nomme, ou est compile le programme.
    struct SPlan
    {
        nsTramelo::STraduction T;
        SNomsCpp Noms;                 // dans les #line et les messages du profil verifie
        std::string CppTravail, ProgrammeTravail;
        std::string CppCompile;        // le C++ donne au compilateur
        std::string DossierCompilation;
        bool CppACote = false;         // fichier.cpp a cote du source
        SVue Vue;                      // sous gdb
    };

    SPlan Planifier (const SCommande & C, const SSorties & Sorties, const SSource & S)
    {
        SPlan P;
        P.CppTravail = DansTravail ("programme.cpp");
        P.ProgrammeTravail = DansTravail ("programme");
        P.CppACote = C.Garder || C.Mode == EMode::Traduire || C.Mode == EMode::Construire;
        P.CppCompile = C.Mode == EMode::Construire ? Argument (Sorties.Cpp) : P.CppTravail;
        P.Noms.Source = S.Nom;
        P.Noms.Cpp = P.CppACote ? Argument (Sorties.Cpp) : P.CppTravail;
        if (C.SousGdb ())
        {
            P.Vue = PreparerVue (S);
            P.Noms.Source = P.Vue.Nom;
            P.DossierCompilation = P.Vue.Dossier;
        }
        return P;
    }

    void EcrireLeCpp (const SPlan & P, const SSorties & Sorties)
    {
        std::ofstream F (P.CppTravail, std::ios::binary | std::ios::trunc);
        F.write (P.T.Cpp.data (), static_cast <std::streamsize> (P.T.Cpp.size ()));
        F.close ();
        if (! F) Echouer (StatutSysteme, "impossible d'ecrire " + Affichable (P.CppTravail) + " : " + std::strerror (errno));
        if (P.CppACote) Remplacer (Sorties.Dossier, Sorties.Cpp, P.CppTravail, ENatureSortie::Cpp);
    }

    void CompilerLeCpp (const SCommande & C, const SOutils & O, const SPlan & P, const SSorties & Sorties)
    {
        SCompilation X;
        X.Compilateur = O.Compilateur;
        X.Debogage = C.Debogage ();
        X.Cpp = P.CppCompile;
        X.Programme = P.ProgrammeTravail;
        X.Dossier = P.DossierCompilation;
        X.Inclusions = InclusionsDuPrelude (P.T.Cpp);
        X.ConserveDansTravail = ! P.CppACote;
        X.Conserve = P.CppACote ? Sorties.Cpp : P.CppTravail;
        Compiler (X);
    }

    int LancerLeProgramme (const SCommande & C, const SOutils & O, const SPlan & P)
    {
        switch (C.Mode)
        {
            case EMode::PasAPas :
                return PasAPas ({ O.Gdb, O.Script, P.ProgrammeTravail, P.CppCompile, NomAlgorithme (P.T), C.Limite, P.Vue,
                                  nsOutils::CouleurVoulue (STDERR_FILENO) });
            case EMode::Deboguer :
                return Deboguer ({ O.Gdb, O.Script, P.ProgrammeTravail, P.CppCompile, NomAlgorithme (P.T) });
            default :
                return Executer (P.ProgrammeTravail);
        }
    }
}

int main (int argc, char * argv [])
{
    std::ios::sync_with_stdio (false);
    SCommande C = LireCommande (argc, argv);
    nsTramelo::SExercice Exercice;
    if (C.Mode == EMode::Tester) Exercice = ChargerLExercice (C.Exercice);
    ChoisirMemoire (C.Mode == EMode::Tester ? Exercice.Memoire : C.Memoire);
    PreparerProcessus ();
    const SSorties Sorties = NommerSorties (C);
    ChoisirMoteur (C);
    const SOutils Outils = TrouverOutils (C);
    const bool Interprete = C.Moteur == EMoteur::Interprete;
    // L'interpreteur n'a besoin d'aucun fichier : le dossier de travail ne sert qu'au C++ garde
    // et aux dossiers des tests de --tester.
    if (! Interprete || C.Garder || C.Mode == EMode::Tester) PreparerTravail ();

    const SSource S = LireLeSource (C);
    nsTramelo::STraduction Standard = VerifierLeSource (C, S);
    // Sans compilateur, chaque test de --tester interprete le programme dans son processus.
    if (Interprete && C.Mode == EMode::Tester)
    {
        SProgrammeTest P;
        P.Interprete = [&] { return Interpreter ({ & Standard, & S, false, 0, false }); };
        Terminer (TesterLeProgramme (Exercice, P));
    }
    if (Interprete)
    {
        if (C.Garder)
        {
            SPlan Plan = Planifier (C, Sorties, S);
            Plan.T = TraduireLeSource (C, S, nsTramelo::STraduction {}, Plan.Noms);
            EcrireLeCpp (Plan, Sorties);
        }
        Terminer (Interpreter ({ & Standard, & S, C.Mode == EMode::PasAPas, C.Limite,
                                  nsOutils::CouleurVoulue (STDERR_FILENO) }));
    }
    SPlan Plan = Planifier (C, Sorties, S);
    Plan.T = TraduireLeSource (C, S, std::move (Standard), Plan.Noms);
    EcrireLeCpp (Plan, Sorties);
    if (C.Mode == EMode::Traduire) Terminer (0);

    CompilerLeCpp (C, Outils, Plan, Sorties);
    if (C.Mode == EMode::Construire)
    {
        Remplacer (Sorties.Dossier, Sorties.Programme, Plan.ProgrammeTravail, ENatureSortie::Programme);
        Terminer (0);
    }
    if (C.Mode == EMode::Tester) Terminer (TesterLeProgramme (Exercice, Plan.ProgrammeTravail));
    Terminer (LancerLeProgramme (C, Outils, Plan));
}
