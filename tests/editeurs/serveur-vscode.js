// Recherche des programmes par l'extension VS Code : reglage (absolu, ~, simple nom), puis PATH ;
// un fichier non executable ou un dossier ne compte pas.
//   node serveur-vscode.js DOSSIER_EXTENSION
const assert = require('assert');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { trouverProgramme } = require(path.resolve(process.argv[2], 'src', 'serveur.js'));

const tmp = fs.mkdtempSync(path.join(os.tmpdir(), 'tramelo-'));
try {
  const a = path.join(tmp, 'a'), b = path.join(tmp, 'b');
  fs.mkdirSync(a);
  fs.mkdirSync(b);
  fs.mkdirSync(path.join(a, 'tramelo-lsp'));                          // un dossier : ignore
  fs.writeFileSync(path.join(b, 'tramelo-lsp'), '#!/bin/sh\n', { mode: 0o755 });
  fs.writeFileSync(path.join(a, 'non-executable'), '', { mode: 0o644 });
  const env = { PATH: ['', a, b].join(path.delimiter) };

  assert.strictEqual(trouverProgramme('', 'tramelo-lsp', env), path.join(b, 'tramelo-lsp'));
  assert.strictEqual(trouverProgramme(undefined, 'tramelo-lsp', env), path.join(b, 'tramelo-lsp'));
  assert.strictEqual(trouverProgramme('  ', 'tramelo-lsp', { PATH: a }), null);
  assert.strictEqual(trouverProgramme(path.join(b, 'tramelo-lsp'), 'x', {}), path.join(b, 'tramelo-lsp'));
  assert.strictEqual(trouverProgramme(path.join(a, 'non-executable'), 'x', env), null);
  assert.strictEqual(trouverProgramme('tramelo-lsp', 'autre', env), path.join(b, 'tramelo-lsp'));
  assert.strictEqual(trouverProgramme('~/nulle/part/tramelo-lsp', 'x', env), null);
  console.log('serveur-vscode : 7 passed, 0 failed');
} finally {
  fs.rmSync(tmp, { recursive: true, force: true });
}
