// L'execution d'un programme dans le travailleur qui lui est reserve (execution.js le lance avec
// le meme script que celui de l'analyse, mais a part : « Arrêter » le termine sans perdre
// l'analyse). L'interpreteur de la bibliotheque avance par budgets de pas ; entre deux envois a la
// page, la sortie est accumulee, pour qu'un programme bavard ne noie pas la page de messages.
//
// Messages recus : { type: 'executer', source, entrees, pasAPas, tailleTab, graine },
// { type: 'saisie', texte } (une ligne tapee), { type: 'finEntree' }, { type: 'suivant' },
// { type: 'continuer' }.
// Messages envoyes : { type: 'sortie', texte }, { type: 'suivi', lignes, enCours } (pas a pas :
// les lignes completes du tableau de suivi, une par ligne executee, et celle qui s'execute), { type: 'entree' } (une saisie attend), { type: 'pas',
// position, variables } (pas a pas : arrete avant une ligne), { type: 'fin', statut, pas },
// { type: 'erreur', erreur } (erreur d'execution), { type: 'refus', message } (source refuse),
// { type: 'tronque', limite } (sortie trop longue : execution arretee).
import { indiceDeDecalage } from './tramelo.js';

// Pas executes par appel a l'interpreteur, et duree d'une tranche avant d'envoyer la sortie (ms).
const BUDGET = 20000;
const TRANCHE = 40;
// La sortie envoyee a la page au plus (octets) : au-dela, l'execution s'arrete.
export const LIMITE_SORTIE = 1 << 20;
// Memoire des chaines et tableaux du programme (octets) : au-dela, « Memoire insuffisante »,
// avant que le module WebAssembly ne manque de memoire.
const LIMITE_MEMOIRE = 512 << 20;

export function creerExecuteur(M, envoyer) {
    const decodeur = new TextDecoder();
    const encodeur = new TextEncoder();
    let X = null;
    let source = '';
    let pasAPas = false;
    // Pas a pas : vrai quand « Continuer » a ete demande (plus d'arret avant chaque ligne).
    let continuer = false;
    let envoye = 0;
    let sortie = '';
    let lignes = [];
    let ligneCourante = null;
    let enAttente = false;
    // Une suite est deja prevue (setTimeout) : « Suivant » ou « Continuer » n'en lance pas d'autre.
    let prevu = false;

    function liberer() {
        X?.delete();
        X = null;
    }

    function indice(decalage) {
        return indiceDeDecalage(source, decalage);
    }

    // Prend la sortie et le suivi depuis le dernier appel. En pas a pas, l'interpreteur s'arrete
    // avant chaque ligne, evenement de la ligne deja donne : la sortie d'une tranche est celle de
    // la ligne en cours a son debut, et les variables qui precedent le prochain evenement de ligne
    // sont celles qu'elle a changees. Une ligne du tableau n'est envoyee que complete ; celle qui
    // va s'executer part a part (enCours).
    function relever() {
        const octets = X.prendreSortie();
        // Coupee a la limite, la sortie l'est entre deux caracteres (jamais au milieu d'un
        // caractere UTF-8, qui deviendrait un caractere de remplacement).
        let reste = LIMITE_SORTIE - envoye;
        if (reste < octets.length) while (reste > 0 && (octets[reste] & 0xc0) === 0x80) reste--;
        const garde = octets.length > reste ? octets.subarray(0, reste) : octets;
        envoye += garde.length;
        const texte = garde.length ? decodeur.decode(garde, { stream: garde === octets }) : '';
        sortie += texte;
        if (ligneCourante) ligneCourante.sortie += texte;
        if (pasAPas) {
            for (const e of X.prendreSuivi()) {
                if (e.ligne) {
                    if (ligneCourante) lignes.push(ligneCourante);
                    ligneCourante = { ligne: e.numeroLigne, texte: decodeur.decode(e.texte), variables: [], sortie: '' };
                } else if (ligneCourante) {
                    ligneCourante.variables.push({ nom: decodeur.decode(e.nom), valeur: decodeur.decode(e.valeur), renvoi: e.renvoi });
                }
            }
        }
        return garde === octets;
    }

    function vider() {
        if (lignes.length > 0 || ligneCourante) envoyer({ type: 'suivi', lignes, enCours: ligneCourante });
        lignes = [];
        if (sortie) envoyer({ type: 'sortie', texte: sortie });
        sortie = '';
    }

    function terminer(message) {
        // Fin du programme : la derniere ligne est complete.
        if (ligneCourante) lignes.push(ligneCourante);
        ligneCourante = null;
        vider();
        envoyer(message);
        liberer();
    }

    function avancer() {
        prevu = false;
        if (!X) return;
        const debut = performance.now();
        for (;;) {
            const arret = X.executer(BUDGET);
            if (!relever()) {
                terminer({ type: 'tronque', limite: LIMITE_SORTIE });
                return;
            }
            if (arret === 'fini') {
                terminer({ type: 'fin', statut: X.statut(), pas: X.pasExecutes() });
                return;
            }
            if (arret === 'erreur') {
                const e = X.erreur();
                const erreur = {
                    message: decodeur.decode(e.message),
                    texte: decodeur.decode(e.texte),
                    positionnee: e.positionnee,
                    ligne: e.ligne,
                    colonne: e.colonne,
                    debut: e.positionnee ? indice(e.decalage) : 0,
                };
                terminer({ type: 'erreur', erreur, statut: X.statut() });
                return;
            }
            if (arret === 'entree') {
                vider();
                enAttente = true;
                envoyer({ type: 'entree' });
                return;
            }
            if (arret === 'pas' && !continuer) {
                vider();
                const p = X.position();
                envoyer({
                    type: 'pas',
                    position: { ligne: p.ligne, debut: indice(p.debut), fin: indice(p.fin), profondeur: p.profondeur },
                    variables: X.variables().map((v) => ({ nom: decodeur.decode(v.nom), valeur: decodeur.decode(v.valeur) })),
                });
                return;
            }
            if (performance.now() - debut >= TRANCHE) {
                vider();
                // La suite apres les messages en attente (une saisie, par exemple).
                prevu = true;
                setTimeout(avancer, 0);
                return;
            }
        }
    }

    return function recevoir(data) {
        if (data.type === 'executer') {
            liberer();
            source = data.source;
            pasAPas = Boolean(data.pasAPas);
            continuer = false;
            envoye = 0;
            sortie = '';
            lignes = [];
            ligneCourante = null;
            enAttente = false;
            prevu = false;
            X = new M.Execution(encodeur.encode(source), {
                tailleTab: data.tailleTab ?? 4, pasAPas, memoire: LIMITE_MEMOIRE,
                ...(data.graine ? { graine: data.graine } : {}),
            });
            if (!X.pret()) {
                const message = decodeur.decode(X.refus());
                liberer();
                envoyer({ type: 'refus', message });
                return;
            }
            if (data.entrees) X.ajouterEntree(encodeur.encode(data.entrees));
            avancer();
        } else if (!X) {
            // plus d'execution : message en retard, ignore
        } else if (data.type === 'saisie' && enAttente) {
            enAttente = false;
            X.ajouterEntree(encodeur.encode(data.texte));
            avancer();
        } else if (data.type === 'finEntree' && enAttente) {
            enAttente = false;
            X.fermerEntree();
            avancer();
        } else if (data.type === 'suivant' && !enAttente && !prevu) {
            avancer();
        } else if (data.type === 'continuer' && !enAttente) {
            continuer = true;
            if (!prevu) avancer();
        }
    };
}
