// Lien de partage : le source, compresse par deflate (fflate, bibliotheque maintenue, synchrone,
// sans dependance) puis ecrit en base64 pour les URL, dans le fragment "#algo=..." ; le fragment
// n'est jamais envoye au serveur.
import { deflateSync, inflateSync, strFromU8, strToU8 } from 'fflate';

export const PREFIXE = 'algo=';

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

// Le source porte par un fragment (avec ou sans "#") ; null s'il n'en porte pas ; une exception
// s'il est abime.
export function sourceDuFragment(fragment) {
    const f = fragment.replace(/^#/, '');
    if (!f.startsWith(PREFIXE)) return null;
    return strFromU8(inflateSync(depuisBase64Url(f.slice(PREFIXE.length))));
}
