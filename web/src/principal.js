// La page : editeur colore, diagnostics en direct, C++ produit, exemples, source garde dans le
// navigateur et lien de partage. Tout est dans un seul fichier une fois assemble (travailleur,
// module WebAssembly, exemples et vocabulaire compris) : la page marche depuis file:// comme
// depuis un serveur. Ce module relie les autres : l'editeur (editeur.js), l'analyse dans un Web
// Worker (analyse.js, pont.js, travailleur.js), l'affichage des diagnostics (diagnostics.js) et
// du C++ (cpp.js), le texte et d'ou il vient (sources.js, stockage.js, partage.js), l'execution
// dans un second travailleur (execution.js, executeur.js, marques.js), l'exercice d'un lien et
// sa verification (exercice.js, verificateur.js).
import CODE_TRAVAILLEUR from 'tramelo:travailleur';
import EXEMPLES from 'tramelo:exemples';
import VOCABULAIRE from 'tramelo:vocabulaire';

import { EditorSelection } from '@codemirror/state';

import { creerAnalyse } from './analyse.js';
import { creerVueCpp } from './cpp.js';
import { creerAffichageDiagnostics, extensionsDiagnostics } from './diagnostics.js';
import { creerEditeur } from './editeur.js';
import { installerExecution } from './execution.js';
import { installerExercice } from './exercice.js';
import { $, annoncer } from './interface.js';
import { extensionsMarques } from './marques.js';
import { installerOrganigramme } from './organigramme.js';
import { creerSources } from './sources.js';
import { creerStockage } from './stockage.js';

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

function demarrer() {
    // Leve a la premiere ecriture impossible (l'annonce n'est faite qu'une fois) ; jamais baisse.
    let stockageSignale = false;
    const memoire = stockageDuNavigateur();
    const stockage = creerStockage(memoire, () => {
        if (!stockageSignale) annoncer('Ce navigateur ne peut pas garder le source : pensez à le copier.');
        stockageSignale = true;
    });
    // Le texte de la derniere visite, sinon le premier exemple (emprunte : l'eleve ne l'a pas ecrit).
    const garde = stockage.source();

    // Les modules se referencent : l'editeur appelle sources et analyse a chaque changement.
    let sources = null;
    let analyse = null;
    const vue = creerEditeur({
        parent: $('editeur'),
        doc: garde ?? EXEMPLES[0]?.source ?? '',
        vocabulaire: VOCABULAIRE,
        extensions: [extensionsDiagnostics, extensionsMarques],
        surChangement: (maj) => {
            sources.changement(maj);
            analyse?.changement(maj);
        },
    });
    const vueCpp = creerVueCpp({ analyseAJour: () => analyse.aJour(), source: () => vue.state.doc.toString() });
    // La vue « Organigramme » : dessinee par le travailleur ; un clic sur une forme va a sa ligne.
    const organigramme = installerOrganigramme((source, options) => analyse.organigramme(source, options), {
        allerALaLigne: (n) => {
            const ligne = vue.state.doc.line(Math.min(Math.max(n, 1), vue.state.doc.lines));
            vue.dispatch({ selection: EditorSelection.cursor(ligne.from), scrollIntoView: true });
            vue.focus();
        },
    });
    analyse = creerAnalyse({
        vue, code: CODE_TRAVAILLEUR, affichage: creerAffichageDiagnostics(vue, $('diagnostics')), vueCpp,
        surAJour: () => organigramme.mettreAJour(vue.state.doc.toString()),
    });
    sources = creerSources({
        vue, stockage, origine: garde === null ? 'empruntee' : stockage.origine(), exemples: EXEMPLES,
    });
    sources.installer();
    analyse.demarrer();
    // L'execution, dans son propre travailleur (meme script que l'analyse).
    const execution = installerExecution({ code: CODE_TRAVAILLEUR, vue });
    // Un lien d'exercice : l'enonce, le depart et « Vérifier » (apres sources, qui le laisse).
    const exercice = installerExercice({ sources, code: CODE_TRAVAILLEUR, vue, memoire });
    exercice.ouvrir();
    window.addEventListener('hashchange', () => exercice.ouvrir());

    // Pour les tests automatiques : lire et changer le source (comme si l'eleve l'ecrivait), lire
    // la derniere analyse, attendre celle du texte actuel, situer un element de l'editeur
    // (numero de ligne), ralentir les analyses.
    window.tramelo = {
        source: () => vue.state.doc.toString(),
        definirSource: (texte) => sources.definir(texte),
        analyse: () => analyse.derniere(),
        analyserMaintenant: () => analyse.maintenant(),
        ligneDe: (noeud) => vue.state.doc.lineAt(vue.posAtDOM(noeud)).number,
        placerCurseur: (position) => {
            vue.focus();
            vue.dispatch({ selection: EditorSelection.cursor(position), scrollIntoView: true });
        },
        ralentirAnalyses: (ms) => analyse.ralentir(ms),
        execution,
        exercice,
    };
}

demarrer();
