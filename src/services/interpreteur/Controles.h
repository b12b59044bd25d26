// Les controles d'execution de l'interpreteur : un par fonction du prelude du profil verifie
// (src/ecriture/PreludeVerifie.cpp), du meme nom sans le souligne, avec la meme condition et le
// meme message, ecrit par un flux comme dans le prelude (memes chiffres pour un reel). Aligner
// l'interpreteur sur un prelude revise, c'est revoir cette table et elle seule.
//
// Une erreur leve CErreurExecution ; la machine la rattache a sa place dans le source (Pos :
// l'indice de la position du controle dans la table du programme) et s'arrete avec le statut 1.
#pragma once

#include <cstdint>
#include <limits>
#include <string>

namespace nsTramelo::nsControles
{
    using Pos = std::uint32_t;
    constexpr Pos SansPosition = 0xFFFFFFFFu;

    // Notes : les lignes "note : ..." que le prelude ecrit apres le message, Aide : les lignes
    // "aide : ..." qui les suivent (chacune sans fin de ligne, separees par '\n'). Entre les deux,
    // la machine place les notes connues a la traduction (boucle en cours...), comme _Notes.
    // NomMarque, dans une note, tient la place du nom du tableau (de la chaine), que la machine
    // tire de la position.
    struct CErreurExecution
    {
        std::string Message;
        Pos         Position;
        std::string Notes = {}, Aide = {};
    };

    constexpr char NomMarque = '\x1f';

    // _Signaler + _Notes + _Arreter.
    [[noreturn]] void Signaler (Pos P, const std::string & Message, const std::string & Notes = {},
                                const std::string & Aide = {});

    constexpr std::int64_t EntierMin = std::numeric_limits <std::int64_t>::min ();
    constexpr std::int64_t EntierMax = std::numeric_limits <std::int64_t>::max ();

    [[noreturn]] void Depassement (std::int64_t A, const char * Op, std::int64_t B, Pos P);
    [[noreturn]] void DivisionParZero (std::int64_t A, Pos P);
    [[noreturn]] void ModuloParZero (std::int64_t A, Pos P);
    [[noreturn]] void DepassementOppose (std::int64_t A, Pos P);
    [[noreturn]] void DivisionReelleParZero (double A, unsigned Types, Pos P);
    // _Vers <int> d'un reel (renvoie d'une fonction entier).
    std::int64_t IntDeReel (double V, Pos P);
    // Le plus petit entier divise par -1 (modulo compris) : comportement indefini en C++.
    [[noreturn]] void DivisionDebordee (std::int64_t A, bool Modulo, Pos P);
    [[noreturn]] void NaturelNegatif (std::int64_t V, Pos P);
    [[noreturn]] void HorsType (double V, const char * Type, Pos P);
    [[noreturn]] void HorsBornes (std::int64_t I, std::uint64_t Taille, bool Chaine, Pos P);
    [[noreturn]] void TailleInvalide (std::int64_t N, Pos P);
    [[noreturn]] void AllongerInvalide (std::int64_t Avant, std::int64_t N, Pos P);
    [[noreturn]] void RedimensionnerInvalide (std::int64_t N, Pos P);
    // LimitePile : la limite de la pile du systeme (ulimit -s, octets ; 0 : aucune).
    [[noreturn]] void RecursionTropProfonde (const std::string & Unite, std::uint64_t LimitePile, Pos P);
    [[noreturn]] void SansRenvoie (const std::string & Fonction, Pos P);
    // La memoire permise est atteinte (_MemoireInsuffisante) : Demande octets demandes, pour Nb
    // elements (0 : une allocation quelconque) de TailleElement octets (0 : non dite), Occupee
    // octets deja occupes, LimiteMio permis ; Refus : c'est le systeme qui a refuse. P : le
    // dernier calcul qui alloue (_Ici), SansPosition s'il n'y en a pas encore.
    [[noreturn]] void MemoireInsuffisante (std::uint64_t Demande, std::uint64_t Nb, bool Caracteres,
                                           std::uint64_t TailleElement, std::uint64_t Occupee,
                                           std::uint64_t LimiteMio, bool Refus, Pos P);
    // TRAMELO_MEMOIRE (_LireMemoire) : vrai et Mio rempli si Texte est un nombre de 1 a 2^30,
    // sinon faux.
    bool LireMemoire (const std::string & Texte, std::uint64_t & Mio);
    [[noreturn]] void MemoireInvalide (const std::string & Texte);

    // _Plus, _Moins, _Fois, _Div, _Modulo, _Oppose : calcul sur 64 bits signes.
    inline std::int64_t Plus (std::int64_t A, std::int64_t B, Pos P)
    {
        std::int64_t R;
        if (__builtin_add_overflow (A, B, & R)) Depassement (A, " + ", B, P);
        return R;
    }

    inline std::int64_t Moins (std::int64_t A, std::int64_t B, Pos P)
    {
        std::int64_t R;
        if (__builtin_sub_overflow (A, B, & R)) Depassement (A, " - ", B, P);
        return R;
    }

    inline std::int64_t Fois (std::int64_t A, std::int64_t B, Pos P)
    {
        std::int64_t R;
        if (__builtin_mul_overflow (A, B, & R)) Depassement (A, " * ", B, P);
        return R;
    }

    inline std::int64_t Div (std::int64_t A, std::int64_t B, Pos P)
    {
        if (B == 0) DivisionParZero (A, P);
        if (A == EntierMin && B == -1) DivisionDebordee (A, false, P);
        return A / B;
    }

    // Le reste a le signe du dividende.
    inline std::int64_t Modulo (std::int64_t A, std::int64_t B, Pos P)
    {
        if (B == 0) ModuloParZero (A, P);
        if (B == -1 && A == EntierMin) DivisionDebordee (A, true, P);
        return B == -1 ? 0 : A % B;
    }

    inline std::int64_t Oppose (std::int64_t A, Pos P)
    {
        if (A == EntierMin) DepassementOppose (A, P);
        return -A;
    }

    // Un calcul reel dont le resultat n'est pas un nombre fini (_NonFini).
    // Types : les types C++ des operandes d'un calcul reel (un entier y est converti) :
    // ReelGaucheEntier, ReelGaucheNaturel, ReelDroiteEntier, ReelDroiteNaturel ; le message les
    // ecrit dans leur type.
    enum : unsigned { ReelGaucheEntier = 1, ReelGaucheNaturel = 2, ReelDroiteEntier = 4, ReelDroiteNaturel = 8 };
    [[noreturn]] void NonFini (double A, const char * Op, double B, double R, unsigned Types, Pos P);

    // _Calcul entre reels : le resultat doit rester fini.
    inline double Reel (double R, double A, const char * Op, double B, unsigned Types, Pos P)
    {
        if (__builtin_expect (! __builtin_isfinite (R), 0)) NonFini (A, Op, B, R, Types, P);
        return R;
    }

    // _Div entre reels : pas d'infini ni de nan par une division (la note de la division par
    // zero depend du type de l'operande gauche).
    inline double DivReel (double A, double B, unsigned Types, Pos P)
    {
        if (B == 0) DivisionReelleParZero (A, Types, P);
        return Reel (A / B, A, " / ", B, Types, P);
    }

    // _Avancer, _Reculer : la variable d'un pour ne va pas au-dela du plus grand (du plus petit)
    // entier ; son nom est celui de la position (NomMarque).
    [[noreturn]] void FinPour (std::int64_t I, bool Monte, Pos P);

    // _Rang : un caractere au-dela de 127 est negatif en C++.
    [[noreturn]] void RangNegatif (char C, Pos P);

    // Conversions vers le type d'une cible : _Naturel, _EntierDeReel, _NaturelDeReel.
    inline std::int64_t Naturel (std::int64_t V, Pos P)
    {
        if (V < 0) NaturelNegatif (V, P);
        return V;
    }

    inline std::int64_t EntierDeReel (double V, Pos P)
    {
        // -2^63 - 1 n'a pas d'ecriture double : la borne basse est -2^63 comprise (_Vers).
        if (! (V >= -9223372036854775808.0 && V < 9223372036854775808.0)) HorsType (V, "entier", P);
        return static_cast <std::int64_t> (V);
    }

    inline std::int64_t NaturelDeReel (double V, Pos P)
    {
        // Jusqu'a 2^64 exclu : un entier_naturel est non signe.
        if (! (V > -1.0 && V < 18446744073709551616.0)) HorsType (V, "entier_naturel", P);
        return static_cast <std::int64_t> (static_cast <std::uint64_t> (V));
    }

    // _Indice : de 0 a la taille moins un (Chaine : le message d'une chaine vide).
    inline std::size_t Indice (std::size_t Taille, std::int64_t I, bool Chaine, Pos P)
    {
        if (I < 0 || static_cast <std::uint64_t> (I) >= Taille) HorsBornes (I, Taille, Chaine, P);
        return static_cast <std::size_t> (I);
    }

    // _Taille, _Allonger, _Redimensionner : au plus TailleMax elements ou caracteres.
    constexpr std::int64_t TailleMax = 100000000;

    inline std::size_t Taille (std::int64_t N, Pos P)
    {
        if (N < 0 || N > TailleMax) TailleInvalide (N, P);
        return static_cast <std::size_t> (N);
    }

    // La nouvelle taille apres allonger (x, N) d'un objet de Avant elements.
    inline std::size_t Allonger (std::size_t Avant, std::int64_t N, Pos P)
    {
        const std::int64_t A = static_cast <std::int64_t> (Avant);
        if (N < 0 || N > TailleMax - A) AllongerInvalide (A, N, P);
        return static_cast <std::size_t> (A + N);
    }

    inline std::size_t Redimensionner (std::int64_t N, Pos P)
    {
        if (N < 0 || N > TailleMax) RedimensionnerInvalide (N, P);
        return static_cast <std::size_t> (N);
    }

    // _Saisir : ce que le mot lu doit etre. Les types saisis, dans l'ordre des messages.
    enum class ESaisie : unsigned char { Entier, Naturel, Booleen, Reel, Chaine, Caractere };

    // _MauvaiseSaisie : Mot vide pour la fin de l'entree.
    [[noreturn]] void MauvaiseSaisie (const std::string & Nom, ESaisie Type, const std::string & Mot,
                                      bool Deborde, Pos P);
    // _LireEntier : un entier decimal, signe compris ; Deborde s'il ne tient pas sur 64 bits.
    bool LireEntier (const std::string & Mot, std::int64_t & V, bool & Deborde);
    // La valeur saisie d'un mot (Entier, Naturel, Booleen, Reel), ou l'erreur de _Saisir.
    std::int64_t SaisirEntier (const std::string & Mot, ESaisie Type, const std::string & Nom, Pos P);
    double SaisirReel (const std::string & Mot, const std::string & Nom, Pos P);

    // Rand (Min, Max) : Min negatif compte pour 0 ; Tirer rend 63 bits au hasard.
    template <class FTirer>
    std::int64_t Rand (std::int64_t Min, std::int64_t Max, FTirer Tirer)
    {
        if (Min < 0) Min = 0;
        if (Max <= Min) return Min;
        const std::uint64_t Nb = static_cast <std::uint64_t> (Max) - static_cast <std::uint64_t> (Min) + 1;
        const std::uint64_t Plafond = (std::uint64_t (1) << 63) - (std::uint64_t (1) << 63) % Nb;
        std::uint64_t X;
        do X = Tirer ();
        while (X >= Plafond);
        return Min + static_cast <std::int64_t> (X % Nb);
    }
}

namespace nsTramelo::nsControles
{
    // Les types C++ des entiers du programme compile, pour les calculs ou entre un entier_naturel
    // (taille, rang : long unsigned) : drapeaux d'une operation (X du code).
    enum : unsigned
    {
        GaucheNaturel = 1,   // l'operande gauche est non signe
        DroiteNaturel = 2,   // l'operande droit est non signe
        Modulaire = 4,       // _Mod : le resultat va dans une cible signee (calcul modulo 2^64)
        RelireGauche = 8,    // _IG : l'operande gauche, un tel calcul, est relu en signe
        RelireDroite = 16,   // _ID
        CalculInt = 32       // deux int : le calcul se fait sur 32 bits
    };

    // _Vers <int> : la valeur (non signee si Naturel) doit tenir dans un int.
    std::int64_t VersInt (std::int64_t V, bool Naturel, Pos P);
    // _Vers <long> d'un entier_naturel.
    std::int64_t EntierDeNaturel (std::int64_t V, Pos P);

    // _Plus, _Moins, _Fois (Op : '+', '-', '*') selon les drapeaux : le resultat (ses 64 bits)
    // ou l'erreur du programme compile.
    std::int64_t CalculType (char Op, std::int64_t A, std::int64_t B, unsigned Drapeaux, Pos P);
    // _Div, _Modulo entre un entier_naturel et un autre entier.
    std::int64_t DivisionType (bool Modulo, std::int64_t A, std::int64_t B, unsigned Drapeaux, Pos P);
    // _Comparer : Op de 0 (vaut) a 5 (>=), comme le C++ compare, controle contre le resultat exact.
    bool ComparerType (unsigned Op, std::int64_t A, std::int64_t B, unsigned Drapeaux, Pos P);
    // _Oppose d'un entier_naturel.
    std::int64_t OpposeType (std::int64_t A, unsigned Drapeaux, Pos P);
}
