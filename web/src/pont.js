// Le pont vers le travailleur qui analyse (travailleur.js). La derniere frappe l'emporte : une
// seule analyse a la fois ; pendant qu'elle tourne, seul le texte le plus recent attend son
// tour. Une analyse depassee par une frappe et deja longue est abandonnee : le travailleur est
// remplace et le texte le plus recent part aussitot.
//
// creerPont ({ code, surEnvoi, surResultat, surEchec, surPret, surIndisponible })
//   code : le script du travailleur (il est lance depuis un Blob, la page marchant depuis file://).
//   surEnvoi (version) : l'analyse de cette version commence ;
//   surResultat (version, resultat) ; surEchec (version, message) : analyse impossible ;
//   surPret () : traducteur charge ; surIndisponible (message) : il ne peut pas l'etre.
// Les dessins d'organigramme (organigramme ()) passent par le meme travailleur, apres l'analyse
// en cours ; un travailleur remplace emporte les dessins qu'il n'a pas rendus (promesse rejetee).

// Une analyse depassee abandonnee au-dela de cette duree (ms) : en deca, l'attendre coute moins
// que recharger le traducteur.
export const DELAI_ABANDON = 1000;

export function creerPont({ code, options, surEnvoi, surResultat, surEchec, surPret, surIndisponible }) {
    const url = URL.createObjectURL(new Blob([code], { type: 'text/javascript' }));
    let travailleur = null;
    let pret = false;
    // { version, debut } de l'analyse en cours, ou null.
    let enCours = null;
    // { version, source } : le texte le plus recent pas encore envoye, ou null.
    let attente = null;
    let minuteurAbandon = 0;
    let lenteur = 0;
    // Le traducteur a deja ete charge une fois : surPret n'est appele qu'a la premiere.
    let dejaCharge = false;
    // Dessins demandes et pas encore rendus : id -> { message, ok, ko, envoye }.
    const dessins = new Map();
    let idDessin = 0;

    function envoyerDessins() {
        for (const d of dessins.values()) {
            if (d.envoye) continue;
            d.envoye = true;
            travailleur.postMessage(d.message);
        }
    }

    function perdreDessins(message) {
        for (const d of dessins.values()) d.ko(new Error(message));
        dessins.clear();
    }

    function envoyer() {
        if (!pret || enCours || !attente) return;
        const { version, source } = attente;
        attente = null;
        enCours = { version, debut: performance.now() };
        surEnvoi(version);
        travailleur.postMessage({ type: 'analyser', version, source, options });
    }

    function demarrer() {
        pret = false;
        enCours = null;
        clearTimeout(minuteurAbandon);
        try {
            travailleur = new Worker(url);
        } catch (e) {
            surIndisponible(String(e?.message ?? e));
            return;
        }
        if (lenteur) travailleur.postMessage({ type: 'lenteur', ms: lenteur });
        travailleur.onmessage = ({ data }) => {
            if (data.type === 'pret') {
                pret = true;
                if (!dejaCharge) surPret();
                dejaCharge = true;
                envoyer();
                envoyerDessins();
            } else if (data.type === 'echec') {
                travailleur.terminate();
                travailleur = null;
                perdreDessins(data.message);
                surIndisponible(data.message);
            } else if (data.type === 'organigramme') {
                const d = dessins.get(data.id);
                dessins.delete(data.id);
                d?.ok(data.resultat);
                if (data.hsService) relancer();
            } else if (data.type === 'analyse' && enCours && data.version === enCours.version) {
                enCours = null;
                clearTimeout(minuteurAbandon);
                surResultat(data.version, data.resultat);
                if (data.hsService) relancer();
                else envoyer();
            }
        };
        // Le travailleur s'est arrete (memoire epuisee...) : l'analyse en cours est perdue, le
        // travailleur remplace ; le meme texte n'est pas renvoye (il l'arreterait encore).
        travailleur.onerror = (evenement) => {
            evenement.preventDefault();
            const perdue = enCours;
            if (!pret) {
                travailleur.terminate();
                travailleur = null;
                perdreDessins(evenement.message || 'erreur au chargement');
                surIndisponible(evenement.message || 'erreur au chargement');
                return;
            }
            relancer();
            if (perdue) surEchec(perdue.version, evenement.message || 'le traducteur s\'est arrêté');
        };
    }

    function relancer() {
        travailleur?.terminate();
        perdreDessins('le traducteur a été relancé');
        demarrer();
    }

    // L'analyse en cours est depassee par Attente : abandonnee si elle dure deja.
    function abandonnerSiLongue() {
        clearTimeout(minuteurAbandon);
        if (!enCours || !attente) return;
        const reste = enCours.debut + DELAI_ABANDON - performance.now();
        if (reste > 0) minuteurAbandon = setTimeout(abandonnerSiLongue, reste);
        else relancer();
    }

    demarrer();

    return {
        // Analyse Source (version croissante) des que possible ; remplace le texte en attente.
        analyser(version, source) {
            if (!travailleur) return;
            attente = { version, source };
            if (enCours) abandonnerSiLongue();
            else envoyer();
        },
        // L'organigramme de Source (tramelo.js, organigramme ()), rendu par une promesse.
        organigramme(source, options) {
            if (!travailleur) return Promise.reject(new Error('traducteur indisponible'));
            const id = ++idDessin;
            return new Promise((ok, ko) => {
                dessins.set(id, { message: { type: 'organigramme', id, source, options }, ok, ko, envoye: false });
                if (pret) envoyerDessins();
            });
        },
        // Pour les tests : chaque analyse dure au moins Ms de plus.
        ralentir(ms) {
            lenteur = ms;
            travailleur?.postMessage({ type: 'lenteur', ms });
        },
    };
}
