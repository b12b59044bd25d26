// Execute pour de vrai les taches "Traduire" et "Executer" du modele tasks.json de VS Code
// (variables ${file}... remplacees comme VS Code le fait) et applique a leur sortie le
// "problem matcher" du manifeste : l'erreur de Tramelo doit pointer le bon fichier et la bonne ligne.
// Les noms de fichiers essayes contiennent blancs, guillemets et $(...) : rien ne doit s'executer.
//   node taches.js <dossier editeurs/vscode> <dossier contenant Tramelo et tramelo-exec>
// Sans module npm : seul node est requis.
'use strict';

const fs = require('fs');
const os = require('os');
const path = require('path');
const { spawnSync } = require('child_process');

const [dossierExtension, dossierOutils] = process.argv.slice(2).map((p) => path.resolve(p));
if (!dossierExtension || !dossierOutils) {
    console.error('Usage : node taches.js <editeurs/vscode> <dossier de Tramelo>');
    process.exit(2);
}

let nbVerifs = 0;
const echecs = [];
function verifier(condition, libelle) {
    nbVerifs++;
    if (!condition) echecs.push(libelle);
}

const manifeste = JSON.parse(fs.readFileSync(path.join(dossierExtension, 'package.json'), 'utf8'));
const taches = JSON.parse(fs.readFileSync(path.join(dossierExtension, 'tasks.json'), 'utf8')).tasks;

// Le manifeste designe des fichiers qui existent, et la grammaire annonce la portee declaree.
for (const g of manifeste.contributes.grammars) {
    const chemin = path.join(dossierExtension, g.path);
    verifier(fs.existsSync(chemin), 'grammaire introuvable : ' + g.path);
    if (fs.existsSync(chemin)) {
        verifier(JSON.parse(fs.readFileSync(chemin, 'utf8')).scopeName === g.scopeName,
            'portee de ' + g.path + ' differente de ' + g.scopeName);
    }
}
for (const l of manifeste.contributes.languages) {
    verifier(fs.existsSync(path.join(dossierExtension, l.configuration)), 'configuration introuvable : ' + l.configuration);
    verifier(l.extensions.includes('.algo'), 'le langage ' + l.id + ' ne couvre pas .algo');
}
const config = JSON.parse(fs.readFileSync(path.join(dossierExtension, 'language-configuration.json'), 'utf8'));
verifier(config.comments && config.comments.lineComment === '//', 'commentaire de ligne different de //');

// Indentation automatique : quelles lignes ouvrent ou ferment un bloc.
const ouvre = new RegExp(config.indentationRules.increaseIndentPattern);
const ferme = new RegExp(config.indentationRules.decreaseIndentPattern);
for (const [ligne, o, f] of [
    ['debut', true, false], ['    pour (i variant_de 1 a n) faire', true, false],
    ['tant_que (x > 0) faire // boucle', true, false], ['    si (x vaut 1)', true, false],
    ['    si (x vaut 1) sortie;', false, false], ['    sinon', true, true], ['    sinon_si (x > 2)', true, true],
    ['    fsi', false, true], ['    ffaire', false, true], ['fin', false, true], ['    repeter', true, false],
    ['    jusqua (x > 3);', false, true], ['    jusqua (x > 3) faire', true, false],
    ['    afficher (fin_de_ligne);', false, false], ['    boucle', true, false], ['    fboucle', false, true],
]) {
    verifier(ouvre.test(ligne) === o, 'indentation : "' + ligne + '" ' + (o ? "devrait" : "ne devrait pas") + ' ouvrir un bloc');
    verifier(ferme.test(ligne) === f, 'indentation : "' + ligne + '" ' + (f ? "devrait" : "ne devrait pas") + ' fermer un bloc');
}
const mot = new RegExp('^(?:' + config.wordPattern + ')$');
for (const m of ['entier_naturel', 'ET_ALORS', 'x1', '3.14']) verifier(mot.test(m), 'wordPattern refuse ' + m);

// Les "problem matchers" tels que VS Code les applique : motifs multi-lignes sur des lignes
// consecutives ; une tache peut en nommer plusieurs ($nom), chacun avec sa gravite.
const matchers = {};
for (const nom of ['tramelo', 'tramelo-verifier', 'tramelo-verifier-attention']) {
    const m = manifeste.contributes.problemMatchers.find((x) => x.name === nom);
    verifier(m !== undefined, 'pas de problem matcher "' + nom + '" dans le manifeste');
    if (m) matchers[nom] = m;
}
function appliquer(matcher, sortie) {
    const motifs = [].concat(matcher.pattern).map((p) => ({ ...p, re: new RegExp(p.regexp) }));
    const lignes = sortie.split(/\r?\n/);
    const trouves = [];
    for (let i = 0; i + motifs.length <= lignes.length; i++) {
        const groupes = motifs.map((m, k) => m.re.exec(lignes[i + k]));
        if (groupes.every((g) => g)) {
            const p = { severity: matcher.severity };
            motifs.forEach((m, k) => {
                for (const champ of ['file', 'line', 'column', 'message']) if (m[champ]) p[champ] = groupes[k][m[champ]];
            });
            trouves.push(p);
        }
    }
    return trouves;
}
function problemes(sortie, noms = ['tramelo']) {
    return noms.flatMap((n) => (matchers[n] ? appliquer(matchers[n], sortie) : []));
}
const nomsMatchers = (t) => [].concat(t.problemMatcher).map((n) => n.replace(/^\$/, ''));
// Numeros de ligne de toutes les largeurs (le numero est cadre a droite sur 4 caracteres).
for (const [ligne, n] of [['Ligne    7 - Type invalide', '7'], ['Ligne 1234 - x', '1234'], ['Ligne 12345 - x', '12345']]) {
    const p = problemes('Source : /tmp/a.algo\n' + ligne);
    verifier(p.length === 1 && p[0].line === n && p[0].file === '/tmp/a.algo', 'motif non reconnu : ' + ligne);
}

// Variables de VS Code pour un fichier donne, remplacees en une passe dans une chaine.
function remplacer(texte, fichier) {
    const vars = {
        file: fichier,
        fileDirname: path.dirname(fichier),
        fileBasename: path.basename(fichier),
        fileBasenameNoExtension: path.basename(fichier, path.extname(fichier)),
        fileExtname: path.extname(fichier),
    };
    return texte.replace(/\$\{(\w+)\}/g, (tout, nom) => {
        verifier(nom in vars, 'variable non prise en charge par le test : ' + tout);
        return vars[nom] || '';
    });
}
// La tache lancee comme VS Code le fait, dans le dossier du fichier : "process" execute la
// commande avec ses arguments tels quels ; "shell" sans args donne la ligne entiere au shell
// (ou les variables remplacees sont alors interpretees).
function lancer(tache, fichier) {
    const env = { ...process.env, PATH: dossierOutils + path.delimiter + process.env.PATH };
    delete env.TRAMELO;
    const options = { env, encoding: 'utf8', input: '', cwd: path.dirname(fichier) };
    // Le terminal de VS Code melange sortie et erreur : on fait de meme, sans rien interpreter.
    if (tache.type === 'process') {
        const args = (tache.args || []).map((a) => remplacer(a, fichier));
        return spawnSync('sh', ['-c', 'exec "$0" "$@" 2>&1', remplacer(tache.command, fichier), ...args], options);
    }
    verifier(tache.type === 'shell' && !tache.args, tache.label + ' : type de tache non pris en charge par le test');
    return spawnSync('sh', ['-c', '(' + remplacer(tache.command, fichier) + ') 2>&1'], options);
}

const tache = (nom) => {
    const t = taches.find((x) => x.label === nom);
    verifier(t !== undefined, 'tache absente : ' + nom);
    return t;
};
const traduire = tache('Traduire');
const executer = tache('Exécuter');
const verif = tache('Vérifier');
const construire = tache('Construire pour le débogueur');
// Les erreurs sont expliquees par tramelo-verifier (format de GCC) ; $tramelo reste pour le cas
// ou tramelo-exec ne le trouve pas et laisse passer le message de Tramelo.
for (const t of [traduire, executer, verif, construire]) {
    verifier(nomsMatchers(t).includes('tramelo-verifier') && nomsMatchers(t).includes('tramelo-verifier-attention'),
        'la tache ' + t.label + " n'utilise pas les problem matchers de tramelo-verifier");
}
for (const t of [traduire, executer, construire]) {
    verifier(nomsMatchers(t).includes('tramelo'), 'la tache ' + t.label + " n'utilise pas le problem matcher $tramelo");
}

// Aucun nom de fichier ne passe par un shell : pas de variable dans une ligne de commande.
for (const t of [traduire, executer, verif, construire]) {
    verifier(t.type === 'process' || !/\$\{/.test(t.command),
        t.label + ' : ${...} colle dans une ligne de shell, un nom de fichier y serait interprete');
}

// Un dossier avec un blanc dans le nom, comme souvent sur les postes des etudiants.
const dossier = fs.mkdtempSync(path.join(os.tmpdir(), 'taches vscode '));
try {
    const programme = 'algorithme Essai\ndebut\n    afficher ("resultat ", 6 * 7);\n    ligne_suivante;\nfin\n';
    const faux = 'algorithme Faux\ndebut\n    declarer x : entier;\n    x <- vrai;\nfin\n';
    const ecrire = (nom, texte) => {
        const chemin = path.join(dossier, nom);
        fs.writeFileSync(chemin, texte);
        return chemin;
    };
    // Des noms qu'un shell interpreterait : substitutions, guillemets, blancs, point-virgule.
    const bons = ['mon essai.algo', 'a$(touch X).algo', "l'essai \"2\" `touch Y`; $HOME \\n.algo"].map((n) => ecrire(n, programme));
    const mauvais = [ecrire('faux.algo', faux), ecrire("faux $(touch X) 'x'.algo", faux)];
    const cppDe = (f) => f.replace(/\.algo$/, '.cpp');

    const direct = spawnSync(path.join(dossierOutils, 'Tramelo'), [mauvais[0]], { encoding: 'utf8' });
    const attendu = /^Ligne\s+(\d+) - (.*)$/.exec(direct.stderr.trim());
    verifier(attendu !== null, 'Tramelo devrait refuser faux.algo : ' + direct.stderr);

    for (const t of [traduire, executer, verif, construire]) {
        // Erreur : un seul probleme, sur le bon fichier, la bonne ligne, le message de Tramelo
        // suivi de son code ; un .cpp existant n'est pas touche.
        for (const f of mauvais) {
            fs.writeFileSync(cppDe(f), 'ancien');
            const r = lancer(t, f);
            verifier(r.status === direct.status, t.label + ' : statut ' + r.status + ' au lieu de ' + direct.status);
            const p = problemes(r.stdout, nomsMatchers(t));
            verifier(p.length === 1, t.label + ' : ' + p.length + ' probleme(s) reconnu(s) dans ' + JSON.stringify(r.stdout));
            if (p.length === 1 && attendu) {
                verifier(p[0].file === f, t.label + ' : fichier ' + p[0].file);
                verifier(p[0].line === attendu[1], t.label + ' : ligne ' + p[0].line + ' au lieu de ' + attendu[1]);
                verifier(p[0].message === attendu[2] + ' [' + direct.status + ']', t.label + ' : message ' + p[0].message);
                verifier(p[0].severity === 'error', t.label + ' : gravite ' + p[0].severity);
            }
            verifier(fs.readFileSync(cppDe(f), 'utf8') === 'ancien', t.label + ' : ' + cppDe(f) + ' modifie par une traduction ratee');
        }
        // Succes : aucun probleme ; Traduire ecrit le C++ a cote du source, tel que Tramelo le donne.
        for (const f of bons) {
            const ok = lancer(t, f);
            verifier(ok.status === 0, t.label + ' : statut ' + ok.status + ' sur ' + f + ' : ' + ok.stdout);
            verifier(problemes(ok.stdout, nomsMatchers(t)).length === 0, t.label + ' : probleme signale sur un source correct');
            if (t === executer) verifier(ok.stdout.includes('resultat 42\n'), 'Executer : sortie ' + JSON.stringify(ok.stdout));
            if (t === construire) {
                // Le programme du profil verifie, a cote du source, tel que launch.json le lance.
                const programme = f.replace(/\.algo$/, '');
                const r = spawnSync(programme, [], { encoding: 'utf8', input: '' });
                verifier(r.status === 0 && r.stdout === 'resultat 42\n', 'Construire : programme ' + JSON.stringify(r.stdout));
                verifier(/^#line /m.test(fs.readFileSync(cppDe(f), 'utf8')), 'Construire : le C++ n\'est pas celui du profil verifie');
            }
            if (t === traduire) {
                const reference = spawnSync(path.join(dossierOutils, 'Tramelo'), [f], { encoding: 'utf8' }).stdout;
                const cpp = cppDe(f);
                verifier(fs.existsSync(cpp) && fs.readFileSync(cpp, 'utf8') === reference, 'Traduire : ' + cpp + ' absent ou different');
            }
        }
    }
    // launch.json : F5 construit (tache de pre-lancement) puis lance ce programme sous gdb, qui
    // s'arrete sur un point d'arret pose dans le .algo.
    const lancement = JSON.parse(fs.readFileSync(path.join(dossierExtension, 'launch.json'), 'utf8')).configurations[0];
    verifier(lancement.type === 'cppdbg' && lancement.MIMode === 'gdb', 'launch.json : pas une configuration gdb');
    verifier(taches.some((t) => t.label === lancement.preLaunchTask), 'launch.json : tache de pre-lancement inconnue ' + lancement.preLaunchTask);
    verifier(remplacer(lancement.program, bons[0]) === bons[0].replace(/\.algo$/, ''), 'launch.json : programme ' + lancement.program);
    verifier(manifeste.contributes.breakpoints.some((b) => b.language === 'algo'), 'points d\'arret non permis dans les .algo');
    const gdb = spawnSync('sh', ['-c', 'command -v gdb'], { encoding: 'utf8' });
    if (gdb.status === 0) {
        const commandes = lancement.setupCommands.map((c) => c.text).filter((t) => !t.startsWith('-'));
        const args = ['-q', '-nx', '-batch'];
        for (const c of [...commandes, 'break ' + path.basename(bons[0]) + ':3', 'run', 'bt']) args.push('-ex', c);
        const r = spawnSync('gdb', [...args, remplacer(lancement.program, bons[0])],
            { encoding: 'utf8', input: '', cwd: remplacer(lancement.cwd, bons[0]) });
        verifier(/^Breakpoint 1, .*Essai \(\) at .*mon essai\.algo:3$/m.test(r.stdout),
            'gdb ne s\'arrete pas a la ligne 3 du .algo : ' + JSON.stringify(r.stdout + r.stderr));
    }
    // Un avertissement de tramelo-verifier : gravite warning, ligne et colonne (octets) du litteral.
    const division = ecrire('division.algo', 'algorithme D\ndebut\n    declarer r : reel;\n\tr <- 7 / 2.0;\nfin\n');
    const rv = lancer(verif, division);
    const pv = problemes(rv.stdout, nomsMatchers(verif));
    verifier(rv.status === 0 && pv.length === 1 && pv[0].severity === 'warning' && pv[0].line === '4' && pv[0].column === '11'
        && pv[0].file === division, 'Vérifier : avertissement mal reconnu ' + JSON.stringify(pv) + ' ' + JSON.stringify(rv.stdout));
    // Traduire sur un fichier qui n'est pas un .algo (le .cpp ouvert) : refus clair, rien ne change.
    const cpp = cppDe(bons[0]);
    const avant = fs.readFileSync(cpp, 'utf8');
    const refus = lancer(traduire, cpp);
    verifier(refus.status !== 0, 'Traduire accepte un .cpp');
    verifier(/n'a pas l'extension \.algo/.test(refus.stdout), 'Traduire sur un .cpp : message ' + JSON.stringify(refus.stdout));
    verifier(fs.readFileSync(cpp, 'utf8') === avant, 'Traduire a modifie le .cpp ouvert');
    // Aucune commande venue d'un nom de fichier, aucun fichier temporaire laisse.
    for (const nom of ['X', 'Y']) {
        verifier(!fs.existsSync(path.join(dossier, nom)) && !fs.existsSync(nom), 'un nom de fichier a ete execute (' + nom + ' cree)');
    }
    const caches = fs.readdirSync(dossier).filter((n) => n.startsWith('.'));
    verifier(caches.length === 0, 'fichiers temporaires laisses : ' + caches.join(', '));
} finally {
    fs.rmSync(dossier, { recursive: true, force: true });
}

if (echecs.length) {
    for (const e of echecs) console.error('ECHEC : ' + e);
    console.error(echecs.length + ' verifications echouees sur ' + nbVerifs);
    process.exit(1);
}
console.log(nbVerifs + ' verifications des taches et du problem matcher reussies');
