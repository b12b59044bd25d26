#include "frontaux/noter/Copies.h"

#include <algorithm>
#include <filesystem>

namespace nsNoter
{
    namespace
    {
        namespace fs = std::filesystem;

        bool EstAlgo (const std::string & Nom)
        {
            return Nom.size () > 5 && Nom.compare (Nom.size () - 5, 5, ".algo") == 0 && Nom [0] != '.';
        }

        bool FichierOrdinaire (const fs::path & P)
        {
            std::error_code Err;
            return fs::is_regular_file (P, Err);
        }
    }

    bool TrouverCopies (const std::string & Dossier, std::vector <SCopie> & Copies)
    {
        std::error_code Err;
        fs::directory_iterator It (Dossier, Err), Fin;
        if (Err) return false;
        for (; It != Fin; It.increment (Err))
        {
            if (Err) return false;
            const std::string Nom = It->path ().filename ().string ();
            if (Nom.empty () || Nom [0] == '.') continue;
            std::error_code E2;
            if (fs::is_directory (It->path (), E2))
            {
                SCopie C;
                C.Etudiant = Nom;
                std::vector <std::string> Algos;
                fs::directory_iterator Sous (It->path (), E2);
                if (E2) C.Probleme = "dossier illisible";
                for (; ! E2 && Sous != Fin; Sous.increment (E2))
                {
                    const std::string N = Sous->path ().filename ().string ();
                    if (EstAlgo (N) && FichierOrdinaire (Sous->path ())) Algos.push_back (N);
                }
                std::sort (Algos.begin (), Algos.end ());
                if (C.Probleme.empty () && Algos.empty ()) C.Probleme = "aucun fichier .algo dans le dossier";
                else if (Algos.size () > 1)
                {
                    C.Probleme = "plusieurs fichiers .algo dans le dossier :";
                    for (const std::string & A : Algos) C.Probleme += " " + A;
                }
                else if (C.Probleme.empty ()) C.Source = (It->path () / Algos [0]).string ();
                Copies.push_back (C);
            }
            else if (EstAlgo (Nom) && FichierOrdinaire (It->path ()))
                Copies.push_back ({ Nom.substr (0, Nom.size () - 5), It->path ().string (), "" });
        }
        std::sort (Copies.begin (), Copies.end (), [] (const SCopie & A, const SCopie & B) { return A.Etudiant < B.Etudiant; });
        // x.algo et x/ : deux copies pour un meme etudiant. Aucune n'est choisie en silence :
        // une seule ligne, non notee, qui le dit.
        for (std::size_t i = 1; i < Copies.size (); )
        {
            if (Copies [i].Etudiant != Copies [i - 1].Etudiant) { ++i; continue; }
            const std::string & N = Copies [i].Etudiant;
            Copies [i - 1].Source.clear ();
            Copies [i - 1].Probleme = "deux copies pour cet etudiant : " + N + ".algo et le dossier " + N + "/";
            Copies.erase (Copies.begin () + static_cast <std::ptrdiff_t> (i));
        }
        return true;
    }
}
