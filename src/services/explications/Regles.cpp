// La table des regles de l'explicateur, dans l'ordre ou elles sont essayees : les plus precises
// d'abord (une faute de caractere explique tout le reste), les generiques a la fin.
#include "services/explications/Explication.h"

namespace nsTramelo
{
    using namespace nsRegles;

    const SRegle Regles [] =
    {
        // Caracteres : ils font echouer n'importe quelle lecture, ils passent en premier.
        { "marque_ordre_octets", MarqueOrdreOctets },
        { "caractere_nul", CaractereNul },
        { "litteral_caractere", CaractereLong },
        { "chaine_ouverte", ChaineOuverte },
        { "echappement", Echappement },
        // Avant les octets non ASCII : « message <- Bonne journée; » est un texte, pas un nom.
        { "texte_sans_guillemets", TexteAccentueSansGuillemets },
        { "octet_non_ascii", OctetNonAscii },
        // Jetons en trop ou mal places, reconnus a coup sur.
        { "point_virgule_apres_fin_de_bloc", PointVirguleApresFinDeBloc },
        { "parentheses_sans_parametre", ParenthesesSansParametre },
        { "message_dans_saisir", MessageDansSaisir },
        // Blocs ecrits a la maniere du cours papier : la cause de l'erreur vue plus loin.
        { "sinon_si_en_deux_mots", SinonSiEnDeuxMots },
        // L'intention de l'etudiant, reconnue a ses noms et a ses valeurs.
        { "virgule_decimale", VirguleDecimale },
        { "tiret_dans_un_nom", TiretDansNom },
        { "plusieurs_noms_declares", PlusieursNomsDeclares },
        { "taille_apres_le_type", TailleApresLeType },
        { "pour_sans_variant_de", PourSansVariantDe },
        { "fonction_etrangere", FonctionEtrangere },
        { "saisir_comme_fonction", SaisirCommeFonction },
        { "accolades", Accolades },
        { "point_virgule_entre_parametres", PointVirguleEntreParametres },
        { "mode_de_passage", ModeDePassage },
        { "comparaison_enchainee", ComparaisonEnchainee },
        { "comparaison_sans_gauche", ComparaisonSansGauche },
        { "connecteur_sans_comparaison", ConnecteurSansComparaison },
        { "condition_numerique", ConditionNumerique },
        { "pas_dans_pour", PasDansPour },
        { "virgule_oubliee", VirguleOubliee },
        { "litteral_du_mauvais_type", LitteralDuMauvaisType },
        { "booleen_etranger", BooleenEtranger },
        { "texte_sans_guillemets", TexteSansGuillemets },
        { "repeter_tant_que", RepeterTantQue },
        { "fsi_avant_sinon", FsiAvantSinon },
        { "unite_dans_un_corps", UniteDansUnCorps },
        { "deux_algorithmes", DeuxAlgorithmes },
        { "fin_de_bloc_en_deux_mots", FinDeBlocEnDeuxMots },
        { "fin_de_bloc_soude", FinDeBlocSoude },
        { "unite_non_fermee", UniteNonFermee },
        // Noms et mots.
        { "mot_reserve", MotReserve },
        { "mot_reserve_declare", MotReserveDeclare },
        { "connecteur", Connecteur },
        { "negation", Negation },
        { "casse_mot_cle", CasseMotCle },
        { "type_inconnu", TypeInconnu },
        { "mot_du_cours", MotDuCours },
        { "declaration_sans_declarer", DeclarationSansDeclarer },
        { "fonction_comme_procedure", FonctionCommeProcedure },
        { "constante_modifiee", ConstanteModifiee },
        { "algorithme_avant_unites", AlgorithmeAvantUnites },
        { "hors_portee", HorsPortee },
        // Blocs restes ouverts, fin du fichier, texte apres l'algorithme.
        { "bloc_ouvert", BlocOuvert },
        { "fin_de_fichier", FinDeFichier },
        { "code_apres_fin", CodeApresFin },
        { "sinon_apres_sinon", SinonApresSinon },
        // Operateurs d'autres notations.
        { "affectation_egal", AffectationEgal },
        { "comparaison_egal", ComparaisonEgal },
        { "difference", Difference },
        { "modulo", Modulo },
        { "autre_operateur", AutreOperateur },
        // Ponctuation, jetons en trop, types.
        { "condition_sans_parentheses", ConditionSansParentheses },
        { "nombre_de_parametres", NombreDeParametres },
        { "appel_de_fonction", AppelDeFonction },
        { "chaine_pour_nombre", ChainePourNombre },
        { "nombre_dans_chaine", NombreDansChaine },
        { "tableau_entier", TableauEntier },
        { "double_declaration", DoubleDeclaration },
        { "nom_inconnu", NomInconnu },
        { "mot_cle_oublie", MotCleOublie },
        { "ponctuation_oubliee", PointVirguleOublie },
        // Toujours applicable.
        { "generique", Generique },
    };
    const std::size_t NbRegles = sizeof (Regles) / sizeof (Regles [0]);
}
