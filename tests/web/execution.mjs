// Executer dans la page (chromium) : la sortie des exemples est celle de tramelo-exec --interprete
// (natif) et celle attendue (.run) ; les Entrees nourrissent saisir puis la saisie au clavier prend
// le relais ; une erreur d'execution est dite dans la sortie et marquee dans l'editeur ; une boucle
// sans fin est arretee par « Arrêter » sans geler la page ; une sortie sans fin est tronquee ; le pas
// a pas suit la trace de tramelo-exec --pas-a-pas, son tableau et son CSV ; tout au clavier ; aucune
// erreur dans la console. Mesure aussi le delai de la premiere sortie d'un exemple.
//   node execution.mjs --page index.html --web DOSSIER --exemples DOSSIER --captures DOSSIER
//                      [--natif tramelo-exec]
// Statut 77 (test saute) sans chromium ou sans modules npm.
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
        exemples: { type: 'string' },
        captures: { type: 'string' },
        natif: { type: 'string', default: '' },
        chromium: { type: 'string', default: '/usr/bin/chromium' },
    },
});
if (!args.page || !args.web || !args.exemples || !args.captures) {
    console.error('Usage : node execution.mjs --page F --web D --exemples D --captures D [--natif tramelo-exec]');
    process.exit(2);
}
const { chromium } = exigerNavigateur(args.chromium, args.web);

const bilan = creerBilan();
const { verifier, echecs } = bilan;

const natif = args.natif && fs.existsSync(args.natif) ? path.resolve(args.natif) : null;
if (!natif) console.log('tramelo-exec natif absent : sorties comparees aux seuls .run');
const temp = fs.mkdtempSync(path.join(os.tmpdir(), 'tramelo-execution-page-'));
// tramelo-exec --interprete sur Source nomme programme.algo (le nom des messages de la page).
function executerNatif(source, entree, options = []) {
    fs.writeFileSync(path.join(temp, 'programme.algo'), source);
    const r = spawnSync(natif, ['--interprete', ...options, 'programme.algo'], { cwd: temp, input: entree });
    return { sortie: r.stdout.toString(), erreur: r.stderr.toString(), statut: r.status };
}

// Une variable du tableau comme la trace l'ecrit.
const texteVariable = (v) => (v.renvoi ? `${v.nom} renvoie ${v.valeur}` : `${v.nom} = ${v.valeur}`);

// La trace de --pas-a-pas en lignes du tableau : { ligne, texte, variables: ["nom = valeur"] }.
function lignesDeLaTrace(trace) {
    const lignes = [];
    for (const l of trace.split('\n')) {
        // « » LIGNE | texte » (texte decale selon l'appel), « »      |     nom = valeur ».
        const m = /^» +(\d+) \| +(.*)$/.exec(l);
        const v = /^» +\| +(\S.*)$/.exec(l);
        if (m) lignes.push({ ligne: Number(m[1]), texte: m[2], variables: [] });
        else if (v && lignes.length) lignes.at(-1).variables.push(v[1]);
    }
    return lignes;
}

const exemples = fs.readdirSync(args.exemples).filter((f) => f.endsWith('.algo')).sort();
const lire = (f) => fs.readFileSync(path.join(args.exemples, f), 'utf8');

fs.mkdirSync(args.captures, { recursive: true });
const navigateur = await lancerChromium(chromium, args.chromium);
try {
    const contexte = await navigateur.newContext({ acceptDownloads: true, viewport: { width: 1400, height: 1000 } });
    const page = await contexte.newPage();
    const messages = [];
    page.on('pageerror', (e) => messages.push(e.message));
    page.on('console', (m) => { if (m.type() === 'error') messages.push(m.text()); });
    page.on('dialog', (d) => { messages.push(`boite de dialogue : ${d.message()}`); d.dismiss(); });
    await page.goto(pathToFileURL(path.resolve(args.page)).href);
    await page.waitForSelector('body[data-etat="pret"]', { timeout: 20000 });

    // Les elements par leur nom accessible, exactement.
    const bouton = (nom) => page.getByRole('button', { name: nom, exact: true });
    const entrees = page.getByLabel('Entrées', { exact: true });
    const regionSortie = page.getByRole('region', { name: 'Sortie', exact: true });
    verifier(await bouton('Exécuter').count() === 1, 'pas de bouton « Exécuter »');
    verifier(await entrees.count() === 1, 'pas de zone « Entrées »');
    verifier(await regionSortie.count() === 1, 'pas de region « Sortie »');

    const mettre = async (source) => {
        await page.evaluate((s) => { window.tramelo.definirSource(s); window.tramelo.analyserMaintenant(); }, source);
        await page.waitForFunction((s) => window.tramelo.source() === s && document.body.dataset.aJour === 'oui', source);
    };
    const attendreFin = () => page.waitForSelector('body[data-execution="inactif"]', { timeout: 30000 });
    // La sortie du programme seule, sans les notes de la page (fin, erreur, saisies).
    const sortieProgramme = () => page.$eval('#sortie-texte', (p) => [...p.childNodes]
        .filter((n) => n.nodeType === Node.TEXT_NODE).map((n) => n.data).join(''));

    // 1. Les exemples avec leurs entrees : la sortie du programme, au clavier pour le premier
    // (travailleur d'execution lance au focus du bouton : premiere sortie « a froid »).
    let premier = true;
    for (const f of exemples) {
        const nom = f.replace(/\.algo$/, '');
        const entree = fs.existsSync(path.join(args.exemples, `${nom}.in`)) ? lire(`${nom}.in`) : '';
        await mettre(lire(f));
        await entrees.fill(entree);
        if (premier) {
            await bouton('Exécuter').focus();
            await page.keyboard.press('Enter');
            premier = false;
        } else await bouton('Exécuter').click();
        await attendreFin();
        if (f === exemples[0]) {
            const froid = await page.evaluate(() => window.tramelo.execution.premiereSortie());
            console.log(`premiere sortie de ${f} a froid (module a charger) : ${froid?.toFixed(1)} ms`);
        }
        const obtenu = await sortieProgramme();
        if (fs.existsSync(path.join(args.exemples, `${nom}.run`))) {
            verifier(obtenu === lire(`${nom}.run`), `${f} : sortie differente du .run attendu`);
        }
        if (natif) {
            const n = executerNatif(lire(f), entree);
            verifier(obtenu === n.sortie, `${f} : sortie differente de tramelo-exec --interprete`);
        }
        const fin = await page.textContent('#etat-execution');
        verifier(fin === 'Exécution terminée (statut 0).', `${f} : etat final « ${fin} »`);
    }

    // Delai de la premiere sortie (bench/RESULTATS.md) : bonjour, travailleur deja charge.
    const bonjour = lire('bonjour.algo');
    await mettre(bonjour);
    await entrees.fill('Alice\n10\n');
    const delais = [];
    for (let i = 0; i < 5; i++) {
        await bouton('Exécuter').click();
        await attendreFin();
        delais.push(await page.evaluate(() => window.tramelo.execution.premiereSortie()));
    }
    delais.sort((a, b) => a - b);
    console.log(`premiere sortie de bonjour.algo apres « Exécuter » : ${delais[2].toFixed(1)} ms (mediane de 5)`);
    // Un programme de 1 000 lignes (traduit puis compile pour l'interpreteur a chaque execution).
    let mille = 'algorithme Mille\ndebut\n    declarer x : entier;\n    x <- 0;\n';
    for (let i = 0; i < 995; i++) mille += i % 2 ? `    x <- x + ${i};\n` : `    afficher (x, " ");\n`;
    mille += 'fin\n';
    await mettre(mille);
    const delaisMille = [];
    for (let i = 0; i < 5; i++) {
        await bouton('Exécuter').click();
        await attendreFin();
        delaisMille.push(await page.evaluate(() => window.tramelo.execution.premiereSortie()));
    }
    delaisMille.sort((a, b) => a - b);
    console.log(`premiere sortie d'un programme de 1 000 lignes : ${delaisMille[2].toFixed(1)} ms (mediane de 5)`);
    verifier((await page.textContent('#etat-execution')) === 'Exécution terminée (statut 0).', '1 000 lignes : execution');

    // 2. Les Entrees d'abord, puis le clavier : une ligne de saisie dans la sortie, jamais prompt.
    await mettre(lire('chaines.algo'));
    await entrees.fill('bonjour');
    await bouton('Exécuter').click();
    await page.waitForSelector('body[data-execution="entree"]');
    const saisie = page.getByLabel('Saisie', { exact: true });
    verifier(await saisie.evaluate((e) => e === document.activeElement && e.closest('#sortie') !== null),
             'la ligne de saisie n\'a pas le focus dans la sortie');
    verifier((await sortieProgramme()).includes('"bonjour" : 3 voyelle(s)'), 'la ligne des Entrees n\'a pas ete lue');
    await page.keyboard.type('Kayak');
    await page.keyboard.press('Enter');
    await page.waitForSelector('body[data-execution="entree"]');
    verifier((await sortieProgramme()).includes('"Kayak" : 3 voyelle(s), palindrome'), 'la saisie au clavier n\'a pas ete lue');
    verifier((await page.textContent('#sortie .saisie-echo')) === 'Kayak\n', 'la saisie n\'est pas reprise dans la sortie');
    await page.keyboard.press('Enter');
    await attendreFin();
    verifier((await page.textContent('#etat-execution')).startsWith('Exécution terminée'), 'fin apres une ligne vide');

    // Fin de l'entree (Ctrl-D) : saisir sur une entree epuisee, comme le programme natif.
    const deux = 'algorithme Deux\ndebut\n    declarer n : entier;\n    n <- 5;\n    saisir (n);\n    afficher (n);\nfin\n';
    await mettre(deux);
    await entrees.fill('');
    await bouton('Exécuter').click();
    await page.waitForSelector('body[data-execution="entree"]');
    await bouton('Fin de l\'entrée').click();
    await attendreFin();
    if (natif) {
        const n = executerNatif(deux, '');
        verifier(await sortieProgramme() === n.sortie, `entree fermee : sortie differente du natif (${JSON.stringify(n.sortie)})`);
    }

    // 3. Erreur d'execution : message du natif dans la sortie, marque a la ligne dans l'editeur.
    const division = 'algorithme Div\ndebut\n    declarer a : entier;\n    a <- 3;\n    afficher ("avant");\n'
        + '    ligne_suivante;\n    afficher (a / (a - 3));\nfin\n';
    await mettre(division);
    await bouton('Exécuter').click();
    await attendreFin();
    const erreur = await page.textContent('#sortie .erreur-execution');
    verifier(/^programme\.algo:7:\d+: erreur : Division par zéro/.test(erreur), `message d'erreur : « ${erreur} »`);
    if (natif) {
        const n = executerNatif(division, '');
        verifier(n.statut === 1 && erreur === n.erreur, `erreur differente du natif : « ${n.erreur} »`);
        verifier(await sortieProgramme() === n.sortie, 'sortie avant l\'erreur differente du natif');
    }
    const marque = await page.$$eval('.cm-erreur-execution', (l) => l.map((n) => window.tramelo.ligneDe(n)));
    verifier(marque.length === 1 && marque[0] === 7, `marque d'erreur aux lignes ${JSON.stringify(marque)}`);
    const bloc = await page.textContent('.cm-explication-execution');
    verifier(bloc.includes('Division par zéro'), `explication sous la ligne : « ${bloc} »`);
    verifier((await page.textContent('#etat-execution')).startsWith('Erreur d\'exécution ligne 7'),
             'l\'erreur n\'est pas annoncee');
    await page.screenshot({ path: path.join(args.captures, 'execution-erreur.png'), fullPage: true });
    // Le texte change : la marque s'en va.
    await mettre(division.replace('(a - 3)', '(a - 2)'));
    verifier(await page.$$eval('.cm-erreur-execution', (l) => l.length) === 0, 'la marque reste apres une modification');

    // 4. Boucle sans fin : la page repond, « Arrêter » l'arrete, l'analyse et l'execution reprennent.
    await mettre('algorithme Sans_fin\ndebut\n    declarer x : entier;\n    x <- 0;\n'
        + '    boucle\n        x <- modulo (x + 1, 7);\n    fboucle\nfin\n');
    await bouton('Exécuter').click();
    await page.waitForTimeout(700);
    const t0 = Date.now();
    await page.evaluate(() => document.body.dataset.execution);
    verifier(Date.now() - t0 < 500, `page lente pendant la boucle (${Date.now() - t0} ms)`);
    verifier(await page.isEnabled('#arreter'), '« Arrêter » inactif pendant l\'execution');
    verifier(await page.isDisabled('#executer'), '« Exécuter » actif pendant l\'execution');
    await bouton('Arrêter').focus();
    await page.keyboard.press('Enter');
    await attendreFin();
    verifier((await page.textContent('#etat-execution')) === 'Exécution arrêtée.', 'arret non annonce');
    verifier(await page.evaluate(() => document.activeElement?.id) === 'executer', 'le focus n\'est pas revenu sur « Exécuter »');
    await mettre(bonjour);
    verifier(await page.evaluate(() => window.tramelo.analyse().statut) === 0, 'l\'analyse ne repond plus apres l\'arret');
    await entrees.fill('Alice\n10\n');
    await bouton('Exécuter').click();
    await attendreFin();
    verifier(await sortieProgramme() === lire('bonjour.run'), 'execution impossible apres un arret');

    // Sortie sans fin : tronquee, dite, l'execution s'arrete d'elle-meme.
    await mettre('algorithme Bavard\ndebut\n    boucle\n        afficher ("encore une ligne");\n'
        + '        ligne_suivante;\n    fboucle\nfin\n');
    await bouton('Exécuter').click();
    await attendreFin();
    verifier((await page.textContent('#etat-execution')).startsWith('Sortie limitée à 1048576 octets'), 'sortie sans fin non tronquee');
    verifier(new TextEncoder().encode(await sortieProgramme()).length === 1048576, 'sortie tronquee a une autre taille');

    // Source refuse : rien ne s'execute, c'est dit.
    await mettre('algorithme Faux\ndebut\n    afficher (x);\nfin\n');
    await bouton('Exécuter').click();
    await attendreFin();
    verifier((await page.textContent('#etat-execution')).includes('voir les diagnostics'), 'source refuse non dit');

    // 5. Pas a pas : ligne en cours marquee, F10, Continuer ; tableau = trace de --pas-a-pas.
    const suivi = 'algorithme Suivi\ndebut\n    declarer t : tableau_de entier;\n    declarer s : string;\n'
        + '    redimensionner (t, 3);\n    s <- "a";\n    pour (i variant_de 0 a 2) faire\n        t[i] <- i * i;\n'
        + '        s <- s + "b";\n        afficher (i, ";");\n    ffaire\n    ligne_suivante;\nfin\n';
    await mettre(suivi);
    await bouton('Pas à pas').click();
    await page.waitForSelector('body[data-execution="pas"]');
    const courante = () => page.$$eval('.cm-ligne-courante', (l) => l.map((n) => window.tramelo.ligneDe(n)));
    verifier(JSON.stringify(await courante()) === '[3]', `ligne en cours au depart : ${JSON.stringify(await courante())}`);
    verifier(await page.isVisible('#suivi'), 'tableau de suivi absent');
    await page.locator('.cm-content').focus();
    await page.keyboard.press('F10');
    await page.waitForFunction(() => document.body.dataset.execution === 'pas'
        && document.querySelector('.cm-ligne-courante') && window.tramelo.ligneDe(document.querySelector('.cm-ligne-courante')) === 4);
    await bouton('Ligne suivante').click();
    await page.waitForFunction(() => document.body.dataset.execution === 'pas'
        && window.tramelo.ligneDe(document.querySelector('.cm-ligne-courante')) === 5);
    const variables = await page.textContent('#variables-courantes');
    verifier(variables.includes('t = {}') && variables.includes('s = ""'), `variables visibles : « ${variables} »`);
    await bouton('Continuer').click();
    await attendreFin();
    verifier(await page.$$eval('.cm-ligne-courante', (l) => l.length) === 0, 'ligne en cours encore marquee a la fin');
    const lignes = await page.evaluate(() => window.tramelo.execution.suivi());
    if (natif) {
        const attendu = lignesDeLaTrace(executerNatif(suivi, '', ['--pas-a-pas']).erreur);
        const obtenu = lignes.map((l) => ({ ligne: l.ligne, texte: l.texte, variables: l.variables.map(texteVariable) }));
        verifier(JSON.stringify(obtenu) === JSON.stringify(attendu),
                 `tableau de suivi different de la trace native :\n${JSON.stringify(obtenu)}\n${JSON.stringify(attendu)}`);
    }
    const ligne8 = lignes.filter((l) => l.ligne === 8).map((l) => l.variables.map((v) => `${v.nom} = ${v.valeur}`).join());
    verifier(ligne8.at(-1) === 't = {0, 1, 4}', `tableau lisible : ${JSON.stringify(ligne8)}`);
    const sorties = lignes.filter((l) => l.sortie).map((l) => [l.ligne, l.sortie]);
    verifier(JSON.stringify(sorties) === '[[10,"0;"],[10,"1;"],[10,"2;"],[12,"\\n"]]', `sorties par ligne : ${JSON.stringify(sorties)}`);
    verifier(await page.$$eval('#suivi tbody tr', (t) => t.length) === lignes.length, 'lignes du tableau affiche');
    await page.screenshot({ path: path.join(args.captures, 'execution-pas-a-pas.png'), fullPage: true });

    // Le CSV telecharge : celui du tableau, separateur « ; », guillemets doubles.
    await bouton('Exporter le tableau (CSV)').focus();
    const [telechargement] = await Promise.all([page.waitForEvent('download'), page.keyboard.press('Enter')]);
    const csv = fs.readFileSync(await telechargement.path(), 'utf8');
    verifier(telechargement.suggestedFilename() === 'Suivi-suivi.csv', `nom du CSV : ${telechargement.suggestedFilename()}`);
    verifier(csv === await page.evaluate(() => window.tramelo.execution.csv()), 'CSV telecharge different du tableau');
    const rangs = csv.replace(/^\ufeff/, '').split('\r\n');
    verifier(rangs[0] === 'pas;ligne;instruction;variables modifiées;sortie', `entete du CSV : ${rangs[0]}`);
    verifier(rangs.includes('2;4;"declarer s : string;";"s = """"";'), `ligne 4 dans le CSV : ${rangs[2]}`);
    verifier(csv.includes(';10;"afficher (i, "";"");";;"0;"'), 'sortie et point-virgule mal cites dans le CSV');

    // Le source modifie pendant le pas a pas : plus de ligne marquee (elle serait fausse), c'est dit.
    await mettre(suivi);
    await bouton('Pas à pas').click();
    await page.waitForSelector('body[data-execution="pas"]');
    await mettre(`// ajout\n${suivi}`);
    await bouton('Ligne suivante').click();
    await page.waitForFunction(() => document.body.dataset.execution === 'pas'
        && document.getElementById('etat-execution').textContent.includes('lancement'));
    verifier(await page.$$eval('.cm-ligne-courante', (l) => l.length) === 0, 'ligne marquee dans un source modifie');
    await bouton('Arrêter').click();
    await attendreFin();

    verifier(messages.length === 0, `messages de la console : ${messages.join(' | ')}`);
} finally {
    await navigateur.close();
    fs.rmSync(temp, { recursive: true, force: true });
}

console.log(`${bilan.nbVerifs - echecs.length}/${bilan.nbVerifs} verifications reussies`);
process.exit(echecs.length === 0 ? 0 : 1);
