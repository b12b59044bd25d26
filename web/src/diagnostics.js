// Les diagnostics a l'ecran : soulignement et explication en bloc sous la ligne fautive dans
// l'editeur, liste annoncee sous l'editeur avec un bouton qui mene a chaque faute.
import { lintGutter, setDiagnostics } from '@codemirror/lint';
import { EditorSelection, StateEffect, StateField } from '@codemirror/state';
import { Decoration, EditorView, WidgetType } from '@codemirror/view';

// L'explication d'un diagnostic, en bloc sous la ligne fautive : message et lignes d'aide.
class WidgetExplication extends WidgetType {
    constructor(diag, ligne) {
        super();
        this.diag = diag;
        this.ligne = ligne;
    }

    eq(autre) {
        return autre.ligne === this.ligne && autre.diag.message === this.diag.message
            && JSON.stringify(autre.diag.aides) === JSON.stringify(this.diag.aides);
    }

    toDOM() {
        const bloc = document.createElement('div');
        bloc.className = `cm-explication cm-explication-${this.diag.severite}`;
        bloc.dataset.ligne = String(this.ligne);
        const message = document.createElement('div');
        message.className = 'cm-explication-message';
        message.textContent = `${this.diag.severite === 'erreur' ? 'erreur' : 'attention'} : ${this.diag.message}`;
        bloc.append(message);
        for (const aide of this.diag.aides) {
            const ligneAide = document.createElement('div');
            ligneAide.className = `cm-explication-${aide.genre}`;
            ligneAide.textContent = `${aide.genre} : ${aide.texte}`;
            bloc.append(ligneAide);
        }
        return bloc;
    }
}

const poserExplications = StateEffect.define();
const champExplications = StateField.define({
    create: () => Decoration.none,
    update(decorations, tr) {
        let d = decorations.map(tr.changes);
        for (const e of tr.effects) if (e.is(poserExplications)) d = e.value;
        return d;
    },
    provide: (champ) => EditorView.decorations.from(champ),
});

// Les extensions de l'editeur dont l'affichage a besoin.
export const extensionsDiagnostics = [lintGutter(), champExplications];

// Affichage des diagnostics dans Vue et dans l'element Liste. afficher (diagnostics) : chaque
// diagnostic porte sa place [debut, fin) dans le texte actuel de l'editeur.
export function creerAffichageDiagnostics(vue, liste) {
    // Des diagnostics sont dans l'editeur : pose a chaque affichage.
    let dansEditeur = false;
    // Cle de la liste affichee et places a jour : la liste n'est refaite que si elle change, pour
    // ne pas repeter la meme annonce a chaque frappe.
    let listeAffichee = null;
    let placesCourantes = [];

    function remplirListe(places) {
        placesCourantes = places;
        const cle = JSON.stringify(places.map(({ d, ligne }) => [ligne.number, d.colonne, d.message, d.aides]));
        if (cle === listeAffichee) return;
        listeAffichee = cle;
        liste.replaceChildren();
        if (places.length === 0) {
            const rien = document.createElement('p');
            rien.className = 'aucun';
            rien.textContent = 'Aucune erreur.';
            liste.append(rien);
            return;
        }
        for (const [i, { d, ligne }] of places.entries()) {
            const article = document.createElement('div');
            article.className = `diagnostic diagnostic-${d.severite}`;
            if (d.positionne) {
                article.dataset.ligne = String(ligne.number);
                const aller = document.createElement('button');
                aller.type = 'button';
                aller.className = 'aller';
                aller.textContent = `Ligne ${ligne.number}, colonne ${d.colonne}`;
                aller.title = 'Placer le curseur sur l\'erreur';
                // La place a jour (le texte a pu bouger depuis que la liste est faite).
                aller.addEventListener('click', () => {
                    const place = placesCourantes[i] ?? { debut: 0 };
                    vue.dispatch({ selection: EditorSelection.cursor(Math.min(place.debut, vue.state.doc.length)),
                                   scrollIntoView: true });
                    vue.focus();
                });
                article.append(aller, ' ');
            }
            const message = document.createElement('span');
            message.className = 'message';
            message.textContent = `${d.message} (code ${d.code})`;
            article.append(message);
            for (const aide of d.aides) {
                const ligneAide = document.createElement('p');
                ligneAide.className = `aide aide-${aide.genre}`;
                ligneAide.textContent = `${aide.genre} : ${aide.texte}`;
                article.append(ligneAide);
            }
            liste.append(article);
        }
    }

    // Un message a la place de la liste (traducteur indisponible, analyse impossible).
    function message(texte) {
        listeAffichee = null;
        placesCourantes = [];
        const p = document.createElement('p');
        p.className = 'indisponible';
        p.textContent = texte;
        liste.replaceChildren(p);
    }

    function afficher(diagnostics) {
        const doc = vue.state.doc;
        const places = diagnostics.map((d) => {
            const debut = Math.min(d.debut, doc.length);
            return { d, debut, fin: Math.min(Math.max(d.fin, debut), doc.length), ligne: doc.lineAt(debut) };
        });
        // Sans diagnostic avant ni apres (frappe dans un source correct), rien a redessiner.
        if (places.length > 0 || dansEditeur) {
            // Le bloc se place au debut de la ligne suivante plutot qu'a la fin de la ligne
            // fautive, la ou l'on tape : une frappe contre un bloc serait mal relue du DOM.
            const positionnes = places.filter((p) => p.d.positionne);
            const explications = positionnes.map((p) => {
                const widget = new WidgetExplication(p.d, p.ligne.number);
                return p.ligne.number < doc.lines
                    ? Decoration.widget({ widget, block: true, side: -1 }).range(p.ligne.to + 1)
                    : Decoration.widget({ widget, block: true, side: 1 }).range(p.ligne.to);
            });
            vue.dispatch(setDiagnostics(vue.state, positionnes.map((p) => ({
                from: p.debut,
                to: p.fin,
                severity: p.d.severite === 'erreur' ? 'error' : 'warning',
                message: [p.d.message, ...p.d.aides.map((a) => `${a.genre} : ${a.texte}`)].join('\n'),
                source: 'Tramelo',
            }))), { effects: poserExplications.of(Decoration.set(explications, true)) });
        }
        dansEditeur = places.length > 0;
        remplirListe(places);
    }

    return { afficher, message };
}
