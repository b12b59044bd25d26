// Cible libFuzzer : n'importe quels octets comme fichier source, avec sa largeur de tabulation.
// La traduction doit finir normalement ou par une erreur d'analyse de la table (102 a 149), avec
// un diagnostic coherent ; tout le reste est une trouvaille. Chaque source est traduit deux fois,
// avec et sans relecture rapide (predictions et memoire des lectures) : sortie, message et code
// doivent etre identiques. Les diagnostics expliques (et leur mise en forme) doivent rester dans le
// source et reprendre le code et le message de la traduction. Un source accepte est interprete
// sous un budget de pas, de memoire et de pile : l'execution finit, s'arrete sur le budget ou
// sur une erreur d'execution situee dans le source, jamais autrement.
#include "driver/Ppal.h"
#include "driver/Traduction.h"
#include "services/explications/Verification.h"
#include "services/interpreteur/Interpreteur.h"
#include "modele/Modele.h"
#include "relecture/Essai.h"
#include "scanner/Source.h"
#include "util/Messages.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

namespace
{
    [[noreturn]] void Trouvaille (const char * Quoi, const std::string & Detail)
    {
        std::fprintf (stderr, "\n*** %s : %s\n", Quoi, Detail.c_str ());
        std::abort ();
    }

    // Les codes des erreurs d'analyse, tires de la table des messages (pas tout 102..149).
    bool IsCodeAnalyse (unsigned Code)
    {
        if (Code < 102 || Code > 149) return false;
        for (unsigned i = 0; i < static_cast <unsigned> (nsUtil::EMsg::NbMessages); ++i)
            if (nsUtil::GetCode (static_cast <nsUtil::EMsg> (i)) == Code) return true;
        return false;
    }

    // Une erreur d'analyse commence par "Ligne ", le numero sur 4 caracteres au moins, " - ".
    bool IsLibelleLigne (const std::string & Libelle)
    {
        if (Libelle.compare (0, 6, "Ligne ") != 0) return false;
        std::size_t i = 6;
        while (i < Libelle.size () && Libelle [i] == ' ') ++i;
        const std::size_t Chiffres = i;
        while (i < Libelle.size () && Libelle [i] >= '0' && Libelle [i] <= '9') ++i;
        if (i == Chiffres || i < 10 || Libelle [Chiffres] == '0') return false;
        return Libelle.compare (i, 3, " - ") == 0 && Libelle.size () > i + 3;
    }

    // Le source ecrit dans un fichier en memoire, puis lu comme Tramelo lit le sien.
    std::string Relire (const std::string & Source)
    {
        const int Fd = memfd_create ("source", 0);
        if (Fd < 0) Trouvaille ("memfd_create", std::strerror (errno));
        if (! Source.empty () && write (Fd, Source.data (), Source.size ()) != static_cast <ssize_t> (Source.size ()))
            Trouvaille ("ecriture du fichier en memoire", std::strerror (errno));
        std::string Lu;
        try
        {
            Lu = nsTramelo::LireFichierSource ("/proc/self/fd/" + std::to_string (Fd));
        }
        catch (const std::exception & Exc)
        {
            Trouvaille ("lecture du source", Exc.what ());
        }
        close (Fd);
        if (Lu != Source) Trouvaille ("source relu different", std::to_string (Lu.size ()));
        return Lu;
    }

    // Une traduction et ses invariants : statut et diagnostic coherents, blocs refermes.
    nsTramelo::STraduction TraduireVerifie (const std::string & Source, const nsTramelo::SOptions & Options)
    {
        nsTramelo::STraduction R = nsTramelo::Traduire (Source, Options);
        if (! R.Erreur)
        {
            if (R.Statut != 0) Trouvaille ("statut sans erreur", std::to_string (R.Statut));
            // Une traduction complete a referme tous ses blocs et toutes ses instructions.
            if (! R.Modele.Blocs.empty () || ! R.Modele.Instructions.empty ())
                Trouvaille ("blocs non refermes apres une traduction", std::to_string (R.Modele.Blocs.size ()));
        }
        else
        {
            const nsTramelo::SDiagnostic & D = * R.Erreur;
            if (R.Statut != static_cast <int> (D.Code) || ! IsCodeAnalyse (D.Code) || ! D.Positionne)
                Trouvaille ("code hors de la table", std::to_string (D.Code) + " " + D.Libelle);
            if (! IsLibelleLigne (D.Libelle)) Trouvaille ("message sans ligne", D.Libelle);
            char Prefixe [32];
            std::snprintf (Prefixe, sizeof Prefixe, "Ligne %4zu - ", D.LigneSignalee);
            if (D.Libelle.rfind (Prefixe, 0) != 0 || D.Libelle.substr (std::strlen (Prefixe)) != D.Message)
                Trouvaille ("diagnostic incoherent", D.Libelle);
            if (D.Arret.Decalage > R.Texte.size () || D.Arret.DecalageOrigine > Source.size ()
                || D.Arret.Ligne > R.FinLignes.size () + 1)
                Trouvaille ("position hors du texte", D.Libelle);
        }
        // Le modele lu, erreur ou pas : chaque noeud dans le texte et dans son parent.
        const std::string Incoherence = nsTramelo::Incoherence (R.Modele, R.Texte.size ());
        if (! Incoherence.empty ()) Trouvaille ("modele incoherent", Incoherence);
        // Chaque niveau ouvert doit avoir ete referme, erreur ou pas : sinon la borne derive.
        if (nsTramelo::Imbrication != 0)
            Trouvaille ("imbrication non refermee", std::to_string (nsTramelo::Imbrication));
        return R;
    }

    // Les diagnostics expliques du meme source : places dans le texte, erreur de Tramelo reprise.
    void Expliquer (const std::string & Source, const nsTramelo::SOptions & Options,
                    const nsTramelo::STraduction & Traduction)
    {
        const nsTramelo::SVerification V = nsTramelo::Verifier (Source, Options);
        if (V.Traduction.Cpp != Traduction.Cpp || V.Traduction.Statut != Traduction.Statut)
            Trouvaille ("verification et traduction different", std::to_string (V.Traduction.Statut));
        bool ErreurVue = false;
        for (const nsTramelo::SDiagnosticExplique & D : V.Diagnostics)
        {
            if (D.Positionne && (D.Position.DecalageOrigine > Source.size () || D.Position.Ligne == 0
                                 || D.Position.Colonne == 0))
                Trouvaille ("diagnostic explique hors du source", D.Message);
            if (Traduction.Erreur && D.Code == Traduction.Erreur->Code
                && D.MessageTramelo == Traduction.Erreur->Message)
                ErreurVue = true;
            if (nsTramelo::FormaterGcc ("f.algo", Source, Options, D).empty ())
                Trouvaille ("diagnostic sans texte", D.Message);
        }
        if (Traduction.Erreur && ! ErreurVue)
            Trouvaille ("erreur de traduction non expliquee", Traduction.Erreur->Libelle);
    }

    // L'interpreteur sur un source accepte : une entree fixe, puis sa fin ; quelques milliers de
    // pas au plus, memoire et pile bornees (une boucle sans fin s'arrete sur le budget).
    void Interpreter (const std::string & Source, const nsTramelo::SOptions & Options,
                      const nsTramelo::STraduction & Traduction)
    {
        nsTramelo::SOptionsExecution O;
        O.NomSource = "f.algo";
        O.TailleTab = Options.TailleTab;
        O.Graine = 1;
        O.Limites.Memoire = std::size_t (16) << 20;
        O.Limites.Pile = std::size_t (256) << 10;
        O.Suivi = Source.size () % 2 == 0;   // le suivi aussi, une fois sur deux
        nsTramelo::CExecution X (Traduction, Source, O);
        if (! X.Pret ()) Trouvaille ("source accepte refuse par l'interpreteur", X.Refus ());
        X.AjouterEntree ("12 -3\n4.5\nabc\nx\n1\n");
        X.FermerEntree ();
        nsTramelo::EArret A = nsTramelo::EArret::Budget;
        for (int i = 0; i < 20 && A == nsTramelo::EArret::Budget; ++i)
        {
            A = X.Executer (500);
            X.PrendreSortie ();
            X.PrendreSuivi ();
        }
        if (A == nsTramelo::EArret::Entree || A == nsTramelo::EArret::Pas || A == nsTramelo::EArret::Limite)
            Trouvaille ("arret inattendu de l'interpreteur", std::to_string (static_cast <int> (A)));
        if ((A == nsTramelo::EArret::Erreur) != (X.Statut () == 1))
            Trouvaille ("statut de l'interpreteur incoherent", std::to_string (X.Statut ()));
        if (A == nsTramelo::EArret::Erreur)
        {
            const nsTramelo::SErreurExecution & E = X.ErreurExecution ();
            if (E.Message.empty () || E.Texte.rfind ("f.algo:", 0) != 0)
                Trouvaille ("erreur d'execution sans message", E.Texte);
            if (E.Positionnee && (E.Ligne == 0 || E.Ligne > Traduction.FinLignes.size () + 1 || E.Decalage > Source.size ()))
                Trouvaille ("erreur d'execution hors du source", E.Texte);
        }
    }

    // Sans relecture rapide, chaque appel imbrique triple a peu pres le travail, et chaque
    // parenthese le fait croitre comme le carre de la profondeur : au-dela de 8 appels ou de 40
    // parentheses imbriques, on ne compare plus (le corpus de test compare jusqu'a la borne).
    bool IsComparable (const std::string & Source)
    {
        std::vector <bool> Appels;   // pour chaque parenthese ouverte : suit-elle un nom ?
        unsigned NbAppels = 0;
        char Precedent = ' ';
        for (const char c : Source)
        {
            if (c == '(')
            {
                Appels.push_back (nsTramelo::IsAlnum (Precedent));
                NbAppels += Appels.back ();
                if (NbAppels > 8 || Appels.size () > 40) return false;
            }
            else if (c == ')' && ! Appels.empty ())
            {
                NbAppels -= Appels.back ();
                Appels.pop_back ();
            }
            if (! nsTramelo::IsBlanc (c)) Precedent = c;
        }
        return true;
    }
}

// Une entree qui commence par l'octet 1 porte d'abord l'argument de tabulation, jusqu'au premier
// saut de ligne : la lecture de cet argument et le developpement des tabulations sont couverts.
// Le source passe alors par un fichier en memoire, lu comme Tramelo lit le sien.
extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t * Donnees, std::size_t Taille)
{
    std::string Source (reinterpret_cast <const char *> (Donnees), Taille);
    nsTramelo::SOptions Options;
    if (! Source.empty () && Source [0] == '\1')
    {
        const std::size_t Fin = std::min (Source.find ('\n'), Source.size ());
        const std::string Argument = Source.substr (1, Fin - 1);
        Source.erase (0, std::min (Fin + 1, Source.size ()));
        if (! nsTramelo::LireTailleTabulation (Argument, Options.TailleTab)) return 0;
    }
    // Le passage par un fichier coute cher : seulement pour les entrees qui portent une largeur.
    const std::string Lu = Taille > 0 && Donnees [0] == 1 ? Relire (Source) : Source;

    nsTramelo::RelectureRapide = true;
    const nsTramelo::STraduction Rapide = TraduireVerifie (Lu, Options);
    Expliquer (Lu, Options, Rapide);
    if (! Rapide.Erreur) Interpreter (Lu, Options, Rapide);
    // Sans modele garde (comme Tramelo), le meme C++.
    nsTramelo::SOptions SansModele = Options;
    SansModele.Modele = false;
    if (nsTramelo::Traduire (Lu, SansModele).Cpp != Rapide.Cpp)
        Trouvaille ("traduction differente sans modele garde", std::to_string (Rapide.Statut));
    if (! IsComparable (Lu)) return 0;
    nsTramelo::RelectureRapide = false;
    const nsTramelo::STraduction Lent = TraduireVerifie (Lu, Options);
    nsTramelo::RelectureRapide = true;
    const std::string MessageRapide = Rapide.Erreur ? Rapide.Erreur->Libelle : "";
    const std::string MessageLent = Lent.Erreur ? Lent.Erreur->Libelle : "";
    if (Rapide.Cpp != Lent.Cpp || Rapide.Statut != Lent.Statut || MessageRapide != MessageLent)
        Trouvaille ("traduction differente sans relecture rapide",
                    "statuts " + std::to_string (Rapide.Statut) + " et " + std::to_string (Lent.Statut) + "\n"
                    + MessageRapide + "\n" + MessageLent);
    return 0;
}
