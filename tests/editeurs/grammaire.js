// Colore des sources avec le moteur TextMate de VS Code (vscode-textmate + vscode-oniguruma)
// et verifie la portee de chaque sorte de mot, dont chaque mot reserve du traducteur.
//   node grammaire.js <algo.tmLanguage.json> <tramelo-vocabulaire>
// Statut 77 (test saute) quand les modules npm ne sont pas installes.
'use strict';

const fs = require('fs');
const path = require('path');
const { execFileSync } = require('child_process');

let vsctm, oniguruma;
try {
    vsctm = require('vscode-textmate');
    oniguruma = require('vscode-oniguruma');
} catch (e) {
    console.log('Test saute : modules npm absents ; lancer "npm ci" dans ' + __dirname);
    process.exit(77);
}

const [cheminGrammaire, vocabulaire] = process.argv.slice(2);
if (!cheminGrammaire || !vocabulaire) {
    console.error('Usage : node grammaire.js <algo.tmLanguage.json> <tramelo-vocabulaire>');
    process.exit(2);
}

// Portee attendue de chaque categorie du vocabulaire.
const PORTEES = {
    structure: 'keyword.control.structure.algo',
    bloc: 'keyword.control.bloc.algo',
    motcle: 'keyword.other.algo',
    operateur: 'keyword.operator.word.algo',
    procedure: 'support.function.procedure.algo',
    fonction: 'support.function.builtin.algo',
    type: 'storage.type.algo',
    constante: 'constant.language.boolean.algo',
};

let nbVerifs = 0;
const echecs = [];
function verifier(condition, libelle) {
    nbVerifs++;
    if (!condition) echecs.push(libelle);
}

async function chargerGrammaire() {
    const wasm = fs.readFileSync(path.join(path.dirname(require.resolve('vscode-oniguruma')), 'onig.wasm'));
    await oniguruma.loadWASM(wasm.buffer.slice(wasm.byteOffset, wasm.byteOffset + wasm.byteLength));
    const registre = new vsctm.Registry({
        onigLib: Promise.resolve({
            createOnigScanner: (motifs) => new oniguruma.OnigScanner(motifs),
            createOnigString: (s) => new oniguruma.OnigString(s),
        }),
        loadGrammar: async (portee) => portee === 'source.algo'
            ? vsctm.parseRawGrammar(fs.readFileSync(cheminGrammaire, 'utf8'), cheminGrammaire)
            : null,
    });
    return registre.loadGrammar('source.algo');
}

// Jetons d'un texte : [{ ligne, debut, texte, portees }].
function colorer(grammaire, texte) {
    const jetons = [];
    let pile = vsctm.INITIAL;
    texte.split('\n').forEach((ligne, n) => {
        const r = grammaire.tokenizeLine(ligne, pile);
        for (const j of r.tokens) {
            jetons.push({ ligne: n, debut: j.startIndex, texte: ligne.slice(j.startIndex, j.endIndex), portees: j.scopes });
        }
        pile = r.ruleStack;
    });
    return jetons;
}

// Portee la plus interne du caractere en (ligne, colonne).
function porteeEn(jetons, ligne, colonne) {
    const j = jetons.find((t) => t.ligne === ligne && t.debut <= colonne && colonne < t.debut + t.texte.length);
    return j ? j.portees[j.portees.length - 1] : undefined;
}

// Verifie que le morceau `extrait` (la n-ieme occurrence dans le texte) porte entierement `portee`.
function attendre(grammaire, texte, extrait, portee, occurrence = 1) {
    const jetons = colorer(grammaire, texte);
    const lignes = texte.split('\n');
    let vu = 0;
    for (let l = 0; l < lignes.length; l++) {
        let depuis = 0, c;
        while ((c = lignes[l].indexOf(extrait, depuis)) >= 0) {
            if (++vu === occurrence) {
                const obtenues = [];
                for (let k = c; k < c + extrait.length; k++) obtenues.push(porteeEn(jetons, l, k));
                const ok = obtenues.every((p) => p === portee);
                verifier(ok, JSON.stringify(extrait) + ' dans ' + JSON.stringify(texte) + ' : attendu ' + portee
                    + ', obtenu ' + [...new Set(obtenues)].join(' / '));
                // Le mot ne deborde pas sur ses voisins.
                if (ok && portee !== 'source.algo') {
                    const avant = c > 0 ? porteeEn(jetons, l, c - 1) : undefined;
                    const apres = porteeEn(jetons, l, c + extrait.length);
                    const seul = /^[A-Za-z]/.test(extrait);
                    if (seul) {
                        verifier(avant !== portee || c === 0 || !/[A-Za-z0-9_]/.test(lignes[l][c - 1]),
                            JSON.stringify(extrait) + ' : la portee deborde avant dans ' + JSON.stringify(texte));
                        verifier(apres !== portee || !/[A-Za-z0-9_]/.test(lignes[l][c + extrait.length] || ''),
                            JSON.stringify(extrait) + ' : la portee deborde apres dans ' + JSON.stringify(texte));
                    }
                }
                return;
            }
            depuis = c + 1;
        }
    }
    verifier(false, JSON.stringify(extrait) + ' introuvable dans ' + JSON.stringify(texte));
}

function lireVocabulaire() {
    const sortie = execFileSync(vocabulaire, { encoding: 'utf8' });
    return sortie.split('\n').filter((l) => l !== '').map((l) => {
        const [categorie, mot] = l.split(' ');
        return { categorie, mot };
    });
}

async function principal() {
    const grammaire = await chargerGrammaire();
    const vocab = lireVocabulaire();
    verifier(vocab.length >= 61, 'tramelo-vocabulaire ne donne que ' + vocab.length + ' mots');

    // Chaque mot du vocabulaire est colore selon sa categorie, seul et en contexte.
    const categoriesConnues = new Set(Object.keys(PORTEES));
    const portee = (cat) => PORTEES[cat];
    for (const { categorie, mot } of vocab) {
        if (!categoriesConnues.has(categorie)) {
            verifier(false, 'categorie inconnue de la grammaire : ' + categorie + ' (' + mot + ')');
            continue;
        }
        attendre(grammaire, mot, mot, portee(categorie));
        attendre(grammaire, 'x ' + mot + ' (y);', mot, portee(categorie));
        attendre(grammaire, '  (' + mot + ')', mot, portee(categorie));
        // Colle a d'autres caracteres d'identificateur, ce n'est plus le mot reserve.
        for (const voisin of ['x_' + mot, mot + '2', mot + '_x']) {
            attendre(grammaire, 'a <- ' + voisin + ';', voisin, 'source.algo');
        }
    }

    // La casse compte : ces mots sont des identificateurs ordinaires.
    for (const mot of ['et', 'ou', 'non', 'Si', 'SI', 'rand', 'VAUT', 'Entier', 'Vrai', 'FIN', 'fin_bloc_si', 'inout']) {
        attendre(grammaire, 'x <- ' + mot + ';', mot, 'source.algo');
    }

    // Nom des unites.
    attendre(grammaire, 'algorithme Tri_Rapide', 'Tri_Rapide', 'entity.name.function.algo');
    attendre(grammaire, 'fonction Carre (x : in entier) renvoie entier', 'Carre', 'entity.name.function.algo');
    attendre(grammaire, 'procedure Echanger (a : in_out entier)', 'Echanger', 'entity.name.function.algo');
    attendre(grammaire, 'procedure Echanger (a : in_out entier)', 'in_out', PORTEES.motcle);

    // Mots lus par certaines instructions sans etre reserves.
    attendre(grammaire, 'si (x > 3) continue;', 'continue', 'keyword.control.algo');
    attendre(grammaire, 'pour (i variant_de 10 a 1 descendant) faire', 'descendant', 'keyword.control.algo');
    attendre(grammaire, 'descendant <- 1;', 'descendant', 'source.algo');

    // Nombres.
    const NUM = 'constant.numeric.algo';
    for (const n of ['0', '12', '2.5', '2.', '25e-1', '1E+3', '3.14159265', '2147483648']) {
        attendre(grammaire, 'x <- ' + n + ' + y;', n, NUM);
    }
    attendre(grammaire, 'x1 <- a_2;', 'x1', 'source.algo');
    attendre(grammaire, 'x1 <- a_2;', 'a_2', 'source.algo');
    attendre(grammaire, 't[3] <- -7;', '3', NUM);
    attendre(grammaire, 't[3] <- -7;', '7', NUM);

    // Chaines : echappements, fausse fin, commentaire a l'interieur, chaine sur deux lignes.
    const CH = 'string.quoted.double.algo';
    const ESC = 'constant.character.escape.algo';
    attendre(grammaire, 'afficher ("Bonjour ", nom);', 'Bonjour ', CH);
    attendre(grammaire, 'afficher ("Bonjour ", nom);', 'nom', 'source.algo');
    attendre(grammaire, 's <- "a\\"b" + t;', 'a', CH);
    attendre(grammaire, 's <- "a\\"b" + t;', '\\"', ESC);
    attendre(grammaire, 's <- "a\\"b" + t;', 'b', CH);
    attendre(grammaire, 's <- "a\\"b" + t;', 't', 'source.algo');
    attendre(grammaire, 's <- "x\\\\" + si;', 'si', PORTEES.structure);
    attendre(grammaire, 's <- "x\\\\" + si;', '\\\\', ESC);
    attendre(grammaire, 's <- "http://exemple" + suite;', '//', CH);
    attendre(grammaire, 's <- "http://exemple" + suite;', 'suite', 'source.algo');
    attendre(grammaire, 's <- "debut\nfin" + x;', 'fin', CH);
    attendre(grammaire, 's <- "debut\nfin" + x;', 'x', 'source.algo');
    attendre(grammaire, 's <- "";', '"', 'punctuation.definition.string.begin.algo', 1);
    attendre(grammaire, 's <- "";', '"', 'punctuation.definition.string.end.algo', 2);

    // Caracteres.
    const CAR = 'string.quoted.single.algo';
    attendre(grammaire, "c <- 'a';", 'a', CAR);
    attendre(grammaire, "c <- ' ';", ' ', CAR, 3);
    attendre(grammaire, "c <- '/';", '/', CAR);
    attendre(grammaire, "c <- '\\'';", "\\'", ESC);
    attendre(grammaire, "c <- '\\n' + si;", '\\n', ESC);
    attendre(grammaire, "c <- '\\n' + si;", 'si', PORTEES.structure);
    attendre(grammaire, "c <- ''' + si;", "'", 'punctuation.definition.string.begin.algo', 1);
    attendre(grammaire, "c <- ''' + si;", "'", CAR, 2);
    attendre(grammaire, "c <- ''' + si;", "'", 'punctuation.definition.string.end.algo', 3);
    attendre(grammaire, "c <- ''' + si;", 'si', PORTEES.structure);

    // Commentaires : jusqu'au bout de la ligne, guillemets et mots compris, pas au-dela.
    const COM = 'comment.line.double-slash.algo';
    attendre(grammaire, 'x <- 1; // si "oui" fin', ' si "oui" fin', COM);
    attendre(grammaire, 'x <- 1; // si "oui" fin', '//', 'punctuation.definition.comment.algo');
    attendre(grammaire, '// "ouvert\nfin', 'fin', PORTEES.bloc);
    attendre(grammaire, 'x <- 8 / 2; // moitie', '/', 'keyword.operator.arithmetic.algo');

    // Operateurs symboliques.
    attendre(grammaire, 'x <- y;', '<-', 'keyword.operator.assignment.algo');
    for (const op of ['<=', '>=']) attendre(grammaire, 'si (a ' + op + ' b)', op, 'keyword.operator.comparison.algo');
    for (const op of ['<', '>']) attendre(grammaire, 'si (a ' + op + ' b)', op, 'keyword.operator.comparison.algo');
    for (const op of ['+', '-', '*', '/']) attendre(grammaire, 'afficher (a ' + op + ' b);', op, 'keyword.operator.arithmetic.algo');

    if (echecs.length) {
        for (const e of echecs) console.error('ECHEC : ' + e);
        console.error(echecs.length + ' verifications echouees sur ' + nbVerifs);
        process.exit(1);
    }
    console.log(nbVerifs + ' verifications de coloration reussies');
}

principal().catch((e) => {
    console.error(e);
    process.exit(1);
});
