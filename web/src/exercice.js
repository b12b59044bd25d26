// Un exercice ouvert par un lien (« #exercice=... », ecrit par tramelo-noter --exporter lien) :
// l'enonce au-dessus de l'editeur, le programme de depart charge une fois (le source de l'eleve
// reste gardé, « Rétablir » le ramene), et « Vérifier », qui lance les tests visibles du lien
// dans un travailleur distinct (verificateur.js) et montre le compte rendu de tramelo-exec --tester.
// Le lien est donne par l'enseignant, mais il vient de l'adresse : tout y est verifie et montre
// comme du texte, jamais comme du HTML.
import { $, annoncer } from './interface.js';
import { LONGUEUR_MAX_LIEN } from './partage.js';

export const PREFIXE_EXERCICE = 'exercice=';
const CLE_DEPART = 'tramelo.exercice.departCharge';
const COMPARAISONS = new Set(['exacte', 'blancs', 'reels', 'casse']);
// La sortie qu'un test peut ecrire dans la page (Kio) : le travailleur la garde entiere.
export const SORTIE_MAX_PAGE = 16 * 1024;

export class LienExerciceInvalide extends Error {}

function depuisBase64Url(texte) {
    if (!/^[A-Za-z0-9_-]*$/.test(texte)) throw new LienExerciceInvalide('caractères interdits');
    const binaire = atob(texte.replace(/-/g, '+').replace(/_/g, '/'));
    const octets = new Uint8Array(binaire.length);
    for (let i = 0; i < binaire.length; i++) octets[i] = binaire.charCodeAt(i);
    return new TextDecoder('utf-8', { fatal: true }).decode(octets);
}

const entierEntre = (v, min, max) => Number.isInteger(v) && v >= min && v <= max;

// L'exercice porte par un fragment (avec ou sans "#") ; null s'il n'en porte pas ;
// LienExerciceInvalide s'il est abime ou incomplet.
export function exerciceDuFragment(fragment) {
    const f = fragment.replace(/^#/, '');
    if (!f.startsWith(PREFIXE_EXERCICE)) return null;
    if (f.length > LONGUEUR_MAX_LIEN) throw new LienExerciceInvalide('trop long');
    let E;
    try {
        E = JSON.parse(depuisBase64Url(f.slice(PREFIXE_EXERCICE.length)));
    } catch {
        throw new LienExerciceInvalide('illisible');
    }
    const texte = (v) => typeof v === 'string';
    const ok = E && E.format === 'tramelo-exercice' && E.version === 1 && texte(E.titre) && texte(E.enonce)
        && (E.depart === undefined || texte(E.depart)) && entierEntre(E.temps, 1, 600)
        && entierEntre(E.memoire, 1, 1 << 20) && entierEntre(E.limite_sortie, 1, 1 << 20)
        && Array.isArray(E.tests) && E.tests.length <= 1000
        && E.tests.every((t) => t && texte(t.nom) && /^[A-Za-z0-9_-]{1,64}$/.test(t.nom)
            && entierEntre(t.points, 0, 1000) && COMPARAISONS.has(t.comparaison)
            && (t.tolerance === undefined || (typeof t.tolerance === 'number' && t.tolerance >= 0 && t.tolerance <= 1e6))
            && texte(t.entree) && texte(t.sortie));
    if (!ok) throw new LienExerciceInvalide('incomplet');
    return E;
}

// Sources : sources.js (emprunter) ; Code : le script du travailleur ; Vue : l'editeur ;
// Memoire : le stockage du navigateur (getItem, setItem), qui peut refuser d'ecrire.
export function installerExercice({ sources, code, vue, memoire }) {
    const panneau = $('panneau-exercice');
    const bouton = $('verifier');
    const boutonArreter = $('arreter-verification');
    const compteRendu = $('compte-rendu');
    const url = URL.createObjectURL(new Blob([code], { type: 'text/javascript' }));
    let exercice = null;
    let travailleur = null;
    let pret = false;
    let demande = null;

    function poser(etat) {
        document.body.dataset.verification = etat;
        bouton.disabled = etat === 'marche';
        boutonArreter.disabled = etat !== 'marche';
    }

    function finir(texte) {
        poser('fini');
        annoncer(texte);
    }

    function recevoir({ data }) {
        if (data.type === 'pret') {
            pret = true;
            if (demande) travailleur.postMessage(demande);
            demande = null;
        } else if (data.type === 'echec') {
            travailleur?.terminate();
            travailleur = null;
            compteRendu.textContent = `La vérification est impossible : ${data.message}`;
            finir(compteRendu.textContent);
        } else if (data.type === 'compteRendu') {
            compteRendu.append(data.texte);
        } else if (data.type === 'refusVerification') {
            compteRendu.textContent = 'Le programme contient une erreur (voir les diagnostics) : corrigez-la, puis vérifiez.';
            finir(compteRendu.textContent);
        } else if (data.type === 'verifie') {
            finir(`Vérification terminée : ${data.reussis} sur ${data.total} tests réussis.`);
        }
    }

    function verifier() {
        if (!exercice) return;
        compteRendu.textContent = '';
        poser('marche');
        annoncer('Vérification en cours…');
        // Un travailleur neuf a chaque fois : celui d'avant peut etre pris par un programme sans fin.
        travailleur?.terminate();
        pret = false;
        try {
            travailleur = new Worker(url);
        } catch (e) {
            travailleur = null;
            finir(`La vérification est impossible dans ce navigateur (${e?.message ?? e}).`);
            return;
        }
        travailleur.onmessage = recevoir;
        travailleur.onerror = (evenement) => {
            evenement.preventDefault();
            travailleur?.terminate();
            travailleur = null;
            compteRendu.append('\nLa vérification s\'est arrêtée (mémoire du navigateur épuisée ?).\n');
            finir('La vérification s\'est arrêtée.');
        };
        demande = { type: 'verifier', source: vue.state.doc.toString(), exercice, tailleTab: 4 };
    }

    function arreter() {
        if (document.body.dataset.verification !== 'marche') return;
        travailleur?.terminate();
        travailleur = null;
        compteRendu.append('Vérification arrêtée.\n');
        finir('Vérification arrêtée.');
        bouton.focus();
    }

    function montrer(E) {
        // Au-dela, la page ne garde pas la sortie : la limite de la page est dite et appliquee.
        const reduite = E.limite_sortie > SORTIE_MAX_PAGE;
        if (reduite) E.limite_sortie = SORTIE_MAX_PAGE;
        exercice = E;
        panneau.hidden = false;
        document.body.classList.add('avec-exercice');
        $('titre-exercice').textContent = E.titre;
        $('enonce').textContent = E.enonce;
        const n = E.tests.length;
        $('limites-exercice').textContent = `${n} ${n > 1 ? 'tests visibles' : 'test visible'} · `
            + `${E.temps} s par test · mémoire ${E.memoire} Mio · sortie ${E.limite_sortie} Kio`
            + `${reduite ? ' (limite de la page)' : ''}`;
        compteRendu.textContent = '';
        poser('inactif');
        // Le depart n'est charge qu'a la premiere ouverture de ce lien dans ce navigateur : un
        // rechargement de la page ne remplace pas le travail de l'eleve.
        const marque = `${E.titre}\u0000${E.depart ?? ''}`.slice(0, 4096);
        if (E.depart !== undefined && memoire.getItem(CLE_DEPART) !== marque) {
            sources.emprunter(E.depart, `Exercice « ${E.titre} » ouvert : son programme de départ est dans l'éditeur.`);
            try {
                memoire.setItem(CLE_DEPART, marque);
            } catch {
                // stockage interdit ou plein : le depart sera recharge a la prochaine ouverture
            }
        } else annoncer(`Exercice « ${E.titre} » ouvert.`);
    }

    // Vrai si le fragment de l'adresse est un lien d'exercice (bon ou abime) : sources.js le laisse.
    function ouvrir() {
        let E = null;
        try {
            E = exerciceDuFragment(location.hash);
        } catch {
            annoncer('Le lien d\'exercice est abîmé : l\'exercice ne peut pas être ouvert. Demandez le lien à nouveau.');
            return true;
        }
        if (E === null) return false;
        montrer(E);
        return true;
    }

    bouton.addEventListener('click', verifier);
    boutonArreter.addEventListener('click', arreter);
    return { ouvrir, verifier, exercice: () => exercice };
}
