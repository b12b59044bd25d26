#include "ecriture/EcrivainVerifie.h"

#include "driver/Tramelo.h"
#include "scanner/Source.h"
#include "types/TypesCodes.h"

#include <algorithm>

namespace nsTramelo
{
    namespace
    {
        bool IsEntier (unsigned Type) { return Type == TEntier || Type == TEntierNaturel; }

        // La ligne du source (a partir de 1) du caractere a ce decalage du texte tamponne.
        std::size_t LigneSource (std::size_t Decalage)
        {
            if (FinLigne.empty ()) return 1;
            const std::size_t D = std::min <std::size_t> (Decalage, FinLigne.back () - 1);
            return std::upper_bound (FinLigne.begin (), FinLigne.end (), D) - FinLigne.begin () + 1;
        }

        // Les deux ecrivains ; l'ecrivain verifie est refait a chaque traduction de ce profil.
        CEcrivain Standard;
        std::unique_ptr <CEcrivainVerifie> Verifie;
    }

    CEcrivain * Ecrivain = & Standard;

    void PreparerEcriture (const std::string & Source, const SOptions & Options)
    {
        if (! Options.Verifie)
        {
            Ecrivain = & Standard;
            return;
        }
        Verifie = std::make_unique <CEcrivainVerifie> (Source, Options);
        Ecrivain = Verifie.get ();
    }

    void OublierEcriture ()
    {
        Ecrivain = & Standard;
        Verifie.reset ();
    }

    std::string LitteralCpp (const std::string & Texte)
    {
        std::string R = "\"";
        for (char c : Texte)
        {
            const unsigned char o = static_cast <unsigned char> (c);
            if (c == '"' || c == '\\') R += '\\';
            if (c == '\n') R += "\\n";
            else if (o < 32 || o == 127)
            {
                // Tout autre octet de controle (retour chariot, echappement...) en octal sur trois
                // chiffres : g++ refuse un retour chariot dans un litteral, et trois chiffres
                // n'absorbent jamais le caractere suivant.
                R += '\\';
                R += static_cast <char> ('0' + (o >> 6));
                R += static_cast <char> ('0' + ((o >> 3) & 7));
                R += static_cast <char> ('0' + (o & 7));
            }
            else R += c;
        }
        return R + '"';
    }

    // FinLigne est rempli ensuite par ChargerSource ; le situeur n'en garde que la reference.
    CEcrivainVerifie::CEcrivainVerifie (const std::string & Source, const SOptions & Options)
        : Situeur (Source, Options.TailleTab, FinLigne),
          NomSource (Options.NomSource.empty () ? "programme.algo" : Options.NomSource)
    {
        Sortie.Suivre (NomSource, Options.NomCpp.empty () ? "programme.cpp" : Options.NomCpp);
    }

    void CEcrivainVerifie::Entete () { GenererEnteteVerifie (NomSource); }

    void CEcrivainVerifie::Fin (const std::string & Algo) { Generer_mainVerifie (Algo); }

    void CEcrivainVerifie::Situer (std::size_t Decalage) { Sortie.Situer (LigneSource (Decalage)); }

    std::string CEcrivainVerifie::TextePosition (std::size_t Decalage)
    {
        if (FinLigne.empty ()) return "1, 1";
        const SPosition P = Situeur.Situer (Decalage);
        return std::to_string (P.Ligne) + ", " + std::to_string (P.ColonneOrigine);
    }

    std::string CEcrivainVerifie::Appel (const char * Fonction, const std::string & Args, std::size_t Decalage)
    {
        return std::string (Fonction) + " (" + Args + ", " + TextePosition (Decalage) + ")";
    }

    // Une fonction entier rend le meme type qu'une variable entier.
    std::string CEcrivainVerifie::TypeRetour (unsigned Type)
    {
        return Type == TEntier ? "long int" : CEcrivain::TypeRetour (Type);
    }

    // Entree d'une unite : la pile d'execution ne doit pas etre epuisee (recursion trop profonde).
    // L'algorithme n'est appele que par main : ses propres appels recursifs sont controles la ou
    // ils sont ecrits (EntreeAlgorithme).
    void CEcrivainVerifie::EntreeUnite (const SUnite & U, std::size_t PosNom)
    {
        Sortie << Tabul << std::string (TabulSz, ' ') << Appel ("_Entree", '"' + U.Nom + '"', PosNom) << ";\n";
    }

    void CEcrivainVerifie::EntreeAlgorithme (const SDeclaration & Algo, std::size_t PosNom)
    {
        Sortie << Tabul << "_Entree (\"" << Algo.Nom << "\", " << TextePosition (PosNom) << ");\n";
    }

    // Fin d'une fonction atteinte sans renvoie ; PosMotFin : son mot fin.
    void CEcrivainVerifie::FinSansRenvoie (const SUnite & U, std::size_t PosMotFin)
    {
        Sortie << Tabul << std::string (TabulSz, ' ') << Appel ("_SansRenvoie", '"' + U.Nom + '"', PosMotFin) << ";\n";
    }

    // Une taille de tableau ou de chaine declaree, controlee (negative, trop grande).
    std::string CEcrivainVerifie::TexteTaille (IdExpr Taille)
    {
        return Appel ("_Taille", Texte (Taille), M ().Exprs [Taille].Plage.Debut);
    }

    // Valeur convertie vers TypeCible, controlee si elle peut ne pas y tenir (entier_naturel
    // negatif, reel trop grand pour un entier) ; sans risque, la valeur telle quelle.
    std::string CEcrivainVerifie::Convertir (const std::string & Texte, IdExpr Id, unsigned TypeCible)
    {
        const SExpr & E = M ().Exprs [Id];
        if (IsLitteralEntier (E)) return Texte;
        const unsigned TypeValeur = E.Type;
        const std::size_t Decalage = E.Plage.Debut;
        if (TypeCible == TEntier && TypeValeur == TReel) return Appel ("_EntierDeReel", Texte, Decalage);
        if (TypeCible == TEntierNaturel && TypeValeur == TReel) return Appel ("_NaturelDeReel", Texte, Decalage);
        if (TypeCible == TEntierNaturel && IsEntier (TypeValeur)) return Appel ("_Naturel", Texte, Decalage);
        return Texte;
    }

    // ".at (_Indice (Nom, Indice, LIGNE, COLONNE))" : la forme ".at (" reste celle du profil standard.
    std::string CEcrivainVerifie::TexteIndice (const std::string & Nom, IdExpr Indice)
    {
        return ".at (" + Appel ("_Indice", Nom + ", " + Texte (Indice), M ().Exprs [Indice].Plage.Debut) + ")";
    }

    // Entre entiers, le calcul est fait sur 64 bits signes et controle ; Decalage : l'operateur.
    std::string CEcrivainVerifie::TexteOperation (EOperateur Op, const std::string & Gauche, unsigned TypeG,
                                                  const std::string & Droite, unsigned TypeD, std::size_t Decalage)
    {
        const std::string Args = Gauche + ", " + Droite;
        if (IsEntier (TypeG) && IsEntier (TypeD))
        {
            switch (Op)
            {
                case EOperateur::Plus  : return Appel ("_Plus", Args, Decalage);
                case EOperateur::Moins : return Appel ("_Moins", Args, Decalage);
                case EOperateur::Fois  : return Appel ("_Fois", Args, Decalage);
                default                : return Appel ("_Div", Args, Decalage);
            }
        }
        if (Op == EOperateur::Divise) return Appel ("_DivReel", Args, Decalage);
        std::string Texte = Gauche;
        CEcrivain::AjouterOperation (Texte, Op, TypeG, Droite, TypeD, Decalage);
        return Texte;
    }

    // Les operations controlees enveloppent ce qui precede : la suite est reecrite.
    void CEcrivainVerifie::AjouterOperation (std::string & Gauche, EOperateur Op, unsigned TypeG,
                                             const std::string & Droite, unsigned TypeD, std::size_t Decalage)
    {
        if ((IsEntier (TypeG) && IsEntier (TypeD)) || Op == EOperateur::Divise)
            Gauche = TexteOperation (Op, Gauche, TypeG, Droite, TypeD, Decalage);
        else CEcrivain::AjouterOperation (Gauche, Op, TypeG, Droite, TypeD, Decalage);
    }

    // Le moins unaire : controle sur un entier qui n'est pas un litteral ; Decalage : le signe.
    std::string CEcrivainVerifie::TexteOppose (const std::string & Facteur, const SExpr & E)
    {
        const SExpr & F = M ().Enfant (E, 0);
        if (F.Type == TReel || IsLitteralEntier (F)) return CEcrivain::TexteOppose (Facteur, E);
        return Appel ("_Oppose", Facteur, E.Plage.Debut);
    }

    // Entre deux entiers, les deux cotes sont compares comme entiers signes.
    std::string CEcrivainVerifie::TexteComparaison (const std::string & Gauche, unsigned TypeG, const char * Op,
                                                    const std::string & Droite, unsigned TypeD)
    {
        if (IsEntier (TypeG) && IsEntier (TypeD)) return "long (" + Gauche + ")" + Op + "long (" + Droite + ")";
        return Gauche + Op + Droite;
    }

    // modulo (a, b), controle (b nul).
    std::string CEcrivainVerifie::TexteModulo (const std::string & a, const std::string & b, IdExpr B)
    {
        return " " + Appel ("_Modulo", a + ", " + b, M ().Exprs [B].Plage.Debut);
    }

    // Une saisie invalide ou une fin d'entree est signalee.
    void CEcrivainVerifie::Saisir (IdExpr Variable)
    {
        const SExpr & V = M ().Exprs [Variable];
        const std::string Nom = Extrait (V.Plage);
        Sortie << Tabul << Appel ("_Saisir", Nom + ", \"" + Nom + '"', V.Plage.Debut) << ";\n";
    }

    void CEcrivainVerifie::Redimension (bool Allonger, IdExpr Nom, IdExpr Longueur)
    {
        const std::string N = Extrait (M ().Exprs [Nom].Plage);
        Sortie << Tabul << Appel (Allonger ? "_Allonger" : "_Redimensionner", N + ", " + Texte (Longueur),
                                  M ().Exprs [Longueur].Plage.Debut)
               << ";\n";
    }

    // La variable n'avance que si la borne n'est pas atteinte (une borne egale au plus grand
    // entier ferait deborder ++, et la boucle ne finirait jamais).
    void CEcrivainVerifie::EntetePour (const std::string & Nom, bool Descendant)
    {
        const bool Monte = ! Descendant;
        Sortie << Tabul << "for (long long int " << Nom << " = _BorneInf, _Encore = " << Nom
               << (Descendant ? " >= " : " <= ") << "_BorneSup; _Encore; _Encore = " << Nom
               << (Monte ? " < " : " > ") << "_BorneSup, " << Nom << (Monte ? " += " : " -= ") << "_Encore)\n";
    }

    void Generer_mainVerifie (const std::string & Algo)
    {
        Sortie.Cadre ();
        Sortie <<
            "} // namespace\n"
            "\n"
            "int main()\n"
            "{\n"
            "    _BasePile = static_cast <char *> (__builtin_frame_address (0));\n"
            "    _LireBudgetPile ();\n"
            "    try\n"
            "    {\n"
            "        " << Algo << "();\n"
            "    }\n"
            "    catch (const std::bad_alloc &)\n"
            "    {\n"
            "        _SignalerSansPosition () << \"Mémoire insuffisante\";\n"
            "        _Arreter ();\n"
            "    }\n"
            "    catch (const std::exception & _E)\n"
            "    {\n"
            "        _SignalerSansPosition () << \"Erreur inattendue de la bibliothèque C++ (\" << _E.what () << \")\";\n"
            "        _Arreter ();\n"
            "    }\n"
            "    catch (...)\n"
            "    {\n"
            "        _SignalerSansPosition () << \"Erreur inattendue\";\n"
            "        _Arreter ();\n"
            "    }\n"
            "    std::cout.flush ();\n"
            "    return 0;\n"
            "\n"
            "} // main()\n";
    }
}
