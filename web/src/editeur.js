// L'editeur CodeMirror : extensions, raccourcis, nom accessible, et le remplacement complet du
// texte (exemple, lien, source retabli) distingue de la frappe de l'eleve.
import { defaultKeymap, history, historyKeymap } from '@codemirror/commands';
import { bracketMatching, indentUnit } from '@codemirror/language';
import { lintKeymap } from '@codemirror/lint';
import { highlightSelectionMatches, searchKeymap } from '@codemirror/search';
import { Annotation, EditorSelection, EditorState } from '@codemirror/state';
import {
    EditorView, drawSelection, highlightActiveLine, highlightActiveLineGutter, highlightSpecialChars,
    keymap, lineNumbers,
} from '@codemirror/view';

import { langageAlgo } from './langage.js';

// Largeur des tabulations, celle de Tramelo sans second argument.
export const TAILLE_TAB = 4;

// Les caracteres de controle montres par CodeMirror, sauf le retour chariot. Le drapeau g est
// exige par le decorateur de CodeMirror, qui rejette l'expression sans lui.
export const SPECIAUX_SAUF_CR = /[\u0000-\u0008\u000b\u000c\u000e-\u001f\u007f-\u009f\u00ad\u061c\u200b\u200e\u200f\u2028\u2029\u202d\u202e\u2066\u2067\u2069\ufeff\ufff9-\ufffc]/gu;

// Marque une transaction qui remplace tout le texte par programme : ce n'est pas une frappe.
export const remplacementComplet = Annotation.define();

// SurChangement (maj) : appele pour chaque mise a jour qui change le texte.
export function creerEditeur({ parent, doc, vocabulaire, extensions, surChangement }) {
    return new EditorView({
        parent,
        state: EditorState.create({
            doc,
            extensions: [
                lineNumbers(),
                EditorView.lineWrapping,
                highlightActiveLineGutter(),
                // Le texte est garde tel quel, CR compris (un source colle depuis Windows) : la
                // page traduit exactement ce que Tramelo lirait dans le fichier. Les CR ne sont
                // pas montres.
                EditorState.lineSeparator.of('\n'),
                highlightSpecialChars({ specialChars: SPECIAUX_SAUF_CR }),
                history(),
                drawSelection(),
                highlightActiveLine(),
                highlightSelectionMatches(),
                bracketMatching(),
                langageAlgo(vocabulaire),
                indentUnit.of('    '),
                EditorState.tabSize.of(TAILLE_TAB),
                keymap.of([...defaultKeymap, ...historyKeymap, ...searchKeymap, ...lintKeymap]),
                EditorView.contentAttributes.of({
                    'aria-label': 'Source de l\'algorithme',
                    'aria-describedby': 'aide-editeur',
                }),
                extensions,
                EditorView.updateListener.of((maj) => {
                    if (maj.docChanged) surChangement(maj);
                }),
            ],
        }),
    });
}

// Remplace tout le texte, annulable par Ctrl+Z.
export function remplacerTexte(vue, texte) {
    vue.dispatch({
        changes: { from: 0, to: vue.state.doc.length, insert: texte },
        selection: EditorSelection.cursor(0),
        scrollIntoView: true,
        annotations: remplacementComplet.of(true),
    });
}

// Vrai si la mise a jour vient de l'eleve (frappe, collage, annulation...), pas d'un remplacement.
export function estFrappe(maj) {
    return maj.transactions.some((tr) => tr.docChanged && !tr.annotation(remplacementComplet));
}
