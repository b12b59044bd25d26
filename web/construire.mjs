// Assemble la page web dans un dossier : index.html, style.css et tramelo-web.js, un seul
// script (CodeMirror, fflate, le travailleur qui analyse avec le module WebAssembly, les
// exemples et le vocabulaire inclus), sans module ES ni chargement d'autres fichiers, pour
// marcher depuis file:// comme depuis un serveur. Le travailleur est assemble d'abord ; son
// script est inclus dans celui de la page, qui le lance depuis un Blob.
//   node construire.mjs --module tramelo-module.cjs --exemples DOSSIER --sortie DOSSIER
import fs from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { parseArgs } from 'node:util';

import * as esbuild from 'esbuild';

const ici = path.dirname(fileURLToPath(import.meta.url));
const { values: args } = parseArgs({
    options: { module: { type: 'string' }, exemples: { type: 'string' }, sortie: { type: 'string' } },
});
if (!args.module || !args.exemples || !args.sortie) {
    console.error('Usage : node construire.mjs --module FICHIER --exemples DOSSIER --sortie DOSSIER');
    process.exit(2);
}

// Les exemples fournis, tries par nom ; bonjour d'abord, le plus simple.
const exemples = fs.readdirSync(args.exemples)
    .filter((f) => f.endsWith('.algo'))
    .sort((a, b) => (a === 'bonjour.algo' ? -1 : b === 'bonjour.algo' ? 1 : a.localeCompare(b)))
    .map((f) => ({
        nom: f.replace(/\.algo$/, '').replace(/_/g, ' '),
        source: new TextDecoder('utf-8', { fatal: true }).decode(fs.readFileSync(path.join(args.exemples, f))),
    }));

// Les mots reserves colores par l'editeur, lus une fois ici dans le module : la page colore
// sans attendre que le travailleur ait charge le traducteur.
const vocabulaire = (await createRequire(import.meta.url)(path.resolve(args.module))()).vocabulaire();

// Modules virtuels : le module WebAssembly construit, les exemples, le vocabulaire, et le script
// du travailleur (pose une fois celui-ci assemble).
let codeTravailleur = null;
const virtuels = {
    name: 'tramelo',
    setup(b) {
        b.onResolve({ filter: /^tramelo:module$/ }, () => ({ path: path.resolve(args.module) }));
        b.onResolve({ filter: /^tramelo:(exemples|vocabulaire|travailleur)$/ },
                    (a) => ({ path: a.path.slice('tramelo:'.length), namespace: 'tramelo' }));
        b.onLoad({ filter: /.*/, namespace: 'tramelo' }, (a) => {
            const valeurs = { exemples, vocabulaire, travailleur: codeTravailleur };
            return { contents: `export default ${JSON.stringify(valeurs[a.path])};`, loader: 'js' };
        });
    },
};

const communs = {
    bundle: true,
    format: 'iife',
    target: ['chrome100', 'firefox100', 'safari15'],
    minify: true,
    legalComments: 'eof',
    // Le module emscripten ne touche a ces modules de node que sous node.
    external: ['fs', 'path', 'crypto'],
    plugins: [virtuels],
    logLevel: 'warning',
};

const travailleur = await esbuild.build({
    ...communs,
    entryPoints: [path.join(ici, 'src', 'travailleur.js')],
    platform: 'neutral',
    mainFields: ['module', 'main'],
    write: false,
    outfile: 'travailleur.js',
});
codeTravailleur = travailleur.outputFiles[0].text;

fs.mkdirSync(args.sortie, { recursive: true });
await esbuild.build({
    ...communs,
    entryPoints: [path.join(ici, 'src', 'principal.js')],
    platform: 'browser',
    outfile: path.join(args.sortie, 'tramelo-web.js'),
});
for (const f of ['index.html', 'style.css']) fs.copyFileSync(path.join(ici, f), path.join(args.sortie, f));
