"""Le vrai tramelo-lsp par ses tubes : cycle de vie et statut de sortie, flux abime (JSON invalide
ou imbrique sans fin, Content-Length faux, octets binaires, champs absents, lot de changements
invalide) apres lequel il doit encore repondre, sources extremes (10^5 parentheses, \r seuls),
documents et messages au-dela des bornes (memoire bornee), memoire et delai sur 10 000
modifications.
    protocole.py SERVEUR cycle|flux|extremes|enorme|memoire"""
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from client import Client, trame  # noqa: E402

SERVEUR = sys.argv[1]
reussis = rates = 0


def verifier(condition, texte):
    global reussis, rates
    if condition:
        reussis += 1
    else:
        rates += 1
        print("ECHEC :", texte)


URI = "file:///tmp/essai.algo"
FAUTIF = 'algorithme A\ndebut\n    declarer n : entier;\n    n <- "a";\nfin\n'


def vivant(c, texte):
    """Le serveur repond encore : un survol du document ouvert."""
    r = c.requete("textDocument/hover", {"textDocument": {"uri": URI}, "position": {"line": 3, "character": 4}})
    verifier("result" in r and "n : variable" in r["result"]["contents"]["value"], "plus de reponse apres " + texte)


def cycle():
    c = Client(SERVEUR)
    r = c.requete("textDocument/hover", {})
    verifier(r.get("error", {}).get("code") == -32002, "requete avant initialize : %s" % r)
    r = c.initialiser()
    cap = r["result"]["capabilities"]
    verifier(cap["textDocumentSync"] == {"openClose": True, "change": 2}, "synchronisation %s" % cap)
    verifier(cap["hoverProvider"] and cap["documentSymbolProvider"], "capacites %s" % cap)
    verifier(cap["executeCommandProvider"]["commands"] == ["tramelo.voirCpp"], "commandes %s" % cap)
    verifier(c.requete("initialize", {})["error"]["code"] == -32600, "second initialize")
    c.notifier("$/cancelRequest", {"id": 1})
    c.notifier("notification/inconnue", {"x": 1})
    c.envoyer({"method": "$/setTrace", "params": {"value": "off"}})
    verifier(c.requete("methode/inconnue", {})["error"]["code"] == -32601, "methode inconnue")
    verifier(c.requete("$/inconnue")["error"]["code"] == -32601, "requete $/ inconnue")
    c.ouvrir(URI, FAUTIF)
    d = c.diagnostics(URI)
    verifier(len(d) == 1 and d[0]["code"] == 135 and d[0]["source"] == "tramelo"
             and d[0]["message"] == "Expression numerique invalide" and d[0]["severity"] == 1
             and d[0]["range"]["start"] == {"line": 3, "character": 9}, "diagnostic %s" % d)
    r = c.requete("workspace/executeCommand", {"command": "tramelo.voirCpp", "arguments": [URI]})["result"]
    verifier(r["statut"] == 135 and r["message"] == "Ligne    4 - Expression numerique invalide", "voirCpp %s" % r)
    c.changer(URI, 2, [{"text": FAUTIF.replace('"a"', "1")}])
    verifier(c.diagnostics(URI, 2) == [], "diagnostics non effaces")
    r = c.requete("tramelo/voirCpp", {"textDocument": {"uri": URI}})["result"]
    verifier(r["statut"] == 0 and "n = 1;" in r["cpp"] and r["message"] is None, "voirCpp %s" % r)
    verifier(c.requete("shutdown")["result"] is None, "shutdown")
    verifier(c.requete("textDocument/hover", {})["error"]["code"] == -32600, "requete apres shutdown")
    c.notifier("exit")
    verifier(c.fermer() == 0, "statut apres shutdown et exit")
    # exit sans shutdown, fin de l'entree sans exit : statut 1.
    c = Client(SERVEUR)
    c.initialiser()
    c.notifier("exit")
    verifier(c.fermer() == 1, "exit sans shutdown")
    c = Client(SERVEUR)
    c.initialiser()
    verifier(c.fermer() == 1, "fin de l'entree sans exit")
    c = Client(SERVEUR, ["--inconnue"])
    verifier(c.fermer() == 253, "option inconnue")


def flux():
    c = Client(SERVEUR)
    c.initialiser()
    c.ouvrir(URI, FAUTIF)
    c.diagnostics(URI)
    erreurs = lambda code: (lambda m: m.get("error", {}).get("code") == code)  # noqa: E731
    journal = lambda m: m.get("method") == "window/logMessage"  # noqa: E731

    c.brut(trame(b'{"jsonrpc":"2.0","id":50,"method":'))
    verifier(c.attendre(erreurs(-32700))["id"] is None, "JSON invalide")
    vivant(c, "JSON invalide")
    c.brut(trame(b"\xff\xfe\x00binaire\x00"))
    c.attendre(erreurs(-32700))
    c.brut(trame(b"[[[[" * 25000 + b"]]]]" * 25000))
    c.attendre(erreurs(-32600))
    # Un identifiant de 140 000 tableaux imbriques (280 Ko) : le serveur le recopiait avant d'en
    # verifier le type, et mourait d'un debordement de pile.
    c.brut(trame(b'{"jsonrpc":"2.0","id":' + b"[" * 140000 + b"]" * 140000 + b',"method":"shutdown"}'))
    verifier(c.attendre(erreurs(-32600))["id"] is None, "identifiant imbrique")
    vivant(c, "identifiant imbrique")
    c.brut(trame(b'"texte"') + trame(b"null") + trame(b'{"id":{"a":1},"method":"x"}'))
    for _ in range(3):
        c.attendre(erreurs(-32600))
    vivant(c, "messages qui ne sont pas des requetes")
    # Champs absents ou de mauvais type.
    for params in ({}, {"textDocument": {}}, {"textDocument": {"uri": URI}, "position": {"line": -1, "character": 0}},
                   {"textDocument": {"uri": URI}, "position": "x"}):
        r = c.requete("textDocument/hover", params)
        verifier(r.get("error", {}).get("code") == -32602, "parametres %s : %s" % (params, r))
    c.envoyer({"id": 60, "method": "textDocument/hover"})
    c.attendre(erreurs(-32602))
    c.notifier("textDocument/didChange", {"textDocument": {"uri": URI}, "contentChanges": [{"range": {}}]})
    c.attendre(journal)
    c.notifier("textDocument/didOpen", {"textDocument": {"uri": 3}})
    c.attendre(journal)
    vivant(c, "champs absents")
    # Octets parasites, en-tete sans longueur, longueur enorme, longueur trop courte.
    c.brut(os.urandom(3000).replace(b"\r\n\r\n", b"") + b"\r\n\r\n")
    c.attendre(journal)
    vivant(c, "octets binaires")
    c.brut(b"Content-Length: 99999999999999\r\n\r\n")
    c.attendre(journal)
    vivant(c, "longueur enorme")
    corps = b'{"jsonrpc":"2.0","id":70,"method":"shutdown"}'
    c.brut(b"Content-Length: 10\r\n\r\n" + corps)
    c.attendre(erreurs(-32700))
    vivant(c, "longueur trop courte")
    # Longueur trop grande : le message suivant est avale, le serveur se resynchronise ensuite.
    c.brut(b"Content-Length: 200\r\n\r\n" + corps + trame({"jsonrpc": "2.0", "method": "initialized"}) + b" " * 200)
    c.attendre(lambda m: "error" in m or journal(m))
    vivant(c, "longueur trop grande")
    # Un lot dont le second changement est invalide : rien n'est applique, et c'est dit.
    c.changer(URI, 4, [{"range": {"start": {"line": 3, "character": 9}, "end": {"line": 3, "character": 12}}, "text": "1"},
                       {"range": {"start": {"line": 0}, "end": {"line": 0, "character": 0}}, "text": ""}])
    c.attendre(lambda m: m.get("method") in ("window/showMessage", "window/logMessage"))
    r = c.requete("tramelo/voirCpp", {"textDocument": {"uri": URI}})["result"]
    verifier(r["statut"] == 135, "lot invalide applique a moitie : %s" % r["message"])
    vivant(c, "lot invalide")
    # Changement hors des bornes du document : ramene a la fin.
    c.changer(URI, 5, [{"range": {"start": {"line": 99, "character": 0}, "end": {"line": 120, "character": 7}},
                        "text": "// fin\n"}])
    verifier(len(c.diagnostics(URI, 5)) == 1, "changement hors bornes")
    verifier(c.terminer() == 0, "statut final apres flux abime")


def extremes():
    c = Client(SERVEUR)
    c.initialiser()
    profond = "algorithme A\ndebut\n    declarer n : entier;\n    n <- %s1%s;\nfin\n" % ("(" * 100000, ")" * 100000)
    c.ouvrir(URI, profond)
    d = c.diagnostics(URI)
    verifier(len(d) == 1 and d[0]["code"] == 147 and d[0]["range"]["start"]["line"] == 3, "10^5 parentheses : %s" % d)
    r = c.requete("textDocument/documentSymbol", {"textDocument": {"uri": URI}})
    verifier(r["result"][0]["name"] == "A", "symboles apres 147")
    # Un document vide, puis un seul caractere invalide.
    c.changer(URI, 2, [{"text": ""}])
    verifier(len(c.diagnostics(URI, 2)) == 1, "document vide")
    c.changer(URI, 3, [{"text": "\u00e9\U0001F600"}])
    d = c.diagnostics(URI, 3)
    verifier(len(d) == 1 and d[0]["range"]["start"] == {"line": 0, "character": 0}, "caracteres non ASCII : %s" % d)
    # Des \r seuls : une seule ligne, comme pour Tramelo ("Ligne 1") et tramelo-verifier (1:54).
    c.changer(URI, 4, [{"text": FAUTIF.replace("\n", "\r")}])
    d = c.diagnostics(URI, 4)
    verifier(len(d) == 1 and d[0]["range"]["start"] == {"line": 0, "character": 53}, "\\r seuls : %s" % d)
    verifier(c.terminer() == 0, "statut final")


def enorme():
    """Documents et messages au-dela des bornes : refuses, memoire bornee, le serveur continue."""
    c = Client(SERVEUR)
    c.initialiser()
    c.ouvrir(URI, FAUTIF)
    c.diagnostics(URI)
    annonce = lambda m: m.get("method") == "window/showMessage"  # noqa: E731
    ligne = "    // " + "x" * 56 + "\n"
    # Un message de 300 Mo : ignore sans etre garde (le serveur en tenait plus d'un Go) ; le
    # document qu'il changeait ne suit plus l'editeur, et c'est dit.
    texte = "algorithme A\ndebut\n" + ligne * ((300 << 20) // len(ligne)) + "fin\n"
    avant = c.rss_ko()
    c.changer(URI, 2, [{"text": texte}])
    del texte
    verifier("octets ignoré" in c.attendre(annonce, delai=120)["params"]["message"], "annonce du message de 300 Mo")
    d = c.diagnostics(URI)
    verifier(len(d) == 1 and "le fermer puis le rouvrir" in d[0]["message"], "document d'un message perdu : %s" % d)
    rss = c.rss_ko()
    print("memoire residente : %d Mo avant, %d Mo apres un message de 300 Mo" % (avant // 1024, rss // 1024))
    verifier(rss < avant + 100 * 1024, "memoire apres un message de 300 Mo : %d Mo" % (rss // 1024))
    # Un texte complet permis le rend.
    c.changer(URI, 3, [{"text": FAUTIF}])
    verifier(len(c.diagnostics(URI, 3, delai=60)) == 1, "retour a un petit document")
    vivant(c, "message de 300 Mo")
    # Un document de 17 Mo (au plus 16) : refuse, un diagnostic et un message le disent.
    texte = "algorithme A\ndebut\n" + ligne * ((17 << 20) // len(ligne)) + "fin\n"
    c.changer(URI, 4, [{"text": texte}])
    del texte
    verifier("trop volumineux" in c.attendre(annonce, delai=60)["params"]["message"], "annonce du document de 17 Mo")
    d = c.diagnostics(URI, 4, delai=60)
    verifier(len(d) == 1 and "document trop volumineux" in d[0]["message"] and d[0]["severity"] == 1,
             "document de 17 Mo : %s" % d)
    c.changer(URI, 5, [{"text": FAUTIF}])
    verifier(len(c.diagnostics(URI, 5, delai=60)) == 1, "retour a un petit document")
    vivant(c, "document de 17 Mo")
    print("memoire residente a la fin : %d Mo" % (c.rss_ko() // 1024))
    verifier(c.terminer(60) == 0, "statut final")


def memoire():
    """10 000 modifications d'une lettre : memoire stable ; delai sur un source de 10 000 lignes."""
    c = Client(SERVEUR)
    c.initialiser()
    corps = "".join("    si (n > %d) n <- n - 1; fsi\n" % i for i in range(96))
    texte = "algorithme A\ndebut\n    declarer n : entier;\n    n <- 1;\n" + corps + "fin\n"
    c.ouvrir(URI, texte)
    c.diagnostics(URI)
    point = {"line": 3, "character": 9}
    rss = []
    for version in range(2, 10002):
        # Alternativement fautif et correct : n <- 1; / n <- x;
        c.changer(URI, version, [{"range": {"start": point, "end": {"line": 3, "character": 10}},
                                  "text": "x" if version % 2 else "1"}])
        d = c.diagnostics(URI, version)
        verifier(len(d) == version % 2, "version %d : %d diagnostics" % (version, len(d))) if version % 1000 == 0 else None
        if version in (1001, 10001):
            rss.append(c.rss_ko())
    croissance = (rss[1] - rss[0]) / rss[0]
    print("memoire residente : %d Ko apres 1 000 modifications, %d Ko apres 10 000 (%+.1f %%)"
          % (rss[0], rss[1], 100 * croissance))
    verifier(croissance < 0.10, "memoire en hausse de %.1f %%" % (100 * croissance))

    lignes = ["algorithme A", "debut", "    declarer n : entier;", "    n <- 1;"]
    lignes += ["    si (n > %d) n <- n - 1; fsi" % i for i in range(9995)] + ["fin"]
    c.ouvrir("file:///tmp/grand.algo", "\n".join(lignes) + "\n")
    c.diagnostics("file:///tmp/grand.algo")
    delais = []
    for version in range(2, 42):
        debut = time.perf_counter()
        c.changer("file:///tmp/grand.algo", version, [{"range": {"start": {"line": 5000, "character": 12},
                                                                   "end": {"line": 5000, "character": 13}},
                                                         "text": "n" if version % 2 else "5"}])
        c.diagnostics("file:///tmp/grand.algo", version)
        delais.append((c.dernier_instant - debut) * 1000)
    delais.sort()
    print("10 000 lignes : delai median %.1f ms, maximum %.1f ms" % (delais[len(delais) // 2], delais[-1]))
    verifier(delais[len(delais) // 2] < 50, "delai median de %.1f ms" % delais[len(delais) // 2])
    verifier(c.terminer() == 0, "statut final")


{"cycle": cycle, "flux": flux, "extremes": extremes, "enorme": enorme, "memoire": memoire}[sys.argv[2]]()
print("%s : %d passed, %d failed" % (sys.argv[2], reussis, rates))
sys.exit(1 if rates or not reussis else 0)
