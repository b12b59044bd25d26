// Un parametre formel tel que l'en-tete d'une unite le declare.
#pragma once

#include <cstdint>
#include <string>

namespace nsTramelo
{
    // Modes de passage d'un parametre formel.
    enum EMode : unsigned { ModeIn = 0, ModeOut = 1, ModeInOut = 2 };

    class CParamFormel
    {
      public :
        CParamFormel (const std::string & TypeWord = "", unsigned InOut = ModeIn, unsigned Type = 0)
            : TypeWord (TypeWord), InOut (InOut), Type (Type) {}

        void SetAll (const std::string & Mot, unsigned Mode, unsigned Code)
        {
            TypeWord = Mot;
            InOut = Mode;
            Type = Code;
        }
        unsigned GetInOut () const { return InOut; }
        unsigned GetType () const { return Type; }

      private :
        std::string   TypeWord;
        std::uint32_t InOut;   // EMode
        std::uint32_t Type;
    };
}
