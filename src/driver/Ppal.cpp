#include "driver/Ppal.h"

#include "driver/Traduction.h"
#include "driver/Tramelo.h"
#include "scanner/Positions.h"
#include "scanner/Source.h"
#include "util/CException.h"
#include "util/Messages.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <algorithm>
#include <cstring>
#include <stdexcept>

using nsUtil::CException;
using nsUtil::EMsg;

namespace nsTramelo
{
    namespace
    {
        // Blanchit le commentaire d'une ligne de Lg caracteres, sans changer sa longueur.
        void BlanchirCommentaire (char * Ligne, std::size_t Lg)
        {
            // Seuls les guillemets, apostrophes et barres obliques interessent la recherche.
            static const struct SSpeciaux
            {
                bool Est [256] = {};
                SSpeciaux () { Est [static_cast <unsigned char> ('\'')] = Est ['"'] = Est ['/'] = true; }
            } Speciaux;
            for (std::size_t i = 0; i < Lg; ++i)
            {
                while (i < Lg && ! Speciaux.Est [static_cast <unsigned char> (Ligne [i])]) ++i;
                if (i >= Lg) break;
                const char c = Ligne [i];
                if (c == '\'' || c == '"')
                {
                    // Une barre oblique echappe exactement le caractere suivant, comme dans les litteraux.
                    std::size_t j = i + 1;
                    while (j < Lg && Ligne [j] != c) j += Ligne [j] == '\\' ? 2 : 1;
                    i = j;
                }
                else if (c == '/' && i + 1 < Lg && Ligne [i + 1] == '/')
                {
                    std::fill (Ligne + i, Ligne + Lg, ' ');
                    break;
                }
            }
        }
    }

    bool LireTailleTabulation (const std::string & Arg, unsigned & Largeur)
    {
        std::size_t i = 0;
        while (i < Arg.size () && IsBlanc (Arg [i])) ++i;
        bool Negatif = false;
        if (i < Arg.size () && (Arg [i] == '+' || Arg [i] == '-')) Negatif = Arg [i++] == '-';
        const std::size_t DebutChiffres = i;
        unsigned long long Val = 0;
        for (; i < Arg.size () && Arg [i] >= '0' && Arg [i] <= '9'; ++i)
            if (Val <= MaxTailleTabulation) Val = Val * 10 + (Arg [i] - '0');
        if (i == DebutChiffres || i != Arg.size ()) return false;
        // Un signe moins donne, comme pour l'extraction d'un non signe, une valeur enorme.
        if (Negatif && Val != 0) return false;
        if (Val == 0 || Val > MaxTailleTabulation) return false;
        Largeur = static_cast <unsigned> (Val);
        return true;
    }

    void ChargerSource (std::string Contenu, unsigned Largeur)
    {
        FinLigne.clear ();
        FinLigne.reserve (std::count (Contenu.begin (), Contenu.end (), '\n') + 1);
        std::uint32_t Total = 0;
        if (Contenu.find ('\t') == std::string::npos)
        {
            // Sans tabulation, les lignes gardent leur longueur : on nettoie le texte sur place.
            // (memchr directement : une source de lignes tres courtes paie surtout l'appel.)
            if (! Contenu.empty () && Contenu.back () != '\n') Contenu += '\n';
            char * const Base = Contenu.empty () ? nullptr : & Contenu [0];
            const std::size_t Taille = Contenu.size ();
            for (std::size_t Debut = 0; Debut < Taille; )
            {
                const std::size_t Fin = static_cast <const char *> (std::memchr (Base + Debut, '\n', Taille - Debut)) - Base;
                Total += static_cast <std::uint32_t> (Fin - Debut + 1);
                FinLigne.push_back (Total);
                BlanchirCommentaire (Base + Debut, Fin - Debut);
                Debut = Fin + 1;
            }
            fi.Charger (std::move (Contenu));
            return;
        }
        // Sinon chaque ligne est developpee directement a sa place dans le texte final.
        std::size_t Taille = 0, Colonne = 0;
        for (char c : Contenu)
        {
            if (c == '\n') { Taille += Colonne + 1; Colonne = 0; }
            else Colonne += c == '\t' ? LargeurTabulation (Colonne, Largeur) : 1;
        }
        std::string Texte;
        Texte.reserve (Taille + Colonne + 1);
        for (std::size_t Debut = 0; Debut < Contenu.size (); )
        {
            std::size_t Fin = Contenu.find ('\n', Debut);
            if (Fin == std::string::npos) Fin = Contenu.size ();
            const std::size_t DebutLigne = Texte.size ();
            for (std::size_t i = Debut; i < Fin; ++i)
            {
                if (Contenu [i] == '\t') Texte.append (LargeurTabulation (Texte.size () - DebutLigne, Largeur), ' ');
                else Texte += Contenu [i];
            }
            Total += static_cast <std::uint32_t> (Texte.size () - DebutLigne + 1);
            FinLigne.push_back (Total);
            BlanchirCommentaire (& Texte [DebutLigne], Texte.size () - DebutLigne);
            Texte += '\n';
            Debut = Fin + 1;
        }
        fi.Charger (std::move (Texte));
    }

    std::string LireFichierSource (const std::string & Nom)
    {
        // Un dossier ou un fichier illisible jusqu'au bout n'est jamais un source vide.
        std::error_code Err;
        std::ifstream Fichier;
        if (! std::filesystem::is_directory (Nom, Err)) Fichier.open (Nom);
        std::string Contenu;
        if (Fichier.is_open ())
        {
            // Lu directement a sa place quand la taille est connue ; la boucle prend le reste
            // (ou tout, pour un flux), sans jamais depasser la taille permise.
            const auto Taille = std::filesystem::file_size (Nom, Err);
            if (! Err && Taille > MaxTailleSource) throw std::length_error (TexteSourceTropGrand ());
            if (! Err)
            {
                Contenu.resize (static_cast <std::size_t> (Taille));
                Fichier.read (& Contenu [0], static_cast <std::streamsize> (Taille));
                Contenu.resize (static_cast <std::size_t> (Fichier.gcount ()));
            }
            char Tampon [1 << 16];
            while (Fichier.read (Tampon, sizeof Tampon) || Fichier.gcount () > 0)
            {
                Contenu.append (Tampon, static_cast <std::size_t> (Fichier.gcount ()));
                if (Contenu.size () > MaxTailleSource) throw std::length_error (TexteSourceTropGrand ());
            }
        }
        if (! Fichier.is_open () || Fichier.bad ())
            throw CException (nsUtil::Texte (EMsg::OuvertureFichier) + Nom,
                              nsUtil::GetCode (EMsg::OuvertureFichier));
        return Contenu;
    }

    SOptions LireArguments (const std::vector <std::string> & Args)
    {
        if (Args.size () != 1 && Args.size () != 2)
            throw CException (nsUtil::Texte (EMsg::NbArguments), nsUtil::GetCode (EMsg::NbArguments));
        SOptions Options;
        if (Args.size () == 2 && ! LireTailleTabulation (Args [1], Options.TailleTab))
            throw CException (nsUtil::Texte (EMsg::TailleTabulation), nsUtil::GetCode (EMsg::TailleTabulation));
        return Options;
    }

    std::string TexteSortieImpossible () { return "ecriture impossible sur la sortie standard"; }

    void ppal (int argc, char * argv [])
    {
        // argc peut valoir 0 (execve sans argument) : aucun argument alors.
        const std::vector <std::string> Args (argv + std::min (argc, 1), argv + argc);
        SOptions Options = LireArguments (Args);
        // Seul le C++ compte ici : le modele n'est pas garde.
        Options.Modele = false;

        const STraduction R = Traduire (LireFichierSource (Args [0]), Options);
        // Ce qui a ete produit avant une erreur reste sur la sortie standard.
        std::cout.write (R.Cpp.data (), static_cast <std::streamsize> (R.Cpp.size ()));
        if (R.Erreur) throw CException (R.Erreur->Libelle, R.Erreur->Code);

        // Une sortie perdue (disque plein...) ne doit pas passer pour une traduction reussie.
        std::cout.flush ();
        if (! std::cout) throw std::runtime_error (TexteSortieImpossible ());
    }
}
