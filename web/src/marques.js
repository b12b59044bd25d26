// Les marques de l'execution dans l'editeur : la ligne d'une erreur d'execution (avec son message
// en bloc sous la ligne) et la ligne sur le point d'etre executee en pas a pas. Elles valent pour
// le texte execute : une modification du texte les efface.
import { StateEffect, StateField } from '@codemirror/state';
import { Decoration, EditorView, WidgetType } from '@codemirror/view';

class WidgetErreurExecution extends WidgetType {
    constructor(message, ligne) {
        super();
        this.message = message;
        this.ligne = ligne;
    }

    eq(autre) {
        return autre.message === this.message && autre.ligne === this.ligne;
    }

    toDOM() {
        const bloc = document.createElement('div');
        bloc.className = 'cm-explication cm-explication-erreur cm-explication-execution';
        bloc.dataset.ligne = String(this.ligne);
        bloc.textContent = `erreur d'exécution : ${this.message}`;
        return bloc;
    }
}

// { erreur: { position, message } | null, courante: position | null } (positions : indices du texte).
const poserMarques = StateEffect.define();

function decorations(doc, { erreur, courante }) {
    const liste = [];
    if (courante !== null && courante !== undefined) {
        const ligne = doc.lineAt(Math.min(courante, doc.length));
        liste.push(Decoration.line({ class: 'cm-ligne-courante', attributes: { 'data-courante': 'oui' } }).range(ligne.from));
    }
    if (erreur) {
        const ligne = doc.lineAt(Math.min(erreur.position, doc.length));
        liste.push(Decoration.line({ class: 'cm-erreur-execution', attributes: { title: erreur.message } }).range(ligne.from));
        const widget = new WidgetErreurExecution(erreur.message, ligne.number);
        liste.push(ligne.number < doc.lines
            ? Decoration.widget({ widget, block: true, side: -1 }).range(ligne.to + 1)
            : Decoration.widget({ widget, block: true, side: 1 }).range(ligne.to));
    }
    return Decoration.set(liste, true);
}

const champMarques = StateField.define({
    create: () => Decoration.none,
    update(valeur, tr) {
        for (const e of tr.effects) if (e.is(poserMarques)) return decorations(tr.state.doc, e.value);
        return tr.docChanged ? Decoration.none : valeur;
    },
    provide: (champ) => EditorView.decorations.from(champ),
});

export const extensionsMarques = [champMarques];

// Pose les marques (remplace les precedentes) ; la ligne courante est amenee a l'ecran.
export function marquer(vue, { erreur = null, courante = null } = {}) {
    const effets = [poserMarques.of({ erreur, courante })];
    const cible = courante ?? erreur?.position;
    if (cible !== null && cible !== undefined) {
        effets.push(EditorView.scrollIntoView(Math.min(cible, vue.state.doc.length), { y: 'center' }));
    }
    vue.dispatch({ effects: effets });
}
