// Lecture des messages : JSON lu avec une profondeur bornee, et les champs des parametres, dont
// l'absence ou le mauvais type leve CParamsInvalides (reponse InvalidParams, ou message au client
// pour une notification).
#pragma once

#include <nlohmann/json.hpp>

#include <initializer_list>
#include <stdexcept>
#include <string>

namespace nsLsp
{
    using json = nlohmann::json;

    class CParamsInvalides : public std::runtime_error
    {
        using std::runtime_error::runtime_error;
    };

    // Faux si Corps n'est pas du JSON ou s'il imbrique plus de MaxProfondeurJson niveaux
    // (TropProfond le dit). Les chaines sont deplacees, pas recopiees : un grand document n'est
    // pas duplique.
    bool LireJson (const std::string & Corps, json & Resultat, bool & TropProfond);

    // Ce qu'on peut savoir d'un message d'apres son debut seul (message trop grand pour etre lu) :
    // les champs trouves avant la coupure.
    struct SApercu
    {
        bool Objet = false;         // le message est un objet (sinon, ni requete ni notification)
        json Id;                    // null si absent (ou pas un entier ni une chaine)
        bool AId = false;
        std::string Methode;        // vide si absent
        std::string Uri;            // params.textDocument.uri, vide si absent
    };
    SApercu LireApercu (const std::string & Debut);

    const json & Champ (const json & Objet, const char * Nom);
    json & ChampModifiable (json & Objet, const char * Nom);
    const std::string & Chaine (const json & Objet, const char * Nom);
    std::size_t Naturel (const json & Objet, const char * Nom);
    // Valeur facultative d'un chemin d'objets (null si un maillon manque).
    const json & Facultatif (const json & Objet, std::initializer_list <const char *> Chemin);
}
