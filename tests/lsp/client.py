"""Client minimal du protocole pour les tests et le banc : lance tramelo-lsp, envoie des messages
encadres par Content-Length et lit ses messages dans un fil a part."""
import json
import queue
import subprocess
import threading
import time


def trame(corps):
    if isinstance(corps, (dict, list)):
        corps = json.dumps(corps)
    if isinstance(corps, str):
        corps = corps.encode()
    return b"Content-Length: %d\r\n\r\n" % len(corps) + corps


class Client:
    def __init__(self, serveur, args=()):
        self.proc = subprocess.Popen([serveur, *args], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                     stderr=subprocess.PIPE)
        self.messages = queue.Queue()
        self.notifications = []     # gardees pour les tests (publishDiagnostics, logMessage)
        self.prochain_id = 0
        threading.Thread(target=self._lire, daemon=True).start()

    def _lire(self):
        flux = self.proc.stdout
        while True:
            longueur = None
            while True:
                ligne = flux.readline()
                if not ligne:
                    self.messages.put(None)
                    return
                ligne = ligne.strip()
                if not ligne:
                    break
                nom, _, valeur = ligne.partition(b":")
                if nom.lower() == b"content-length":
                    longueur = int(valeur)
            corps = flux.read(longueur)
            self.messages.put((time.perf_counter(), json.loads(corps)))

    def brut(self, octets):
        self.proc.stdin.write(octets)
        self.proc.stdin.flush()

    def envoyer(self, message):
        message.setdefault("jsonrpc", "2.0")
        self.brut(trame(message))

    def notifier(self, methode, params=None):
        self.envoyer({"method": methode, "params": params or {}})

    def suivant(self, delai=10):
        """Prochain message du serveur (None s'il a ferme sa sortie)."""
        m = self.messages.get(timeout=delai)
        if m is None:
            return None
        self.notifications.append(m[1])
        self.dernier_instant = m[0]
        return m[1]

    def attendre(self, condition, delai=10):
        fin = time.monotonic() + delai
        while True:
            m = self.suivant(max(0.01, fin - time.monotonic()))
            if m is None:
                raise EOFError("le serveur a ferme sa sortie")
            if condition(m):
                return m

    def requete(self, methode, params=None, delai=10):
        self.prochain_id += 1
        ident = self.prochain_id
        message = {"id": ident, "method": methode}
        if params is not None:
            message["params"] = params
        self.envoyer(message)
        return self.attendre(lambda m: m.get("id") == ident and "method" not in m, delai)

    def diagnostics(self, uri, version=None, delai=10):
        return self.attendre(lambda m: m.get("method") == "textDocument/publishDiagnostics"
                             and m["params"]["uri"] == uri
                             and (version is None or m["params"].get("version") == version), delai)["params"]["diagnostics"]

    def initialiser(self, options=None, capacites=None):
        capacites = capacites or {"textDocument": {"hover": {"contentFormat": ["markdown", "plaintext"]},
                                                   "documentSymbol": {"hierarchicalDocumentSymbolSupport": True}}}
        params = {"processId": None, "rootUri": None, "capabilities": capacites}
        if options is not None:
            params["initializationOptions"] = options
        r = self.requete("initialize", params)
        self.notifier("initialized")
        return r

    def ouvrir(self, uri, texte, version=1):
        self.notifier("textDocument/didOpen", {"textDocument": {"uri": uri, "languageId": "algo",
                                                                "version": version, "text": texte}})

    def changer(self, uri, version, changements):
        self.notifier("textDocument/didChange", {"textDocument": {"uri": uri, "version": version},
                                                 "contentChanges": changements})

    def rss_ko(self):
        with open("/proc/%d/status" % self.proc.pid) as f:
            for ligne in f:
                if ligne.startswith("VmRSS:"):
                    return int(ligne.split()[1])
        return 0

    def terminer(self, delai=10):
        """shutdown puis exit ; rend le statut du processus."""
        self.requete("shutdown")
        self.notifier("exit")
        return self.fermer(delai)

    def fermer(self, delai=10):
        try:
            self.proc.stdin.close()
        except BrokenPipeError:
            pass
        try:
            return self.proc.wait(delai)
        finally:
            if self.proc.poll() is None:
                self.proc.kill()
