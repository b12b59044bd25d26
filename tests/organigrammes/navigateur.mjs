// Les organigrammes dans un vrai navigateur (chromium de Debian, pilote par playwright-core) :
// chaque SVG des exemples s'ouvre comme fichier sans erreur d'analyse ni de console, chaque
// texte tient dans sa forme avec les polices reelles, une capture par exemple est gardee ; le
// Mermaid de chaque exemple (et d'un source aux caracteres hostiles) est lu par Mermaid lui-meme
// (module npm mermaid), avec autant de formes et d'arcs que le SVG, puis dessine.
//   node navigateur.mjs --outil tramelo-organigramme --racine DOSSIER --captures DOSSIER
// Statut 77 (test saute) sans chromium ou sans modules npm ("npm ci" dans tests/organigrammes).
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { parseArgs } from 'node:util';

import { creerBilan, exigerNavigateur, lancerChromium } from '../web/commun.mjs';

const ici = path.dirname(fileURLToPath(import.meta.url));
const { values: args } = parseArgs({
    options: {
        outil: { type: 'string' },
        racine: { type: 'string' },
        captures: { type: 'string' },
        chromium: { type: 'string', default: '/usr/bin/chromium' },
    },
});
if (!args.outil || !args.racine || !args.captures) {
    console.error('Usage : node navigateur.mjs --outil T --racine D --captures D');
    process.exit(2);
}
const { chromium, modules: [cheminMermaid] } = exigerNavigateur(args.chromium, ici, [(r) => {
    const chemin = path.join(path.dirname(r.resolve('mermaid/package.json')), 'dist', 'mermaid.min.js');
    fs.accessSync(chemin);
    return chemin;
}]);

const bilan = creerBilan();
const { verifier, echecs } = bilan;

const dessiner = (fichier, format) => execFileSync(args.outil, ['--format', format, fichier]).toString();

const temp = fs.mkdtempSync(path.join(os.tmpdir(), 'tramelo-organigramme-'));
const hostile = path.join(temp, 'hostile.algo');
fs.writeFileSync(hostile, Buffer.concat([
    Buffer.from('algorithme Hostile\ndebut\n    declarer s : string;\n    afficher ("<script>alert(1)</script> & '),
    Buffer.from([0xff, 0x01]),
    Buffer.from(' %%{init}%% #quot; `x` --> end [a] {b} \\" ");\n'
                + '    si (s vaut "end") s <- "-->|x|"; fsi\nfin\n'),
]));
const exemples = fs.readdirSync(path.join(args.racine, 'exemples')).filter((f) => f.endsWith('.algo')).sort()
    .map((f) => path.join(args.racine, 'exemples', f));
fs.mkdirSync(args.captures, { recursive: true });

const navigateur = await lancerChromium(chromium, args.chromium);
try {
    const contexte = await navigateur.newContext({ viewport: { width: 1200, height: 900 } });
    // Le SVG seul, ouvert comme un fichier .svg : l'analyseur XML du navigateur le juge.
    for (const fichier of [...exemples, hostile]) {
        const nom = path.basename(fichier, '.algo');
        const svg = path.join(temp, `${nom}.svg`);
        fs.writeFileSync(svg, dessiner(fichier, 'svg'));
        const page = await contexte.newPage();
        const messages = [];
        page.on('console', (m) => { if (m.type() === 'error' || m.type() === 'warning') messages.push(m.text()); });
        page.on('pageerror', (e) => messages.push(e.message));
        await page.goto(pathToFileURL(svg).href);
        const etat = await page.evaluate(() => {
            const racine = document.documentElement;
            const fautes = [];
            // Chaque ligne de texte dans sa forme (losange : les coins de la ligne dans le losange).
            for (const g of document.querySelectorAll('g.forme')) {
                const trace = g.querySelector('rect, polygon');
                const texte = g.querySelector('text');
                if (!trace || !texte) continue;
                const f = trace.getBBox();
                const a = f.width / 2, b = f.height / 2, cx = f.x + a, cy = f.y + b;
                for (const ligne of texte.querySelectorAll('tspan')) {
                    const t = ligne.getExtentOfChar ? ligne.getBBox() : null;
                    if (!t) continue;
                    const dedans = g.classList.contains('decision')
                        ? [[t.x, t.y], [t.x + t.width, t.y], [t.x, t.y + t.height], [t.x + t.width, t.y + t.height]]
                            .every(([x, y]) => Math.abs(x - cx) / a + Math.abs(y - cy) / b <= 1.02)
                        : t.x >= f.x - 0.5 && t.x + t.width <= f.x + f.width + 0.5
                          && t.y >= f.y - 0.5 && t.y + t.height <= f.y + f.height + 0.5;
                    if (!dedans) fautes.push(`${g.id} « ${ligne.textContent} » depasse sa forme`);
                }
            }
            return {
                svg: racine.namespaceURI === 'http://www.w3.org/2000/svg' && racine.localName === 'svg',
                erreurXml: document.getElementsByTagName('parsererror').length > 0,
                formes: document.querySelectorAll('g.forme').length,
                scripts: document.getElementsByTagName('script').length,
                fautes,
            };
        });
        verifier(etat.svg && !etat.erreurXml, `${nom} : le SVG n'est pas lu comme du SVG`);
        verifier(etat.formes > 2, `${nom} : ${etat.formes} formes affichees`);
        verifier(etat.scripts === 0, `${nom} : un texte du source est devenu un element <script>`);
        verifier(etat.fautes.length === 0, `${nom} : ${etat.fautes.slice(0, 3).join(' ; ')}`);
        verifier(messages.length === 0, `${nom} : messages de la console : ${messages.join(' | ')}`);
        const taille = await page.evaluate(() => [document.documentElement.width.baseVal.value,
                                                  document.documentElement.height.baseVal.value]);
        await page.setViewportSize({ width: Math.min(Math.ceil(taille[0]), 4000),
                                     height: Math.min(Math.ceil(taille[1]), 8000) });
        await page.screenshot({ path: path.join(args.captures, `${nom}.png`) });
        await page.close();
    }

    // Mermaid : la bibliotheque elle-meme lit chaque texte, compte formes et arcs, et dessine.
    const page = await contexte.newPage();
    const messages = [];
    page.on('pageerror', (e) => messages.push(e.message));
    await page.setContent('<!doctype html><html><body><div id="rendu"></div></body></html>');
    await page.addScriptTag({ path: cheminMermaid });
    await page.evaluate(() => window.mermaid.initialize({ startOnLoad: false, securityLevel: 'strict',
                                                          maxTextSize: 1e7, maxEdges: 100000 }));
    for (const fichier of [...exemples, hostile]) {
        const nom = path.basename(fichier, '.algo');
        const texte = dessiner(fichier, 'mermaid');
        const svg = dessiner(fichier, 'svg');
        const formes = (svg.match(/<g class="forme /g) || []).length;
        const arcs = (svg.match(/<path class="arc /g) || []).length;
        const lu = await page.evaluate(async ([t, n]) => {
            try {
                await window.mermaid.parse(t);
                const d = await window.mermaid.mermaidAPI.getDiagramFromText(t);
                const sommets = d.db.getVertices();
                const { svg: rendu } = await window.mermaid.render(`rendu-${n}`, t);
                return { ok: true, sommets: sommets.size ?? Object.keys(sommets).length,
                         arcs: d.db.getEdges().length, script: rendu.includes('<script') };
            } catch (e) {
                return { ok: false, erreur: String(e && e.message || e) };
            }
        }, [texte, nom]);
        verifier(lu.ok, `${nom} : Mermaid refuse le texte : ${lu.erreur}`);
        if (lu.ok) {
            verifier(lu.sommets === formes, `${nom} : Mermaid lit ${lu.sommets} formes, le SVG en a ${formes}`);
            verifier(lu.arcs === arcs, `${nom} : Mermaid lit ${lu.arcs} arcs, le SVG en a ${arcs}`);
            verifier(!lu.script, `${nom} : le dessin de Mermaid contient un <script>`);
        }
    }
    verifier(messages.length === 0, `Mermaid : erreurs JavaScript : ${messages.join(' | ')}`);
} finally {
    await navigateur.close();
    fs.rmSync(temp, { recursive: true, force: true });
}
console.log(`navigateur : ${bilan.nbVerifs - echecs.length} passed, ${echecs.length} failed ; captures dans ${args.captures}`);
process.exit(echecs.length ? 1 : 0);
