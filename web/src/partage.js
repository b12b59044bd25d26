// Lien de partage : le source, compresse par deflate (fflate, bibliotheque maintenue, synchrone,
// sans dependance) puis ecrit en base64 pour les URL, dans le fragment "#algo=..." ; le fragment
// n'est jamais envoye au serveur.
import { deflateSync, inflateSync, strFromU8, strToU8 } from 'fflate';

export const PREFIXE = 'algo=';
// Un lien ne peut pas porter plus que ceci une fois decompresse : quelques octets bien choisis
// se decompressent en des gigaoctets, qui bloqueraient l'onglet.
export const TAILLE_MAX_SOURCE = 4 * 1024 * 1024;
// Au-dela, les navigateurs refusent l'adresse (2 Mo pour chromium).
export const LONGUEUR_MAX_LIEN = 2 * 1000 * 1000;

// Un lien qui ne peut pas donner de source : Raison vaut 'vide', 'abime' ou 'trop-grand'.
export class LienInvalide extends Error {
    constructor(raison) {
        super(`lien de partage invalide (${raison})`);
        this.raison = raison;
    }
}

function versBase64Url(octets) {
    let binaire = '';
    for (let i = 0; i < octets.length; i += 0x8000)
        binaire += String.fromCharCode.apply(null, octets.subarray(i, i + 0x8000));
    return btoa(binaire).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');
}

function depuisBase64Url(texte) {
    const binaire = atob(texte.replace(/-/g, '+').replace(/_/g, '/'));
    const octets = new Uint8Array(binaire.length);
    for (let i = 0; i < binaire.length; i++) octets[i] = binaire.charCodeAt(i);
    return octets;
}

// Le fragment (sans "#") qui porte Source.
export function fragmentDe(source) {
    return PREFIXE + versBase64Url(deflateSync(strToU8(source), { level: 9 }));
}

// Le source porte par un fragment (avec ou sans "#") ; null s'il n'en porte pas ; LienInvalide
// s'il est vide (aucun source, ou un source blanc), abime, ou trop grand une fois decompresse.
export function sourceDuFragment(fragment) {
    const f = fragment.replace(/^#/, '');
    if (!f.startsWith(PREFIXE)) return null;
    const charge = f.slice(PREFIXE.length);
    if (charge === '') throw new LienInvalide('vide');
    let octets;
    try {
        // Une sortie d'un octet de plus que permis : si elle est remplie, le source est trop grand.
        octets = inflateSync(depuisBase64Url(charge), { out: new Uint8Array(TAILLE_MAX_SOURCE + 1) });
    } catch {
        throw new LienInvalide('abime');
    }
    if (octets.length > TAILLE_MAX_SOURCE) throw new LienInvalide('trop-grand');
    const source = strFromU8(octets);
    if (source.trim() === '') throw new LienInvalide('vide');
    return source;
}
