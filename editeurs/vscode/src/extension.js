// Extension Tramelo pour VS Code : client du serveur de langage tramelo-lsp (diagnostics pendant
// la frappe, survol, plan du document) et commandes « Tramelo : voir le C++ », « Tramelo : exécuter »
// et « Tramelo : voir l'organigramme ».
const vscode = require('vscode');
const { LanguageClient } = require('vscode-languageclient/node');
const { trouverProgramme } = require('./serveur');
const { dessiner, pageOrganigramme } = require('./organigramme');

let client = null;   // cree par activate, arrete par deactivate

function reglages() {
  return vscode.workspace.getConfiguration('tramelo');
}

async function demarrerClient(context) {
  const r = reglages();
  const commande = trouverProgramme(r.get('cheminServeur'), 'tramelo-lsp', process.env);
  if (commande === null) {
    vscode.window.showErrorMessage(
      'Tramelo : tramelo-lsp est introuvable (ni dans le PATH, ni au chemin du réglage « tramelo.cheminServeur »).');
    return;
  }
  const serveur = { command: commande, args: [] };
  client = new LanguageClient('tramelo', 'Tramelo', { run: serveur, debug: serveur }, {
    documentSelector: [{ language: 'algo' }],
    initializationOptions: {
      tailleTabulation: r.get('tailleTabulation'),
      aidesDansMessage: r.get('aidesDansMessage'),
    },
  });
  context.subscriptions.push(client);
  try {
    await client.start();
  } catch (e) {
    vscode.window.showErrorMessage(`Tramelo : le serveur ${commande} n'a pas démarré (${e.message}).`);
  }
}

function documentAlgo() {
  const editeur = vscode.window.activeTextEditor;
  if (!editeur || editeur.document.languageId !== 'algo') {
    vscode.window.showWarningMessage('Tramelo : ouvrez d\'abord un fichier .algo.');
    return null;
  }
  return editeur.document;
}

// Le C++ du document tel qu'il est dans l'editeur (meme non enregistre), a cote de lui.
async function voirCpp() {
  const document = documentAlgo();
  if (!document) return;
  if (!client || !client.isRunning()) {
    vscode.window.showErrorMessage('Tramelo : le serveur de langage ne tourne pas.');
    return;
  }
  let r;
  try {
    r = await client.sendRequest('workspace/executeCommand',
      { command: 'tramelo.voirCpp', arguments: [document.uri.toString()] });
  } catch (e) {
    vscode.window.showErrorMessage(`Tramelo : pas de C++ (${e.message}).`);
    return;
  }
  if (r.statut !== 0) vscode.window.showWarningMessage(`Tramelo : ${r.message} (C++ partiel)`);
  const cpp = await vscode.workspace.openTextDocument({ language: 'cpp', content: r.cpp });
  await vscode.window.showTextDocument(cpp, { viewColumn: vscode.ViewColumn.Beside, preview: true });
}

// La tache « Exécuter » : tramelo-exec dans le terminal integre. Ses erreurs expliquees (format de
// GCC) sont lues par les analyseurs de tramelo-verifier ; la ligne « Source : » sert a $tramelo
// quand tramelo-exec n'a que le message brut de Tramelo. Le chemin passe en argument : aucun
// guillemet a echapper.
async function executer() {
  const document = documentAlgo();
  if (!document) return;
  if (document.isUntitled || !(await document.save())) {
    vscode.window.showWarningMessage('Tramelo : enregistrez le fichier avant de l\'exécuter.');
    return;
  }
  const exec = trouverProgramme(reglages().get('cheminExec'), 'tramelo-exec', process.env) || 'tramelo-exec';
  const execution = new vscode.ProcessExecution('/bin/sh',
    ['-c', 'printf \'Source : %s\\n\' "$2" && exec "$1" -- "$2"', 'tramelo', exec, document.uri.fsPath]);
  const dossier = vscode.workspace.getWorkspaceFolder(document.uri) || vscode.TaskScope.Workspace;
  const tache = new vscode.Task({ type: 'tramelo', fichier: document.uri.fsPath }, dossier, 'Exécuter',
    'tramelo', execution, ['$tramelo-verifier', '$tramelo-verifier-attention', '$tramelo']);
  tache.presentationOptions = { reveal: vscode.TaskRevealKind.Always, focus: true, clear: true };
  await vscode.tasks.executeTask(tache);
}

// L'organigramme du document (tel qu'il est dans l'editeur) dans un panneau a cote, redessine a
// chaque enregistrement du document.
const panneauxOrganigramme = new Map();   // uri du document -> panneau ouvert
async function voirOrganigramme() {
  const document = documentAlgo();
  if (!document) return;
  const programme = trouverProgramme(reglages().get('cheminOrganigramme'), 'tramelo-organigramme', process.env);
  if (programme === null) {
    vscode.window.showErrorMessage(
      'Tramelo : tramelo-organigramme est introuvable (ni dans le PATH, ni au chemin du réglage « tramelo.cheminOrganigramme »).');
    return;
  }
  const cle = document.uri.toString();
  const titre = `Organigramme : ${require('path').basename(document.fileName)}`;
  let panneau = panneauxOrganigramme.get(cle);
  if (panneau) panneau.reveal(vscode.ViewColumn.Beside, true);
  else {
    panneau = vscode.window.createWebviewPanel('tramelo.organigramme', titre,
      { viewColumn: vscode.ViewColumn.Beside, preserveFocus: true }, { enableScripts: false });
    panneauxOrganigramme.set(cle, panneau);
    const abonnement = vscode.workspace.onDidSaveTextDocument(async (d) => {
      if (d.uri.toString() === cle) panneau.webview.html = pageOrganigramme(titre, await dessinerDocument(programme, d));
    });
    panneau.onDidDispose(() => {
      abonnement.dispose();
      panneauxOrganigramme.delete(cle);
    });
  }
  const r = await dessinerDocument(programme, document);
  panneau.webview.html = pageOrganigramme(titre, r);
  if (r.statut !== 0) vscode.window.showWarningMessage(`Tramelo : pas d'organigramme (statut ${r.statut}).`);
}

function dessinerDocument(programme, document) {
  return dessiner(programme, document.isUntitled ? 'programme.algo' : document.fileName, document.getText(),
    reglages().get('tailleTabulation'));
}

async function activate(context) {
  context.subscriptions.push(vscode.commands.registerCommand('tramelo.afficherCpp', voirCpp));
  context.subscriptions.push(vscode.commands.registerCommand('tramelo.executer', executer));
  context.subscriptions.push(vscode.commands.registerCommand('tramelo.voirOrganigramme', voirOrganigramme));
  await demarrerClient(context);
}

async function deactivate() {
  if (client) await client.stop();
}

module.exports = { activate, deactivate };
