// Erreurs d'analyse : le message commence par la ligne de la position de lecture courante.
#pragma once

#include "scanner/Source.h"
#include "util/CException.h"
#include "util/Messages.h"

#include <cstddef>
#include <string>

namespace nsTramelo
{
    class CExcTramelo : public nsUtil::CException
    {
      public :
        CExcTramelo (const std::string & Libelle, unsigned CodErr,
                     nsUtil::EMsg Msg = nsUtil::EMsg::NbMessages);
        // Construit le message depuis la table des diagnostics.
        explicit CExcTramelo (nsUtil::EMsg Msg, const std::string & Var1 = "",
                              const std::string & Var2 = "");
        ~CExcTramelo () override = default;

        // Ou la lecture se tenait quand l'erreur a ete construite (la ligne du prefixe en vient).
        std::size_t GetDecalage () const { return Decalage; }
        // Le message de la table ; NbMessages pour un texte construit a la main.
        nsUtil::EMsg GetMsg () const { return Msg; }
        // Les parties variables du message, dans l'ordre de la table (vides s'il n'en a pas).
        const std::string & GetVar1 () const { return Var1; }
        const std::string & GetVar2 () const { return Var2; }

      private :
        std::size_t  Decalage;
        nsUtil::EMsg Msg;
        std::string  Var1, Var2;
    };

    std::string GetLiCol ();
    // La position de lecture courante (la longueur du texte une fois la fin atteinte).
    inline std::size_t GetPosLecture ()
    {
        const std::size_t Pos = fi.Tellg ();
        return Pos == CSource::PosInvalide ? fi.Taille () : Pos;
    }
    // Le numero de ligne qui contient le caractere juste avant le decalage donne.
    std::size_t GetLigne (std::size_t Decalage);
}
