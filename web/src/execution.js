// Executer le programme dans la page : « Exécuter », « Pas à pas » (ligne suivante, continuer),
// « Arrêter », les « Entrées » lues par saisir avant le clavier, la « Sortie » (avec une ligne de
// saisie quand l'entree est epuisee), l'erreur d'execution marquee dans l'editeur, et le tableau
// de suivi du pas a pas, exportable en CSV.
//
// L'interpreteur tourne dans un travailleur a lui (executeur.js), distinct de celui de l'analyse :
// « Arrêter » le termine et en relance un autre sans toucher a l'analyse.
import { TAILLE_TAB } from './editeur.js';
import { marquer } from './marques.js';

const $ = (id) => document.getElementById(id);

// Lignes gardees du tableau de suivi : au-dela, le tableau s'arrete (l'execution continue).
export const LIGNES_SUIVI_MAX = 10000;

// Une case du CSV : entre guillemets si elle contient le separateur, un guillemet ou une fin de ligne.
function caseCsv(texte) {
    const t = String(texte);
    return /[;"\r\n]/.test(t) ? `"${t.replace(/"/g, '""')}"` : t;
}

// Le tableau de suivi en CSV (separateur « ; », celui des tableurs en francais ; BOM pour qu'ils
// lisent l'UTF-8).
export function suiviEnCsv(lignes) {
    const entete = ['pas', 'ligne', 'instruction', 'variables modifiées', 'sortie'];
    const corps = lignes.map((l, i) => [i + 1, l.ligne, l.texte, texteVariables(l.variables), l.sortie]
        .map(caseCsv).join(';'));
    return `\ufeff${[entete.join(';'), ...corps].join('\r\n')}\r\n`;
}

function texteVariables(variables) {
    return variables.map((v) => (v.renvoi ? `${v.nom} renvoie ${v.valeur}` : `${v.nom} = ${v.valeur}`)).join('\n');
}

// La sortie dans une case du tableau : les fins de ligne visibles, sur une seule ligne.
function sortieLisible(texte) {
    return texte.replace(/\n/g, '↵\n').replace(/\n$/, '');
}

function nomCsv(source) {
    const m = /^\s*algorithme\s+([A-Za-z_][A-Za-z0-9_]*)/m.exec(source);
    return `${m ? m[1] : 'algorithme'}-suivi.csv`;
}

export function installerExecution({ code, vue }) {
    const url = URL.createObjectURL(new Blob([code], { type: 'text/javascript' }));
    const boutons = {
        executer: $('executer'), pasAPas: $('pas-a-pas'), suivant: $('suivant'), continuer: $('continuer'),
        arreter: $('arreter'),
    };
    const etat = $('etat-execution');
    const sortie = $('sortie');
    const sortieTexte = $('sortie-texte');
    const ligneSaisie = $('ligne-saisie');
    const saisie = $('saisie');
    const blocSuivi = $('suivi-bloc');
    const corpsSuivi = $('suivi').tBodies[0];
    const variablesCourantes = $('variables-courantes');

    let travailleur = null;
    let pret = false;
    // Une demande d'execution faite avant que le module soit charge : envoyee a son arrivee.
    let enAttenteDuModule = null;
    // 'inactif', 'marche', 'entree' (saisie attendue), 'pas' (pas a pas, arrete avant une ligne).
    let phase = 'inactif';
    let pasAPas = false;
    let sourceExecute = '';
    let lignesSuivi = [];
    let suiviTronque = false;
    let ligneEnCours = null;
    let depart = 0;
    let premiereSortie = null;

    function annoncer(texte) {
        etat.textContent = texte;
    }

    function poserPhase(p) {
        phase = p;
        document.body.dataset.execution = p;
        const active = p !== 'inactif';
        const focusPerdu = document.activeElement;
        boutons.executer.disabled = active;
        boutons.pasAPas.disabled = active;
        boutons.arreter.disabled = !active;
        boutons.suivant.disabled = p !== 'pas';
        boutons.continuer.disabled = p !== 'pas';
        ligneSaisie.hidden = p !== 'entree';
        // Un bouton qui devient inactif perd le focus : il revient au bouton qui relance.
        if (focusPerdu instanceof HTMLButtonElement && focusPerdu.disabled) {
            (active ? boutons.arreter : (pasAPas ? boutons.pasAPas : boutons.executer)).focus();
        }
    }

    function ajouterSortie(texte, classe) {
        if (!texte) return;
        if (classe) {
            const s = document.createElement('span');
            s.className = classe;
            s.textContent = texte;
            sortieTexte.append(s);
        } else sortieTexte.append(texte);
        sortie.scrollTop = sortie.scrollHeight;
    }

    // Un message de la page dans la sortie, sur sa propre ligne.
    function noteSortie(texte, classe) {
        const fin = sortieTexte.textContent;
        ajouterSortie(`${fin && !fin.endsWith('\n') ? '\n' : ''}${texte}\n`, classe);
    }

    function ligneTableau(l, numero) {
        const tr = document.createElement('tr');
        for (const texte of [numero, l.ligne, l.texte, texteVariables(l.variables), sortieLisible(l.sortie)]) {
            const td = document.createElement('td');
            td.textContent = String(texte);
            tr.append(td);
        }
        return tr;
    }

    // Lignes completes, puis celle qui s'execute (remplacee a chaque envoi), en evidence.
    function ajouterLignesSuivi(lignes, enCours) {
        ligneEnCours?.remove();
        ligneEnCours = null;
        const fragment = document.createDocumentFragment();
        for (const l of lignes) {
            if (lignesSuivi.length >= LIGNES_SUIVI_MAX) {
                if (!suiviTronque) {
                    suiviTronque = true;
                    const tr = document.createElement('tr');
                    const td = document.createElement('td');
                    td.colSpan = 5;
                    td.textContent = `Tableau limité à ${LIGNES_SUIVI_MAX} lignes : la suite n'y figure pas.`;
                    tr.append(td);
                    fragment.append(tr);
                }
                break;
            }
            lignesSuivi.push(l);
            fragment.append(ligneTableau(l, lignesSuivi.length));
        }
        if (enCours && !suiviTronque) {
            ligneEnCours = ligneTableau(enCours, lignesSuivi.length + 1);
            ligneEnCours.className = 'courante';
            fragment.append(ligneEnCours);
        }
        corpsSuivi.append(fragment);
        const defilement = corpsSuivi.closest('.suivi-defilement');
        defilement.scrollTop = defilement.scrollHeight;
    }

    function fin(message, classe) {
        noteSortie(message, classe);
        annoncer(message);
        marquer(vue, {});
        variablesCourantes.textContent = '';
        poserPhase('inactif');
    }

    function recevoir({ data }) {
        if (data.type === 'pret') {
            pret = true;
            if (enAttenteDuModule) {
                travailleur.postMessage(enAttenteDuModule);
                enAttenteDuModule = null;
            }
            return;
        }
        if (data.type === 'echec') {
            pret = false;
            travailleur?.terminate();
            travailleur = null;
            if (phase !== 'inactif') fin(`L'exécution est impossible : ${data.message}`, 'erreur-execution');
            return;
        }
        if (phase === 'inactif') return;
        switch (data.type) {
            case 'sortie':
                if (premiereSortie === null) premiereSortie = performance.now() - depart;
                ajouterSortie(data.texte);
                break;
            case 'suivi':
                ajouterLignesSuivi(data.lignes, data.enCours);
                break;
            case 'entree':
                poserPhase('entree');
                annoncer('Le programme attend une saisie : tapez une ligne puis Entrée.');
                saisie.value = '';
                saisie.focus();
                break;
            case 'pas': {
                poserPhase('pas');
                const { position, variables } = data;
                // Le texte a change depuis le lancement : la ligne ne se retrouve plus dans l'editeur.
                const meme = vue.state.doc.toString() === sourceExecute;
                marquer(vue, meme ? { courante: Math.min(position.debut, vue.state.doc.length) } : {});
                variablesCourantes.textContent = variables.length
                    ? `Variables : ${variables.map((v) => `${v.nom} = ${v.valeur}`).join(' ; ')}`
                    : 'Aucune variable.';
                annoncer(`Pas à pas : prochaine ligne ${position.ligne}${meme ? '' : ' (du source tel qu\'il était au lancement)'}.`);
                break;
            }
            case 'fin':
                fin(`Exécution terminée (statut ${data.statut}).`, 'fin-execution');
                break;
            case 'erreur': {
                const e = data.erreur;
                noteSortie(e.texte, 'erreur-execution');
                annoncer(`Erreur d'exécution${e.positionnee ? ` ligne ${e.ligne}` : ''} : ${e.message}`);
                poserPhase('inactif');
                variablesCourantes.textContent = '';
                // Le texte a pu changer depuis le lancement : la marque n'a de sens que sur le meme.
                if (e.positionnee && vue.state.doc.toString() === sourceExecute) {
                    marquer(vue, { erreur: { position: e.debut, message: e.message } });
                } else marquer(vue, {});
                break;
            }
            case 'refus':
                fin('Le source contient une erreur (voir les diagnostics) : il ne peut pas être exécuté.', 'erreur-execution');
                break;
            case 'tronque':
                fin(`Sortie limitée à ${data.limite} octets dans la page : exécution arrêtée.`, 'erreur-execution');
                break;
            default:
                break;
        }
    }

    function lancer() {
        pret = false;
        try {
            travailleur = new Worker(url);
        } catch (e) {
            travailleur = null;
            annoncer(`L'exécution est impossible dans ce navigateur (${e?.message ?? e}).`);
            return;
        }
        travailleur.onmessage = recevoir;
        // Le travailleur s'est arrete (memoire du navigateur epuisee...) : un autre le remplace.
        travailleur.onerror = (evenement) => {
            evenement.preventDefault();
            const enCours = phase !== 'inactif';
            relancer();
            if (enCours) {
                fin(`L'exécution s'est arrêtée : ${evenement.message || 'erreur du navigateur'}.`, 'erreur-execution');
            }
        };
    }

    function relancer() {
        travailleur?.terminate();
        enAttenteDuModule = null;
        lancer();
    }

    function demarrer(enPasAPas) {
        if (phase !== 'inactif') return;
        if (!travailleur) lancer();
        if (!travailleur) return;
        pasAPas = enPasAPas;
        sourceExecute = vue.state.doc.toString();
        let entrees = $('entrees').value;
        if (entrees && !entrees.endsWith('\n')) entrees += '\n';
        sortieTexte.replaceChildren();
        lignesSuivi = [];
        suiviTronque = false;
        ligneEnCours = null;
        corpsSuivi.replaceChildren();
        variablesCourantes.textContent = '';
        blocSuivi.hidden = !pasAPas;
        marquer(vue, {});
        depart = performance.now();
        premiereSortie = null;
        poserPhase('marche');
        // Le panneau est sous l'editeur : la sortie vient a l'ecran.
        (pasAPas ? blocSuivi : sortie).scrollIntoView({ block: 'nearest' });
        annoncer(pasAPas ? 'Pas à pas : démarrage…' : 'Exécution en cours…');
        const message = { type: 'executer', source: sourceExecute, entrees, pasAPas, tailleTab: TAILLE_TAB };
        if (pret) travailleur.postMessage(message);
        else enAttenteDuModule = message;
    }

    function arreter() {
        if (phase === 'inactif') return;
        relancer();
        fin('Exécution arrêtée.', 'erreur-execution');
    }

    function envoyerSaisie(texte) {
        if (phase !== 'entree') return;
        ajouterSortie(texte, 'saisie-echo');
        poserPhase('marche');
        annoncer('Exécution en cours…');
        travailleur.postMessage({ type: 'saisie', texte });
    }

    function suivant() {
        if (phase !== 'pas') return;
        poserPhase('marche');
        travailleur.postMessage({ type: 'suivant' });
    }

    boutons.executer.addEventListener('click', () => demarrer(false));
    boutons.pasAPas.addEventListener('click', () => demarrer(true));
    boutons.suivant.addEventListener('click', suivant);
    boutons.continuer.addEventListener('click', () => {
        if (phase !== 'pas') return;
        poserPhase('marche');
        marquer(vue, {});
        annoncer('Exécution en cours…');
        travailleur.postMessage({ type: 'continuer' });
    });
    boutons.arreter.addEventListener('click', arreter);
    ligneSaisie.addEventListener('submit', (e) => {
        e.preventDefault();
        envoyerSaisie(`${saisie.value}\n`);
    });
    $('fin-entree').addEventListener('click', () => {
        if (phase !== 'entree') return;
        noteSortie('[fin de l\'entrée]', 'saisie-echo');
        poserPhase('marche');
        travailleur.postMessage({ type: 'finEntree' });
    });
    // F10 : ligne suivante en pas a pas, ou que soit le focus (l'editeur compris).
    document.addEventListener('keydown', (e) => {
        if (e.key === 'F10' && !e.ctrlKey && !e.altKey && !e.metaKey && phase === 'pas') {
            e.preventDefault();
            suivant();
        }
    });
    $('exporter-suivi').addEventListener('click', () => {
        const lien = document.createElement('a');
        lien.href = URL.createObjectURL(new Blob([suiviEnCsv(lignesSuivi)], { type: 'text/csv;charset=utf-8' }));
        lien.download = nomCsv(sourceExecute);
        document.body.append(lien);
        lien.click();
        lien.remove();
        setTimeout(() => URL.revokeObjectURL(lien.href), 10000);
    });

    poserPhase('inactif');
    // Le travailleur est lance quand l'eleve s'approche du panneau (souris, clavier, entrees) : la
    // premiere execution trouve le module charge, et une page qu'on ne fait que lire n'en charge
    // pas un second.
    const prechauffer = () => {
        if (!travailleur) lancer();
    };
    for (const evenement of ['pointerenter', 'focusin', 'input']) {
        $('panneau-execution').addEventListener(evenement, prechauffer);
    }

    return {
        // Pour les tests : le tableau de suivi, son CSV, le delai de la premiere sortie (ms).
        suivi: () => lignesSuivi.map((l) => ({ ...l, variables: l.variables.map((v) => ({ ...v })) })),
        csv: () => suiviEnCsv(lignesSuivi),
        premiereSortie: () => premiereSortie,
    };
}
