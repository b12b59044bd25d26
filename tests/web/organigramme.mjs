// La vue « Organigramme » de la page dans chromium : le SVG s'affiche a la place du C++, le
// telechargement donne exactement ce qu'ecrit tramelo-organigramme (natif), une erreur tapee grise
// le dessin et bloque le telechargement jusqu'a la correction, un clic sur une forme va a sa ligne,
// un texte hostile reste du texte ; aucune erreur dans la console (ni du greffon des caracteres
// speciaux de l'editeur).
//   node organigramme.mjs --page index.html --web DOSSIER --exemples DOSSIER --captures DOSSIER
//                         [--natif tramelo-organigramme]
// Statut 77 (test saute) sans chromium ou sans modules npm.
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { parseArgs } from 'node:util';

import { creerBilan, exigerNavigateur, lancerChromium } from './commun.mjs';

const { values: args } = parseArgs({
    options: {
        page: { type: 'string' },
        web: { type: 'string' },
        exemples: { type: 'string' },
        captures: { type: 'string' },
        natif: { type: 'string', default: '' },
        chromium: { type: 'string', default: '/usr/bin/chromium' },
    },
});
if (!args.page || !args.web || !args.exemples || !args.captures) {
    console.error('Usage : node organigramme.mjs --page F --web D --exemples D --captures D [--natif T]');
    process.exit(2);
}
const { chromium } = exigerNavigateur(args.chromium, args.web);

const bilan = creerBilan();
const { verifier, echecs } = bilan;

const natif = args.natif && fs.existsSync(args.natif) ? args.natif : null;
const temp = fs.mkdtempSync(path.join(os.tmpdir(), 'tramelo-organigramme-page-'));
// Ce que tramelo-organigramme ecrit pour ce source, enregistre sous le nom que la page lui donne.
function dessinNatif(source, nom) {
    fs.writeFileSync(path.join(temp, nom), source);
    return execFileSync(natif, [nom], { cwd: temp });
}

fs.mkdirSync(args.captures, { recursive: true });
const navigateur = await lancerChromium(chromium, args.chromium);
try {
    const contexte = await navigateur.newContext({ acceptDownloads: true, viewport: { width: 1400, height: 900 } });
    const page = await contexte.newPage();
    const messages = [];
    page.on('pageerror', (e) => messages.push(e.message));
    page.on('console', (m) => { if (m.type() === 'error') messages.push(m.text()); });
    page.on('dialog', (d) => { messages.push(`boite de dialogue : ${d.message()}`); d.dismiss(); });
    await page.goto(pathToFileURL(path.resolve(args.page)).href);
    await page.waitForSelector('body[data-etat="pret"]', { timeout: 20000 });

    const mettre = async (source) => {
        await page.evaluate((s) => { window.tramelo.definirSource(s); window.tramelo.analyserMaintenant(); }, source);
        // L'organigramme suit le C++, une image plus tard.
        await page.waitForFunction((s) => window.tramelo.source() === s
            && document.body.dataset.aJour === 'oui', source);
        await page.waitForTimeout(50);
    };

    const fonctions = fs.readFileSync(path.join(args.exemples, 'fonctions.algo'), 'utf8');
    await mettre(fonctions);
    verifier(await page.isHidden('#panneau-organigramme'), 'la vue Organigramme est visible avant qu\'on la demande');
    await page.click('#voir-organigramme');
    await page.waitForSelector('#organigramme svg');
    verifier(await page.isHidden('#cpp'), 'le C++ reste visible avec l\'organigramme');
    const formes = await page.$$eval('#organigramme g.forme', (g) => g.length);
    verifier(formes > 10, `${formes} formes affichees pour fonctions.algo`);
    await page.screenshot({ path: path.join(args.captures, 'organigramme.png') });

    // Telechargement : les octets de tramelo-organigramme.
    const [telechargement] = await Promise.all([page.waitForEvent('download'), page.click('#telecharger-svg')]);
    const nom = telechargement.suggestedFilename();
    const octets = fs.readFileSync(await telechargement.path());
    verifier(nom === 'Fonctions.svg', `nom du fichier telecharge : ${nom}`);
    verifier(octets.toString().startsWith('<?xml') && octets.toString().includes('data-unite="Fonctions"'),
             'le telechargement n\'est pas le SVG');
    if (natif) {
        verifier(Buffer.compare(octets, dessinNatif(fonctions, 'Fonctions.algo')) === 0,
                 'le SVG telecharge differe de celui de tramelo-organigramme');
    } else console.log('tramelo-organigramme natif absent : telechargement non compare');

    // Une erreur tapee : dessin grise, telechargement bloque ; corrigee : dessin a jour.
    const faux = fonctions.replace('renvoie 1;', 'renvoie 1 +;');
    verifier(faux !== fonctions, 'le source de fonctions.algo a change : adapter le test');
    await mettre(faux);
    await page.waitForSelector('#organigramme.perime');
    verifier(await page.isDisabled('#telecharger-svg'), 'telechargement permis malgre l\'erreur');
    const etat = await page.textContent('#etat-organigramme');
    verifier(/erreur/.test(etat), `etat apres une erreur : « ${etat} »`);
    const court = 'algorithme Court\ndebut\n    declarer n : entier;\n    saisir (n);\n'
        + '    si (n > 0)\n        afficher ("<img src=x onerror=alert(1)> & positif");\n    fsi\nfin\n';
    await mettre(court);
    await page.waitForSelector('#organigramme:not(.perime) g.unite[data-unite="Court"]');
    verifier(!(await page.isDisabled('#telecharger-svg')), 'telechargement bloque apres la correction');
    verifier(await page.$$eval('#organigramme img', (i) => i.length) === 0, 'un texte du source est devenu une image');
    const textes = await page.$$eval('#organigramme g.entree-sortie title', (t) => t.map((e) => e.textContent));
    verifier(textes.includes('Afficher "<img src=x onerror=alert(1)> & positif"'), `textes : ${textes}`);

    // Un clic sur « Lire n » place le curseur sur sa ligne (4).
    await page.click('#organigramme g.entree-sortie[data-ligne="4"]');
    const active = await page.textContent('.cm-activeLine');
    verifier(active.trim() === 'saisir (n);', `ligne active apres le clic : « ${active} »`);

    // Un caractere de commande du source est montre par l'editeur (greffon des caracteres
    // speciaux de CodeMirror, qui echouait sans le drapeau g de son expression).
    await mettre('algorithme C\ndebut\n    afficher ("a\u0001b");\nfin\n');
    verifier(await page.$$eval('.cm-specialChar', (e) => e.length) === 1, 'caractere de commande non montre');

    // Retour au C++.
    await page.click('#voir-cpp');
    verifier(await page.isVisible('#cpp') && await page.isHidden('#panneau-organigramme'), 'retour au C++');
    verifier(messages.length === 0, `messages de la console : ${messages.join(' | ')}`);
} finally {
    await navigateur.close();
    fs.rmSync(temp, { recursive: true, force: true });
}
console.log(`organigramme : ${bilan.nbVerifs - echecs.length} passed, ${echecs.length} failed`);
process.exit(echecs.length ? 1 : 0);
