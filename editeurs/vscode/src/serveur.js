// Chemins des programmes lances par l'extension : le reglage s'il est rempli (~ developpe),
// sinon le nom, cherche dans le PATH. Sans dependance a VS Code, pour etre teste par node seul.
const fs = require('fs');
const path = require('path');
const os = require('os');

function executable(chemin) {
  try {
    fs.accessSync(chemin, fs.constants.X_OK);
    return fs.statSync(chemin).isFile();
  } catch {
    return false;
  }
}

// Le programme du reglage, ou le premier Nom executable du PATH ; null s'il n'y en a pas.
function trouverProgramme(reglage, nom, env) {
  const brut = typeof reglage === 'string' ? reglage.trim() : '';
  if (brut !== '') {
    const chemin = brut.startsWith('~/') ? path.join(os.homedir(), brut.slice(2)) : brut;
    if (!chemin.includes(path.sep)) return trouverProgramme('', chemin, env);
    return executable(chemin) ? path.resolve(chemin) : null;
  }
  for (const dossier of (env.PATH || '').split(path.delimiter)) {
    if (dossier !== '' && executable(path.join(dossier, nom))) return path.join(dossier, nom);
  }
  return null;
}

module.exports = { trouverProgramme };
