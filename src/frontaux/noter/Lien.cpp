#include "frontaux/noter/Lien.h"

#include <nlohmann/json.hpp>

namespace nsNoter
{
    namespace
    {
        // base64 "URL" (RFC 4648, section 5), sans remplissage : ce que la page decode.
        std::string Base64Url (const std::string & Octets)
        {
            const char * const Alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
            std::string R;
            std::size_t i = 0;
            for (; i + 2 < Octets.size (); i += 3)
            {
                const unsigned long n = static_cast <unsigned char> (Octets [i]) << 16
                                      | static_cast <unsigned char> (Octets [i + 1]) << 8
                                      | static_cast <unsigned char> (Octets [i + 2]);
                for (int k = 18; k >= 0; k -= 6) R += Alphabet [(n >> k) & 63];
            }
            if (i < Octets.size ())
            {
                unsigned long n = static_cast <unsigned char> (Octets [i]) << 16;
                if (i + 1 < Octets.size ()) n |= static_cast <unsigned char> (Octets [i + 1]) << 8;
                R += Alphabet [(n >> 18) & 63];
                R += Alphabet [(n >> 12) & 63];
                if (i + 1 < Octets.size ()) R += Alphabet [(n >> 6) & 63];
            }
            return R;
        }
    }

    bool FragmentExercice (const nsTramelo::SExercice & E, std::string & Fragment, std::string & Cause)
    {
        using nlohmann::json;
        json Tests = json::array ();
        for (const nsTramelo::STestExercice & T : E.Tests)
        {
            if (! T.Visible) continue;
            json X = { { "nom", T.Nom }, { "points", T.Points }, { "entree", T.Entree }, { "sortie", T.Sortie } };
            const std::string Nom = nsTramelo::NomComparaison (T.Comparaison, T.Tolerance);
            X ["comparaison"] = Nom.substr (0, Nom.find (' '));
            if (T.Comparaison == nsTramelo::EComparaison::Reels) X ["tolerance"] = T.Tolerance;
            Tests.push_back (X);
        }
        json J = { { "format", "tramelo-exercice" }, { "version", 1 }, { "titre", E.Titre }, { "enonce", E.Enonce },
                   { "temps", E.Temps }, { "memoire", E.Memoire }, { "limite_sortie", E.LimiteSortie }, { "tests", Tests } };
        if (E.Depart) J ["depart"] = * E.Depart;
        try
        {
            // Un octet invalide ne doit pas devenir en silence un caractere de remplacement : la
            // sortie attendue d'un test en serait changee.
            Fragment = "exercice=" + Base64Url (J.dump ());
        }
        catch (const json::exception &)
        {
            Cause = "un texte de l'exercice (enonce, depart ou test visible) n'est pas de l'UTF-8 valide : "
                    "il ne peut pas aller dans un lien";
            return false;
        }
        return true;
    }
}
