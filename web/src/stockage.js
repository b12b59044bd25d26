// Le source garde par le navigateur, et les sources de l'eleve mis a l'abri de ce qu'un lien ou
// un exemple charge.
//
// Regle : un lien ou un exemple ne detruit jamais un source ecrit par l'eleve. Le source affiche
// est d'origine « empruntee » quand il vient tel quel d'un lien ou d'un exemple, « eleve » des
// que l'eleve l'a modifie. Quand un lien ou un exemple remplace un source de l'eleve, celui-ci
// part dans les sources gardes (les plus recents d'abord, GARDES_MAX au plus) ; un source
// emprunte non modifie n'y va jamais (le lien ou l'exemple le redonne). « Rétablir » ramene le
// plus recent des sources gardes, apres un rechargement comme apres plusieurs liens ; le source
// de l'eleve qu'il remplace passe en dernier, et les clics suivants parcourent les autres.

export const CLE_SOURCE = 'tramelo.source';
export const CLE_ORIGINE = 'tramelo.source.origine';
export const CLE_GARDES = 'tramelo.sources.gardes';
// L'ancienne place du source remplace : repris dans les sources gardes.
export const CLE_PRECEDENT = 'tramelo.source.precedent';
export const GARDES_MAX = 10;

// Stockage : localStorage ou ce qui en a les methodes getItem, setItem, removeItem (tests).
// SurEchec : appele a chaque ecriture impossible (stockage plein ou interdit).
export function creerStockage(stockage, surEchec = () => {}) {
    function lire(cle) {
        try {
            return stockage.getItem(cle);
        } catch {
            return null;
        }
    }

    function ecrire(cle, valeur) {
        try {
            if (valeur === null) stockage.removeItem(cle);
            else stockage.setItem(cle, valeur);
            return true;
        } catch {
            surEchec();
            return false;
        }
    }

    function lireGardes() {
        try {
            const g = JSON.parse(lire(CLE_GARDES) ?? '[]');
            return Array.isArray(g) ? g.filter((s) => typeof s === 'string') : [];
        } catch {
            return [];
        }
    }

    // Ecrit la liste ; si elle ne tient pas, les plus anciens sont abandonnes un a un, jamais le
    // plus recent.
    function ecrireGardes(gardes) {
        let liste = gardes.slice(0, GARDES_MAX);
        for (;;) {
            try {
                stockage.setItem(CLE_GARDES, JSON.stringify(liste));
                return true;
            } catch {
                if (liste.length <= 1) {
                    surEchec();
                    return false;
                }
                liste = liste.slice(0, -1);
            }
        }
    }

    // Le source d'avant cette organisation, remplace par un lien : garde lui aussi.
    const ancien = lire(CLE_PRECEDENT);
    if (ancien !== null) {
        const gardes = lireGardes();
        if (ancien.trim() !== '' && !gardes.includes(ancien)) gardes.push(ancien);
        if (ecrireGardes(gardes)) ecrire(CLE_PRECEDENT, null);
    }

    return {
        // Le source affiche lors de la derniere visite et son origine ('eleve' ou 'empruntee').
        source: () => lire(CLE_SOURCE),
        origine: () => (lire(CLE_ORIGINE) === 'empruntee' ? 'empruntee' : 'eleve'),
        enregistrer(source, origine) {
            ecrire(CLE_SOURCE, source);
            ecrire(CLE_ORIGINE, origine === 'empruntee' ? 'empruntee' : null);
        },
        gardes: lireGardes,
        // Met Source a l'abri (en tete, sans doublon). Un source blanc n'est pas garde.
        garder(source) {
            if (source.trim() === '') return;
            ecrireGardes([source, ...lireGardes().filter((s) => s !== source)]);
        },
        // Retire et rend le plus recent des sources gardes (null s'il n'y en a pas). Actuel, le
        // source de l'eleve qu'il remplace (ou null), passe en dernier : des clics successifs sur
        // « Rétablir » parcourent tous les sources gardes.
        reprendre(actuel) {
            const [premier, ...reste] = lireGardes();
            if (premier === undefined) return null;
            const autres = reste.filter((s) => s !== actuel);
            ecrireGardes(actuel !== null && actuel.trim() !== '' && actuel !== premier ? [...autres, actuel] : autres);
            return premier;
        },
    };
}
