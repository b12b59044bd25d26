// L'en-tete precompile du prelude : les #include qui ouvrent le C++ produit, compiles une fois
// par g++ (meme compilateur, meme version, memes options) dans le cache de l'utilisateur
// ($XDG_CACHE_HOME/tramelo, ou ~/.cache/tramelo), puis donnes a chaque compilation par
// -include. Le C++ produit ne change pas : ses propres #include, deja lus, n'ont plus rien a
// faire. Tout echec (pas de cache, autre compilateur que g++, en-tete invalide) revient sans
// bruit a la compilation ordinaire.
#pragma once

#include <string>
#include <vector>

namespace nsExec
{
    // Le chemin de l'en-tete a donner par -include, cree au besoin ; "" sans en-tete precompile.
    // Compilateur : la commande de CXX ; Options : celles de la compilation (-std, -O, -g).
    std::string EntetePrecompile (const std::vector <std::string> & Compilateur,
                                  const std::vector <std::string> & Options, const std::string & Inclusions);
    // Apres une compilation ratee avec lui et reussie sans lui : l'en-tete est retire et ne sera
    // pas refait avant un jour.
    void RenoncerA (const std::string & Entete);
}
