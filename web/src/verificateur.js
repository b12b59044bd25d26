// « Vérifier » dans le travailleur : chaque test de l'exercice ouvert par un lien est execute par
// l'interpreteur de la bibliotheque, son entree donnee d'avance puis fermee, sous les limites de
// l'exercice (temps ecoule, octets ecrits, memoire), et juge par la bibliotheque : le compte rendu
// est le texte meme de tramelo-exec --tester.
//
// Message recu : { type: 'verifier', source, exercice, tailleTab }.
// Messages envoyes : { type: 'compteRendu', texte } (un morceau du compte rendu, dans l'ordre),
// { type: 'verifie', reussis, total } (fin), { type: 'refusVerification', message } (source refuse).

// Pas executes par appel a l'interpreteur : le temps est mesure entre deux appels.
const BUDGET = 20000;
// La memoire du module WebAssembly ne suffirait pas au-dela.
const MEMOIRE_MAX = 512 << 20;

export function creerVerificateur(M, envoyer) {
    const decodeur = new TextDecoder();
    const encodeur = new TextEncoder();

    // Une execution du test : { statut, tempsDepasse, sortieDepassee, sortie, erreurs }, ou null
    // si le source est refuse (refus rempli).
    function executer(source, exercice, test, tailleTab, refus) {
        const X = new M.Execution(source, {
            tailleTab, memoire: Math.min(exercice.memoire * 1024 * 1024, MEMOIRE_MAX),
        });
        try {
            if (!X.pret()) {
                refus.message = decodeur.decode(X.refus());
                return null;
            }
            X.ajouterEntree(encodeur.encode(test.entree));
            X.fermerEntree();
            const limite = exercice.limite_sortie * 1024;
            const morceaux = [];
            let ecrits = 0;
            const R = { statut: 0, tempsDepasse: false, sortieDepassee: false, sortie: null, erreurs: '' };
            const debut = performance.now();
            for (;;) {
                const arret = X.executer(BUDGET);
                const octets = X.prendreSortie();
                ecrits += octets.length;
                // Comme le programme compile : au-dela de la limite, il est arrete.
                if (ecrits > limite) {
                    R.sortieDepassee = true;
                    break;
                }
                if (octets.length) morceaux.push(octets);
                if (arret === 'fini' || arret === 'erreur' || arret === 'entree' || arret === 'limite') {
                    R.statut = X.statut();
                    if (arret === 'erreur') R.erreurs = `${decodeur.decode(X.erreur().texte)}\n`;
                    break;
                }
                if (performance.now() - debut > exercice.temps * 1000) {
                    R.tempsDepasse = true;
                    break;
                }
            }
            const sortie = new Uint8Array(Math.min(ecrits, limite));
            let n = 0;
            for (const m of morceaux) {
                sortie.set(m.subarray(0, sortie.length - n), n);
                n += Math.min(m.length, sortie.length - n);
            }
            R.sortie = sortie;
            return R;
        } finally {
            X.delete();
        }
    }

    return function recevoir(data) {
        if (data.type !== 'verifier') return;
        const { exercice } = data;
        const source = encodeur.encode(data.source);
        let reussis = 0;
        envoyer({ type: 'compteRendu', texte: decodeur.decode(M.enteteCompteRendu(exercice)) });
        for (const test of exercice.tests) {
            const refus = {};
            const R = executer(source, exercice, test, data.tailleTab ?? 4, refus);
            if (R === null) {
                envoyer({ type: 'refusVerification', message: refus.message });
                return;
            }
            const J = M.jugerTest(exercice, test, R);
            if (J.reussi) reussis++;
            envoyer({ type: 'compteRendu', texte: decodeur.decode(J.texte) });
        }
        envoyer({ type: 'compteRendu', texte: decodeur.decode(M.bilanCompteRendu(exercice, reussis)) });
        envoyer({ type: 'verifie', reussis, total: exercice.tests.length });
    };
}
