"""L'extension VS Code empaquetee : empaqueter.sh (esbuild + vsce) produit un .vsix dont on verifie
le manifeste (activation, langage, grammaire, commandes, reglages), les fichiers (bundle present,
ni sources ni node_modules), que le bundle ne demande que vscode et des modules de node, et qu'il
s'active sous un vscode simule : trois commandes enregistrees, serveur introuvable signale.
    vsix.py DOSSIER_EXTENSION"""
import json
import os
import re
import subprocess
import sys
import tempfile
import zipfile

extension = sys.argv[1]
if not os.path.isdir(os.path.join(extension, "node_modules")):
    print("Test saute : lancer « npm ci » dans", extension)
    sys.exit(77)
reussis = rates = 0


def verifier(condition, texte):
    global reussis, rates
    if condition:
        reussis += 1
    else:
        rates += 1
        print("ECHEC :", texte)


with tempfile.TemporaryDirectory() as tmp:
    vsix = os.path.join(tmp, "tramelo.vsix")
    subprocess.run(["sh", os.path.join(extension, "empaqueter.sh"), vsix], check=True)
    z = zipfile.ZipFile(vsix)
    noms = set(z.namelist())
    m = json.loads(z.read("extension/package.json"))
    source = json.load(open(os.path.join(extension, "package.json")))
    verifier(m == source, "package.json du .vsix different des sources")
    verifier(m["main"] == "./dist/extension.js" and "extension/dist/extension.js" in noms, "bundle principal absent")
    verifier("onLanguage:algo" in m["activationEvents"], "activation %s" % m["activationEvents"])
    c = m["contributes"]
    verifier(c["languages"][0]["id"] == "algo" and ".algo" in c["languages"][0]["extensions"], "langage")
    verifier("extension/" + c["languages"][0]["configuration"][2:] in noms, "configuration du langage absente")
    verifier(all("extension/" + g["path"][2:] in noms for g in c["grammars"]), "grammaire absente")
    commandes = {x["command"]: x["title"] for x in c["commands"]}
    verifier(commandes == {"tramelo.afficherCpp": "Tramelo : voir le C++", "tramelo.executer": "Tramelo : exécuter",
                           "tramelo.voirOrganigramme": "Tramelo : voir l'organigramme"},
             "commandes %s" % commandes)
    verifier({"tramelo.cheminServeur", "tramelo.cheminExec"} <= set(c["configuration"]["properties"]), "reglages")
    verifier({"tramelo", "tramelo-verifier", "tramelo-verifier-attention"} <= {p["name"] for p in c["problemMatchers"]},
             "analyseurs de problemes")
    verifier(not [n for n in noms if "node_modules" in n or n.startswith("extension/src/") or n.endswith(".vsix")],
             "fichiers de developpement dans le .vsix")
    manifeste = z.read("extension.vsixmanifest").decode()
    verifier('Id="tramelo-algo"' in manifeste and 'Publisher="tramelo"' in manifeste, "extension.vsixmanifest")

    bundle = z.read("extension/dist/extension.js").decode()
    modules = set(re.findall(r'require\("([^"]+)"\)', bundle))
    natifs = set(json.loads(subprocess.check_output(["node", "-p", "JSON.stringify(require('module').builtinModules)"])))
    inconnus = {x for x in modules - {"vscode"} if x.replace("node:", "") not in natifs}
    verifier("vscode" in modules and not inconnus, "modules demandes par le bundle : %s" % inconnus)

    # Activation sous un vscode simule : le serveur au chemin du reglage n'existe pas.
    z.extractall(tmp)
    simulation = r"""
const Module = require('module');
const commandes = [], erreurs = [];
const bouchon = new Proxy(function () {}, { get: (c, p) => p === 'prototype' ? {} : bouchon,
                                            construct: () => bouchon, apply: () => bouchon });
const vscode = new Proxy({
  commands: { registerCommand: (id) => { commandes.push(id); return { dispose () {} }; } },
  window: { showErrorMessage: (m) => erreurs.push(m) },
  workspace: { getConfiguration: () => ({ get: (k) => k === 'cheminServeur' ? '/nulle/part/tramelo-lsp' : undefined }) },
}, { get: (o, p) => p in o ? o[p] : bouchon });
const charger = Module._load;
Module._load = function (nom, ...reste) { return nom === 'vscode' ? vscode : charger.call(this, nom, ...reste); };
const e = require(process.argv[1]);
e.activate({ subscriptions: [] }).then(() => console.log(JSON.stringify({ commandes, erreurs })));
"""
    r = subprocess.run(["node", "-e", simulation, os.path.join(tmp, "extension/dist/extension.js")],
                       capture_output=True, text=True)
    etat = json.loads(r.stdout or "{}")
    verifier(sorted(etat.get("commandes", [])) == ["tramelo.afficherCpp", "tramelo.executer", "tramelo.voirOrganigramme"],
             "activation : %s %s" % (etat, r.stderr))
    verifier(any("tramelo-lsp est introuvable" in x for x in etat.get("erreurs", [])), "serveur introuvable non signale : %s" % etat)

print("vsix : %d passed, %d failed" % (reussis, rates))
sys.exit(1 if rates else 0)
