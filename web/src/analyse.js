// L'analyse du texte de l'editeur : chaque changement donne une version, envoyee au travailleur
// (pont.js) ; a son retour, diagnostics et C++ sont affiches. Une analyse depassee par des
// frappes montre quand meme ses diagnostics, deplaces avec le texte, en attendant la suivante.
import { ChangeSet } from '@codemirror/state';

import { TAILLE_TAB } from './editeur.js';
import { marquerAJour, marquerAnalyseLongue, marquerEtat } from './interface.js';
import { creerPont } from './pont.js';

// Sans resultat apres ce delai (ms), la page indique qu'une analyse est en cours.
const DELAI_ANALYSE_LONGUE = 500;

// Vue : l'editeur ; Code : le script du travailleur ; Affichage : diagnostics.js ; VueCpp : cpp.js ;
// SurAJour (facultatif) : appele apres l'affichage du C++ de l'analyse du texte actuel.
export function creerAnalyse({ vue, code, affichage, vueCpp, surAJour = () => {} }) {
    // Version du texte de l'editeur : montee a chaque changement.
    let version = 0;
    // Pour chaque version envoyee a l'analyse : les changements faits depuis, pour situer ses
    // diagnostics dans le texte actuel.
    const suivis = new Map();
    // La derniere analyse du texte actuel { version, resultat } : posee a son arrivee.
    let derniere = null;
    // Promesses de aJour () en attente de l'analyse du texte actuel.
    let attentes = [];
    // Message du traducteur impossible a charger, ou null.
    let indisponible = null;
    let minuteurLongue = 0;
    let pont = null;

    function finAnalyseLongue() {
        clearTimeout(minuteurLongue);
        minuteurLongue = 0;
        marquerAnalyseLongue(false);
    }

    function terminerAttentes(resultat, erreur) {
        const a = attentes;
        attentes = [];
        for (const { ok, ko } of a) (erreur ? ko(erreur) : ok(resultat));
    }

    function demander() {
        if (indisponible || !pont) return;
        pont.analyser(version, vue.state.doc.toString());
        // Compte depuis la premiere frappe sans analyse a jour, pas depuis la derniere.
        if (!minuteurLongue) minuteurLongue = setTimeout(() => marquerAnalyseLongue(true), DELAI_ANALYSE_LONGUE);
    }

    function surResultat(v, resultat) {
        const changements = suivis.get(v);
        for (const w of [...suivis.keys()]) if (w <= v) suivis.delete(w);
        if (!changements) return;
        const aJour = v === version;
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
            surAJour(resultat);
            marquerAJour(true);
        }, 0));
    }

    // Le travailleur s'est arrete sur cette version (memoire epuisee...).
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

    // L'analyse du texte actuel : tout de suite si elle est la, sinon a son arrivee.
    function aJour() {
        if (indisponible) return Promise.reject(new Error(indisponible));
        if (derniere && derniere.version === version) return Promise.resolve(derniere.resultat);
        return new Promise((ok, ko) => attentes.push({ ok, ko }));
    }

    return {
        // Lance le travailleur et analyse le texte actuel.
        demarrer() {
            pont = creerPont({
                code,
                options: { tailleTab: TAILLE_TAB },
                surEnvoi: (v) => suivis.set(v, ChangeSet.empty(vue.state.doc.length)),
                surResultat,
                surEchec,
                surPret: () => marquerEtat('pret'),
                surIndisponible,
            });
            demander();
        },
        // A chaque mise a jour de l'editeur qui change le texte.
        changement(maj) {
            version++;
            for (const [v, changements] of suivis) suivis.set(v, changements.compose(maj.changes));
            marquerAJour(false);
            demander();
        },
        aJour,
        // L'analyse du texte actuel, C++ affiche (tests).
        async maintenant() {
            const resultat = await aJour();
            vueCpp.afficher(resultat);
            surAJour(resultat);
            marquerAJour(true);
        },
        derniere: () => derniere?.resultat ?? null,
        // Le dessin de l'organigramme d'un texte, par le meme travailleur.
        organigramme: (source, options) => (pont ? pont.organigramme(source, options)
            : Promise.reject(new Error('traducteur indisponible'))),
        ralentir: (ms) => pont?.ralentir(ms),
    };
}
