// Le texte de l'editeur et d'ou il vient : sauvegarde dans le navigateur, liens de partage
// (ouvrir, partager), exemples, « Rétablir mon source ». La regle qui protege le source de
// l'eleve est dans stockage.js.
import { estFrappe, remplacerTexte } from './editeur.js';
import { $, annoncer } from './interface.js';
import { PREFIXE_EXERCICE } from './exercice.js';
import { LONGUEUR_MAX_LIEN, TAILLE_MAX_SOURCE, fragmentDe, sourceDuFragment } from './partage.js';

const DELAI_SAUVEGARDE = 400;

const MESSAGES_LIEN = {
    vide: 'Le lien de partage est vide : il ne contient aucun source. L\'éditeur n\'a pas changé.',
    abime: 'Le lien de partage est abîmé : son source ne peut pas être lu. L\'éditeur n\'a pas changé.',
    'trop-grand': 'Le lien de partage porte un source de plus de 4 Mo : il n\'est pas chargé. '
                  + 'L\'éditeur n\'a pas changé.',
};

function nomAlgorithme(source) {
    return /^\s*algorithme\s+([A-Za-z_][A-Za-z0-9_]*)/m.exec(source)?.[1] ?? null;
}

// Vue : l'editeur ; Stockage : stockage.js ; Origine : celle du texte initial de l'editeur
// ('eleve' ou 'empruntee') ; Exemples : [{ nom, source }].
export function creerSources({ vue, stockage, origine: origineInitiale, exemples }) {
    // 'empruntee' tel qu'un lien ou un exemple l'a donne, 'eleve' des que l'eleve l'a modifie.
    let origine = origineInitiale;
    // Sauvegarde attendue : pose par une frappe, remis a 0 par sauvegarder.
    let minuteurSauvegarde = 0;

    function sauvegarder() {
        clearTimeout(minuteurSauvegarde);
        minuteurSauvegarde = 0;
        stockage.enregistrer(vue.state.doc.toString(), origine);
    }

    // « Rétablir » : visible tant qu'un source de l'eleve est garde, apres un rechargement aussi.
    function majRetablir() {
        const [premier] = stockage.gardes();
        const bouton = $('retablir');
        bouton.hidden = premier === undefined;
        if (premier === undefined) return;
        const nom = nomAlgorithme(premier);
        bouton.title = `Ramène ${nom ? `« ${nom} »` : 'votre source'}, gardé quand un lien ou un exemple l'a remplacé`;
    }

    // Remplace tout le texte (exemple, lien, source retabli), annulable par Ctrl+Z. Un source de
    // l'eleve ainsi remplace est mis a l'abri (sauf si Garder est faux : l'appelant s'en charge).
    function remplacer(texte, nouvelleOrigine, garder = true) {
        const actuel = vue.state.doc.toString();
        if (actuel !== texte) {
            if (garder && origine === 'eleve') stockage.garder(actuel);
            remplacerTexte(vue, texte);
        }
        origine = nouvelleOrigine;
        sauvegarder();
        majRetablir();
    }

    // Apres un lien ou un exemple : ou est passe le source d'avant.
    const suiteAnnonce = () => (stockage.gardes().length
        ? ' Votre source est gardé : le bouton « Rétablir mon source » le ramène.' : '');

    function oublierFragment() {
        try {
            window.history.replaceState(null, '', location.pathname + location.search);
        } catch {
            // file:// dans certains navigateurs : le fragment reste, sans consequence
        }
    }

    // Le source du lien de l'adresse, s'il y en a un ; un lien vide, abime ou trop grand ne
    // touche a rien et la page dit pourquoi.
    function ouvrirLien() {
        // Un lien d'exercice reste dans l'adresse (exercice.js l'ouvre) : un rechargement le garde.
        if (location.hash.replace(/^#/, '').startsWith(PREFIXE_EXERCICE)) return;
        let texte = null;
        try {
            texte = sourceDuFragment(location.hash);
        } catch (e) {
            annoncer(MESSAGES_LIEN[e.raison] ?? MESSAGES_LIEN.abime);
        }
        if (texte !== null) {
            remplacer(texte, 'empruntee');
            annoncer(`Source du lien de partage chargé.${suiteAnnonce()}`);
        }
        if (location.hash) oublierFragment();
    }

    async function partager() {
        const source = vue.state.doc.toString();
        if (source.trim() === '') {
            annoncer('Rien à partager : le source est vide.');
            return;
        }
        const fragment = new TextEncoder().encode(source).length <= TAILLE_MAX_SOURCE ? fragmentDe(source) : null;
        if (fragment === null || fragment.length > LONGUEUR_MAX_LIEN) {
            annoncer('Ce source est trop grand pour un lien de partage : téléchargez-le plutôt.');
            return;
        }
        const lien = `${location.href.replace(/#.*$/, '')}#${fragment}`;
        const champ = $('lien');
        champ.value = lien;
        $('partage').hidden = false;
        champ.focus();
        champ.select();
        try {
            await navigator.clipboard.writeText(lien);
            annoncer('Lien de partage copié dans le presse-papiers.');
        } catch {
            annoncer('Lien de partage prêt : copiez-le avec Ctrl+C.');
        }
    }

    // Branche les boutons, le menu des exemples et l'adresse ; ouvre le lien de l'adresse.
    function installer() {
        ouvrirLien();
        majRetablir();
        // Un autre lien colle dans la barre d'adresse ne change que le fragment : pas de rechargement.
        window.addEventListener('hashchange', ouvrirLien);
        // Le source en cours d'ecriture est garde meme si l'on ferme la page juste apres une frappe.
        window.addEventListener('pagehide', () => {
            if (minuteurSauvegarde) sauvegarder();
        });
        const choix = $('exemples');
        for (const [i, exemple] of exemples.entries()) {
            const option = document.createElement('option');
            option.value = String(i);
            option.textContent = exemple.nom;
            choix.append(option);
        }
        $('ouvrir-exemple').addEventListener('click', () => {
            const exemple = exemples[Number(choix.value)];
            if (!exemple) return;
            remplacer(exemple.source, 'empruntee');
            annoncer(`Exemple « ${exemple.nom} » chargé.${suiteAnnonce()}`);
            vue.focus();
        });
        $('retablir').addEventListener('click', () => {
            const source = stockage.reprendre(origine === 'eleve' ? vue.state.doc.toString() : null);
            if (source !== null) {
                remplacer(source, 'eleve', false);
                annoncer('Votre source est rétabli.');
            }
            majRetablir();
            vue.focus();
        });
        $('partager').addEventListener('click', partager);
    }

    return {
        installer,
        // A chaque mise a jour de l'editeur qui change le texte : une frappe le rend a l'eleve.
        changement(maj) {
            if (estFrappe(maj)) origine = 'eleve';
            clearTimeout(minuteurSauvegarde);
            minuteurSauvegarde = setTimeout(sauvegarder, DELAI_SAUVEGARDE);
        },
        // Le texte donne comme si l'eleve l'avait ecrit (tests).
        definir: (texte) => remplacer(texte, 'eleve'),
        // Un texte prete (programme de depart d'un exercice), comme un lien de partage.
        emprunter(texte, annonce) {
            remplacer(texte, 'empruntee');
            annoncer(`${annonce}${suiteAnnonce()}`);
        },
    };
}
