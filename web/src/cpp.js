// Le C++ produit : affichage, copie et telechargement (les octets exacts produits par le
// traducteur). AnalyseAJour () : promesse de l'analyse du texte actuel de l'editeur.
import { $, annoncer } from './interface.js';

function nomDuFichier(source) {
    const m = /^\s*algorithme\s+([A-Za-z_][A-Za-z0-9_]*)/m.exec(source);
    return `${m ? m[1] : 'algorithme'}.cpp`;
}

export function creerVueCpp({ analyseAJour, source }) {
    function afficher(analyse) {
        const reussi = analyse.statut === 0;
        $('cpp-texte').textContent = analyse.cpp;
        $('cpp').classList.toggle('partiel', !reussi);
        $('etat-cpp').textContent = reussi
            ? ''
            : 'La traduction s\'est arrêtée à la première erreur : le C++ ci-dessous est incomplet.';
        $('copier').disabled = !reussi;
        $('telecharger').disabled = !reussi;
    }

    // Traducteur indisponible : plus rien a copier.
    function indisponible(texte) {
        $('cpp-texte').textContent = '';
        $('etat-cpp').textContent = texte;
        $('copier').disabled = true;
        $('telecharger').disabled = true;
    }

    // L'analyse du texte actuel ou null (traducteur indisponible, ou texte change entre-temps).
    async function analyseReussie() {
        try {
            const a = await analyseAJour();
            return a.statut === 0 ? a : null;
        } catch {
            return null;
        }
    }

    $('copier').addEventListener('click', async () => {
        const a = await analyseReussie();
        if (!a) return;
        try {
            await navigator.clipboard.writeText(a.cpp);
            annoncer('C++ copié dans le presse-papiers.');
        } catch {
            const plage = document.createRange();
            plage.selectNodeContents($('cpp-texte'));
            getSelection().removeAllRanges();
            getSelection().addRange(plage);
            annoncer('Le C++ est sélectionné : copiez-le avec Ctrl+C.');
        }
    });

    $('telecharger').addEventListener('click', async () => {
        const a = await analyseReussie();
        if (!a) return;
        const lien = document.createElement('a');
        lien.href = URL.createObjectURL(new Blob([a.octets], { type: 'text/x-c++src' }));
        lien.download = nomDuFichier(source());
        document.body.append(lien);
        lien.click();
        lien.remove();
        setTimeout(() => URL.revokeObjectURL(lien.href), 10000);
    });

    return { afficher, indisponible };
}
