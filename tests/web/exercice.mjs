// Un exercice ouvert par un lien dans la page (chromium) : le lien de tramelo-noter --exporter
// lien montre l'enonce et charge le depart ; « Vérifier » donne, pour chaque copie d'exemple
// (juste, fausse, gourmande, bavarde, sans fin), le compte rendu meme de tramelo-exec --tester
// (natif) ; un titre et des textes accentues ou hostiles restent du texte ; un rechargement ne
// remplace pas le travail de l'eleve ; un lien abime est refuse ; aucune erreur dans la console.
//   node exercice.mjs --page index.html --web DOSSIER --exercice DOSSIER --copies DOSSIER
//                     --captures DOSSIER --natif DOSSIER_DES_OUTILS
// Statut 77 (test saute) sans chromium, sans modules npm ou sans tramelo-noter natif.
import { spawnSync } from 'node:child_process';
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
        exercice: { type: 'string' },
        copies: { type: 'string' },
        captures: { type: 'string' },
        natif: { type: 'string', default: '' },
        chromium: { type: 'string', default: '/usr/bin/chromium' },
    },
});
if (!args.page || !args.web || !args.exercice || !args.copies || !args.captures) {
    console.error('Usage : node exercice.mjs --page F --web D --exercice D --copies D --captures D --natif D');
    process.exit(2);
}
const noter = path.join(args.natif, 'tramelo-noter');
const exec = path.join(args.natif, 'tramelo-exec');
if (!args.natif || !fs.existsSync(noter) || !fs.existsSync(exec)) {
    console.log('Test saute : tramelo-noter ou tramelo-exec natif absent (construction native avec nlohmann-json)');
    process.exit(77);
}
const { chromium } = exigerNavigateur(args.chromium, args.web);

const bilan = creerBilan();
const { verifier, echecs } = bilan;

const temp = fs.mkdtempSync(path.join(os.tmpdir(), 'tramelo-exercice-page-'));
const urlPage = pathToFileURL(path.resolve(args.page)).href;
function lien(exercice) {
    const r = spawnSync(noter, ['--exporter', 'lien', '--page', urlPage, exercice], { encoding: 'utf8' });
    if (r.status !== 0) throw new Error(`tramelo-noter --exporter lien : statut ${r.status} ${r.stderr}`);
    return r.stdout.trim();
}
// Le compte rendu natif de la copie, nommee programme.algo (le nom des messages de la page).
function compteRenduNatif(exercice, source) {
    fs.writeFileSync(path.join(temp, 'programme.algo'), source);
    const r = spawnSync(exec, ['--tester', exercice, 'programme.algo'], { cwd: temp, encoding: 'utf8' });
    return r.stdout;
}

fs.mkdirSync(args.captures, { recursive: true });
const navigateur = await lancerChromium(chromium, args.chromium);
try {
    const contexte = await navigateur.newContext({ viewport: { width: 1400, height: 1000 } });
    const page = await contexte.newPage();
    const messages = [];
    page.on('pageerror', (e) => messages.push(e.message));
    page.on('console', (m) => { if (m.type() === 'error') messages.push(m.text()); });
    page.on('dialog', (d) => { messages.push(`boite de dialogue : ${d.message()}`); d.dismiss(); });
    const ouvrir = async (adresse) => {
        await page.goto(adresse);
        await page.waitForSelector('body[data-etat="pret"]', { timeout: 20000 });
    };
    const bouton = (nom) => page.getByRole('button', { name: nom, exact: true });
    const texte = (id) => page.$eval(`#${id}`, (e) => e.textContent);
    async function verifierCopie(source) {
        await page.evaluate((s) => window.tramelo.definirSource(s), source);
        await bouton('Vérifier').click();
        await page.waitForSelector('body[data-verification="fini"]', { timeout: 60000 });
        return texte('compte-rendu');
    }

    // Le lien : enonce, limites, depart dans l'editeur ; le lien reste dans l'adresse.
    const adresse = lien(args.exercice);
    verifier(!adresse.includes('negatifs') && !/grand/.test(Buffer.from(adresse.split('=')[1], 'base64url').toString()),
             'un test cache est dans le lien');
    await ouvrir(adresse);
    verifier(await page.isVisible('#panneau-exercice'), 'panneau de l\'exercice cache');
    verifier(await texte('titre-exercice') === 'Somme d\'une liste d\'entiers', `titre : ${await texte('titre-exercice')}`);
    verifier((await texte('enonce')).includes('somme : 12'), 'enonce absent');
    verifier((await texte('limites-exercice')).startsWith('2 tests visibles · 2 s par test'), `limites : ${await texte('limites-exercice')}`);
    const depart = fs.readFileSync(path.join(args.exercice, 'depart.algo'), 'utf8');
    verifier(await page.evaluate(() => window.tramelo.source()) === depart, 'depart non charge');

    // Chaque copie : le compte rendu de la page est celui de tramelo-exec --tester.
    for (const copie of ['correcte', 'fausse', 'gourmande', 'bavarde', 'boucle']) {
        const source = fs.readFileSync(path.join(args.copies, `${copie}.algo`), 'utf8');
        const attendu = compteRenduNatif(args.exercice, source);
        const debut = performance.now();
        const obtenu = await verifierCopie(source);
        console.log(`« Vérifier » ${copie} : ${(performance.now() - debut).toFixed(0)} ms`);
        verifier(obtenu === attendu, `compte rendu de ${copie} :\n--- natif\n${attendu}--- page\n${obtenu}`);
        if (copie === 'fausse') await page.screenshot({ path: path.join(args.captures, 'exercice-verifier.png'), fullPage: true });
    }
    // « Arrêter la vérification » pendant une boucle sans fin : arret immediat, dit.
    await page.evaluate((s) => window.tramelo.definirSource(s), fs.readFileSync(path.join(args.copies, 'boucle.algo'), 'utf8'));
    await bouton('Vérifier').click();
    await page.waitForTimeout(300);
    await bouton('Arrêter la vérification').click();
    await page.waitForSelector('body[data-verification="fini"]', { timeout: 1000 });
    verifier((await texte('compte-rendu')).endsWith('Vérification arrêtée.\n'), `arret : ${await texte('compte-rendu')}`);
    verifier(await bouton('Vérifier').isEnabled(), '« Vérifier » reste inactif apres l\'arret');

    const intraduisible = fs.readFileSync(path.join(args.copies, 'intraduisible.algo'), 'utf8');
    verifier((await verifierCopie(intraduisible)).includes('Le programme contient une erreur'), 'copie intraduisible');

    // Rechargement : l'exercice reste, le travail de l'eleve aussi (le depart n'est pas recharge).
    await page.evaluate(() => window.tramelo.definirSource('algorithme Mien\ndebut\nfin\n'));
    await page.waitForTimeout(600);
    await page.reload();
    await page.waitForSelector('body[data-etat="pret"]', { timeout: 20000 });
    verifier(await page.isVisible('#panneau-exercice'), 'exercice perdu au rechargement');
    verifier(await page.evaluate(() => window.tramelo.source()) === 'algorithme Mien\ndebut\nfin\n',
             'le rechargement a remplace le source de l\'eleve');

    // Textes accentues et hostiles : du texte, jamais du HTML ; comparaison des reels ; un test
    // sans fin de ligne finale, un autre dont la sortie attendue a un caractere de controle.
    const autre = path.join(temp, 'moyenne');
    fs.mkdirSync(autre);
    fs.writeFileSync(path.join(autre, 'enonce.md'), '# Moyenne <img src=x onerror="window.pirate=1"> à virgule\n\nÉcrire…\n');
    fs.writeFileSync(path.join(autre, 'exercice.txt'), 'temps 1\ntest deux\ncomparaison reels 0.01\nentree <<FIN\n1\n4\nFIN\n'
        + 'sortie <<FIN\nmoyenne élevée : 2.5\nFIN\ntest tab\nentree <<FIN\n1\n1\nFIN\nsortie <<FIN\nx\ty\nFIN\n');
    const moyenne = 'algorithme Moyenne\ndebut\n    declarer a : reel;\n    declarer b : reel;\n    saisir (a);\n    saisir (b);\n'
        + '    afficher ("moyenne élevée : ", (a + b) / 2.0 + 0.001);\n    ligne_suivante;\nfin\n';
    await ouvrir(lien(autre));
    verifier((await texte('limites-exercice')).endsWith('sortie 1024 Kio'), `limites : ${await texte('limites-exercice')}`);
    verifier(await page.evaluate(() => document.querySelectorAll('#panneau-exercice img').length === 0 && !window.pirate),
             'HTML du titre interprete');
    verifier((await texte('titre-exercice')).includes('<img'), 'titre hostile non montre tel quel');
    const attendu = compteRenduNatif(autre, moyenne);
    verifier(attendu.includes('Test deux : réussi') && attendu.includes('Test tab : échoué'), `compte rendu natif :\n${attendu}`);
    verifier(await verifierCopie(moyenne) === attendu, `compte rendu accentue :\n${attendu}--- page\n${await texte('compte-rendu')}`);

    // Une limite de sortie que la page ne peut pas tenir : reduite, et c'est dit.
    const [base, charge] = adresse.split('#exercice=');
    const grand = { ...JSON.parse(Buffer.from(charge, 'base64url').toString()), limite_sortie: 100000 };
    await ouvrir(`${base}#exercice=${Buffer.from(JSON.stringify(grand)).toString('base64url')}`);
    verifier((await texte('limites-exercice')).endsWith('sortie 16384 Kio (limite de la page)'),
             `limite de la page : ${await texte('limites-exercice')}`);

    // Un lien abime : dit, rien n'est ouvert, l'editeur ne change pas.
    await page.evaluate(() => window.tramelo.definirSource('algorithme Garde\ndebut\nfin\n'));
    await page.waitForTimeout(600);
    await page.goto('about:blank');
    await ouvrir(`${urlPage}#exercice=eyJmb3JtYXQiOjF9`);
    verifier(!(await page.isVisible('#panneau-exercice')), 'lien abime ouvert');
    verifier((await texte('annonce')).includes('lien d\'exercice est abîmé'), `annonce : ${await texte('annonce')}`);
    verifier(await page.evaluate(() => window.tramelo.source()) === 'algorithme Garde\ndebut\nfin\n', 'lien abime : source change');

    verifier(messages.length === 0, `messages de la console : ${messages.join(' | ')}`);
} finally {
    await navigateur.close();
    fs.rmSync(temp, { recursive: true, force: true });
}

console.log(`${bilan.nbVerifs - echecs.length}/${bilan.nbVerifs} verifications reussies`);
process.exit(echecs.length === 0 ? 0 : 1);
