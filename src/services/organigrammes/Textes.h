// Textes des organigrammes : du source a ce qui s'affiche (blancs normalises, UTF-8 valide,
// coupe en lignes) et a ce que chaque format accepte (echappements XML, DOT, Mermaid).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace nsTramelo::nsOrganigramme
{
    // Le texte [Debut, Fin) du texte tamponne, chaque suite de blancs hors des litteraux (chaines,
    // caracteres) ramenee a un blanc, sans blanc au debut ni a la fin.
    std::string TexteSource (const std::string & Texte, std::size_t Debut, std::size_t Fin);

    // Le meme texte en UTF-8 valide et affichable : un octet qui ne forme pas un caractere UTF-8
    // (ou un non-caractere U+FFFE, U+FFFF) devient U+FFFD ; un caractere de commande devient son
    // symbole (U+2400...) ; les commandes de sens d'ecriture (U+202A...), qui retourneraient
    // l'affichage du texte voisin, deviennent U+FFFD. Le resultat est un texte XML 1.0 permis.
    std::string Assainir (const std::string & S);

    // Nombre de caracteres (points de code) d'un texte UTF-8 valide.
    std::size_t NbCaracteres (const std::string & S);

    // Le texte coupe en lignes d'au plus MaxColonnes caracteres (aux blancs, ou dans un mot trop
    // long), au plus MaxLignes : la derniere finit alors par « … » et Tronque est leve.
    std::vector <std::string> Couper (const std::string & S, std::size_t MaxColonnes, std::size_t MaxLignes,
                                      bool & Tronque);

    // Au plus Max caracteres, « … » a la fin si le texte est coupe.
    std::string Abreger (const std::string & S, std::size_t Max);

    // Echappements : texte et attribut XML ; chaine entre guillemets de DOT ; libelle entre
    // guillemets de Mermaid (entites #...; pour tout ce que Mermaid interpreterait).
    std::string EchapperXml (const std::string & S);
    std::string EchapperDot (const std::string & S);
    std::string EchapperMermaid (const std::string & S);
}
