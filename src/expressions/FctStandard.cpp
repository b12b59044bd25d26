#include "expressions/FctStandard.h"

#include "controles/Controles.h"
#include "expressions/Chaine.h"
#include "expressions/Numerique.h"
#include "scanner/Litteraux.h"
#include "relecture/Essai.h"
#include "scanner/Scanner.h"
#include "symbols/Symboles.h"
#include "types/TypesCodes.h"
#include "util/CExcTramelo.h"

using nsUtil::EMsg;

namespace nsTramelo
{
    namespace
    {
        // Deux operandes numeriques separes par une virgule, chacun verifie par Verif ; leurs
        // types et (profil verifie) leurs positions dans Types et Pos.
        template <class FVerif>
        void LireDeuxNombres (std::string & a, std::string & b, FVerif Verif,
                              unsigned (& Types) [2], std::size_t (& Pos) [2])
        {
            Pos [0] = PositionControlee ();
            ExtraireExprNumerique (a, Types [0]);
            Verif (Types [0]);
            ValidCar (',');
            Pos [1] = PositionControlee ();
            ExtraireExprNumerique (b, Types [1]);
            Verif (Types [1]);
        }

        // Appel a un argument caractere : Avant + argument + Apres.
        std::string & LireAppelCaractere (std::string & s, const char * Avant, const char * Apres)
        {
            std::string c;
            ExtraireExprCaractere (c);
            s = Avant + c + Apres;
            return s;
        }
    }

    // fonction_standard ::= nom ( arguments )
    std::string & ExtraireFctStandard (const std::string & Nom, std::string & s)
    {
        CImbrication Niveau;
        ValidCar ('(');
        if (Nom == "Rand") ExtraireAppelRand (s);
        else if (Nom == "modulo") ExtraireAppelModulo (s);
        else if (Nom == "pred") ExtraireAppelPred (s);
        else if (Nom == "succ") ExtraireAppelSucc (s);
        else if (Nom == "rang") ExtraireAppelRang (s);
        else if (Nom == "taille") ExtraireAppelTaille (s);
        else if (Nom == "tolower") ExtraireAppelTolower (s);
        else if (Nom == "toupper") ExtraireAppelToupper (s);
        else throw CExcTramelo (EMsg::FctStandardInconnue, Nom);
        ValidCar (')');
        return s;
    }

    // taille ( litteral_chaine | nom de tableau ou de chaine )
    std::string & ExtraireAppelTaille (std::string & s)
    {
        std::string x;
        if (SkipSpaces () == '"') ExtraireLitteralChaine (x);
        else
        {
            ExtraireIdentForce (x);
            const unsigned Type = GetTypeIdent (x);
            // Une fonction de type string n'a pas de membre size en C++.
            const bool Objet = IsIdentCst (x) || IsIdentVar (x) || IsIdentTab (x) || IsIdentParamFormel (x);
            if ((! IsTypeTableau (Type) && ! IsTypeString (Type)) || ! Objet)
                throw CExcTramelo (EMsg::TailleTypeInvalide, x);
        }
        s = x + ".size()";
        return s;
    }

    // modulo ( nombre_entier , nombre_entier )
    std::string & ExtraireAppelModulo (std::string & s)
    {
        std::string a, b;
        unsigned Types [2];
        std::size_t Pos [2];
        // % n'existe pas sur un double en C++ : un reel est refuse.
        LireDeuxNombres (a, b, [] (unsigned Type)
        {
            VerifType (Type, TEntier, false);
            if (Type == TReel) throw CExcTramelo (EMsg::TypeInvalide);
        }, Types, Pos);
        // Profil verifie : un diviseur nul est signale a sa place.
        if (ProfilVerifie) s = Modulo (a, b, Pos [1]);
        else s = " ((" + a + ") % (" + b + "))";
        return s;
    }

    // Rand ( nombre , nombre )
    std::string & ExtraireAppelRand (std::string & s)
    {
        std::string a, b;
        unsigned Types [2];
        std::size_t Pos [2];
        LireDeuxNombres (a, b, [] (unsigned Type) { VerifType (Type, TEntierNaturel, false); }, Types, Pos);
        // Profil verifie : une borne reelle est convertie en entier, controlee.
        if (ProfilVerifie)
        {
            a = Convertir (a, Types [0], TEntier, Pos [0]);
            b = Convertir (b, Types [1], TEntier, Pos [1]);
        }
        s = " Rand ((" + a + "), (" + b + "))";
        return s;
    }

    // Les fonctions de caracteres rendent un char (et non l'int du C++).
    // Profil verifie : le code d'un octet au-dela de 127 est compte de 128 a 255 (sans signe).
    std::string & ExtraireAppelRang (std::string & s)
    {
        return LireAppelCaractere (s, ProfilVerifie ? " ((unsigned long) (unsigned char) (" : " ((unsigned long) (", "))");
    }
    std::string & ExtraireAppelSucc (std::string & s) { return LireAppelCaractere (s, " char ((", ") + 1)"); }
    std::string & ExtraireAppelPred (std::string & s) { return LireAppelCaractere (s, " char ((", ") - 1)"); }
    std::string & ExtraireAppelToupper (std::string & s) { return LireAppelCaractere (s, " char (toupper (", "))"); }
    std::string & ExtraireAppelTolower (std::string & s) { return LireAppelCaractere (s, " char (tolower (", "))"); }
}
