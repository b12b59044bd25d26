// Le module WebAssembly vu de JavaScript, par la facade de la page (web/src/tramelo.js) :
// octets exacts du C++, positions des diagnostics dans une chaine non ASCII, options, textes de
// la ligne de commande venus du C++, vocabulaire identique a celui des editeurs, lien de partage,
// source garde (web/src/stockage.js).
//   node module.mjs <tramelo-module.cjs> <dossier web> <algo.tmLanguage.json>
import fs from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

const [cheminModule, dossierWeb, grammaire] = process.argv.slice(2);
if (!cheminModule || !dossierWeb || !grammaire) {
    console.error('Usage : node module.mjs <tramelo-module.cjs> <dossier web> <algo.tmLanguage.json>');
    process.exit(2);
}
const M = await createRequire(import.meta.url)(path.resolve(cheminModule))();
const { creerTramelo, indiceDeDecalage } = await import(pathToFileURL(path.join(dossierWeb, 'src', 'tramelo.js')));
const T = creerTramelo(M);

let nbVerifs = 0;
const echecs = [];
function verifier(condition, libelle) {
    nbVerifs++;
    if (!condition) echecs.push(libelle);
}
const texte = (octets) => Buffer.from(octets).toString('latin1');

// Octets du source rendus tels quels : un octet isole au-dela de 127 (pas de l'UTF-8) dans une
// chaine reste le meme octet dans le C++.
{
    const source = Buffer.concat([Buffer.from('algorithme A\ndebut\n    afficher ("'), Buffer.from([0xe9, 0xff]),
                                  Buffer.from('");\nfin\n')]);
    const R = T.traduire(source);
    verifier(R.statut === 0 && R.erreur === null, `octets hauts : statut ${R.statut}`);
    verifier(Buffer.from(R.octets).includes(Buffer.from([0x22, 0xe9, 0xff, 0x22])), 'octets hauts : recopies a l\'octet');
}

// Profil verifie sur demande : controles d'execution, lignes attribuees au source nomme ; les
// diagnostics et la traduction par defaut restent ceux de Tramelo.
{
    const source = 'algorithme A\ndebut\n    declarer t : tableau_de entier;\n    afficher (t[2]);\nfin\n';
    const S = T.traduire(source);
    const V = T.traduire(source, { verifie: true, nomSource: 'essai.algo' });
    verifier(S.statut === 0 && V.statut === 0, `profil verifie : statuts ${S.statut} ${V.statut}`);
    verifier(!texte(S.octets).includes('#line') && /^#line \d+ "essai\.algo"$/m.test(texte(V.octets))
             && texte(V.octets).includes('_Indice (t, 2, 4, '), 'profil verifie : #line absents ou mal nommes');
}

// Une erreur apres des caracteres non ASCII (accents, emoji hors du plan de base) : la place
// rendue en indices de chaine designe bien le mot fautif (celui que l'explication designe),
// et l'erreur de traduire, le caractere ou la lecture s'est arretee.
{
    const source = 'algorithme A\n// é à 😀\ndebut\n    afficher ("é😀"); declarer z : entir;\nfin\n';
    const [d] = T.diagnostics(source);
    verifier(d && d.code === 115 && d.message === 'entir : Type de base attendu', `place : ${JSON.stringify(d)}`);
    verifier(d && d.ligne === 4 && source.slice(d.debut, d.fin) === 'entir', `place : [${d?.debut}, ${d?.fin})`);
    verifier(d && d.severite === 'erreur' && Array.isArray(d.aides) && d.positionne, 'forme du diagnostic');
    const R = T.traduire(source);
    verifier(R.erreur.libelle === 'Ligne    4 - entir : Type de base attendu' && R.statut === 115,
             `libelle : ${R.erreur.libelle}`);
    verifier(source.slice(R.erreur.debut, R.erreur.fin) === ';', `arret de traduire : [${R.erreur.debut}, ${R.erreur.fin})`);
    const A = T.analyser(source);
    verifier(A.cpp === R.cpp && A.statut === R.statut && JSON.stringify(A.diagnostics) === JSON.stringify([d]),
             'analyser = traduire + diagnostics');
    // Meme source en octets : memes positions en octets, pas de place en indices.
    const [o] = T.diagnostics(Buffer.from(source));
    verifier(o.decalage === d.decalage && o.ligne === d.ligne && o.colonne === d.colonne, 'source en octets');
    verifier(indiceDeDecalage('a😀b', 5) === 3 && indiceDeDecalage('aéb', 3) === 2 && indiceDeDecalage('ab', 9) === 2,
             'indiceDeDecalage');
}

// Une exception JavaScript pendant la traduction (pile epuisee...) : l'erreur inconnue de
// Tramelo, sans position, et la page continue.
{
    const casse = () => { throw new RangeError('Maximum call stack size exceeded'); };
    const F = creerTramelo({ traduire: casse, diagnostics: casse, analyser: casse, refusInconnu: M.refusInconnu });
    const A = F.analyser('algorithme A\ndebut\nfin\n');
    verifier(A.statut === 255 && A.erreur.libelle === 'Exception inconnue' && A.cpp === ''
             && A.diagnostics.length === 1 && !A.diagnostics[0].positionne, `exception : ${JSON.stringify(A)}`);
    verifier(F.traduire('x').statut === 255 && F.diagnostics('x')[0].code === 255, 'exception : traduire, diagnostics');
}

// Options : largeur de tabulation (elle change le C++ d'une chaine qui contient une
// tabulation), largeurs refusees comme par Tramelo, profil verifie accepte.
{
    const source = 'algorithme A\ndebut\n    afficher ("ab\tc|");\nfin\n';
    verifier(T.traduire(source).cpp.includes('"ab   c|"'), 'largeur par defaut 4');
    verifier(T.traduire(source, { tailleTab: 8 }).cpp.includes('"ab       c|"'), 'largeur 8');
    for (const tailleTab of [0, 1001, 2.5, -1, 2 ** 32, NaN, '8']) {
        const R = T.traduire(source, { tailleTab });
        verifier(R.statut === 253 && R.erreur?.libelle === 'Taille de tabulation invalide' && R.cpp === '',
                 `largeur ${tailleTab} : statut ${R.statut}`);
    }
    verifier(T.traduire(source, null).statut === 0, 'options absentes');
}

// Ligne de commande et refus de Tramelo : verifications et textes du C++.
{
    const usage = 'Nombre d\'arguments invalide\nUsage : Tramelo nom_de_fichier_algo [taille_tabulation]';
    for (const args of [[], ['a', 'b', 'c']]) {
        const R = M.lireArguments(args);
        verifier(R.statut === 253 && texte(R.libelle) === usage, `arguments ${args.length} : ${R.statut}`);
    }
    for (const [arg, attendu] of [['8', 8], [' 8', 8], ['+8', 8], ['0008', 8], ['1000', 1000]])
        verifier(M.lireArguments(['f.algo', arg]).tailleTab === attendu, `largeur '${arg}'`);
    for (const arg of ['8 ', '', '0', '1001', '-1', '-0', '8.0', '99999999999999999999']) {
        const R = M.lireArguments(['f.algo', arg]);
        verifier(R.statut === 253 && texte(R.libelle) === 'Taille de tabulation invalide', `largeur refusee '${arg}'`);
    }
    const ouverture = M.refusOuverture('dossier/');
    verifier(ouverture.statut === 252 && texte(ouverture.libelle) === 'Erreur a l\'ouverture du fichier dossier/', 'refus 252');
    const trop = M.refusSourceTropGrand();
    verifier(trop.statut === 254 && /^Exception standard : source trop volumineux/.test(texte(trop.libelle)), 'refus 254');
    const sortie = M.refusSortieImpossible();
    verifier(sortie.statut === 254 && texte(sortie.libelle) === 'Exception standard : ecriture impossible sur la sortie standard',
             'sortie impossible');
    verifier(M.tailleMaxSource() === 256 * 1024 * 1024, 'taille maximale');
    const inconnu = M.refusInconnu();
    verifier(inconnu.statut === 255 && texte(inconnu.libelle) === 'Exception inconnue', 'erreur inconnue');
}

// Le vocabulaire colore par la page est celui que la grammaire de VS Code colore (elle-meme
// comparee a tramelo-vocabulaire par la suite native).
{
    const g = JSON.parse(fs.readFileSync(grammaire, 'utf8')).repository;
    const vocabulaire = T.vocabulaire();
    const categories = new Set(vocabulaire.map((m) => m.categorie));
    verifier(['structure', 'bloc', 'motcle', 'operateur', 'procedure', 'fonction', 'type', 'constante']
             .every((c) => categories.has(c)) && categories.size === 8, `categories : ${[...categories]}`);
    for (const c of categories) {
        const page = [...new Set(vocabulaire.filter((m) => m.categorie === c).map((m) => m.mot))].sort();
        const editeurs = g[c].match.match(/\(\?:([^)]*)\)/)[1].split('|').sort();
        verifier(JSON.stringify(page) === JSON.stringify(editeurs), `vocabulaire ${c} : ${page} / ${editeurs}`);
    }
}

// Lien de partage : aller-retour exact (accents, emoji, tabulations, CR), fragment abime.
{
    const { fragmentDe, sourceDuFragment } = await import(pathToFileURL(path.join(dossierWeb, 'src', 'partage.js')));
    const source = 'algorithme É\n// 😀 « » \t\r\ndebut\nfin\n'.repeat(50);
    const fragment = fragmentDe(source);
    verifier(/^algo=[A-Za-z0-9_-]+$/.test(fragment), 'fragment : caracteres permis dans une URL');
    verifier(fragment.length < source.length, `fragment compresse : ${fragment.length} pour ${source.length}`);
    verifier(sourceDuFragment(`#${fragment}`) === source && sourceDuFragment(fragment) === source, 'aller-retour');
    verifier(sourceDuFragment('#autre=1') === null && sourceDuFragment('') === null, 'fragment sans source');
    // Lien vide (rien, source vide ou blanc), abime, ou qui se decompresse au-dela de la limite :
    // une exception qui dit pourquoi, jamais un source vide.
    const raison = (fragment) => {
        try {
            sourceDuFragment(fragment);
            return null;
        } catch (e) {
            return e.raison;
        }
    };
    const { deflateSync } = await import(pathToFileURL(path.join(dossierWeb, 'node_modules', 'fflate', 'esm', 'index.mjs')));
    const brut = (octets) => `#algo=${Buffer.from(deflateSync(octets)).toString('base64url')}`;
    verifier(raison('#algo=') === 'vide' && raison(brut(new Uint8Array(0))) === 'vide'
             && raison(brut(Buffer.from(' \n\t'))) === 'vide', 'lien vide');
    verifier(raison('#algo=AAAA') === 'abime' && raison('#algo=%%%') === 'abime', 'lien abime');
    const { TAILLE_MAX_SOURCE } = await import(pathToFileURL(path.join(dossierWeb, 'src', 'partage.js')));
    verifier(raison(brut(new Uint8Array(TAILLE_MAX_SOURCE + 1).fill(97))) === 'trop-grand'
             && sourceDuFragment(brut(new Uint8Array(TAILLE_MAX_SOURCE).fill(97))).length === TAILLE_MAX_SOURCE,
             'lien trop grand une fois decompresse');
}

// Le source garde : un lien ou un exemple ne detruit jamais un source de l'eleve, un source
// emprunte non modifie n'est pas garde, « Rétablir » parcourt tous les sources gardes, la liste
// tient dans un stockage plein en abandonnant les plus anciens, l'ancienne cle est reprise.
{
    const { creerStockage, GARDES_MAX } = await import(pathToFileURL(path.join(dossierWeb, 'src', 'stockage.js')));
    const memoire = (limite = Infinity) => {
        const m = new Map();
        return {
            m,
            getItem: (c) => (m.has(c) ? m.get(c) : null),
            setItem: (c, v) => {
                const taille = [...m].reduce((t, [k, x]) => t + (k === c ? 0 : x.length), 0) + v.length;
                if (taille > limite) throw new Error('plein');
                m.set(c, v);
            },
            removeItem: (c) => m.delete(c),
        };
    };
    const local = memoire();
    const S = creerStockage(local);
    verifier(S.source() === null && S.origine() === 'eleve' && S.gardes().length === 0, 'stockage neuf');
    S.garder('mien');
    S.garder('  \n');
    S.garder('lien modifie');
    S.garder('mien');
    verifier(JSON.stringify(S.gardes()) === '["mien","lien modifie"]', `gardes sans doublon ni blanc : ${S.gardes()}`);
    verifier(S.reprendre(null) === 'mien' && JSON.stringify(S.gardes()) === '["lien modifie"]', 'reprendre le plus recent');
    verifier(S.reprendre('mien') === 'lien modifie' && JSON.stringify(S.gardes()) === '["mien"]',
             'reprendre : le source remplace est garde');
    verifier(S.reprendre(null) === 'mien' && S.reprendre(null) === null, 'reprendre jusqu\'au bout');
    // Des clics successifs parcourent tous les sources : le source remplace passe en dernier.
    for (const x of ['c', 'b', 'a']) S.garder(x);
    let actuel = 'd';
    const vus = [];
    for (let i = 0; i < 4; i++) {
        actuel = S.reprendre(actuel);
        vus.push(actuel);
    }
    verifier(vus.join('') === 'abcd' && JSON.stringify(S.gardes()) === '["a","b","c"]', `parcours des gardes : ${vus}`);
    while (S.reprendre(null) !== null);
    for (let i = 0; i < GARDES_MAX + 5; i++) S.garder(`s${i}`);
    verifier(S.gardes().length === GARDES_MAX && S.gardes()[0] === `s${GARDES_MAX + 4}`, 'au plus GARDES_MAX sources');
    S.enregistrer('x', 'empruntee');
    verifier(creerStockage(local).origine() === 'empruntee' && creerStockage(local).source() === 'x', 'origine relue');
    S.enregistrer('y', 'eleve');
    verifier(creerStockage(local).origine() === 'eleve', 'origine eleve');
    // Stockage presque plein : les plus anciens partent, le plus recent reste ; sinon l'echec est dit.
    const petit = memoire(35);
    let echecs = 0;
    const P = creerStockage(petit, () => echecs++);
    P.garder('a'.repeat(10));
    P.garder('b'.repeat(10));
    P.garder('c'.repeat(10));
    verifier(P.gardes()[0] === 'c'.repeat(10) && P.gardes().length < 3 && echecs === 0, `stockage plein : ${P.gardes()}`);
    P.garder('d'.repeat(100));
    verifier(echecs === 1 && P.gardes()[0] === 'c'.repeat(10), 'stockage plein : echec signale, liste intacte');
    // L'ancienne cle du source remplace est reprise dans les gardes, puis effacee.
    const ancien = memoire();
    ancien.setItem('tramelo.source.precedent', 'ancien');
    const A = creerStockage(ancien);
    verifier(JSON.stringify(A.gardes()) === '["ancien"]' && ancien.getItem('tramelo.source.precedent') === null,
             'ancienne cle reprise');
    // Une liste abimee (autre version, modification a la main) ne casse rien.
    ancien.setItem('tramelo.sources.gardes', '{pas du json');
    verifier(creerStockage(ancien).gardes().length === 0, 'liste abimee ignoree');
}

// L'execution (classe Execution de la liaison, protocole du travailleur d'execution executeur.js) :
// source refuse, budget de pas sur une boucle sans fin, erreur situee en indices de chaine apres
// des caracteres non ASCII, saisie attendue puis fournie, sortie sans fin tronquee.
{
    const { creerExecuteur, LIMITE_SORTIE } = await import(pathToFileURL(path.join(dossierWeb, 'src', 'executeur.js')));
    const refuse = new M.Execution(Buffer.from('algorithme A\ndebut\n    afficher (x);\nfin\n'), {});
    verifier(!refuse.pret() && texte(refuse.refus()).startsWith('Ligne    3 - '), `refus : ${texte(refuse.refus())}`);
    verifier(refuse.executer(10) === 'erreur' && refuse.statut() === 1, 'un source refuse s\'execute');
    refuse.delete();
    const boucle = new M.Execution(Buffer.from('algorithme B\ndebut\n    boucle\n    fboucle\nfin\n'), {});
    verifier(boucle.executer(1000) === 'budget' && boucle.executer(1000) === 'budget' && boucle.pasExecutes() >= 2000,
             `budget de pas : ${boucle.pasExecutes()}`);
    boucle.delete();

    // Le travailleur d'execution, sans travailleur : ses messages dans l'ordre, jusqu'a Fin.
    const executer = (message, suites = []) => new Promise((ok) => {
        const recus = [];
        const recevoir = creerExecuteur(M, (m) => {
            recus.push(m);
            // Comme la page : la reponse arrive plus tard, par un autre message.
            if (m.type === 'entree' && suites.length) setTimeout(() => recevoir(suites.shift()), 0);
            if (m.type === 'pas') setTimeout(() => recevoir({ type: 'suivant' }), 0);
            if (['fin', 'erreur', 'refus', 'tronque'].includes(m.type)) ok(recus);
        });
        recevoir({ type: 'executer', tailleTab: 4, ...message });
    });
    const sortieDe = (recus) => recus.filter((m) => m.type === 'sortie').map((m) => m.texte).join('');
    const accents = 'algorithme C\n// é 😀\ndebut\n    declarer n : entier;\n    saisir (n);\n'
        + '    afficher ("é", n);\n    afficher (1 / (n - n));\nfin\n';
    const R = await executer({ source: accents, entrees: '' }, [{ type: 'saisie', texte: '4\n' }]);
    const E = R.at(-1);
    verifier(R.some((m) => m.type === 'entree') && sortieDe(R) === 'é4', `saisie puis sortie : ${JSON.stringify(sortieDe(R))}`);
    verifier(E.type === 'erreur' && E.erreur.ligne === 7 && accents.slice(E.erreur.debut).startsWith('/ (n - n)'),
             `erreur situee : ${JSON.stringify(E)}`);
    verifier(E.erreur.texte === `programme.algo:7:${E.erreur.colonne}: erreur : ${E.erreur.message}`, `texte : ${E.erreur.texte}`);
    // 3 octets par tour : la limite tombe au milieu d'un « é », coupe avant lui.
    const F = await executer({ source: 'algorithme D\ndebut\n    boucle\n        afficher ("éa");\n    fboucle\nfin\n' });
    const octets = Buffer.byteLength(sortieDe(F));
    verifier(F.at(-1).type === 'tronque' && octets === LIMITE_SORTIE - 1 && !sortieDe(F).includes('\ufffd'),
             `sortie tronquee : ${F.at(-1).type}, ${octets} octets`);
    const P = await executer({ source: 'algorithme E\ndebut\nfin\n', pasAPas: true });
    verifier(P.at(-1).type === 'fin' && P.at(-1).statut === 0, `pas a pas d'un programme vide : ${JSON.stringify(P.at(-1))}`);
}

if (echecs.length) {
    console.log(`${echecs.length} echec(s) sur ${nbVerifs} :\n  ${echecs.join('\n  ')}`);
    process.exit(1);
}
console.log(`module WebAssembly : ${nbVerifs} verifications passent`);
