#include "scanner/Positions.h"

#include <algorithm>
#include <cstring>

namespace nsTramelo
{
    std::size_t CSitueur::DebutOrigine (std::size_t Index)
    {
        if (Debuts.empty ()) Debuts.push_back (0);
        while (Debuts.size () <= Index)
        {
            const void * Nl = std::memchr (Source.data () + Debuts.back (), '\n', Source.size () - Debuts.back ());
            if (! Nl) break;
            Debuts.push_back (static_cast <std::size_t> (static_cast <const char *> (Nl) - Source.data ()) + 1);
        }
        return std::min (Index < Debuts.size () ? Debuts [Index] : Source.size (), Source.size ());
    }

    SPosition CSitueur::Situer (std::size_t Decalage)
    {
        SPosition P;
        P.Decalage = Decalage;
        if (FinLignes.empty ()) return P;
        // A la fin du texte, on se place apres le dernier caractere de la derniere ligne.
        const std::size_t D = std::min <std::size_t> (Decalage, FinLignes.back () - 1);
        const std::size_t Index = std::upper_bound (FinLignes.begin (), FinLignes.end (), D) - FinLignes.begin ();
        const std::size_t DebutTampon = Index == 0 ? 0 : FinLignes [Index - 1];
        P.Ligne = Index + 1;
        P.Colonne = D - DebutTampon + 1;
        // La meme ligne dans le texte d'origine, dont on refait le developpement des tabulations
        // (octet par octet : chaque octet non tabulation fait une colonne du texte tamponne),
        // depuis le point deja calcule le plus proche avant lui sur cette ligne.
        const std::size_t Debut = DebutOrigine (Index);
        SRepere R { Debut, 0, 0 };
        auto It = Reperes.upper_bound (D);
        if (It != Reperes.begin () && (-- It)->first >= DebutTampon) R = It->second;
        std::size_t FinCar = R.Octet, UnitesCar = 0;   // le caractere UTF-8 en cours
        while (R.Octet < Source.size () && Source [R.Octet] != '\n')
        {
            const std::size_t Largeur = Source [R.Octet] == '\t' ? LargeurTabulation (R.Colonne, TailleTab) : 1;
            if (R.Colonne + Largeur > P.Colonne - 1) break;
            if (R.Octet == FinCar)
            {
                FinCar += LireCaractereUtf8 ([this] (std::size_t i) { return Source [i]; }, R.Octet, Source.size (), UnitesCar);
                R.Utf16 += UnitesCar;
            }
            R.Colonne += Largeur;
            ++R.Octet;
        }
        P.DecalageOrigine = R.Octet;
        P.ColonneOrigine = R.Octet - Debut + 1;
        // Au milieu d'un caractere de plusieurs octets, la colonne UTF-16 est celle de son debut.
        const bool Milieu = R.Octet < FinCar;
        P.ColonneUtf16 = R.Utf16 - (Milieu ? UnitesCar : 0) + 1;
        if (! Milieu) Reperes [DebutTampon + R.Colonne] = R;
        return P;
    }

    std::size_t CSitueur::VersTampon (std::size_t DecalageOrigine)
    {
        if (FinLignes.empty ()) return DecalageOrigine;
        DecalageOrigine = std::min (DecalageOrigine, Source.size ());
        // Les debuts de ligne, releves jusqu'a depasser l'octet.
        if (Debuts.empty ()) Debuts.push_back (0);
        while (Debuts.back () <= DecalageOrigine)
        {
            const void * Nl = std::memchr (Source.data () + Debuts.back (), '\n', Source.size () - Debuts.back ());
            if (! Nl) break;
            Debuts.push_back (static_cast <std::size_t> (static_cast <const char *> (Nl) - Source.data ()) + 1);
        }
        const std::size_t Index = std::upper_bound (Debuts.begin (), Debuts.end (), DecalageOrigine) - Debuts.begin () - 1;
        if (Index >= FinLignes.size ()) return FinLignes.back ();
        std::size_t C = 0;
        for (std::size_t i = Debuts [Index]; i < DecalageOrigine && Source [i] != '\n'; ++i)
            C += Source [i] == '\t' ? LargeurTabulation (C, TailleTab) : 1;
        return (Index == 0 ? 0 : FinLignes [Index - 1]) + C;
    }
}
