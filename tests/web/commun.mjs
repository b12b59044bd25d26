// Ce que partagent les tests qui pilotent chromium : l'absence de chromium ou des modules npm
// fait sauter le test (statut 77), le lancement sans fenetre ni reseau, le compte des
// verifications.
import fs from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';

// Chromium sans bac a sable (conteneurs), sans GPU, sans trafic de fond : rien ne sort de la machine.
const OPTIONS_CHROMIUM = ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
                          '--disable-background-networking', '--disable-component-update', '--disable-sync'];

function sauter(raison) {
    console.log(`Test saute : ${raison}`);
    process.exit(77);
}

// Le require des modules npm de DossierNpm et playwright-core ; Autres : d'autres modules a
// charger (rendus dans l'ordre). Saute le test s'il manque chromium ou un module.
export function exigerNavigateur(cheminChromium, dossierNpm, autres = []) {
    if (!fs.existsSync(cheminChromium)) sauter(`${cheminChromium} absent (paquet Debian chromium)`);
    const requireNpm = createRequire(path.join(path.resolve(dossierNpm), 'package.json'));
    try {
        const { chromium } = requireNpm('playwright-core');
        return { chromium, requireNpm, modules: autres.map((m) => m(requireNpm)) };
    } catch {
        return sauter(`modules npm absents ; lancer "npm ci" dans ${dossierNpm}`);
    }
}

export function lancerChromium(chromium, cheminChromium) {
    return chromium.launch({ executablePath: cheminChromium, args: OPTIONS_CHROMIUM });
}

// verifier(condition, libelle) compte et dit chaque echec ; nbVerifs et echecs pour le bilan.
export function creerBilan() {
    const bilan = { nbVerifs: 0, echecs: [] };
    bilan.verifier = (condition, libelle) => {
        bilan.nbVerifs++;
        if (!condition) {
            bilan.echecs.push(libelle);
            console.log(`ECHEC : ${libelle}`);
        }
    };
    return bilan;
}
