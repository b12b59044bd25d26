// Outils partages des tests unitaires : chargement d'un source et capture d'une erreur d'analyse.
#pragma once

#include "driver/Ppal.h"
#include "driver/Tramelo.h"
#include "modele/Construction.h"
#include "scanner/Source.h"
#include "util/CExcTramelo.h"

#include <gtest/gtest.h>

#include <string>

namespace nsTest
{
    // Tout l'etat du traducteur est global : chaque test repart d'un etat de demarrage.
    inline void Charger (const std::string & Texte, unsigned Largeur = 4)
    {
        nsTramelo::Reinitialiser ();
        nsTramelo::ChargerSource (Texte, Largeur);
    }

    // Une declaration du modele pour un nom entre a la main dans les tables (son texte C++ en vient).
    inline std::uint32_t Declarer (const std::string & Nom)
    {
        nsTramelo::SDeclaration D;
        D.Nom = Nom;
        nsTramelo::Construction.M.Declarations.push_back (D);
        return static_cast <std::uint32_t> (nsTramelo::Construction.M.Declarations.size () - 1);
    }

    struct SErreur
    {
        unsigned    Code;
        std::string Libelle;
    };

    // Execute Action, qui doit lever une erreur d'analyse, et la rend.
    template <class FAction>
    SErreur Erreur (FAction && Action)
    {
        try
        {
            Action ();
        }
        catch (const nsTramelo::CExcTramelo & Exc)
        {
            return { Exc.GetCodErr (), Exc.GetLibelle () };
        }
        ADD_FAILURE () << "aucune erreur levee";
        return { 0, "" };
    }
}
