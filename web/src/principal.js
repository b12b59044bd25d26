// La page : editeur colore, diagnostics en direct, C++ produit, exemples, source garde dans le
// navigateur et lien de partage. Tout est dans ce seul fichier une fois assemble (module
// WebAssembly et exemples compris) : la page marche depuis file:// comme depuis un serveur.
import creerModuleTramelo from 'tramelo:module';
import EXEMPLES from 'tramelo:exemples';

import { defaultKeymap, history, historyKeymap } from '@codemirror/commands';
import { bracketMatching, indentUnit } from '@codemirror/language';
import { lintGutter, lintKeymap, setDiagnostics } from '@codemirror/lint';
import { highlightSelectionMatches, searchKeymap } from '@codemirror/search';
import { EditorSelection, EditorState, StateEffect, StateField } from '@codemirror/state';
import {
    Decoration, EditorView, WidgetType, drawSelection, highlightActiveLine,
    highlightActiveLineGutter, highlightSpecialChars, keymap, lineNumbers,
} from '@codemirror/view';

import { langageAlgo } from './langage.js';
import { installerOrganigramme } from './organigramme.js';
import { fragmentDe, sourceDuFragment } from './partage.js';
import { creerTramelo } from './tramelo.js';

const CLE_SOURCE = 'tramelo.source';
const CLE_PRECEDENT = 'tramelo.source.precedent';
// Une analyse plus courte que ceci suit la frappe sans attendre ; plus longue (tres grand
// source), elle attend une pause de la frappe d'au moins sa propre duree, pour que la saisie
// reste fluide.
const DUREE_IMMEDIATE = 20;
const DELAI_SAUVEGARDE = 400;
// Largeur des tabulations, celle de Tramelo sans second argument.
const TAILLE_TAB = 4;

// Les caracteres de controle montres par CodeMirror, sauf le retour chariot (drapeau g exige
// par CodeMirror, sans quoi son greffon echoue et ne montre rien).
const SPECIAUX_SAUF_CR = /[\u0000-\u0008\u000b\u000c\u000e-\u001f\u007f-\u009f\u00ad\u061c\u200b\u200e\u200f\u2028\u2029\u202d\u202e\u2066\u2067\u2069\ufeff\ufff9-\ufffc]/gu;

const $ = (id) => document.getElementById(id);

// Annonce breve (copie, partage, sauvegarde impossible), lue par les lecteurs d'ecran.
function annoncer(texte) {
    $('annonce').textContent = texte;
}

function lireStockage(cle) {
    try {
        return localStorage.getItem(cle);
    } catch {
        return null;
    }
}

// Leve par ecrireStockage au premier echec (l'annonce n'est faite qu'une fois) ; jamais baisse.
let stockageSignale = false;
function ecrireStockage(cle, valeur) {
    try {
        localStorage.setItem(cle, valeur);
    } catch {
        if (!stockageSignale) annoncer('Ce navigateur ne peut pas garder le source : pensez à le copier.');
        stockageSignale = true;
    }
}

// L'explication d'un diagnostic, en bloc sous la ligne fautive : message et lignes d'aide.
class WidgetExplication extends WidgetType {
    constructor(diag, ligne) {
        super();
        this.diag = diag;
        this.ligne = ligne;
    }

    eq(autre) {
        return autre.ligne === this.ligne && autre.diag.message === this.diag.message
            && JSON.stringify(autre.diag.aides) === JSON.stringify(this.diag.aides);
    }

    toDOM() {
        const bloc = document.createElement('div');
        bloc.className = `cm-explication cm-explication-${this.diag.severite}`;
        bloc.dataset.ligne = String(this.ligne);
        const message = document.createElement('div');
        message.className = 'cm-explication-message';
        message.textContent = `${this.diag.severite === 'erreur' ? 'erreur' : 'attention'} : ${this.diag.message}`;
        bloc.append(message);
        for (const aide of this.diag.aides) {
            const ligneAide = document.createElement('div');
            ligneAide.className = `cm-explication-${aide.genre}`;
            ligneAide.textContent = `${aide.genre} : ${aide.texte}`;
            bloc.append(ligneAide);
        }
        return bloc;
    }

}

const poserExplications = StateEffect.define();
const champExplications = StateField.define({
    create: () => Decoration.none,
    update(decorations, tr) {
        let d = decorations.map(tr.changes);
        for (const e of tr.effects) if (e.is(poserExplications)) d = e.value;
        return d;
    },
    provide: (champ) => EditorView.decorations.from(champ),
});

function nomDuFichier(source) {
    const m = /^\s*algorithme\s+([A-Za-z_][A-Za-z0-9_]*)/m.exec(source);
    return `${m ? m[1] : 'algorithme'}.cpp`;
}

async function demarrer() {
    let T;
    try {
        T = creerTramelo(await creerModuleTramelo());
    } catch (e) {
        $('chargement').textContent = `Le traducteur n'a pas pu être chargé dans ce navigateur (${e}).`;
        document.body.dataset.etat = 'echec';
        return;
    }

    // L'editeur, cree une fois plus bas.
    let vue;
    // La vue « Organigramme » (organigramme.js) : un clic sur une forme va a sa ligne.
    const organigramme = installerOrganigramme(T, {
        allerALaLigne: (n) => {
            const ligne = vue.state.doc.line(Math.min(Math.max(n, 1), vue.state.doc.lines));
            vue.dispatch({ selection: EditorSelection.cursor(ligne.from), scrollIntoView: true });
            vue.focus();
        },
    });
    // La derniere analyse : posee par analyser, lue par l'affichage, la copie, le telechargement.
    let analyse = null;
    // Analyse attendue apres une frappe : pose par l'ecouteur de l'editeur, remis a 0 par analyser.
    let minuteurAnalyse = 0;
    // Duree de la derniere analyse (posee par analyser) : decide de l'attente apres une frappe.
    let dureeAnalyse = 0;
    // Sauvegarde attendue : pose par l'ecouteur de l'editeur, remis a 0 par sauvegarder.
    let minuteurSauvegarde = 0;
    // Le C++ affiche est celui de la derniere analyse : baisse par analyser, leve par afficherCpp.
    let cppAJour = false;
    // Des diagnostics sont a l'ecran : pose par analyser a chaque analyse.
    let diagnosticsAffiches = false;

    // Traduit le source de l'editeur et met a jour soulignements, explications, liste des
    // diagnostics et C++.
    function analyser() {
        minuteurAnalyse = 0;
        const depart = performance.now();
        const source = vue.state.doc.toString();
        analyse = T.analyser(source, { tailleTab: TAILLE_TAB });
        const doc = vue.state.doc;
        const places = analyse.diagnostics.map((d) => {
            const debut = Math.min(d.debut, doc.length);
            return { d, debut, fin: Math.min(Math.max(d.fin, debut), doc.length), ligne: doc.lineAt(debut) };
        });
        // Sans diagnostic avant ni apres (frappe dans un source correct), rien a redessiner.
        if (places.length > 0 || diagnosticsAffiches) {
            // Le bloc se place au debut de la ligne suivante plutot qu'a la fin de la ligne
            // fautive, la ou l'on tape : une frappe contre un bloc serait mal relue du DOM.
            const explications = places.filter((p) => p.d.positionne).map((p) => {
                const widget = new WidgetExplication(p.d, p.ligne.number);
                return p.ligne.number < doc.lines
                    ? Decoration.widget({ widget, block: true, side: -1 }).range(p.ligne.to + 1)
                    : Decoration.widget({ widget, block: true, side: 1 }).range(p.ligne.to);
            });
            vue.dispatch(setDiagnostics(vue.state, places.filter((p) => p.d.positionne).map((p) => ({
                from: p.debut,
                to: p.fin,
                severity: p.d.severite === 'erreur' ? 'error' : 'warning',
                message: [p.d.message, ...p.d.aides.map((a) => `${a.genre} : ${a.texte}`)].join('\n'),
                source: 'Tramelo',
            }))), { effects: poserExplications.of(Decoration.set(explications, true)) });
        }
        diagnosticsAffiches = places.length > 0;
        dureeAnalyse = performance.now() - depart;
        afficherDiagnostics(places);
        // Le C++ (des milliers de lignes a mettre en page) attend l'image qui montre le
        // diagnostic : la frappe suivante n'attend que le soulignement.
        cppAJour = false;
        requestAnimationFrame(() => setTimeout(() => {
            afficherCpp(source);
            organigramme.mettreAJour(vue.state.doc.toString());
        }, 0));
    }

    // La liste sous l'editeur, annoncee par les lecteurs d'ecran : refaite seulement quand elle
    // change, pour ne pas repeter la meme annonce a chaque frappe.
    // Cle de la liste affichee et places a jour des diagnostics : posees par afficherDiagnostics.
    let listeAffichee = null;
    let placesCourantes = [];
    function afficherDiagnostics(places) {
        placesCourantes = places;
        const cle = JSON.stringify(places.map(({ d, ligne }) => [ligne.number, d.colonne, d.message, d.aides]));
        if (cle === listeAffichee) return;
        listeAffichee = cle;
        const liste = $('diagnostics');
        liste.replaceChildren();
        if (places.length === 0) {
            const rien = document.createElement('p');
            rien.className = 'aucun';
            rien.textContent = 'Aucune erreur.';
            liste.append(rien);
            return;
        }
        for (const [i, { d, ligne }] of places.entries()) {
            const article = document.createElement('div');
            article.className = `diagnostic diagnostic-${d.severite}`;
            if (d.positionne) {
                article.dataset.ligne = String(ligne.number);
                const aller = document.createElement('button');
                aller.type = 'button';
                aller.className = 'aller';
                aller.textContent = `Ligne ${ligne.number}, colonne ${d.colonne}`;
                aller.title = 'Placer le curseur sur l\'erreur';
                // La place a jour (le texte a pu bouger depuis que la liste est faite).
                aller.addEventListener('click', () => {
                    const place = placesCourantes[i] ?? { debut: 0 };
                    vue.dispatch({ selection: EditorSelection.cursor(place.debut), scrollIntoView: true });
                    vue.focus();
                });
                article.append(aller, ' ');
            }
            const message = document.createElement('span');
            message.className = 'message';
            message.textContent = `${d.message} (code ${d.code})`;
            article.append(message);
            for (const aide of d.aides) {
                const ligneAide = document.createElement('p');
                ligneAide.className = `aide aide-${aide.genre}`;
                ligneAide.textContent = `${aide.genre} : ${aide.texte}`;
                article.append(ligneAide);
            }
            liste.append(article);
        }
    }

    function afficherCpp(source) {
        // Une analyse plus recente a pu passer entre-temps : son propre affichage suivra.
        if (cppAJour || source !== vue.state.doc.toString()) return;
        cppAJour = true;
        const reussi = analyse.statut === 0;
        $('cpp-texte').textContent = analyse.cpp;
        $('cpp').classList.toggle('partiel', !reussi);
        $('etat-cpp').textContent = reussi
            ? ''
            : 'La traduction s\'est arrêtée à la première erreur : le C++ ci-dessous est incomplet.';
        $('copier').disabled = !reussi;
        $('telecharger').disabled = !reussi;
        document.body.dataset.aJour = 'oui';
    }

    // L'analyse du texte actuel, faite sur-le-champ si une frappe l'attend encore (copie ou
    // telechargement juste apres une frappe).
    function analyseAJour() {
        if (minuteurAnalyse) {
            clearTimeout(minuteurAnalyse);
            analyser();
        }
        afficherCpp(vue.state.doc.toString());
        return analyse;
    }

    function sauvegarder() {
        minuteurSauvegarde = 0;
        ecrireStockage(CLE_SOURCE, vue.state.doc.toString());
    }

    // Remplace tout le source (exemple, lien) : annulable par Ctrl+Z, et l'ancien source reste
    // dans le navigateur, retrouvable par le bouton "Rétablir".
    function remplacerSource(texte, annonce) {
        const actuel = vue.state.doc.toString();
        if (actuel === texte) return;
        if (actuel.trim() !== '') {
            ecrireStockage(CLE_PRECEDENT, actuel);
            $('retablir').hidden = false;
        }
        vue.dispatch({ changes: { from: 0, to: vue.state.doc.length, insert: texte },
                       selection: EditorSelection.cursor(0), scrollIntoView: true });
        if (annonce) annoncer(annonce);
    }

    // Le source d'un lien de partage ; null (et une annonce) si le fragment est abime.
    function sourceDuLien() {
        try {
            return sourceDuFragment(location.hash);
        } catch {
            annoncer('Le lien de partage est abîmé : son source ne peut pas être lu.');
            return null;
        }
    }

    function oublierFragment() {
        try {
            window.history.replaceState(null, '', location.pathname + location.search);
        } catch {
            // file:// dans certains navigateurs : le fragment reste, sans consequence
        }
    }

    // Source initial : celui du lien, sinon celui garde par le navigateur, sinon le premier exemple.
    const duLien = sourceDuLien();
    const garde = lireStockage(CLE_SOURCE);
    const initial = garde ?? EXEMPLES[0]?.source ?? '';

    vue = new EditorView({
        parent: $('editeur'),
        state: EditorState.create({
            doc: initial,
            extensions: [
                lineNumbers(),
                EditorView.lineWrapping,
                highlightActiveLineGutter(),
                // Le texte est garde tel quel, CR compris (un source colle depuis Windows) : la
                // page traduit exactement ce que Tramelo lirait dans le fichier. Les CR ne sont
                // pas montres.
                EditorState.lineSeparator.of('\n'),
                highlightSpecialChars({ specialChars: SPECIAUX_SAUF_CR }),
                history(),
                drawSelection(),
                highlightActiveLine(),
                highlightSelectionMatches(),
                bracketMatching(),
                lintGutter(),
                champExplications,
                langageAlgo(T.vocabulaire()),
                indentUnit.of('    '),
                EditorState.tabSize.of(TAILLE_TAB),
                keymap.of([...defaultKeymap, ...historyKeymap, ...searchKeymap, ...lintKeymap]),
                EditorView.contentAttributes.of({
                    'aria-label': 'Source de l\'algorithme',
                    'aria-describedby': 'aide-editeur',
                }),
                EditorView.updateListener.of((maj) => {
                    if (!maj.docChanged) return;
                    document.body.dataset.aJour = 'non';
                    // Dans une tache a part, jamais pendant le traitement de la frappe : la vue
                    // changee entre un evenement de saisie et son effet dans le DOM lirait mal
                    // le texte tape.
                    clearTimeout(minuteurAnalyse);
                    minuteurAnalyse = setTimeout(analyser,
                        dureeAnalyse < DUREE_IMMEDIATE ? 0 : Math.min(dureeAnalyse, 300));
                    clearTimeout(minuteurSauvegarde);
                    minuteurSauvegarde = setTimeout(sauvegarder, DELAI_SAUVEGARDE);
                }),
            ],
        }),
    });
    if (duLien !== null) {
        remplacerSource(duLien, 'Source du lien de partage chargé.');
        sauvegarder();
    }
    oublierFragment();
    analyser();

    // Un autre lien colle dans la barre d'adresse ne change que le fragment : pas de rechargement.
    window.addEventListener('hashchange', () => {
        const texte = sourceDuLien();
        if (texte !== null) {
            remplacerSource(texte, 'Source du lien de partage chargé.');
            sauvegarder();
        }
        oublierFragment();
    });
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
        remplacerSource(exemple.source, `Exemple « ${exemple.nom} » chargé.`);
        vue.focus();
    });
    $('retablir').addEventListener('click', () => {
        const precedent = lireStockage(CLE_PRECEDENT);
        if (precedent === null) return;
        remplacerSource(precedent, 'Source précédent rétabli.');
        vue.focus();
    });

    // C++ : copier, telecharger (les octets exacts produits par le traducteur).
    $('copier').addEventListener('click', async () => {
        try {
            const a = analyseAJour();
            if (a.statut !== 0) return;
            await navigator.clipboard.writeText(a.cpp);
            annoncer('C++ copié dans le presse-papiers.');
        } catch {
            const plage = document.createRange();
            plage.selectNodeContents($('cpp-texte'));
            getSelection().removeAllRanges();
            getSelection().addRange(plage);
            annoncer('Le C++ est sélectionné : copiez-le avec Ctrl+C.');
        }
    });
    $('telecharger').addEventListener('click', () => {
        const a = analyseAJour();
        if (a.statut !== 0) return;
        const lien = document.createElement('a');
        lien.href = URL.createObjectURL(new Blob([a.octets], { type: 'text/x-c++src' }));
        lien.download = nomDuFichier(vue.state.doc.toString());
        document.body.append(lien);
        lien.click();
        lien.remove();
        setTimeout(() => URL.revokeObjectURL(lien.href), 10000);
    });

    // Partage : le lien porte tout le source ; il s'affiche et part dans le presse-papiers.
    $('partager').addEventListener('click', async () => {
        const lien = `${location.href.replace(/#.*$/, '')}#${fragmentDe(vue.state.doc.toString())}`;
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

    $('chargement').remove();
    // Pour les tests automatiques : lire et changer le source, lire la derniere analyse, situer
    // un element de l'editeur (numero de ligne).
    window.tramelo = {
        source: () => vue.state.doc.toString(),
        definirSource: (texte) => remplacerSource(texte),
        analyse: () => analyse,
        analyserMaintenant: () => {
            analyser();
            afficherCpp(vue.state.doc.toString());
        },
        ligneDe: (noeud) => vue.state.doc.lineAt(vue.posAtDOM(noeud)).number,
        placerCurseur: (position) => {
            vue.focus();
            vue.dispatch({ selection: EditorSelection.cursor(position), scrollIntoView: true });
        },
    };
    document.body.dataset.etat = 'pret';
}

demarrer();
