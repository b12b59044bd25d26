// Erreurs sans position dans le source : ligne de commande, ouverture du fichier.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace nsUtil
{
    class CEditable
    {
      public :
        virtual ~CEditable () = default;
    };

    class CException : public std::exception, public CEditable
    {
      public :
        CException (const std::string & Libelle, unsigned CodErr);
        ~CException () override = default;
        const char * what () const noexcept override;

        const std::string & GetLibelle () const { return Libelle; }
        unsigned GetCodErr () const { return CodErr; }

      private :
        std::string   Libelle;
        std::uint32_t CodErr;
    };
}
