// Coloration du pseudo-langage pour CodeMirror : les mots reserves et leurs categories viennent du
// traducteur (vocabulaire du module), comme pour les fichiers de Vim et de VS Code.
import { HighlightStyle, StreamLanguage, syntaxHighlighting } from '@codemirror/language';
import { Tag, tags } from '@lezer/highlight';

// Une etiquette par categorie du vocabulaire, chacune rendue par une classe de style.css.
const ETIQUETTES = {
    structure: Tag.define(tags.controlKeyword),
    bloc: Tag.define(tags.controlKeyword),
    motcle: Tag.define(tags.keyword),
    operateur: Tag.define(tags.operatorKeyword),
    procedure: Tag.define(tags.variableName),
    fonction: Tag.define(tags.variableName),
    type: Tag.define(tags.typeName),
    constante: Tag.define(tags.bool),
    definition: Tag.define(tags.variableName),
    commentaire: tags.lineComment,
    chaine: tags.string,
    caractere: tags.character,
    nombre: tags.number,
};

const STYLE = HighlightStyle.define(
    Object.entries(ETIQUETTES).map(([nom, tag]) => ({ tag, class: `algo-${nom}` })));

// Les mots qui annoncent un nom d'unite : ce nom est colore comme une definition.
const ENTETES = new Set(['algorithme', 'procedure', 'fonction']);

export function langageAlgo(vocabulaire) {
    const categories = new Map(vocabulaire.map(({ categorie, mot }) => [mot, categorie]));
    const parseur = {
        name: 'algo',
        startState: () => ({ apresEntete: false }),
        copyState: (e) => ({ ...e }),
        token(flux, etat) {
            if (flux.eatSpace()) return null;
            if (flux.match('//')) {
                flux.skipToEnd();
                return 'commentaire';
            }
            const c = flux.peek();
            if (c === '"' || c === "'") {
                // Une barre oblique echappe le caractere suivant, comme pour le traducteur.
                flux.next();
                while (!flux.eol()) {
                    const d = flux.next();
                    if (d === '\\') flux.next();
                    else if (d === c) break;
                }
                etat.apresEntete = false;
                return c === '"' ? 'chaine' : 'caractere';
            }
            if (flux.match(/^\d+(?:\.\d*)?(?:[eE][+-]?\d+)?/)) {
                etat.apresEntete = false;
                return 'nombre';
            }
            if (flux.match(/^[A-Za-z_][A-Za-z0-9_]*/)) {
                const mot = flux.current();
                const categorie = categories.get(mot);
                const definition = etat.apresEntete && !categorie;
                etat.apresEntete = ENTETES.has(mot);
                return categorie ?? (definition ? 'definition' : null);
            }
            flux.next();
            etat.apresEntete = false;
            return null;
        },
        languageData: { commentTokens: { line: '//' } },
        tokenTable: ETIQUETTES,
    };
    return [StreamLanguage.define(parseur), syntaxHighlighting(STYLE)];
}
