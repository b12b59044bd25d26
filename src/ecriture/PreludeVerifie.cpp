// Le prelude du profil verifie : les memes en-tetes que le prelude standard (un autre en-tete
// apporterait des noms et des macros qui rendraient invalides des sources que Tramelo accepte),
// les memes types de tableaux, puis les controles appeles par le C++ produit et Rand.
//
// La regle des controles : chaque valeur du programme verifie a le meme type C++ que dans le
// profil standard (les controles sont des modeles de fonctions qui calculent dans les types de
// leurs operandes), et chaque operation rend le resultat mathematique ou arrete le programme.
// Un programme qui va au bout calcule donc exactement ce que calcule le C++ standard.
#include "ecriture/EcrivainVerifie.h"

#include "driver/Tramelo.h"

namespace nsTramelo
{
    namespace
    {
        const char * const PremiereLigne =
            "// fichier Source (profil verifie : le programme controle ses erreurs d'execution)\n";

        // Apres la ligne "const char * const _Source = ...;".
        const char * const Controles = R"PRELUDE(
} // namespace

// Ce que le programme demande au systeme (limites de la pile, environnement), declare ici plutot
// qu'en incluant un en-tete de plus, qui apporterait ses macros.
namespace _Systeme
{
    struct _Limite { unsigned long _Courante, _Maximale; };
    extern "C" int getrlimit (int, _Limite *) noexcept;
    extern "C" char ** environ;
}

namespace
{
    // Controles du profil verifie. Une erreur d'execution est ecrite en francais sur l'erreur
    // standard, au format de GCC (source:ligne:colonne: erreur : message), suivie de lignes
    // "note : ..." et "aide : ...", apres ce que le programme a deja affiche ; le programme
    // s'arrete alors avec le statut 1.
    //
    // Chaque valeur a le meme type C++ que dans le profil standard (les controles sont des
    // modeles qui calculent dans le type de leurs operandes) et chaque operation rend le
    // resultat mathematique ou arrete le programme : un programme qui va au bout calcule
    // exactement ce que calcule le C++ standard.
    inline std::ostream & _Signaler (int _Ligne, int _Colonne)
    {
        std::cout.flush ();
        return std::cerr << _Source << ':' << _Ligne << ':' << _Colonne << ": erreur : ";
    }

    inline std::ostream & _SignalerSansPosition ()
    {
        std::cout.flush ();
        return std::cerr << _Source << ": erreur : ";
    }

    inline std::ostream & _Note () { return std::cerr << "\nnote : "; }
    inline std::ostream & _Aide () { return std::cerr << "\naide : "; }

    // Les notes connues a la traduction (boucle en cours, variable de pour...), deja prefixees.
    inline void _Notes (const char * _N)
    {
        if (_N != nullptr && * _N != '\0') std::cerr << '\n' << _N;
    }

    [[noreturn]] inline void _Arreter ()
    {
        std::cerr << std::endl;
        std::exit (1);
    }

    // --- Les types C++ des calculs ---
    // entier : long int ; entier_naturel, taille, rang : long unsigned ; nombre entier ecrit dans
    // le source, fonction entier, Rand : int ; variable de pour : long long int ; reel : double.

    template <class _T> constexpr bool _EstEntier = std::is_integral_v <_T> && ! std::is_same_v <_T, bool>
                                                   && ! std::is_same_v <_T, char>;

    template <class _T> inline bool _Negatif (_T _V)
    {
        if constexpr (std::is_signed_v <_T> || std::is_floating_point_v <_T>) return _V < 0;
        else return false;
    }

    template <class _T> const char * _NomType ()
    {
        if constexpr (std::is_floating_point_v <_T>) return "reel";
        else if constexpr (sizeof (_T) < sizeof (long)) return "int";
        else if constexpr (std::is_signed_v <_T>) return "entier";
        else return "entier_naturel";
    }

    template <class _T> inline std::ostream & _Domaine (std::ostream & _Flux)
    {
        return _Flux << " (de " << std::numeric_limits <_T>::min () << " à " << std::numeric_limits <_T>::max () << ")";
    }

    // Un entier de 128 bits (un resultat mathematique) en decimal.
    struct _Grand { __int128 _V; };
    inline std::ostream & operator<< (std::ostream & _Flux, _Grand _G)
    {
        char _Chiffres [48];
        int _n = 0;
        unsigned __int128 _U = _G._V < 0 ? - static_cast <unsigned __int128> (_G._V) : static_cast <unsigned __int128> (_G._V);
        do
        {
            _Chiffres [_n++] = static_cast <char> ('0' + static_cast <int> (_U % 10));
            _U /= 10;
        }
        while (_U != 0);
        if (_G._V < 0) _Flux << '-';
        while (_n > 0) _Flux << _Chiffres [--_n];
        return _Flux;
    }

    // Un operande droit negatif est entre parentheses : 5 - (-3).
    template <class _T> struct _Operande { _T _V; };
    template <class _T> inline std::ostream & operator<< (std::ostream & _Flux, _Operande <_T> _O)
    {
        return _Negatif (_O._V) ? _Flux << '(' << _O._V << ')' : _Flux << _O._V;
    }

    // Les operandes d'une operation, evalues de gauche a droite : les elements d'une liste entre
    // accolades le sont, les parametres d'un appel de fonction non.
    template <class _A, class _B> struct _Deux { _A _G; _B _D; };
    template <class _A, class _B> _Deux (_A, _B) -> _Deux <_A, _B>;

    // Drapeaux des +, -, * et du moins unaire. _Mod : le resultat va, par des +, - et *, dans une
    // cible signee (entier, borne de pour, renvoie d'une fonction entier) ; le C++ standard y
    // calcule modulo 2^64 puis relit la valeur en signe : un calcul en entier_naturel peut donc y
    // passer par une valeur negative. _IG, _ID : l'operande gauche, droit, est un tel calcul (sa
    // valeur entier_naturel est a relire en signe).
    enum : unsigned { _Mod = 1, _IG = 2, _ID = 4 };

    template <bool _Relire, class _T> inline auto _Math (_T _V)
    {
        if constexpr (_Relire && std::is_unsigned_v <_T> && sizeof (_T) == 8) return static_cast <long long> (_V);
        else return _V;
    }

    // Ce que le C++ standard calcule, dans le type commun des operandes.
    template <class _A, class _B> inline auto _Brut (char _Op, _A _G, _B _D)
    {
        using _R = decltype (_G + _D);
        const _R _g = static_cast <_R> (_G), _d = static_cast <_R> (_D);
        return _Op == '+' ? _R (_g + _d) : _Op == '-' ? _R (_g - _d) : _R (_g * _d);
    }

    // Une valeur qui est celle des elements jamais remplis d'un tableau entier ou entier_naturel.
    template <class _T> inline void _NoteRemplissage (_T _V)
    {
        if constexpr (_EstEntier <_T> && sizeof (_T) == 8)
            if (_V == std::numeric_limits <_T>::max ())
                _Note () << _V << " est la valeur des éléments d'un tableau " << _NomType <_T> ()
                         << " qui n'ont pas encore reçu de valeur";
    }

    template <class _A, class _B> inline void _NoteNegatifConverti (_A _G, _B _D)
    {
        _Note () << "en C++, un calcul ou une comparaison entre un entier et un entier_naturel (variable entier_naturel, "
                    "taille, rang) se fait en entier_naturel, sans signe : ";
        if (_Negatif (_G)) std::cerr << _G << " y devient " << static_cast <unsigned long> (_G);
        else std::cerr << _D << " y devient " << static_cast <unsigned long> (_D);
    }

    inline void _AideNegatifConverti ()
    {
        _Aide () << "recopiez d'abord la valeur entier_naturel dans une variable entier (par exemple « n <- taille (t); ») "
                    "pour calculer en entier";
    }

    // Un +, -, * entre entiers dont le resultat ne tient pas dans le type ou il est calcule.
    template <class _R, class _Dom, class _A, class _B>
    [[noreturn, gnu::cold, gnu::noinline]] void _Deborde (char _Op, _A _G, _B _D, int _Ligne, int _Colonne, const char * _N)
    {
        const __int128 _g = static_cast <__int128> (_G), _d = static_cast <__int128> (_D);
        const _Grand _Exact { _Op == '+' ? _g + _d : _Op == '-' ? _g - _d : _g * _d };
        const char _Texte [] = { ' ', _Op, ' ', '\0' };
        if (std::is_unsigned_v <_Dom> && (_Negatif (_G) || _Negatif (_D)))
        {
            _Signaler (_Ligne, _Colonne) << "Entier négatif converti en entier_naturel : " << _G << _Texte
                << _Operande <_B> { _D } << " donnerait " << _Brut (_Op, _G, _D) << " (au lieu de " << _Exact << ")";
            _NoteNegatifConverti (_G, _D);
            _Notes (_N);
            _AideNegatifConverti ();
        }
        else
        {
            _Domaine <_Dom> (_Signaler (_Ligne, _Colonne) << "Dépassement de capacité : " << _G << _Texte << _Operande <_B> { _D }
                             << " ne tient pas dans un " << _NomType <_Dom> ());
            if constexpr (std::is_unsigned_v <_Dom>)
                _Note () << "en C++, les entier_naturel, taille et rang sont sans signe : ce calcul se fait en "
                            "entier_naturel et donnerait " << _Brut (_Op, _G, _D);
            else if constexpr (sizeof (_Dom) < sizeof (long))
                _Note () << "en C++, un nombre entier écrit dans le source (comme 1000), une fonction entier et Rand sont "
                            "des int, sur 32 bits : un calcul entre deux int se fait sur 32 bits";
            _NoteRemplissage (_G);
            _NoteRemplissage (_D);
            _Notes (_N);
            if constexpr (std::is_unsigned_v <_Dom>)
                _Aide () << "pour un calcul qui peut devenir négatif, recopiez d'abord la valeur dans une variable entier";
            else if constexpr (sizeof (_Dom) < sizeof (long))
                _Aide () << "faites le calcul sur 64 bits : rangez d'abord un des nombres dans une variable entier";
        }
        _Arreter ();
    }

    // Un calcul reel dont le resultat n'est pas un nombre fini.
    [[noreturn, gnu::cold, gnu::noinline]] inline void _NonFini (double _G, const char * _Op, double _D, double _R,
                                                                 int _Ligne, int _Colonne, const char * _N)
    {
        _Signaler (_Ligne, _Colonne) << "Dépassement de capacité : " << _G << _Op << _Operande <double> { _D }
            << " ne tient pas dans un reel";
        _Note () << "en C++, le résultat serait " << _R << (_R != _R ? " (pas un nombre)" : " (un infini)")
                 << ", et les calculs suivants seraient faux, sans message";
        _Notes (_N);
        _Arreter ();
    }

    template <char _Op, unsigned _F, class _A, class _B>
    inline auto _Calcul (_Deux <_A, _B> _O, int _Ligne, int _Colonne, const char * _N)
    {
        using _R = decltype (_O._G + _O._D);
        if constexpr (std::is_floating_point_v <_R>)
        {
            const _R _Res = _Op == '+' ? _O._G + _O._D : _Op == '-' ? _O._G - _O._D : _O._G * _O._D;
            if (__builtin_expect (! __builtin_isfinite (_Res), 0))
            {
                const char _Texte [] = { ' ', _Op, ' ', '\0' };
                _NonFini (_O._G, _Texte, _O._D, _Res, _Ligne, _Colonne, _N);
            }
            return _Res;
        }
        else
        {
            const auto _G = _Math <(_F & _IG) != 0> (_O._G);
            const auto _D = _Math <(_F & _ID) != 0> (_O._D);
            using _Dom = std::conditional_t <(_F & _Mod) != 0 && std::is_unsigned_v <_R> && sizeof (_R) == 8, long long, _R>;
            _Dom _Res;
            const bool _Hors = _Op == '+' ? __builtin_add_overflow (_G, _D, & _Res)
                             : _Op == '-' ? __builtin_sub_overflow (_G, _D, & _Res)
                             : __builtin_mul_overflow (_G, _D, & _Res);
            if (__builtin_expect (_Hors, 0)) _Deborde <_R, _Dom> (_Op, _G, _D, _Ligne, _Colonne, _N);
            return static_cast <_R> (_Res);
        }
    }

    template <unsigned _F, class _A, class _B>
    inline auto _Plus (_Deux <_A, _B> _O, int _L, int _C, const char * _N = nullptr) { return _Calcul <'+', _F> (_O, _L, _C, _N); }
    template <unsigned _F, class _A, class _B>
    inline auto _Moins (_Deux <_A, _B> _O, int _L, int _C, const char * _N = nullptr) { return _Calcul <'-', _F> (_O, _L, _C, _N); }
    template <unsigned _F, class _A, class _B>
    inline auto _Fois (_Deux <_A, _B> _O, int _L, int _C, const char * _N = nullptr) { return _Calcul <'*', _F> (_O, _L, _C, _N); }

    // Le moins unaire.
    template <unsigned _F, class _A>
    inline auto _Oppose (_A _V, int _Ligne, int _Colonne, const char * _N = nullptr)
    {
        using _R = decltype (-_V);
        if constexpr (std::is_floating_point_v <_R>) return -_V;
        else
        {
            const auto _M = _Math <(_F & _IG) != 0> (_V);
            using _Dom = std::conditional_t <(_F & _Mod) != 0 && std::is_unsigned_v <_R> && sizeof (_R) == 8, long long, _R>;
            _Dom _Res;
            if (__builtin_expect (__builtin_sub_overflow (0, _M, & _Res), 0))
            {
                _Domaine <_Dom> (_Signaler (_Ligne, _Colonne) << "Dépassement de capacité : -" << _Operande <decltype (_M)> { _M }
                                 << " ne tient pas dans un " << _NomType <_Dom> ());
                if constexpr (std::is_unsigned_v <_Dom>)
                    _Note () << "en C++, l'opposé d'un entier_naturel (variable entier_naturel, taille, rang) reste un "
                                "entier_naturel, sans signe : il vaudrait " << static_cast <_R> (-_V);
                _NoteRemplissage (_M);
                _Notes (_N);
                if constexpr (std::is_unsigned_v <_Dom>) _Aide () << "recopiez d'abord la valeur dans une variable entier";
                _Arreter ();
            }
            return static_cast <_R> (_Res);
        }
    }

    template <class _A>
    [[noreturn, gnu::cold, gnu::noinline]] void _DivZero (bool _Modulo, _A _G, int _Ligne, int _Colonne, const char * _N)
    {
        std::ostream & _Flux = _Signaler (_Ligne, _Colonne) << "Division par zéro : ";
        if (_Modulo) _Flux << "modulo (" << _G << ", 0)";
        else _Flux << _G << " / 0";
        if constexpr (std::is_floating_point_v <_A>)
            _Note () << "en C++, une division réelle par zéro donnerait inf ou nan (pas un nombre), sans message";
        _Notes (_N);
        _Arreter ();
    }

    // Division (et modulo) dont le resultat C++ n'est pas le quotient (le reste) mathematique.
    template <class _R, class _A, class _B>
    [[noreturn, gnu::cold, gnu::noinline]] void _DivFausse (bool _Modulo, _A _G, _B _D, int _Ligne, int _Colonne, const char * _N)
    {
        const __int128 _g = static_cast <__int128> (_G), _d = static_cast <__int128> (_D);
        const _Grand _Exact { _Modulo ? _g % _d : _g / _d };
        const bool _Converti = std::is_unsigned_v <_R> && (_Negatif (_G) || _Negatif (_D));
        std::ostream & _Flux = _Signaler (_Ligne, _Colonne)
            << (_Converti ? "Entier négatif converti en entier_naturel : " : "Dépassement de capacité : ");
        if (_Modulo) _Flux << "modulo (" << _G << ", " << _D << ")";
        else _Flux << _G << " / " << _Operande <_B> { _D };
        if (_Converti)
        {
            const _R _gc = static_cast <_R> (_G), _dc = static_cast <_R> (_D);
            _Flux << " donnerait " << (_Modulo ? _gc % _dc : _gc / _dc) << " (au lieu de " << _Exact << ")";
            _NoteNegatifConverti (_G, _D);
            _Notes (_N);
            _AideNegatifConverti ();
        }
        else
        {
            _Domaine <_R> (_Flux << " ne tient pas dans un " << _NomType <_R> ());
            _Note () << "en C++, le plus petit " << _NomType <_R> () << " divisé par -1 a un comportement indéfini";
            _Notes (_N);
        }
        _Arreter ();
    }

    template <bool _Modulo, class _A, class _B>
    inline auto _Division (_Deux <_A, _B> _O, int _Ligne, int _Colonne, const char * _N)
    {
        using _R = decltype (_O._G / _O._D);
        if (__builtin_expect (_O._D == 0, 0)) _DivZero (_Modulo, _O._G, _Ligne, _Colonne, _N);
        if constexpr (std::is_floating_point_v <_R>)
        {
            const _R _Res = _O._G / _O._D;
            if (__builtin_expect (! __builtin_isfinite (_Res), 0)) _NonFini (_O._G, " / ", _O._D, _Res, _Ligne, _Colonne, _N);
            return _Res;
        }
        else
        {
            const _R _g = static_cast <_R> (_O._G), _d = static_cast <_R> (_O._D);
            if constexpr (std::is_signed_v <_R>)
            {
                // Entre entiers signes, seul le plus petit divise par -1 deborde.
                if (__builtin_expect (_d == -1 && _g == std::numeric_limits <_R>::min (), 0))
                    _DivFausse <_R> (_Modulo, _O._G, _O._D, _Ligne, _Colonne, _N);
            }
            else if constexpr (std::is_signed_v <_A> || std::is_signed_v <_B>)
            {
                // Un operande negatif converti en entier_naturel : le resultat doit rester le
                // quotient (le reste) mathematique.
                if (__builtin_expect (_Negatif (_O._G) || _Negatif (_O._D), 0))
                {
                    const __int128 _Exact = _Modulo ? static_cast <__int128> (_O._G) % static_cast <__int128> (_O._D)
                                                    : static_cast <__int128> (_O._G) / static_cast <__int128> (_O._D);
                    if (_Exact < 0 || static_cast <__int128> (_Modulo ? _g % _d : _g / _d) != _Exact)
                        _DivFausse <_R> (_Modulo, _O._G, _O._D, _Ligne, _Colonne, _N);
                }
            }
            return _Modulo ? _R (_g % _d) : _R (_g / _d);
        }
    }

    template <class _A, class _B>
    inline auto _Div (_Deux <_A, _B> _O, int _L, int _C, const char * _N = nullptr) { return _Division <false> (_O, _L, _C, _N); }
    // Le reste a le signe du dividende, comme dans le profil standard.
    template <class _A, class _B>
    inline auto _Modulo (_Deux <_A, _B> _O, int _L, int _C, const char * _N = nullptr) { return _Division <true> (_O, _L, _C, _N); }

    // Comparaisons. Entre un entier negatif et un entier_naturel, le C++ standard compare apres
    // avoir converti l'entier en entier_naturel : le resultat peut etre faux.
    enum _Comparateur { _Egal, _Different, _Inf, _InfEgal, _Sup, _SupEgal };

    template <_Comparateur _Op, class _A, class _B> inline bool _Compare (const _A & _G, const _B & _D)
    {
        switch (_Op)
        {
            case _Egal      : return _G == _D;
            case _Different : return _G != _D;
            case _Inf       : return _G < _D;
            case _InfEgal   : return _G <= _D;
            case _Sup       : return _G > _D;
            default         : return _G >= _D;
        }
    }

    template <_Comparateur _Op, class _A, class _B>
    inline bool _Comparer (_Deux <_A, _B> _O, int _Ligne, int _Colonne, const char * _N = nullptr)
    {
        if constexpr (std::is_arithmetic_v <_A> && std::is_arithmetic_v <_B>)
        {
            // Les deux operandes sont convertis dans leur type commun, comme en C++.
            using _C = decltype (_O._G + _O._D);
            const bool _Cpp = _Compare <_Op> (static_cast <_C> (_O._G), static_cast <_C> (_O._D));
            if constexpr (_EstEntier <_A> && _EstEntier <_B> && std::is_unsigned_v <_C>
                          && (std::is_signed_v <_A> || std::is_signed_v <_B>))
            {
                if (__builtin_expect (_Negatif (_O._G) || _Negatif (_O._D), 0))
                {
                    const bool _Exact = _Compare <_Op> (static_cast <__int128> (_O._G), static_cast <__int128> (_O._D));
                    if (_Cpp != _Exact)
                    {
                        static const char * const _Textes [] = { " vaut ", " ne_vaut_pas ", " < ", " <= ", " > ", " >= " };
                        _Signaler (_Ligne, _Colonne) << "Entier négatif converti en entier_naturel : " << _O._G << _Textes [_Op]
                            << _O._D << " donnerait " << (_Cpp ? "vrai" : "faux") << " (au lieu de " << (_Exact ? "vrai" : "faux") << ")";
                        _NoteNegatifConverti (_O._G, _O._D);
                        _Notes (_N);
                        _AideNegatifConverti ();
                        _Arreter ();
                    }
                }
            }
            return _Cpp;
        }
        else return _Compare <_Op> (_O._G, _O._D);
    }

    // Conversions vers le type d'une cible (affectation, renvoie, parametre in, constante, borne).
    [[noreturn, gnu::cold, gnu::noinline]] inline void _HorsType (double _V, const char * _Type, int _Ligne, int _Colonne, const char * _N)
    {
        _Signaler (_Ligne, _Colonne) << "La valeur " << _V << " ne tient pas dans un " << _Type;
        _Note () << "un reel devient un entier en perdant sa partie décimale : la partie entière doit tenir dans le type";
        _Notes (_N);
        _Arreter ();
    }

    template <class _T, class _V>
    [[noreturn, gnu::cold, gnu::noinline]] void _HorsEntier (_V _X, int _Ligne, int _Colonne, const char * _N)
    {
        if (std::is_unsigned_v <_T> && _Negatif (_X))
        {
            _Signaler (_Ligne, _Colonne) << "Valeur négative pour un entier_naturel : " << _X;
            _Note () << "un entier_naturel ne peut pas être négatif ; en C++, la valeur deviendrait " << static_cast <_T> (_X)
                     << ", sans message";
        }
        else
        {
            _Domaine <_T> (_Signaler (_Ligne, _Colonne) << "La valeur " << _X << " ne tient pas dans un " << _NomType <_T> ());
            _NoteRemplissage (_X);
        }
        _Notes (_N);
        _Arreter ();
    }

    template <class _T, bool _Relire = false, class _V>
    inline _T _Vers (_V _X, int _Ligne, int _Colonne, const char * _N = nullptr)
    {
        if constexpr (std::is_floating_point_v <_V> && _EstEntier <_T>)
        {
            // Un reel perd sa partie decimale : il faut -2^k - 1 < x < 2^k (ou -1 < x < 2^k).
            constexpr double _Haut = std::is_signed_v <_T> ? static_cast <double> (std::numeric_limits <_T>::max ()) + 1.0
                                                           : 2.0 * static_cast <double> (std::numeric_limits <_T>::max () / 2 + 1);
            constexpr double _Bas = std::is_signed_v <_T> ? -_Haut : 0.0;
            if (__builtin_expect (! ((_X >= _Bas || _X > _Bas - 1.0) && _X < _Haut), 0))
                _HorsType (_X, _NomType <_T> (), _Ligne, _Colonne, _N);
            return static_cast <_T> (_X);
        }
        else if constexpr (_EstEntier <_V> && _EstEntier <_T>)
        {
            const auto _M = _Math <_Relire> (_X);
            _T _R;
            if (__builtin_expect (__builtin_add_overflow (_M, 0, & _R), 0)) _HorsEntier <_T> (_M, _Ligne, _Colonne, _N);
            return _R;
        }
        else return _X;
    }

    // Indices : de 0 a la taille moins un.
    template <class _I>
    [[noreturn, gnu::cold, gnu::noinline]] void _HorsBornes (_I _X, unsigned long _Taille, bool _Chaine, const char * _Nom,
                                                           int _Ligne, int _Colonne, const char * _N)
    {
        std::ostream & _Flux = _Signaler (_Ligne, _Colonne) << "Indice invalide : " << _X;
        if (_Taille == 0) _Flux << ", " << (_Chaine ? "la chaîne est vide" : "le tableau est vide");
        else _Flux << " hors de 0.." << _Taille - 1;
        if (_Taille == 0)
            _Note () << (_Chaine ? "la chaîne " : "le tableau ") << _Nom << " est vide (taille (" << _Nom << ") vaut 0)";
        else
            _Note () << (_Chaine ? "la chaîne " : "le tableau ") << _Nom << " a " << _Taille
                     << (_Chaine ? " caractère" : " élément") << (_Taille > 1 ? "s" : "") << " (taille (" << _Nom << ") vaut "
                     << _Taille << ") : ses indices vont de 0 à " << _Taille - 1;
        _NoteRemplissage (_X);
        _Notes (_N);
        if (_Taille == 0 && ! _Chaine) _Aide () << "allongez le tableau (allonger, redimensionner) avant d'y ranger une valeur";
        _Arreter ();
    }

    template <class _Objet, class _I>
    inline std::size_t _Indice (const _Objet & _O, _I _X, int _Ligne, int _Colonne, const char * _Nom, const char * _N = nullptr)
    {
        if (__builtin_expect (_Negatif (_X) || static_cast <unsigned long> (_X) >= _O.size (), 0))
            _HorsBornes (_X, _O.size (), std::is_same_v <_Objet, std::string>, _Nom, _Ligne, _Colonne, _N);
        return static_cast <std::size_t> (_X);
    }

    // rang : le C++ standard convertit le caractere (signe) en entier_naturel.
    inline unsigned long _Rang (char _C, int _Ligne, int _Colonne, const char * _N = nullptr)
    {
        if (__builtin_expect (_C < 0, 0))
        {
            _Signaler (_Ligne, _Colonne) << "Caractère au-delà de 127 pour rang : l'octet "
                << static_cast <int> (static_cast <unsigned char> (_C)) << " vaut " << static_cast <int> (_C)
                << " en C++, et rang donnerait " << static_cast <unsigned long> (_C);
            _Note () << "en C++, un caractere est signé (de -128 à 127) ; un caractère accentué s'écrit sur plusieurs "
                        "octets (UTF-8), tous au-delà de 127";
            _Notes (_N);
            _Arreter ();
        }
        return static_cast <unsigned long> (_C);
    }

    // --- Memoire ---
    // Tout ce que le programme alloue passe par operator new (plus bas), qui compte les octets
    // occupes et s'arrete a la limite (TRAMELO_MEMOIRE Mio, 2048 par defaut) : un calcul qui
    // s'emballe finit par un message, pas par une machine saturee. _Ici retient la position du
    // dernier calcul du source qui alloue (chaine, tableau, copie).
    unsigned long _MemoireOccupee = 0;
    unsigned long _MemoireLimite = 2048UL << 20;
    unsigned long _LimiteMio = 2048;
    int _IciLigne = 0, _IciColonne = 0;

    inline void _Ici (int _Ligne, int _Colonne)
    {
        _IciLigne = _Ligne;
        _IciColonne = _Colonne;
    }

    inline unsigned long _Mio (unsigned long _Octets) { return (_Octets >> 20) + ((_Octets & ((1UL << 20) - 1)) != 0); }

    // _Nb elements (ou caracteres) de _Taille octets demandes ; _Nb nul : une allocation quelconque.
    // _Systeme : c'est le systeme qui a refuse la memoire, avant la limite.
    [[noreturn, gnu::cold, gnu::noinline]] inline void _MemoireInsuffisante (unsigned long _Demande, unsigned long _Nb,
                                                                            bool _Caracteres, unsigned long _Taille,
                                                                            bool _Refus = false)
    {
        _MemoireLimite = static_cast <unsigned long> (-1);   // le message peut allouer
        std::ostream & _Flux = (_IciLigne > 0 ? _Signaler (_IciLigne, _IciColonne) : _SignalerSansPosition ())
            << "Mémoire insuffisante";
        if (_Nb > 0)
        {
            _Flux << " : " << _Nb << (_Caracteres ? " caractères" : " éléments");
            if (! _Caracteres && _Taille > 0) _Flux << " de " << _Taille << " octets";
            _Flux << " demandent " << _Mio (_Demande) << " Mio";
        }
        std::ostream & _N = _Note ();
        if (_MemoireOccupee > 0 || _Nb == 0) _N << "le programme occupe " << _Mio (_MemoireOccupee) << " Mio";
        if (_Nb == 0 && _Demande > 0) _N << " et en demande " << _Mio (_Demande) << " de plus";
        if (_MemoireOccupee > 0 || _Nb == 0) _N << " ; ";
        if (_Refus) _N << "le système refuse d'en donner davantage (mémoire de la machine, ulimit -v)";
        else _N << "la mémoire permise est de " << _LimiteMio << " Mio";
        _Aide () << "vérifiez qu'une chaîne ou un tableau ne grandit pas sans fin, ou qu'une récursion qui déclare un "
                    "tableau s'arrête ; la mémoire permise se règle par l'option --memoire de tramelo-exec ou la variable d'environnement TRAMELO_MEMOIRE (en Mio)";
        _Arreter ();
    }

    template <class _E> inline unsigned long _Octets (unsigned long _N)
    {
        if constexpr (std::is_same_v <_E, bool>) return (_N + 7) / 8;
        else return _N * sizeof (_E);
    }

    // Une taille demandee doit tenir dans ce qui reste de la memoire permise.
    template <class _E> inline void _Place (unsigned long _N)
    {
        const unsigned long _O = _Octets <_E> (_N);
        if (__builtin_expect (_O > _MemoireLimite || _MemoireOccupee > _MemoireLimite - _O, 0))
            _MemoireInsuffisante (_O, _N, std::is_same_v <_E, char>, std::is_same_v <_E, bool> ? 0 : sizeof (_E));
    }

    // Tailles : au plus _TailleMax elements ou caracteres, pour qu'un calcul faux finisse par un
    // message plutot que par un manque de memoire.
    const long _TailleMax = 100000000;

    template <class _E, class _T>
    inline std::size_t _TailleDeclaree (_T _N, int _Ligne, int _Colonne)
    {
        _Ici (_Ligne, _Colonne);
        if (__builtin_expect (_Negatif (_N) || _N > static_cast <_T> (_TailleMax), 0))
        {
            std::ostream & _Flux = _Signaler (_Ligne, _Colonne);
            if (_Negatif (_N)) _Flux << "Taille négative : " << _N;
            else _Flux << "Taille trop grande : " << _N << " (au plus " << _TailleMax << ")";
            _NoteRemplissage (_N);
            _Arreter ();
        }
        _Place <_E> (static_cast <unsigned long> (_N));
        return static_cast <std::size_t> (_N);
    }

    // Les references vers un element d'un tableau ou d'une chaine, passees a une unite qui recoit
    // aussi un tableau (une chaine) de ce type par reference : allonger, redimensionner, affecter
    // ou saisir ce tableau pendant l'appel peut deplacer ses elements et laisser la reference
    // designer une memoire liberee. Chaque appel de ce genre inscrit sa reference le temps de
    // l'appel.
    struct _Lien
    {
        const void * _Objet;
        std::size_t  _Indice;
        const void * _Adresse;
        const char * _Conteneur;   // le tableau (la chaine) et l'element, tels qu'ecrits dans l'appel
        const char * _Element;
        const char * _Unite;
        int          _Ligne, _Colonne;
        _Lien *      _Precedent;
    };
    _Lien * _Liens = nullptr;

    template <class _Objet> struct _Reference
    {
        _Lien _L;
        typename _Objet::reference _R;
        _Reference (_Objet & _O, std::size_t _I, const char * _Conteneur, const char * _Element, const char * _Unite,
                    int _Ligne, int _Colonne)
            : _L { & _O, _I, & _O [_I], _Conteneur, _Element, _Unite, _Ligne, _Colonne, _Liens }, _R (_O [_I])
        {
            _Liens = & _L;
        }
        ~_Reference () { _Liens = _L._Precedent; }
        _Reference (const _Reference &) = delete;
        _Reference & operator= (const _Reference &) = delete;
    };

    [[noreturn, gnu::cold, gnu::noinline]] inline void _ReferenceInvalidee (const _Lien & _L, bool _Chaine, const char * _Operation,
                                                                           const char * _Nom, int _Ligne, int _Colonne)
    {
        _Signaler (_Ligne, _Colonne) << "Référence invalidée : " << _Operation << " a déplacé "
            << (_Chaine ? "les caractères de " : "les éléments de ") << _Nom << ", et " << _L._Element
            << ", passé par référence à " << _L._Unite << ", ne les désigne plus";
        _Note () << "ligne " << _L._Ligne << ", l'appel de " << _L._Unite << " reçoit par référence à la fois "
                 << (_Chaine ? "la chaîne " : "le tableau ") << _L._Conteneur << " et son "
                 << (_Chaine ? "caractère " : "élément ") << _L._Element
                 << " ; en C++, la référence désignerait une mémoire libérée";
        _Aide () << "passez l'élément par valeur (paramètre in) ou passez son indice, ou "
                 << (_Chaine ? "changez la chaîne" : "allongez le tableau") << " avant l'appel";
        _Arreter ();
    }

    template <class _Objet>
    inline void _VerifierLiens (const _Objet & _O, const char * _Operation, const char * _Nom, int _Ligne, int _Colonne)
    {
        // Un element de tableau_de booleen n'a pas d'adresse (vector <bool>) : aucune reference
        // n'en est jamais inscrite, le C++ ne sait pas le passer par reference.
        if constexpr (! std::is_same_v <_Objet, std::vector <bool>>)
            for (const _Lien * _L = _Liens; _L != nullptr; _L = _L->_Precedent)
                if (_L->_Objet == & _O && (_L->_Indice >= _O.size () || static_cast <const void *> (& _O [_L->_Indice]) != _L->_Adresse))
                    _ReferenceInvalidee (* _L, std::is_same_v <_Objet, std::string>, _Operation, _Nom, _Ligne, _Colonne);
    }

    template <class _Objet, class _T>
    inline void _NouvelleTaille (_Objet & _X, _T _N, bool _Allonger, const char * _Nom, int _Ligne, int _Colonne)
    {
        _Ici (_Ligne, _Colonne);
        const unsigned long _Avant = _X.size ();
        const unsigned long _Apres = _Allonger ? _Avant + static_cast <unsigned long> (_N) : static_cast <unsigned long> (_N);
        if (__builtin_expect (_Negatif (_N) || static_cast <unsigned long> (_N) > static_cast <unsigned long> (_TailleMax)
                              || _Apres > static_cast <unsigned long> (_TailleMax), 0))
        {
            std::ostream & _Flux = _Signaler (_Ligne, _Colonne);
            if (_Negatif (_N)) _Flux << (_Allonger ? "Longueur négative pour allonger : " : "Taille négative pour redimensionner : ") << _N;
            else if (_Allonger) _Flux << "Taille trop grande pour allonger : " << _Avant << " + " << _N << " (au plus " << _TailleMax << ")";
            else _Flux << "Taille trop grande pour redimensionner : " << _N << " (au plus " << _TailleMax << ")";
            _NoteRemplissage (_N);
            _Arreter ();
        }
        if (_Apres > _X.capacity ()) _Place <typename _Objet::value_type> (_Apres);
        _X.resize (_Apres);
        if (__builtin_expect (_Liens != nullptr, 0))
        {
            const std::string _Operation = std::string (_Allonger ? "allonger (" : "redimensionner (") + _Nom + ", …)";
            _VerifierLiens (_X, _Operation.c_str (), _Nom, _Ligne, _Colonne);
        }
    }

    template <class _Objet, class _T>
    inline void _Allonger (_Objet & _X, _T _N, int _Ligne, int _Colonne, const char * _Nom)
    {
        _NouvelleTaille (_X, _N, true, _Nom, _Ligne, _Colonne);
    }

    template <class _Objet, class _T>
    inline void _Redimensionner (_Objet & _X, _T _N, int _Ligne, int _Colonne, const char * _Nom)
    {
        _NouvelleTaille (_X, _N, false, _Nom, _Ligne, _Colonne);
    }

    // Une chaine qui vient de recevoir une valeur.
    inline void _Changee (const std::string & _S, const char * _Nom, int _Ligne, int _Colonne)
    {
        if (__builtin_expect (_Liens != nullptr, 0))
        {
            const std::string _Operation = std::string (_Nom) + " <- …";
            _VerifierLiens (_S, _Operation.c_str (), _Nom, _Ligne, _Colonne);
        }
    }

    // La copie d'un tableau ou d'une chaine passe par valeur, situee pour le message de memoire.
    template <class _T> inline _T _Copie (const _T & _V, int _Ligne, int _Colonne)
    {
        _Ici (_Ligne, _Colonne);
        return _V;
    }

    // Concatenation, situee pour le message de memoire. Comme l'operateur + des chaines du profil
    // standard, c'est un appel de fonction : g++ y evalue les operandes de droite a gauche.
    template <class _A, class _B> inline auto _Concat (const _A & _G, const _B & _D, int _Ligne, int _Colonne)
    {
        _Ici (_Ligne, _Colonne);
        return _G + _D;
    }

    // saisir : le prochain mot de l'entree (blancs et fins de ligne sautes) doit etre tout
    // entier un nombre du type de la variable ; le reste de sa ligne est ignore, comme dans le
    // profil standard. Une fin d'entree est une erreur. _Genre : e(ntier), n(aturel), r(eel),
    // b(ooleen), l(igne), c(aractere).
    [[noreturn, gnu::cold, gnu::noinline]] inline void _MauvaiseSaisie (const char * _Nom, char _Genre, const std::string & _Mot,
                                                                        bool _Deborde, int _Ligne, int _Colonne)
    {
        const char * const _Attendu = _Genre == 'e' ? "un entier" : _Genre == 'n' ? "un entier_naturel" : _Genre == 'r' ? "un réel"
                                    : _Genre == 'b' ? "un booléen (0 ou 1)" : _Genre == 'l' ? "une ligne" : "un caractère";
        std::ostream & _Flux = _Signaler (_Ligne, _Colonne) << "saisir (" << _Nom << ") : ";
        if (_Mot.empty ()) _Flux << "fin de l'entrée, " << _Attendu << (_Genre == 'l' ? " était attendue" : " était attendu");
        else if (_Deborde) _Flux << "« " << _Mot << " » est trop grand pour " << _Attendu;
        else _Flux << _Attendu << " était attendu, « " << _Mot << " » a été lu";
        if (_Mot.empty ())
            _Note () << "l'entrée est épuisée : le fichier redirigé (<) n'a plus de données, ou Ctrl-D a été tapé au clavier";
        else if (_Genre == 'r' && _Mot.find (',') != std::string::npos)
        {
            std::string _Point = _Mot;
            for (char & _c : _Point) if (_c == ',') _c = '.';
            _Aide () << "le séparateur décimal est le point : tapez « " << _Point << " »";
        }
        else if (_Genre == 'b') _Note () << "un booléen se saisit 0 (faux) ou 1 (vrai)";
        else if (_Deborde && _Genre == 'e') _Note () << "un entier va de -9223372036854775808 à 9223372036854775807";
        else if (_Deborde && _Genre == 'n') _Note () << "un entier_naturel va de 0 à 18446744073709551615";
        else if (_Deborde) _Note () << "un réel va jusqu'à " << std::numeric_limits <double>::max () << " environ";
        else if ((_Genre == 'e' || _Genre == 'n') && _Mot.find_first_of (".eE") != std::string::npos)
            _Note () << "un entier s'écrit sans partie décimale ni exposant";
        else if (_Genre == 'n' && _Mot [0] == '-') _Note () << "un entier_naturel ne peut pas être négatif";
        _Arreter ();
    }

    inline std::string _LireMot ()
    {
        std::string _Mot, _Reste;
        if (std::cin >> _Mot) std::getline (std::cin, _Reste);
        return _Mot;
    }

    // Un entier ecrit en decimal, signe compris ; _Deborde s'il ne tient pas dans _T.
    template <class _T> inline bool _LireEntier (const std::string & _Mot, _T & _V, bool & _Deborde)
    {
        std::string::size_type _i = 0;
        const bool _Moins = ! _Mot.empty () && _Mot [0] == '-';
        if (! _Mot.empty () && (_Mot [0] == '+' || _Mot [0] == '-')) _i = 1;
        if (_i == _Mot.size ()) return false;
        _T _R = 0;
        _Deborde = false;
        for (; _i < _Mot.size (); ++_i)
        {
            if (_Mot [_i] < '0' || _Mot [_i] > '9') return false;
            const int _Chiffre = _Mot [_i] - '0';
            if (__builtin_mul_overflow (_R, 10, & _R) || __builtin_add_overflow (_R, _Moins ? -_Chiffre : _Chiffre, & _R))
                _Deborde = true;
        }
        _V = _R;
        return true;
    }

    inline void _Saisir (long & _V, const char * _Nom, int _Ligne, int _Colonne)
    {
        const std::string _Mot = _LireMot ();
        bool _Deborde = false;
        if (! _LireEntier (_Mot, _V, _Deborde) || _Deborde) _MauvaiseSaisie (_Nom, 'e', _Mot, _Deborde, _Ligne, _Colonne);
    }

    // La variable d'un pour.
    inline void _Saisir (long long & _V, const char * _Nom, int _Ligne, int _Colonne)
    {
        long _W;
        _Saisir (_W, _Nom, _Ligne, _Colonne);
        _V = _W;
    }

    // Jusqu'au plus grand entier_naturel ; un nombre negatif (que le C++ standard lirait comme un
    // tres grand nombre) est refuse, sauf -0.
    inline void _Saisir (unsigned long & _V, const char * _Nom, int _Ligne, int _Colonne)
    {
        const std::string _Mot = _LireMot ();
        unsigned long _W = 0;
        bool _Deborde = false;
        const bool _Moins = ! _Mot.empty () && _Mot [0] == '-';
        if (! _LireEntier (_Moins ? "+" + _Mot.substr (1) : _Mot, _W, _Deborde) || (_Moins && (_Deborde || _W != 0)))
            _MauvaiseSaisie (_Nom, 'n', _Mot, false, _Ligne, _Colonne);
        if (_Deborde) _MauvaiseSaisie (_Nom, 'n', _Mot, true, _Ligne, _Colonne);
        _V = _W;
    }

    // Un booleen se saisit comme 0 (faux) ou 1 (vrai), comme dans le profil standard.
    inline void _Saisir (bool & _V, const char * _Nom, int _Ligne, int _Colonne)
    {
        const std::string _Mot = _LireMot ();
        long _W = 0;
        bool _Deborde = false;
        if (! _LireEntier (_Mot, _W, _Deborde) || _Deborde || (_W != 0 && _W != 1))
            _MauvaiseSaisie (_Nom, 'b', _Mot, false, _Ligne, _Colonne);
        _V = _W == 1;
    }

    inline void _Saisir (double & _V, const char * _Nom, int _Ligne, int _Colonne)
    {
        const std::string _Mot = _LireMot ();
        // Seulement l'ecriture decimale que lit le profil standard (ni inf, ni nan, ni 0x...).
        bool _Valide = ! _Mot.empty ();
        for (char _c : _Mot)
            if (! ((_c >= '0' && _c <= '9') || _c == '+' || _c == '-' || _c == '.' || _c == 'e' || _c == 'E'))
                _Valide = false;
        char * _Fin = nullptr;
        if (_Valide) _V = std::strtod (_Mot.c_str (), & _Fin);
        if (! _Valide || _Fin != _Mot.c_str () + _Mot.size ()) _MauvaiseSaisie (_Nom, 'r', _Mot, false, _Ligne, _Colonne);
        if (! (_V >= -std::numeric_limits <double>::max () && _V <= std::numeric_limits <double>::max ()))
            _MauvaiseSaisie (_Nom, 'r', _Mot, true, _Ligne, _Colonne);
    }

    inline void _Saisir (std::string & _V, const char * _Nom, int _Ligne, int _Colonne)
    {
        _Ici (_Ligne, _Colonne);
        if (! std::getline (std::cin, _V)) _MauvaiseSaisie (_Nom, 'l', std::string (), false, _Ligne, _Colonne);
        if (__builtin_expect (_Liens != nullptr, 0))
        {
            const std::string _Operation = std::string ("saisir (") + _Nom + ")";
            _VerifierLiens (_V, _Operation.c_str (), _Nom, _Ligne, _Colonne);
        }
    }

    inline void _Saisir (char & _V, const char * _Nom, int _Ligne, int _Colonne)
    {
        const int _c = std::cin.get ();
        if (_c == std::char_traits <char>::eof ()) _MauvaiseSaisie (_Nom, 'c', std::string (), false, _Ligne, _Colonne);
        _V = static_cast <char> (_c);
    }

    // Recursion : a l'entree de chaque unite, la pile utilisee depuis main est comparee a un
    // budget tire de la limite de la pile (getrlimit), moins ce qui la charge deja au-dessus de
    // main (arguments, environnement) et une marge pour ecrire le message ; sans limite,
    // TRAMELO_PILE octets (donne par tramelo-exec) ou 6 Mio.
    char * _BasePile = nullptr;
    long _BudgetPile = 6L << 20;
    unsigned long _LimitePile = 0;

    inline void _LireBudgetPile ()
    {
        if (const char * _Texte = std::getenv ("TRAMELO_PILE"))
        {
            char * _Fin = nullptr;
            const long _Octets = std::strtol (_Texte, & _Fin, 10);
            if (_Fin != _Texte && * _Fin == '\0' && _Octets >= (64L << 10)) _BudgetPile = _Octets;
        }
        _Systeme::_Limite _L;
        if (_Systeme::getrlimit (3 /* RLIMIT_STACK */, & _L) != 0 || _L._Courante == static_cast <unsigned long> (-1)) return;
        _LimitePile = _L._Courante;
        const unsigned long _Base = reinterpret_cast <unsigned long> (_BasePile);
        unsigned long _Haut = _Base;
        for (char ** _E = _Systeme::environ; _E != nullptr && * _E != nullptr; ++_E)
        {
            const unsigned long _Fin = reinterpret_cast <unsigned long> (* _E) + std::strlen (* _E) + 1;
            if (_Fin > _Haut && _Fin - _Base < _LimitePile) _Haut = _Fin;
        }
        const unsigned long _Deja = _Haut - _Base + 4096;
        const unsigned long _Marge = _LimitePile / 4 < (2UL << 20) ? _LimitePile / 4 : (2UL << 20);
        const long _Permis = static_cast <long> (_LimitePile) - static_cast <long> (_Deja) - static_cast <long> (_Marge);
        if (_Permis < _BudgetPile) _BudgetPile = _Permis > (16L << 10) ? _Permis : (16L << 10);
    }

    inline void _Entree (const char * _Unite, int _Ligne, int _Colonne)
    {
        const char * const _Cadre = static_cast <const char *> (__builtin_frame_address (0));
        if (_BasePile != nullptr && reinterpret_cast <long> (_BasePile) - reinterpret_cast <long> (_Cadre) > _BudgetPile)
        {
            _Signaler (_Ligne, _Colonne) << "Récursion trop profonde dans " << _Unite
                << " : la pile d'exécution est épuisée";
            if (_LimitePile != 0)
                _Note () << "la pile d'exécution est limitée à " << (_LimitePile >> 10) << " Kio (ulimit -s) : les appels en "
                            "cours l'occupent presque toute";
            _Aide () << "vérifiez que chaque appel de " << _Unite << " se rapproche d'un cas d'arrêt, qui ne s'appelle plus";
            _Arreter ();
        }
    }

    [[noreturn]] inline void _SansRenvoie (const char * _Fonction, int _Ligne, int _Colonne)
    {
        _Signaler (_Ligne, _Colonne) << "Fin de la fonction " << _Fonction << " atteinte sans renvoie";
        _Aide () << "chaque chemin de " << _Fonction << " doit finir par « renvoie valeur; »";
        _Arreter ();
    }

    // La variable d'un pour avance apres chaque tour : au-dela du plus grand (du plus petit)
    // entier, le C++ standard deborde (comportement indefini).
    [[noreturn, gnu::cold, gnu::noinline]] inline void _FinPour (long long _I, bool _Monte, const char * _Nom, int _Ligne, int _Colonne)
    {
        _Signaler (_Ligne, _Colonne) << "Dépassement de capacité : la variable " << _Nom << " du pour dépasserait " << _I;
        _Note () << "après chaque tour, " << _Nom << (_Monte ? " augmente" : " diminue") << " de 1 avant d'être comparée à la "
                    "borne : une borne égale à " << _I << " ne peut pas être dépassée";
        _Arreter ();
    }

    inline void _Avancer (long long & _I, const char * _Nom, int _Ligne, int _Colonne)
    {
        if (__builtin_expect (_I == std::numeric_limits <long long>::max (), 0)) _FinPour (_I, true, _Nom, _Ligne, _Colonne);
        ++_I;
    }

    inline void _Reculer (long long & _I, const char * _Nom, int _Ligne, int _Colonne)
    {
        if (__builtin_expect (_I == std::numeric_limits <long long>::min (), 0)) _FinPour (_I, false, _Nom, _Ligne, _Colonne);
        --_I;
    }

    class CRand
    {
      public :
        CRand ()
        {
            time_t Date;
            srandom (time (& Date));
        }
    } __Rand;

    // Comme dans le profil standard (bornes int).
    inline int Rand (int Min, int Max, int _Ligne, int _Colonne)
    {
        if (Min < 0       ) Min = 0;
        if (Max > RAND_MAX) Max = RAND_MAX;
        if (Max <= Min    ) return Min;
        if (Max - Min == std::numeric_limits <int>::max ())
        {
            _Signaler (_Ligne, _Colonne) << "Dépassement de capacité : Rand (" << Min << ", " << Max
                << ") calcule " << Max << " - " << Min << " + 1, qui ne tient pas dans un int";
            _Note () << "en C++, Rand compte les valeurs possibles dans un int, sur 32 bits";
            _Arreter ();
        }
        return Min + static_cast <int> (random () % (Max - Min + 1));

    } // Rand()

    // Chaque bloc porte sa taille devant lui, pour que operator delete la decompte.
    inline void * _Allouer (std::size_t _N)
    {
        if (__builtin_expect (_N > _MemoireLimite - 16 || _MemoireOccupee > _MemoireLimite - 16 - _N, 0))
            _MemoireInsuffisante (_N, 0, false, 0);
        void * const _P = std::malloc (_N + 16);
        if (__builtin_expect (_P == nullptr, 0)) _MemoireInsuffisante (_N, 0, false, 0, true);
        * static_cast <std::size_t *> (_P) = _N;
        _MemoireOccupee += _N;
        return static_cast <char *> (_P) + 16;
    }

    inline void _Liberer (void * _P)
    {
        if (_P == nullptr) return;
        char * const _Bloc = static_cast <char *> (_P) - 16;
        _MemoireOccupee -= * reinterpret_cast <std::size_t *> (_Bloc);
        std::free (_Bloc);
    }

    // TRAMELO_MEMOIRE : la memoire permise au programme, en Mio.
    inline void _LireMemoire ()
    {
        const char * const _Texte = std::getenv ("TRAMELO_MEMOIRE");
        if (_Texte == nullptr) return;
        unsigned long _Nb = 0;
        bool _Valide = * _Texte != '\0';
        for (const char * _c = _Texte; * _c != '\0' && _Valide; ++_c)
            _Valide = * _c >= '0' && * _c <= '9' && ! __builtin_mul_overflow (_Nb, 10UL, & _Nb)
                   && ! __builtin_add_overflow (_Nb, static_cast <unsigned long> (* _c - '0'), & _Nb);
        if (! _Valide || _Nb == 0 || _Nb > (1UL << 30))
        {
            _SignalerSansPosition () << "TRAMELO_MEMOIRE invalide : « " << _Texte << " »";
            _Note () << "TRAMELO_MEMOIRE donne la mémoire permise au programme, en Mio : un nombre de 1 à 1073741824 "
                        "(2048 sans la variable)";
            _Arreter ();
        }
        _LimiteMio = _Nb;
        _MemoireLimite = _Nb << 20;
    }

} // namespace

void * operator new (std::size_t _N) { return _Allouer (_N); }
void * operator new[] (std::size_t _N) { return _Allouer (_N); }
void operator delete (void * _P) noexcept { _Liberer (_P); }
void operator delete[] (void * _P) noexcept { _Liberer (_P); }
void operator delete (void * _P, std::size_t) noexcept { _Liberer (_P); }
void operator delete[] (void * _P, std::size_t) noexcept { _Liberer (_P); }

namespace
{

)PRELUDE";

    }

    void GenererEnteteVerifie (const std::string & NomSource)
    {
        Sortie.Cadre ();
        Sortie << PremiereLigne << CorpsEntete;
        Sortie << "    const char * const _Source = " << LitteralCpp (NomSource) << ";\n";
        Sortie << Controles;
    }
}
