// Etat visible de la page : elements, annonces aux lecteurs d'ecran, et les marques que lisent
// le style et les tests (body[data-etat], body[data-a-jour], body[data-analyse]).

export const $ = (id) => document.getElementById(id);

// Annonce breve (copie, partage, lien, sauvegarde impossible), lue par les lecteurs d'ecran.
export function annoncer(texte) {
    $('annonce').textContent = texte;
}

// 'chargement' (traducteur en chargement), 'pret', ou 'echec' (traducteur indisponible).
export function marquerEtat(etat) {
    document.body.dataset.etat = etat;
}

// Oui quand diagnostics et C++ affiches sont ceux du texte actuel de l'editeur.
export function marquerAJour(aJour) {
    document.body.dataset.aJour = aJour ? 'oui' : 'non';
}

// Une analyse qui tarde : l'indication apparait sous le titre des diagnostics.
export function marquerAnalyseLongue(longue) {
    document.body.dataset.analyse = longue ? 'longue' : '';
    $('etat-analyse').textContent = longue ? 'Analyse en cours… (la saisie reste possible)' : '';
}
