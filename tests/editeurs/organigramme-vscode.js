// La commande « Tramelo : voir l'organigramme » de l'extension VS Code, sans VS Code : le texte de
// l'editeur (non enregistre, nom piege) dessine par le vrai tramelo-organigramme, la page du
// panneau (SVG en ligne, aucun script permis), le diagnostic d'un source faux, un programme absent.
//   node organigramme-vscode.js DOSSIER_EXTENSION TRAMELO_ORGANIGRAMME
const assert = require('assert');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { dessiner, pageOrganigramme } = require(path.resolve(process.argv[2], 'src', 'organigramme.js'));
const programme = process.argv[3];

(async () => {
  const avant = fs.readdirSync(os.tmpdir()).filter((f) => f.startsWith('tramelo-organigramme-')).length;
  const texte = 'algorithme A\ndebut\n    declarer n : entier;\n    saisir (n);\n    afficher ("<b>", n);\nfin\n';
  const r = await dessiner(programme, '/ailleurs/a $(touch x) "b".algo', texte, 4);
  assert.strictEqual(r.statut, 0, r.messages);
  assert.ok(r.svg.startsWith('<?xml') && r.svg.includes('data-unite="A"'));
  const page = pageOrganigramme('Organigramme : a.algo', r);
  assert.ok(page.includes("default-src 'none'") && !/<script/i.test(page) && !page.includes('<?xml'));
  assert.ok(page.includes('<svg') && page.includes('Afficher &quot;&lt;b&gt;&quot;, n'));

  const faux = await dessiner(programme, 'faux.algo', 'algorithme F\ndebut\n    n <- 1;\nfin\n', 4);
  assert.ok(faux.statut >= 102 && faux.statut <= 150 && faux.svg === '', faux);
  assert.ok(faux.messages.startsWith('faux.algo:3:') && !faux.messages.includes('\x1b['), faux.messages);
  const pageFaux = pageOrganigramme('x', { ...faux, messages: '<img src=x>' });
  assert.ok(pageFaux.includes('&lt;img src=x&gt;') && !pageFaux.includes('<img'));

  const absent = await dessiner('/nulle/part/tramelo-organigramme', 'a.algo', texte, 4);
  assert.strictEqual(absent.statut, -1);
  assert.ok(absent.messages.includes('ENOENT'), absent.messages);
  const apres = fs.readdirSync(os.tmpdir()).filter((f) => f.startsWith('tramelo-organigramme-')).length;
  assert.ok(apres <= avant, 'dossier temporaire laisse');
  console.log('organigramme-vscode : 11 passed, 0 failed');
})().catch((e) => {
  console.log(`ECHEC : ${e.message}`);
  console.log('organigramme-vscode : 0 passed, 1 failed');
  process.exit(1);
});
