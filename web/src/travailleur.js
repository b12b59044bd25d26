// Le traducteur dans un Web Worker : il traduit et explique hors du fil de la page, qui reste
// fluide meme quand une analyse est longue. Messages recus : { type: 'analyser', version, source,
// options }, { type: 'organigramme', id, source, options } et { type: 'lenteur', ms } (tests :
// chaque analyse dure au moins ms de plus). Messages envoyes : { type: 'pret' }, { type: 'echec',
// message }, pour chaque analyse { type: 'analyse', version, resultat, hsService } (hsService : le
// module est a recreer) et pour chaque dessin { type: 'organigramme', id, resultat, hsService }.
// Les messages d'execution sont ceux d'executeur.js.
import creerModuleTramelo from 'tramelo:module';

import { creerExecuteur } from './executeur.js';
import { creerTramelo } from './tramelo.js';
import { creerVerificateur } from './verificateur.js';

let T = null;
let lenteur = 0;
// Le meme script sert au travailleur d'execution (execution.js, executeur.js) : messages
// 'executer', 'saisie', 'finEntree', 'suivant', 'continuer'.
let executeur = null;
// Et au travailleur de « Vérifier » (exercice.js, verificateur.js) : message 'verifier'.
let verificateur = null;
const MESSAGES_EXECUTION = new Set(['executer', 'saisie', 'finEntree', 'suivant', 'continuer']);

creerModuleTramelo().then((M) => {
    T = creerTramelo(M);
    executeur = creerExecuteur(M, (message) => postMessage(message));
    verificateur = creerVerificateur(M, (message) => postMessage(message));
    postMessage({ type: 'pret' });
}, (e) => postMessage({ type: 'echec', message: String(e?.message ?? e) }));

self.onmessage = ({ data }) => {
    if (MESSAGES_EXECUTION.has(data.type)) {
        executeur?.(data);
        return;
    }
    if (data.type === 'verifier') {
        verificateur?.(data);
        return;
    }
    if (data.type === 'lenteur') {
        lenteur = data.ms;
        return;
    }
    if (data.type === 'organigramme' && T) {
        const R = T.organigramme(data.source, data.options);
        postMessage({ type: 'organigramme', id: data.id, resultat: R, hsService: T.interrompu() });
        return;
    }
    if (data.type !== 'analyser' || !T) return;
    if (lenteur > 0) {
        const fin = performance.now() + lenteur;
        while (performance.now() < fin) {
            // attente active : une analyse longue occupe le fil du travailleur
        }
    }
    const R = T.analyser(data.source, data.options);
    // Les octets du C++ sont transferes, pas copies.
    postMessage({ type: 'analyse', version: data.version, resultat: R, hsService: T.interrompu() }, [R.octets.buffer]);
};
