// Assemble la page web dans un dossier : index.html, style.css et tramelo-web.js, un seul
// script (CodeMirror, fflate, le module WebAssembly et les exemples inclus), sans module ES ni
// chargement d'autres fichiers, pour marcher depuis file:// comme depuis un serveur.
//   node construire.mjs --module tramelo-module.cjs --exemples DOSSIER --sortie DOSSIER
import fs from 'node:fs';
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

// Deux modules virtuels : le module WebAssembly construit, et les exemples.
const virtuels = {
    name: 'tramelo',
    setup(b) {
        b.onResolve({ filter: /^tramelo:module$/ }, () => ({ path: path.resolve(args.module) }));
        b.onResolve({ filter: /^tramelo:exemples$/ }, () => ({ path: 'exemples', namespace: 'tramelo' }));
        b.onLoad({ filter: /.*/, namespace: 'tramelo' }, () => ({
            contents: `export default ${JSON.stringify(exemples)};`,
            loader: 'js',
        }));
    },
};

fs.mkdirSync(args.sortie, { recursive: true });
await esbuild.build({
    entryPoints: [path.join(ici, 'src', 'principal.js')],
    bundle: true,
    format: 'iife',
    platform: 'browser',
    target: ['chrome100', 'firefox100', 'safari15'],
    minify: true,
    legalComments: 'eof',
    // Le module emscripten ne touche a ces modules de node que sous node.
    external: ['fs', 'path', 'crypto'],
    outfile: path.join(args.sortie, 'tramelo-web.js'),
    plugins: [virtuels],
    logLevel: 'warning',
});
for (const f of ['index.html', 'style.css']) fs.copyFileSync(path.join(ici, f), path.join(args.sortie, f));
