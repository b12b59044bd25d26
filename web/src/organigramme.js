// La vue « Organigramme » de la page : le SVG que tramelo-organigramme dessinerait (meme
// bibliotheque, compilee en WebAssembly), a la place du C++ dans le meme panneau, mis a jour quand
// le source change (apres une pause de la frappe si le dessin est long), telechargeable. Elle ne
// dessine que visible : ailleurs, elle note seulement que son dessin est a refaire.
//
// Ce que la page lui donne : dessinateur (source, options) -> promesse du resultat de
// organigramme () de tramelo.js (calcule dans le travailleur) et, facultatif, allerALaLigne (un
// clic sur une forme place le curseur sur sa ligne). Elle trouve ses elements par leurs id :
// voir-organigramme (dans le panneau du C++), panneau-organigramme, voir-cpp, telecharger-svg,
// etat-organigramme, organigramme.
const $ = (id) => document.getElementById(id);

// Le nom du fichier telecharge : celui de l'algorithme.
export function nomSvg(source) {
    const m = /^\s*algorithme\s+([A-Za-z_][A-Za-z0-9_]*)/m.exec(source);
    return `${m ? m[1] : 'algorithme'}.svg`;
}

export function installerOrganigramme(dessinateur, { allerALaLigne } = {}) {
    const panneau = $('panneau-organigramme');
    const panneauCpp = $('voir-organigramme')?.closest('section');
    const dessin = $('organigramme');
    const etat = $('etat-organigramme');
    const telecharger = $('telecharger-svg');
    if (!panneau || !panneauCpp || !dessin) return { mettreAJour() {} };

    // Le source du dernier dessin demande, et le dernier SVG reussi (octets exacts).
    let sourceCourant = null;
    let dessine = null;
    let svgReussi = null;
    let nomReussi = 'algorithme.svg';

    // Duree du dernier dessin : un dessin long (tres grand source) attend une pause de la frappe.
    let duree = 0;
    let minuteur = 0;
    // Un dessin a la fois : pendant qu'il se fait, seul le source le plus recent attend.
    let enCours = false;

    const visible = () => !panneau.hidden;

    async function dessiner() {
        minuteur = 0;
        if (enCours || sourceCourant === null || dessine === sourceCourant) return;
        const depart = performance.now();
        const source = sourceCourant;
        dessine = source;
        const nom = nomSvg(source);
        enCours = true;
        let r;
        try {
            r = await dessinateur(source, { format: 'svg', titre: nom.replace(/\.svg$/, '.algo') });
        } catch (e) {
            // Travailleur relance (frappe pendant une longue analyse) : redessiner a la prochaine
            // mise a jour.
            dessine = null;
            etat.textContent = `L'organigramme n'a pas pu être dessiné (${e.message}).`;
            return;
        } finally {
            enCours = false;
        }
        afficher(r, nom);
        duree = performance.now() - depart;
        // Le source a change pendant le dessin : dessiner le plus recent.
        if (visible() && sourceCourant !== dessine) dessiner();
    }

    function afficher(r, nom) {
        if (r.statut === 0) {
            const doc = new DOMParser().parseFromString(r.texte, 'image/svg+xml');
            const svg = doc.documentElement;
            if (svg.localName !== 'svg' || doc.getElementsByTagName('parsererror').length > 0) {
                etat.textContent = 'L\'organigramme n\'a pas pu être affiché.';
                return;
            }
            dessin.replaceChildren(document.importNode(svg, true));
            dessin.classList.remove('perime');
            svgReussi = r.octets;
            nomReussi = nom;
            etat.textContent = '';
            telecharger.disabled = false;
        } else {
            // Le dernier dessin reste, grise : on voit encore ou l'on en etait.
            dessin.classList.toggle('perime', svgReussi !== null);
            telecharger.disabled = true;
            etat.textContent = r.refus
                ? `Pas d'organigramme : ${r.refus}.`
                : 'Le source contient une erreur (voir les diagnostics) : l\'organigramme attend qu\'elle soit corrigée.';
        }
        document.body.dataset.organigramme = String(r.statut);
    }

    function montrer(organigramme) {
        panneau.hidden = !organigramme;
        panneauCpp.hidden = organigramme;
        if (organigramme) {
            dessiner();
            $('voir-cpp').focus();
        } else $('voir-organigramme').focus();
    }

    $('voir-organigramme').addEventListener('click', () => montrer(true));
    $('voir-cpp').addEventListener('click', () => montrer(false));
    telecharger.addEventListener('click', () => {
        if (!svgReussi) return;
        const lien = document.createElement('a');
        lien.href = URL.createObjectURL(new Blob([svgReussi], { type: 'image/svg+xml' }));
        lien.download = nomReussi;
        document.body.append(lien);
        lien.click();
        lien.remove();
        setTimeout(() => URL.revokeObjectURL(lien.href), 10000);
    });
    // Un clic sur une forme : sa ligne dans l'editeur.
    dessin.addEventListener('click', (e) => {
        const forme = e.target.closest?.('g.forme[data-ligne]');
        if (forme && allerALaLigne) allerALaLigne(Number(forme.dataset.ligne));
    });

    return {
        // Le source a change : dessine tout de suite si la vue est visible.
        mettreAJour(source) {
            sourceCourant = source;
            if (!visible()) return;
            clearTimeout(minuteur);
            if (duree < 30) dessiner();
            else minuteur = setTimeout(dessiner, Math.min(duree, 500));
        },
    };
}
