// Les deux profils acceptent et refusent exactement les memes sources, avec le meme code a la
// meme position, et le meme journal : sur chaque .algo des dossiers donnes, et sur des sources
// mutes (graine fixe) tires d'eux. Seul le C++ produit peut differer.
//   tramelo_memes_verdicts [--mutants N] DOSSIER...
#include "services/analyses/Analyses.h"
#include "driver/Traduction.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

using namespace nsTramelo;

namespace
{
    std::string Lire (const std::filesystem::path & Chemin)
    {
        std::ifstream F (Chemin, std::ios::binary);
        std::ostringstream S;
        S << F.rdbuf ();
        return S.str ();
    }

    // Generateur deterministe : une difference se reproduit.
    struct CAlea
    {
        std::uint64_t Etat;
        std::size_t Tirer (std::size_t n)
        {
            Etat = Etat * 6364136223846793005ULL + 1442695040888963407ULL;
            return n == 0 ? 0 : static_cast <std::size_t> ((Etat >> 33) % n);
        }
    };

    // Des morceaux qui font passer les lecteurs d'une forme a l'autre.
    const char * const Insertions [] = {
        "(", ")", "[", "]", ",", ";", "+", "-", "*", "/", "<", "<=", "<-", "'a'", "\"x\"", "0", "1",
        "2.5", " NON ", " ET ", " vaut ", " si ", " fsi ", " faire ", " ffaire ", " declarer ", " entier ",
        " tableau_de ", " renvoie ", " taille ", " modulo ", " rang ", " Rand ", " saisir ", " x ", " t ",
        " s ", " f ", "\n" };

    std::string Muter (const std::string & Texte, CAlea & A)
    {
        std::string R = Texte;
        const std::size_t Nb = 1 + A.Tirer (3);
        for (std::size_t k = 0; k < Nb && ! R.empty (); ++k)
        {
            const std::size_t Pos = A.Tirer (R.size ());
            switch (A.Tirer (4))
            {
                case 0 : R.erase (Pos, 1 + A.Tirer (6)); break;
                case 1 : R.insert (Pos, Insertions [A.Tirer (sizeof Insertions / sizeof * Insertions)]); break;
                case 2 : R.insert (Pos, R.substr (A.Tirer (R.size ()), 1 + A.Tirer (8))); break;
                default : R.resize (Pos); break;
            }
        }
        return R;
    }

    // Ce qui doit etre identique : statut, code, ligne et position de l'erreur, et le journal. Pas
    // le texte du message : celui de 126 cite le C++ du parametre effectif, propre a chaque profil
    // (les outils ne montrent que les messages du profil standard).
    std::string Verdict (const STraduction & T)
    {
        std::ostringstream S;
        S << T.Statut;
        if (T.Erreur)
            S << " | " << T.Erreur->Code << " ligne " << T.Erreur->LigneSignalee << " | " << T.Erreur->Arret.Decalage
              << " | " << T.Erreur->Longueur;
        S << " | noms " << T.Modele.Declarations.size () << " unites " << T.Modele.Unites.size ()
          << " blocs " << T.Modele.Blocs.size () << " instructions " << T.Modele.Instrs.size ()
          << " expressions " << T.Modele.Exprs.size ()
          << " divisions " << DivisionsEntieres (T.Modele, T.Texte).size ();
        for (const SUnite & U : T.Modele.Unites) S << ' ' << U.Nom << ':' << FinSansRenvoie (T.Modele, U);
        return S.str ();
    }

    bool Comparer (const std::string & Nom, const std::string & Source, unsigned TailleTab)
    {
        SOptions Standard;
        Standard.TailleTab = TailleTab;
        SOptions Verifie = Standard;
        Verifie.Verifie = true;
        Verifie.NomSource = "p.algo";
        Verifie.NomCpp = "p.cpp";
        const std::string A = Verdict (Traduire (Source, Standard));
        const std::string B = Verdict (Traduire (Source, Verifie));
        if (A == B) return true;
        std::cout << "DIFFERENCE : " << Nom << "\n  standard : " << A << "\n  verifie  : " << B << '\n';
        return false;
    }
}

int main (int argc, char * argv [])
{
    std::size_t NbMutants = 20;
    std::vector <std::filesystem::path> Fichiers;
    for (int i = 1; i < argc; ++i)
    {
        const std::string A = argv [i];
        if (A == "--mutants" && i + 1 < argc)
        {
            NbMutants = std::strtoul (argv [++i], nullptr, 10);
            continue;
        }
        for (const auto & E : std::filesystem::recursive_directory_iterator (A))
            if (E.is_regular_file () && E.path ().extension () == ".algo") Fichiers.push_back (E.path ());
    }
    std::sort (Fichiers.begin (), Fichiers.end ());
    CAlea Alea { 20240601 };
    std::size_t Nb = 0, Differences = 0;
    for (const auto & F : Fichiers)
    {
        const std::string Source = Lire (F);
        unsigned Tab = 4;
        std::filesystem::path Args = F;
        Args.replace_extension (".args");
        if (std::filesystem::exists (Args)) Tab = static_cast <unsigned> (std::strtoul (Lire (Args).c_str (), nullptr, 10));
        Differences += ! Comparer (F.string (), Source, Tab);
        ++Nb;
        for (std::size_t m = 0; m < NbMutants; ++m)
        {
            const std::string Mutant = Muter (Source, Alea);
            Differences += ! Comparer (F.string () + " (mutant " + std::to_string (m) + ")", Mutant, Tab);
            ++Nb;
        }
    }
    std::cout << Nb << " sources, " << Differences << " difference(s)\n";
    return Nb > 0 && Differences == 0 ? 0 : 1;
}
