// tramelo-verifier : verifie des sources sans rien traduire dans un fichier et affiche leurs
// diagnostics expliques, au format de GCC (que Vim et VS Code savent lire) ou en JSON (un objet
// par ligne). Toute la verification est dans la bibliotheque (Verifier) ; ici, la ligne de
// commande, la lecture des fichiers et l'ecriture des rapports. Le JSON demande nlohmann-json :
// construit sans lui (TRAMELO_AVEC_JSON non defini), l'outil refuse --format=json.
#include "bibliotheque/Tramelo.h"
#include "frontaux/commun/Couleur.h"

#ifdef TRAMELO_AVEC_JSON
#include "frontaux/verifier/ArbreJson.h"

#include <nlohmann/json.hpp>
#endif

#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

using nsTramelo::EErreurOutil;

namespace
{
    const char * const Usage =
        "Usage : tramelo-verifier [--tabulation N] [--format=texte|json] fichier.algo...\n"
        "        tramelo-verifier [--tabulation N] --arbre fichier.algo...\n";

    const char * const Aide =
        "Verifie les sources sans les traduire dans un fichier et affiche, pour chacun, ses\n"
        "diagnostics expliques : l'endroit probable de la faute, le message de Tramelo, un extrait\n"
        "du source et des aides.\n"
        "\n"
        "Options :\n"
        "  --tabulation N   largeur des tabulations du source (1 a 1000, 4 par defaut)\n"
        "  --format=texte   format de GCC (par defaut) : FICHIER:LIGNE:COLONNE: erreur : MESSAGE [CODE]\n"
#ifdef TRAMELO_AVEC_JSON
        "  --format=json    un objet JSON par diagnostic et par ligne\n"
        "  --arbre          ecrit, pour chaque source, le modele du programme lu (unites,\n"
        "                   declarations, instructions, expressions, avec leurs types et leurs\n"
        "                   places) en JSON ; apres une erreur, ce qui a ete lu avant elle\n"
#else
        "  --format=json    indisponible : construit sans nlohmann-json\n"
        "  --arbre          indisponible : construit sans nlohmann-json\n"
#endif
        "  --aide           affiche cette aide\n"
        "\n"
        "Statut : 0 si aucun source n'a d'erreur (les avertissements ne comptent pas), sinon le code\n"
        "de la premiere erreur (102 a 149 : Tramelo ; 150 : fonction dont la fin peut etre atteinte\n"
        "sans renvoie ; 252 : fichier illisible) ; 253 si la ligne de commande est invalide.\n";

    const int StatutUsage = 253;

    [[noreturn]] void ErreurUsage (const std::string & Message)
    {
        std::cerr << "tramelo-verifier : " << Message << '\n' << Usage;
        std::exit (StatutUsage);
    }

#ifdef TRAMELO_AVEC_JSON
    nlohmann::json EnJson (const std::string & Fichier, const nsTramelo::SDiagnosticExplique & D)
    {
        nlohmann::json Aides = nlohmann::json::array ();
        for (const nsTramelo::SAide & A : D.Aides)
            Aides.push_back ({ { "kind", A.Note ? "note" : "aide" }, { "text", A.Texte } });
        nlohmann::json J = {
            { "file", Fichier },
            { "line", nullptr },
            { "column", nullptr },
            { "length", D.Longueur },
            { "severity", nsTramelo::TexteGravite (D.Gravite) },
            { "code", D.Code },
            { "message", D.Message },
            { "raw_message", nullptr },
            { "hints", Aides },
            { "rule", D.Regle },
            { "fix", nullptr },
            { "stop", nullptr },
        };
        // Le message exact de Tramelo, quand l'en-tete dit la cause en francais (sinon le meme).
        if (! D.MessageTramelo.empty ()) J ["raw_message"] = D.MessageTramelo;
        // La correction que l'aide propose, verifiee : remplacer length octets a offset par text.
        if (D.Correction)
            J ["fix"] = { { "offset", D.Correction->Position.DecalageOrigine }, { "line", D.Correction->Position.Ligne },
                          { "column", D.Correction->Position.ColonneOrigine }, { "length", D.Correction->Longueur },
                          { "text", D.Correction->Texte } };
        if (D.Positionne)
        {
            J ["line"] = D.Position.Ligne;
            J ["column"] = D.Position.ColonneOrigine;
        }
        // Ou la lecture de Tramelo s'est arretee (une erreur de Tramelo seulement).
        if (D.Positionne && ! D.MessageTramelo.empty () && D.Code < 150)
            J ["stop"] = { { "offset", D.Arret.DecalageOrigine }, { "line", D.Arret.Ligne }, { "column", D.Arret.ColonneOrigine } };
        return J;
    }
#else
    // Statut de la ligne de commande invalide : l'option existe, mais pas dans cette construction.
    [[noreturn]] void ErreurSansJson ()
    {
        std::cerr << "tramelo-verifier : format json indisponible : ce tramelo-verifier a ete construit "
                     "sans nlohmann-json ; installer le paquet nlohmann-json3-dev "
                     "(sudo apt-get install nlohmann-json3-dev), puis reconstruire Tramelo\n";
        std::exit (StatutUsage);
    }
#endif

    struct SOptionsOutil
    {
        nsTramelo::SOptions Traduction;
        bool Json = false;
        bool Arbre = false;
        bool Couleur = false;
        std::vector <std::string> Fichiers;
    };

    SOptionsOutil LireArguments (int argc, char * argv [])
    {
        SOptionsOutil O;
        bool Options = true;
        for (int i = 1; i < argc; ++i)
        {
            const std::string Arg = argv [i];
            if (Options && Arg == "--")
            {
                Options = false;
                continue;
            }
            if (! Options || Arg.empty () || Arg [0] != '-' || Arg == "-")
            {
                O.Fichiers.push_back (Arg);
                continue;
            }
            if (Arg == "--arbre")
            {
#ifdef TRAMELO_AVEC_JSON
                O.Arbre = true;
#else
                ErreurSansJson ();
#endif
                continue;
            }
            if (Arg == "--aide" || Arg == "-h" || Arg == "--help")
            {
                std::cout << Usage << '\n' << Aide;
                std::exit (0);
            }
            std::string Nom = Arg, Valeur;
            const std::size_t Egal = Arg.find ('=');
            const bool AvecValeur = Egal != std::string::npos;
            if (AvecValeur)
            {
                Nom = Arg.substr (0, Egal);
                Valeur = Arg.substr (Egal + 1);
            }
            if (Nom != "--tabulation" && Nom != "--format") ErreurUsage ("option inconnue : " + Arg);
            if (! AvecValeur)
            {
                if (i + 1 >= argc) ErreurUsage ("valeur manquante pour " + Nom);
                Valeur = argv [++i];
            }
            if (Nom == "--tabulation")
            {
                if (! nsTramelo::LireTailleTabulation (Valeur, O.Traduction.TailleTab))
                    ErreurUsage (nsTramelo::TexteErreurOutil (EErreurOutil::TailleTabulation) + " : " + Valeur);
            }
            else if (Valeur == "json")
            {
#ifdef TRAMELO_AVEC_JSON
                O.Json = true;
#else
                ErreurSansJson ();
#endif
            }
            else if (Valeur == "texte") O.Json = false;
            else ErreurUsage ("format inconnu : " + Valeur + " (texte ou json)");
        }
        if (O.Fichiers.empty ()) ErreurUsage ("aucun fichier a verifier");
        if (O.Arbre && O.Json) ErreurUsage ("--arbre ecrit deja du JSON : --format ne s'y ajoute pas");
        O.Couleur = ! O.Json && nsOutils::CouleurVoulue (STDOUT_FILENO);
        return O;
    }

    void Ecrire (const SOptionsOutil & O, const std::string & Fichier, const std::string & Source,
                 const nsTramelo::SDiagnosticExplique & D)
    {
#ifdef TRAMELO_AVEC_JSON
        if (O.Json)
            std::cout << EnJson (Fichier, D).dump (-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
        else
#endif
            std::cout << nsTramelo::FormaterGcc (Fichier, Source, O.Traduction, D, O.Couleur);
    }

    // Verifie un fichier ; rend le code de sa premiere erreur, ou 0.
    int VerifierFichier (const SOptionsOutil & O, const std::string & Fichier)
    {
        // Memes messages et statuts que Tramelo pour un fichier illisible ou trop grand.
        nsTramelo::SLectureSource L = nsTramelo::LireSource ({ Fichier });
        std::string Source = std::move (L.Texte);
        nsTramelo::SDiagnosticExplique Lecture;
        Lecture.Positionne = false;
        Lecture.Regle = "lecture";
        Lecture.Code = L.Statut;
        Lecture.Message = L.Message;
        if (Lecture.Code != 0)
        {
            Ecrire (O, Fichier, Source, Lecture);
            return static_cast <int> (Lecture.Code);
        }
        const nsTramelo::SVerification V = nsTramelo::Verifier (Source, O.Traduction);
        int Statut = 0;
#ifdef TRAMELO_AVEC_JSON
        if (O.Arbre)
        {
            std::cout << nsOutils::ArbreJson (Fichier, Source, O.Traduction, V)
                             .dump (2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
            for (const nsTramelo::SDiagnosticExplique & D : V.Diagnostics)
                if (Statut == 0 && D.Gravite == nsTramelo::EGravite::Erreur) Statut = static_cast <int> (D.Code);
            return Statut;
        }
#endif
        for (const nsTramelo::SDiagnosticExplique & D : V.Diagnostics)
        {
            Ecrire (O, Fichier, Source, D);
            if (Statut == 0 && D.Gravite == nsTramelo::EGravite::Erreur) Statut = static_cast <int> (D.Code);
        }
        return Statut;
    }
}

int main (int argc, char * argv [])
{
    std::ios::sync_with_stdio (false);
    try
    {
        const SOptionsOutil O = LireArguments (argc, argv);
        int Statut = 0;
        for (const std::string & Fichier : O.Fichiers)
        {
            const int S = VerifierFichier (O, Fichier);
            if (Statut == 0) Statut = S;
        }
        std::cout.flush ();
        if (! std::cout)
        {
            std::cerr << "tramelo-verifier : ecriture impossible sur la sortie standard\n";
            return static_cast <int> (nsTramelo::CodeErreurOutil (EErreurOutil::ExceptionStandard));
        }
        return Statut;
    }
    catch (const std::exception & Exc)
    {
        std::cerr << "tramelo-verifier : " << nsTramelo::TexteErreurOutil (EErreurOutil::ExceptionStandard) << Exc.what () << '\n';
        return static_cast <int> (nsTramelo::CodeErreurOutil (EErreurOutil::ExceptionStandard));
    }
}
