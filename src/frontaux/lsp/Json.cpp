#include "frontaux/lsp/Json.h"

#include "frontaux/lsp/Limites.h"

#include <utility>
#include <vector>

namespace nsLsp
{
    namespace
    {
        // Construction du document par l'interface SAX de nlohmann : meme resultat que
        // json::parse, mais chaque chaine est deplacee au lieu d'etre recopiee, la pile est un
        // vecteur (pas de recursion) et l'imbrication s'arrete a MaxProfondeurJson, avant que
        // quoi que ce soit de plus profond soit construit (le copier ou l'ecrire recurserait).
        class CConstructeur
        {
          public :
            explicit CConstructeur (json & Racine) : Racine (Racine) {}
            bool TropProfond = false;

            bool null () { return Valeur (nullptr); }
            bool boolean (bool b) { return Valeur (b); }
            bool number_integer (json::number_integer_t n) { return Valeur (n); }
            bool number_unsigned (json::number_unsigned_t n) { return Valeur (n); }
            bool number_float (json::number_float_t x, const json::string_t &) { return Valeur (x); }
            bool string (json::string_t & s) { return Valeur (std::move (s)); }
            bool binary (json::binary_t & b) { return Valeur (std::move (b)); }
            bool start_object (std::size_t) { return Ouvrir (json::object ()); }
            bool key (json::string_t & Cle) { Cles.push_back (std::move (Cle)); return true; }
            bool end_object () { Pile.pop_back (); return true; }
            bool start_array (std::size_t) { return Ouvrir (json::array ()); }
            bool end_array () { Pile.pop_back (); return true; }
            bool parse_error (std::size_t, const std::string &, const json::exception &) { return false; }

          private :
            json & Racine;
            std::vector <json *> Pile;
            std::vector <std::string> Cles;

            bool Ouvrir (json && J)
            {
                if (Pile.size () >= MaxProfondeurJson)
                {
                    TropProfond = true;
                    return false;
                }
                Pile.push_back (Placer (std::move (J)));
                return true;
            }
            json * Placer (json && J)
            {
                if (Pile.empty ())
                {
                    Racine = std::move (J);
                    return & Racine;
                }
                json & Parent = * Pile.back ();
                if (Parent.is_array ())
                {
                    Parent.get_ref <json::array_t &> ().push_back (std::move (J));
                    return & Parent.get_ref <json::array_t &> ().back ();
                }
                json & Place = Parent.get_ref <json::object_t &> () [std::move (Cles.back ())];
                Cles.pop_back ();
                Place = std::move (J);
                return & Place;
            }
            template <class T>
            bool Valeur (T && V)
            {
                Placer (json (std::forward <T> (V)));
                return true;
            }
        };

        // Releve id, method et params.textDocument.uri au fil de la lecture (d'un debut) d'un
        // message. Rien n'est construit : l'imbrication n'est qu'un compteur, sans borne.
        class CApercu
        {
          public :
            SApercu A;

            bool null () { return Autre (); }
            bool boolean (bool) { return Autre (); }
            bool number_integer (json::number_integer_t n) { return Nombre (json (n)); }
            bool number_unsigned (json::number_unsigned_t n) { return Nombre (json (n)); }
            bool number_float (json::number_float_t, const json::string_t &) { return Autre (); }
            bool string (json::string_t & s)
            {
                if (Est ({ "id" })) A.Id = s, A.AId = true;
                else if (Est ({ "method" })) A.Methode = s;
                else if (Est ({ "params", "textDocument", "uri" })) A.Uri = s;
                return true;
            }
            bool binary (json::binary_t &) { return Autre (); }
            bool start_object (std::size_t) { return Ouvrir (true); }
            bool key (json::string_t & Cle)
            {
                if (Profondeur <= NbCles) Cles [Profondeur - 1] = std::move (Cle);
                return true;
            }
            bool end_object () { return Fermer (); }
            bool start_array (std::size_t) { return Ouvrir (false); }
            bool end_array () { return Fermer (); }
            bool parse_error (std::size_t, const std::string &, const json::exception &) { return false; }

          private :
            static constexpr std::size_t NbCles = 3;   // assez pour params.textDocument.uri
            std::string Cles [NbCles];                 // la cle courante a chaque niveau ("" : tableau)
            std::size_t Profondeur = 0;
            bool Debut = true;

            bool Est (std::initializer_list <const char *> Chemin) const
            {
                if (Profondeur != Chemin.size ()) return false;
                std::size_t i = 0;
                for (const char * C : Chemin)
                    if (Cles [i++] != C) return false;
                return true;
            }
            bool Nombre (json && N)
            {
                if (Est ({ "id" })) A.Id = std::move (N), A.AId = true;
                Debut = false;
                return true;
            }
            bool Autre ()
            {
                if (Est ({ "id" })) A.AId = true;
                Debut = false;
                return true;
            }
            bool Ouvrir (bool Objet)
            {
                if (Debut) A.Objet = Objet;
                Debut = false;
                if (Est ({ "id" })) A.AId = true;
                ++Profondeur;
                if (Profondeur <= NbCles) Cles [Profondeur - 1].clear ();
                return true;
            }
            bool Fermer ()
            {
                --Profondeur;
                return true;
            }
        };
    }

    bool LireJson (const std::string & Corps, json & Resultat, bool & TropProfond)
    {
        CConstructeur Constructeur (Resultat);
        bool Valide = false;
        try
        {
            Valide = json::sax_parse (Corps, & Constructeur);
        }
        catch (const json::exception &)
        {
        }
        TropProfond = Constructeur.TropProfond;
        if (! Valide) Resultat = json ();
        return Valide;
    }

    SApercu LireApercu (const std::string & Debut)
    {
        CApercu Apercu;
        try
        {
            json::sax_parse (Debut, & Apercu);
        }
        catch (const json::exception &)
        {
        }
        return Apercu.A;
    }

    const json & Champ (const json & Objet, const char * Nom)
    {
        if (! Objet.is_object ()) throw CParamsInvalides (std::string ("objet attendu avant « ") + Nom + " »");
        const auto It = Objet.find (Nom);
        if (It == Objet.end ()) throw CParamsInvalides (std::string ("champ « ") + Nom + " » absent");
        return * It;
    }

    json & ChampModifiable (json & Objet, const char * Nom)
    {
        Champ (Objet, Nom);
        return Objet [Nom];
    }

    const std::string & Chaine (const json & Objet, const char * Nom)
    {
        const json & C = Champ (Objet, Nom);
        if (! C.is_string ()) throw CParamsInvalides (std::string ("champ « ") + Nom + " » : chaîne attendue");
        return C.get_ref <const std::string &> ();
    }

    std::size_t Naturel (const json & Objet, const char * Nom)
    {
        const json & C = Champ (Objet, Nom);
        if (! C.is_number_unsigned ())
            throw CParamsInvalides (std::string ("champ « ") + Nom + " » : entier positif attendu");
        return C.get <std::size_t> ();
    }

    const json & Facultatif (const json & Objet, std::initializer_list <const char *> Chemin)
    {
        static const json Nul;
        const json * J = & Objet;
        for (const char * Nom : Chemin)
        {
            if (! J->is_object ()) return Nul;
            const auto It = J->find (Nom);
            if (It == J->end ()) return Nul;
            J = & * It;
        }
        return * J;
    }
}
