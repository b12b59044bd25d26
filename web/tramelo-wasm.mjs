#!/usr/bin/env node
// tramelo-wasm.mjs FICHIER [TABULATION] : Tramelo par sa version WebAssembly. Meme sortie
// standard, meme ligne d'erreur, meme statut que Tramelo, pour que tous les cas de reference
// passent aussi par le module. Les verifications et les textes viennent du module (donc du C++) ;
// seules la lecture du fichier et les ecritures sont faites ici, le module n'ayant ni fichiers
// ni sortie standard.
import fs from 'node:fs';
import { createRequire } from 'node:module';

const require = createRequire(import.meta.url);
const creerModuleTramelo = require('./tramelo-module.cjs');

// Un refus : sa ligne d'erreur et son statut, comme Tramelo.
class Refus extends Error {
    constructor({ statut, libelle }) {
        super('refus');
        this.statut = statut;
        this.libelle = libelle;
    }
}

// Ecrit tous les octets ; une sortie non bloquante pleine fait patienter, pas echouer.
function ecrireTout(fd, octets) {
    const pause = new Int32Array(new SharedArrayBuffer(4));
    for (let fait = 0; fait < octets.length; ) {
        try {
            fait += fs.writeSync(fd, octets, fait, octets.length - fait);
        } catch (e) {
            if (e.code !== 'EAGAIN') throw e;
            Atomics.wait(pause, 0, 0, 1);
        }
    }
}

// Le contenu du fichier, lu comme Tramelo le lit : un dossier ou un fichier illisible donne 252,
// un source de plus de tailleMaxSource octets 254, sans lire au-dela (un flux sans fin s'arrete).
function lireSource(M, nom) {
    const max = M.tailleMaxSource();
    let dossier = false;
    try {
        dossier = fs.statSync(nom).isDirectory();
    } catch {
        // absent : l'ouverture echouera
    }
    let fd;
    try {
        if (dossier) throw new Error('dossier');
        fd = fs.openSync(nom, 'r');
    } catch {
        throw new Refus(M.refusOuverture(nom));
    }
    try {
        const st = fs.fstatSync(fd);
        if (st.isFile() && st.size > max) throw new Refus(M.refusSourceTropGrand());
        const morceaux = [];
        let total = 0;
        for (;;) {
            const morceau = Buffer.allocUnsafe(1 << 20);
            let lus;
            try {
                lus = fs.readSync(fd, morceau, 0, morceau.length, null);
            } catch (e) {
                if (e.code === 'EAGAIN') continue;
                throw new Refus(M.refusOuverture(nom));
            }
            if (lus === 0) break;
            total += lus;
            if (total > max) throw new Refus(M.refusSourceTropGrand());
            morceaux.push(morceau.subarray(0, lus));
        }
        return Buffer.concat(morceaux, total);
    } finally {
        fs.closeSync(fd);
    }
}

function traduire(M) {
    const args = process.argv.slice(2);
    const ligne = M.lireArguments(args);
    if (ligne.statut !== 0) throw new Refus(ligne);
    const source = lireSource(M, args[0]);
    const R = M.traduire(source, { tailleTab: ligne.tailleTab });
    if (R.erreur) {
        // Ce qui a ete produit avant l'erreur reste sur la sortie standard, comme pour Tramelo.
        try {
            ecrireTout(1, R.cpp);
        } catch {
            // l'erreur de traduction l'emporte
        }
        throw new Refus({ statut: R.statut, libelle: R.erreur.libelle });
    }
    try {
        ecrireTout(1, R.cpp);
    } catch {
        // Une sortie perdue (disque plein...) ne doit pas passer pour une traduction reussie.
        throw new Refus(M.refusSortieImpossible());
    }
}

const M = await creerModuleTramelo();
try {
    traduire(M);
    process.exitCode = 0;
} catch (exception) {
    // Toute autre exception (pile epuisee...) finit comme une erreur inconnue de Tramelo.
    const e = exception instanceof Refus ? exception : new Refus(M.refusInconnu());
    try {
        ecrireTout(2, Buffer.concat([e.libelle, Buffer.from('\n')]));
    } catch {
        // plus rien a signaler
    }
    process.exitCode = e.statut;
}
