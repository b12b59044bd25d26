// L'organigramme d'un source par tramelo-organigramme, et la page du panneau qui le montre. Sans
// dependance a VS Code, pour etre teste par node seul. Le texte de l'editeur (meme non
// enregistre) est ecrit dans un dossier temporaire prive, sous le nom du fichier, puis dessine ;
// le programme est lance sans shell.
const { execFile } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');

// { statut, svg, messages } : svg vide si statut n'est pas 0 ; messages, ce que l'outil a ecrit
// sur sa sortie d'erreur (diagnostic explique, refus, avertissements).
function dessiner(programme, nomFichier, texte, tailleTab) {
  return new Promise((resoudre) => {
    const dossier = fs.mkdtempSync(path.join(os.tmpdir(), 'tramelo-organigramme-'));
    const nom = path.basename(nomFichier || 'programme.algo') || 'programme.algo';
    const chemin = path.join(dossier, nom);
    fs.writeFileSync(chemin, texte, { mode: 0o600 });
    const args = ['--tabulation', String(tailleTab || 4), '--', nom];
    // Le dossier de travail change : un chemin relatif du programme est pris d'ici.
    const commande = programme.includes(path.sep) ? path.resolve(programme) : programme;
    execFile(commande, args, { cwd: dossier, maxBuffer: 256 * 1024 * 1024, encoding: 'buffer', env: { ...process.env, NO_COLOR: '1' } },
      (erreur, sortie, messages) => {
        fs.rmSync(dossier, { recursive: true, force: true });
        let statut = 0;
        if (erreur) statut = typeof erreur.code === 'number' ? erreur.code : -1;
        resoudre({
          statut,
          svg: statut === 0 ? sortie.toString('utf8') : '',
          messages: (messages || Buffer.alloc(0)).toString('utf8') || (statut === -1 ? String(erreur.message) : ''),
        });
      });
  });
}

function echapper(t) {
  return t.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;').replace(/"/g, '&quot;');
}

// La page du panneau : le SVG en ligne (ses <title> donnent le texte entier des formes au
// survol), ou le diagnostic. Aucun script : la politique de securite n'en permet aucun.
function pageOrganigramme(titre, r) {
  const politique = "default-src 'none'; style-src 'unsafe-inline'; img-src data:";
  const corps = r.statut === 0
    ? `<div class="dessin">${r.svg.replace(/^<\?xml[^>]*\?>\s*/, '')}</div>`
    : `<p class="refus">Pas d'organigramme (statut ${r.statut}) :</p><pre>${echapper(r.messages)}</pre>`;
  return `<!doctype html>
<html lang="fr"><head><meta charset="utf-8">
<meta http-equiv="Content-Security-Policy" content="${politique}">
<title>${echapper(titre)}</title>
<style>body{margin:0;padding:8px;background:#fff;color:#111}.dessin{overflow:auto}
pre{white-space:pre-wrap}.refus{color:#b00020}</style>
</head><body>${corps}</body></html>`;
}

module.exports = { dessiner, pageOrganigramme };
