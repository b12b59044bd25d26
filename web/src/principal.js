// La page : editeur colore, diagnostics en direct, C++ produit, exemples, source garde dans le
// navigateur et lien de partage. Tout est dans un seul fichier une fois assemble (travailleur,
// module WebAssembly et exemples compris) : la page marche depuis file:// comme depuis un serveur.
// Ce module relie les autres : l'editeur (editeur.js), l'affichage des diagnostics
// (diagnostics.js) et du C++ (cpp.js), le travailleur qui analyse (pont.js, travailleur.js), le
// source garde (stockage.js) et les liens (partage.js).
import CODE_TRAVAILLEUR from 'tramelo:travailleur';
import EXEMPLES from 'tramelo:exemples';
import VOCABULAIRE from 'tramelo:vocabulaire';

import { ChangeSet, EditorSelection } from '@codemirror/state';

import { creerVueCpp } from './cpp.js';
import { creerAffichageDiagnostics, extensionsDiagnostics } from './diagnostics.js';
import { TAILLE_TAB, creerEditeur, estFrappe, remplacerTexte } from './editeur.js';
import { $, annoncer, marquerAJour, marquerAnalyseLongue, marquerEtat } from './interface.js';
import { LONGUEUR_MAX_LIEN, TAILLE_MAX_SOURCE, fragmentDe, sourceDuFragment } from './partage.js';
import { creerPont } from './pont.js';
import { creerStockage } from './stockage.js';

const DELAI_SAUVEGARDE = 400;
// Sans resultat apres ce delai (ms), la page indique qu'une analyse est en cours.
const DELAI_ANALYSE_LONGUE = 500;

const MESSAGES_LIEN = {
    vide: 'Le lien de partage est vide : il ne contient aucun source. L\'éditeur n\'a pas changé.',
    abime: 'Le lien de partage est abîmé : son source ne peut pas être lu. L\'éditeur n\'a pas changé.',
    'trop-grand': 'Le lien de partage porte un source de plus de 4 Mo : il n\'est pas chargé. '
                  + 'L\'éditeur n\'a pas changé.',
};

// Le localStorage, ou un stockage qui refuse toute ecriture quand le navigateur l'interdit.
function stockageDuNavigateur() {
    try {
        if (window.localStorage) return window.localStorage;
    } catch {
        // interdit (cookies bloques...) : rien n'est garde
    }
    return {
        getItem: () => null,
        setItem: () => { throw new Error('stockage indisponible'); },
        removeItem: () => {},
    };
}

function nomAlgorithme(source) {
    return /^\s*algorithme\s+([A-Za-z_][A-Za-z0-9_]*)/m.exec(source)?.[1] ?? null;
}

function demarrer() {
    // Leve a la premiere ecriture impossible (l'annonce n'est faite qu'une fois) ; jamais baisse.
    let stockageSignale = false;
    const stockage = creerStockage(stockageDuNavigateur(), () => {
        if (!stockageSignale) annoncer('Ce navigateur ne peut pas garder le source : pensez à le copier.');
        stockageSignale = true;
    });

    // Origine du texte de l'editeur : 'empruntee' tel qu'un lien ou un exemple l'a donne,
    // 'eleve' des que l'eleve l'a modifie (voir stockage.js).
    const garde = stockage.source();
    let origine = garde === null ? 'empruntee' : stockage.origine();

    // Version du texte de l'editeur : montee a chaque changement.
    let version = 0;
    // Pour chaque version envoyee a l'analyse : les changements faits depuis, pour situer ses
    // diagnostics dans le texte actuel.
    const suivis = new Map();
    // La derniere analyse du texte actuel { version, resultat } : posee a son arrivee.
    let derniere = null;
    // Promesses de analyseAJour en attente de l'analyse du texte actuel.
    let attentes = [];
    // Message du traducteur impossible a charger, ou null.
    let indisponible = null;
    let minuteurLongue = 0;
    // Sauvegarde attendue : pose par une frappe, remis a 0 par sauvegarder.
    let minuteurSauvegarde = 0;

    let vue = null;
    let pont = null;

    function sauvegarder() {
        clearTimeout(minuteurSauvegarde);
        minuteurSauvegarde = 0;
        stockage.enregistrer(vue.state.doc.toString(), origine);
    }

    function demanderAnalyse() {
        if (indisponible || !pont) return;
        pont.analyser(version, vue.state.doc.toString());
        // Compte depuis la premiere frappe sans analyse a jour, pas depuis la derniere.
        if (!minuteurLongue) minuteurLongue = setTimeout(() => marquerAnalyseLongue(true), DELAI_ANALYSE_LONGUE);
    }

    function finAnalyseLongue() {
        clearTimeout(minuteurLongue);
        minuteurLongue = 0;
        marquerAnalyseLongue(false);
    }

    function surChangement(maj) {
        if (estFrappe(maj)) origine = 'eleve';
        version++;
        for (const [v, changements] of suivis) suivis.set(v, changements.compose(maj.changes));
        marquerAJour(false);
        demanderAnalyse();
        clearTimeout(minuteurSauvegarde);
        minuteurSauvegarde = setTimeout(sauvegarder, DELAI_SAUVEGARDE);
    }

    vue = creerEditeur({
        parent: $('editeur'),
        doc: garde ?? EXEMPLES[0]?.source ?? '',
        vocabulaire: VOCABULAIRE,
        extensions: extensionsDiagnostics,
        surChangement,
    });
    const affichage = creerAffichageDiagnostics(vue, $('diagnostics'));

    // L'analyse du texte actuel : tout de suite si elle est la, sinon a son arrivee.
    function analyseAJour() {
        if (indisponible) return Promise.reject(new Error(indisponible));
        if (derniere && derniere.version === version) return Promise.resolve(derniere.resultat);
        return new Promise((ok, ko) => attentes.push({ ok, ko }));
    }

    function terminerAttentes(resultat, erreur) {
        const a = attentes;
        attentes = [];
        for (const { ok, ko } of a) (erreur ? ko(erreur) : ok(resultat));
    }

    const vueCpp = creerVueCpp({ analyseAJour, source: () => vue.state.doc.toString() });

    function surResultat(v, resultat) {
        const changements = suivis.get(v);
        for (const w of [...suivis.keys()]) if (w <= v) suivis.delete(w);
        if (!changements) return;
        const aJour = v === version;
        // Une analyse depassee par des frappes montre quand meme ses diagnostics, deplaces avec
        // le texte, en attendant la suivante.
        const place = (p, cote) => changements.mapPos(Math.min(p, changements.length), cote);
        affichage.afficher(aJour ? resultat.diagnostics : resultat.diagnostics.map((d) => {
            const debut = place(d.debut, 1);
            return { ...d, debut, fin: Math.max(debut, place(d.fin, -1)) };
        }));
        if (!aJour) return;
        derniere = { version: v, resultat };
        finAnalyseLongue();
        terminerAttentes(resultat);
        // Le C++ (des milliers de lignes a mettre en page) attend l'image qui montre le
        // diagnostic : la frappe suivante n'attend que le soulignement.
        requestAnimationFrame(() => setTimeout(() => {
            if (version !== v) return;
            vueCpp.afficher(resultat);
            marquerAJour(true);
        }, 0));
    }

    function surEchec(v, message) {
        suivis.delete(v);
        if (v !== version) return;
        finAnalyseLongue();
        affichage.message(`L'analyse de ce source a arrêté le traducteur (${message}). `
                          + 'Modifiez le source pour relancer l\'analyse.');
        vueCpp.indisponible('Pas de C++ : l\'analyse de ce source n\'a pas abouti.');
        terminerAttentes(null, new Error(message));
        marquerAJour(true);
    }

    function surIndisponible(message) {
        indisponible = message;
        finAnalyseLongue();
        affichage.message(`Le traducteur n'a pas pu être chargé dans ce navigateur (${message}). `
                          + 'Le source reste modifiable et gardé.');
        vueCpp.indisponible('Pas de C++ : le traducteur n\'a pas pu être chargé.');
        terminerAttentes(null, new Error(message));
        marquerEtat('echec');
    }

    // Rétablir : visible tant qu'un source de l'eleve est garde, apres un rechargement aussi.
    function majRetablir() {
        const [premier] = stockage.gardes();
        const bouton = $('retablir');
        bouton.hidden = premier === undefined;
        if (premier === undefined) return;
        const nom = nomAlgorithme(premier);
        bouton.title = `Ramène ${nom ? `« ${nom} »` : 'votre source'}, gardé quand un lien ou un exemple l'a remplacé`;
    }

    // Remplace tout le texte (exemple, lien, source retabli), annulable par Ctrl+Z. Un source de
    // l'eleve ainsi remplace est mis a l'abri (sauf si Garder est faux : l'appelant s'en charge).
    function remplacerSource(texte, nouvelleOrigine, annonce, garder = true) {
        const actuel = vue.state.doc.toString();
        if (actuel !== texte) {
            if (garder && origine === 'eleve') stockage.garder(actuel);
            remplacerTexte(vue, texte);
        }
        origine = nouvelleOrigine;
        sauvegarder();
        majRetablir();
        if (annonce) annoncer(annonce);
    }

    // Apres un lien ou un exemple : ou est passe le source d'avant.
    const suiteAnnonce = () => (stockage.gardes().length
        ? ' Votre source est gardé : le bouton « Rétablir mon source » le ramène.' : '');

    function oublierFragment() {
        try {
            window.history.replaceState(null, '', location.pathname + location.search);
        } catch {
            // file:// dans certains navigateurs : le fragment reste, sans consequence
        }
    }

    // Le source du lien de l'adresse, s'il y en a un ; un lien vide ou abime ne touche a rien.
    function ouvrirLien() {
        let texte = null;
        try {
            texte = sourceDuFragment(location.hash);
        } catch (e) {
            annoncer(MESSAGES_LIEN[e.raison] ?? MESSAGES_LIEN.abime);
        }
        if (texte !== null) {
            remplacerSource(texte, 'empruntee');
            annoncer(`Source du lien de partage chargé.${suiteAnnonce()}`);
        }
        if (location.hash) oublierFragment();
    }

    ouvrirLien();
    majRetablir();
    // Un autre lien colle dans la barre d'adresse ne change que le fragment : pas de rechargement.
    window.addEventListener('hashchange', ouvrirLien);
    // Le source en cours d'ecriture est garde meme si l'on ferme la page juste apres une frappe.
    window.addEventListener('pagehide', () => {
        if (minuteurSauvegarde) sauvegarder();
    });

    // Exemples.
    const choix = $('exemples');
    for (const [i, exemple] of EXEMPLES.entries()) {
        const option = document.createElement('option');
        option.value = String(i);
        option.textContent = exemple.nom;
        choix.append(option);
    }
    $('ouvrir-exemple').addEventListener('click', () => {
        const exemple = EXEMPLES[Number(choix.value)];
        if (!exemple) return;
        remplacerSource(exemple.source, 'empruntee');
        annoncer(`Exemple « ${exemple.nom} » chargé.${suiteAnnonce()}`);
        vue.focus();
    });
    $('retablir').addEventListener('click', () => {
        const source = stockage.reprendre(origine === 'eleve' ? vue.state.doc.toString() : null);
        if (source !== null) remplacerSource(source, 'eleve', 'Votre source est rétabli.', false);
        majRetablir();
        vue.focus();
    });

    // Partage : le lien porte tout le source ; il s'affiche et part dans le presse-papiers.
    $('partager').addEventListener('click', async () => {
        const source = vue.state.doc.toString();
        if (source.trim() === '') {
            annoncer('Rien à partager : le source est vide.');
            return;
        }
        const fragment = new TextEncoder().encode(source).length <= TAILLE_MAX_SOURCE ? fragmentDe(source) : null;
        if (fragment === null || fragment.length > LONGUEUR_MAX_LIEN) {
            annoncer('Ce source est trop grand pour un lien de partage : téléchargez-le plutôt.');
            return;
        }
        const lien = `${location.href.replace(/#.*$/, '')}#${fragment}`;
        const champ = $('lien');
        champ.value = lien;
        $('partage').hidden = false;
        champ.focus();
        champ.select();
        try {
            await navigator.clipboard.writeText(lien);
            annoncer('Lien de partage copié dans le presse-papiers.');
        } catch {
            annoncer('Lien de partage prêt : copiez-le avec Ctrl+C.');
        }
    });

    pont = creerPont({
        code: CODE_TRAVAILLEUR,
        options: { tailleTab: TAILLE_TAB },
        surEnvoi: (v) => suivis.set(v, ChangeSet.empty(vue.state.doc.length)),
        surResultat,
        surEchec,
        surPret: () => marquerEtat('pret'),
        surIndisponible,
    });
    demanderAnalyse();

    // Pour les tests automatiques : lire et changer le source (comme si l'eleve l'ecrivait), lire
    // la derniere analyse, attendre celle du texte actuel, situer un element de l'editeur
    // (numero de ligne), ralentir les analyses.
    window.tramelo = {
        source: () => vue.state.doc.toString(),
        definirSource: (texte) => remplacerSource(texte, 'eleve'),
        analyse: () => derniere?.resultat ?? null,
        analyserMaintenant: async () => {
            const resultat = await analyseAJour();
            vueCpp.afficher(resultat);
            marquerAJour(true);
        },
        ligneDe: (noeud) => vue.state.doc.lineAt(vue.posAtDOM(noeud)).number,
        placerCurseur: (position) => {
            vue.focus();
            vue.dispatch({ selection: EditorSelection.cursor(position), scrollIntoView: true });
        },
        ralentirAnalyses: (ms) => pont.ralentir(ms),
    };
}

demarrer();
