#!/bin/sh
# Exercices avec tests : tramelo-exec --tester (compte rendu de l'etudiant, statuts) et
# tramelo-noter (notes.csv, rapport.json, rapport.html, copies hostiles, processus lances par une
# copie tues a la fin, 200 copies en parallele chacune dans ses dossiers, arret par un signal).
#   exercices.sh <tramelo-exec> <tramelo-noter> <cas>
set -u
exec_outil=$1
noter=$2
cas=$3
ici=$(cd "$(dirname "$0")" && pwd)
racine=$(cd "$ici/../.." && pwd)
exercice=$racine/exemples/exercices/somme
copies=$ici/copies

bac=$(mktemp -d)
trap 'rm -rf "$bac"' EXIT
TMPDIR=$bac/tmp
export TMPDIR
mkdir "$TMPDIR"
unset CXX
echec=0
ko () { echo "ECHEC : $*"; echec=1; }
contient () { # fichier, texte, libelle
    grep -qF -- "$2" "$1" || { ko "$3 : « $2 » absent"; cat "$1"; }
}
tmp_vide () {
    reste=$(ls -A "$TMPDIR")
    [ -z "$reste" ] || ko "dossier temporaire non vide apres $1 : $reste"
}

case $cas in
tester)
    "$exec_outil" --tester "$exercice" "$copies/correcte.algo" >"$bac/out" 2>"$bac/err"
    [ $? = 0 ] || ko "copie correcte : statut non nul"
    cat >"$bac/attendu" <<'FIN'
Exercice : Somme d'une liste d'entiers (2 tests visibles)
Test exemple : réussi
Test vide : réussi
Bilan : 2 sur 2 tests visibles réussis
FIN
    cmp -s "$bac/attendu" "$bac/out" || { ko "compte rendu de la copie correcte"; diff "$bac/attendu" "$bac/out"; }

    # Difference : les deux lignes, le ^ sous le premier caractere different.
    "$exec_outil" --tester "$exercice" "$copies/fausse.algo" >"$bac/out" 2>"$bac/err"
    [ $? = 1 ] || ko "copie fausse : statut $? au lieu de 1"
    cat >"$bac/attendu" <<'FIN'
Test exemple : échoué (comparaison blancs)
  ligne 1 :
    attendu : somme : 12
    obtenu  : somme : 9
                      ^
Test vide : réussi
Bilan : 1 sur 2 tests visibles réussis
FIN
    tail -n +2 "$bac/out" | cmp -s "$bac/attendu" - || { ko "compte rendu de la copie fausse"; cat "$bac/out"; }

    # Erreur d'execution avec sa ligne du source ; memoire de l'exercice (64 Mio).
    "$exec_outil" --tester "$exercice" "$copies/gourmande.algo" >"$bac/out" 2>"$bac/err"
    [ $? = 1 ] || ko "copie gourmande : statut"
    contient "$bac/out" "Test exemple : erreur d'exécution (statut 1)" "copie gourmande"
    contient "$bac/out" "gourmande.algo:9:" "copie gourmande"
    contient "$bac/out" "Mémoire insuffisante" "copie gourmande"

    # Ecriture sans fin : arretee a la limite de l'exercice.
    "$exec_outil" --tester "$exercice" "$copies/bavarde.algo" >"$bac/out" 2>"$bac/err"
    [ $? = 1 ] || ko "copie bavarde : statut"
    contient "$bac/out" "Test vide : sortie trop longue (limite : 64 Kio)" "copie bavarde"

    # Source qui ne se traduit pas : le diagnostic explique et le statut de Tramelo.
    "$exec_outil" --tester "$exercice" "$copies/intraduisible.algo" >"$bac/out" 2>"$bac/err"
    [ $? = 127 ] || ko "copie intraduisible : statut"
    contient "$bac/err" "intraduisible.algo:7:5: erreur :" "copie intraduisible"
    [ ! -s "$bac/out" ] || ko "copie intraduisible : compte rendu inattendu"

    # Aucun test visible : le compte rendu le dit, au lieu d'un bilan vide.
    mkdir "$bac/cache"
    printf '# Cache\n' >"$bac/cache/enonce.md"
    printf 'test a\nvisible non\nentree <<FIN\n1\nFIN\nsortie <<FIN\nx\nFIN\n' >"$bac/cache/exercice.txt"
    "$exec_outil" --tester "$bac/cache" "$copies/correcte.algo" >"$bac/out" 2>"$bac/err"
    [ $? = 0 ] || ko "aucun test visible : statut"
    contient "$bac/out" "Aucun test visible : rien n'a été vérifié" "aucun test visible"

    # Exercice refuse : le fichier et la ligne, statut 166, rien n'est compile.
    mkdir "$bac/ex"
    printf '# Titre\n' >"$bac/ex/enonce.md"
    printf 'temps 2\ntest a\nvisible peut-etre\n' >"$bac/ex/exercice.txt"
    "$exec_outil" --tester "$bac/ex" "$copies/correcte.algo" >"$bac/out" 2>"$bac/err"
    [ $? = 166 ] || ko "exercice refuse : statut"
    contient "$bac/err" "ex/exercice.txt:3: visible attend oui ou non" "exercice refuse"
    "$exec_outil" --tester "$bac/absent" "$copies/correcte.algo" >"$bac/out" 2>"$bac/err"
    [ $? = 166 ] || ko "exercice absent : statut"
    "$exec_outil" --tester "$exercice" --memoire 10 "$copies/correcte.algo" >"$bac/out" 2>"$bac/err"
    [ $? = 253 ] || ko "--memoire avec --tester : statut"

    # Sans compilateur : une ligne le dit, puis le meme compte rendu par l'interpreteur (memes
    # verdicts, memes differences, meme erreur d'execution situee, memes limites), meme statut.
    for copie in correcte fausse gourmande bavarde boucle; do
        "$exec_outil" --tester "$exercice" "$copies/$copie.algo" >"$bac/compile" 2>/dev/null
        attendu=$?
        CXX=/inexistant/g++ "$exec_outil" --tester "$exercice" "$copies/$copie.algo" >"$bac/out" 2>"$bac/err"
        [ $? = "$attendu" ] || ko "copie $copie interpretee : statut"
        cmp -s "$bac/compile" "$bac/out" || { ko "copie $copie interpretee : compte rendu"; diff "$bac/compile" "$bac/out"; }
        contient "$bac/err" "compilateur C++ introuvable (/inexistant/g++) : le programme est interprete" "copie $copie interpretee"
    done
    tmp_vide "--tester"
    ;;

noter)
    command -v python3 >/dev/null 2>&1 || { echo "Test saute : python3 absent (lecture du JSON et du HTML)"; exit 77; }
    "$noter" -j 2 -o "$bac/rapports" "$exercice" "$copies" >"$bac/out" 2>"$bac/err"
    statut=$?
    [ $statut = 0 ] || { ko "tramelo-noter : statut $statut"; cat "$bac/err"; }
    [ ! -s "$bac/err" ] || { ko "tramelo-noter hors d'un terminal : erreur standard non vide"; cat "$bac/err"; }
    cat >"$bac/attendu" <<'FIN'
etudiant,points,max,exemple,vide,negatifs,grand
<b>hostile&,0,6,echoue,echoue,echoue,echoue
bavarde,0,6,sortie,sortie,sortie,sortie
boucle,0,6,temps,temps,temps,temps
correcte,6,6,reussi,reussi,reussi,reussi
fausse,1,6,echoue,reussi,echoue,echoue
gourmande,0,6,erreur,erreur,erreur,erreur
intraduisible,0,6,non_traduite,non_traduite,non_traduite,non_traduite
FIN
    cmp -s "$bac/attendu" "$bac/rapports/notes.csv" || { ko "notes.csv"; diff "$bac/attendu" "$bac/rapports/notes.csv"; }
    python3 - "$bac/rapports" <<'FIN' || ko "rapport.json ou rapport.html"
import json, sys
from html.parser import HTMLParser
d = sys.argv[1]
r = json.load(open(d + "/rapport.json", encoding="utf-8"))
notes = {c["etudiant"]: c for c in r["copies"]}
assert r["exercice"]["points_max"] == 6, r["exercice"]
assert [t["visible"] for t in r["exercice"]["tests"]] == [True, True, False, False]
assert notes["correcte"]["points"] == 6 and notes["correcte"]["etat"] == "notee"
assert notes["fausse"]["points"] == 1
assert "obtenu  : somme : -15" in notes["fausse"]["tests"][2]["difference"], notes["fausse"]["tests"][2]
i = notes["intraduisible"]
assert i["etat"] == "non_traduite" and i["statut"] == 127 and i["tests"] == [], i
assert "intraduisible.algo:7:5: erreur" in i["diagnostics"], i["diagnostics"]
assert all(t["verdict"] == "temps" for t in notes["boucle"]["tests"])
assert "Mémoire insuffisante" in notes["gourmande"]["tests"][0]["erreurs"]

# HTML : balises equilibrees, un seul script (celui du tri), rien de la copie hostile interprete.
class Lecteur(HTMLParser):
    vides = {"meta", "br", "hr", "img", "input", "link"}
    def __init__(self):
        super().__init__()
        self.pile, self.scripts, self.textes = [], 0, []
    def handle_starttag(self, tag, attrs):
        if tag == "script": self.scripts += 1
        if tag not in self.vides: self.pile.append(tag)
    def handle_endtag(self, tag):
        assert self.pile and self.pile[-1] == tag, (tag, self.pile[-5:])
        self.pile.pop()
    def handle_data(self, data): self.textes.append(data)
l = Lecteur()
l.feed(open(d + "/rapport.html", encoding="utf-8").read())
l.close()
assert l.pile == [], l.pile
assert l.scripts == 1, l.scripts
texte = "".join(l.textes)
assert "</pre><script>alert('somme')</script>" in texte
assert "<b>hostile&" in texte
FIN
    # Sans compilateur : une ligne le dit, chaque copie est interpretee, memes notes, memes
    # rapports (differences, erreurs d'execution situees, limites) ; --compiler l'exige.
    CXX=/inexistant/g++ "$noter" -j 2 -o "$bac/interpretes" "$exercice" "$copies" >"$bac/out" 2>"$bac/err"
    [ $? = 0 ] || { ko "tramelo-noter sans compilateur : statut"; cat "$bac/err"; }
    contient "$bac/err" "compilateur C++ introuvable (/inexistant/g++) : les copies sont interpretees" "noter sans compilateur"
    cmp -s "$bac/rapports/notes.csv" "$bac/interpretes/notes.csv" || { ko "notes interpretees"; diff "$bac/rapports/notes.csv" "$bac/interpretes/notes.csv"; }
    python3 - "$bac/rapports/rapport.json" "$bac/interpretes/rapport.json" <<'FIN' || ko "rapport.json interprete different du compile"
import json, sys
a, b = (json.load(open(f, encoding="utf-8"))["copies"] for f in sys.argv[1:])
assert a == b, [(x["etudiant"], x, y) for x, y in zip(a, b) if x != y][:1]
FIN
    CXX=/inexistant/g++ "$noter" --compiler -o "$bac/r2" "$exercice" "$copies" >"$bac/out" 2>"$bac/err"
    [ $? = 162 ] || ko "tramelo-noter --compiler sans compilateur : statut"
    "$noter" --interprete --compiler "$exercice" "$copies" >"$bac/out" 2>"$bac/err"
    [ $? = 253 ] || ko "--interprete et --compiler ensemble : statut"
    tmp_vide "tramelo-noter"
    ;;

isolement)
    # Un programme qui lance un processus en arriere-plan : celui-ci est tue avec lui. Le
    # compilateur est remplace par un script qui ecrit ce programme (le langage ne sait pas lancer
    # de processus).
    mkdir "$bac/copies" "$bac/faux"
    cp "$copies/correcte.algo" "$bac/copies/"
    cat >"$bac/faux/g++" <<FIN
#!/bin/sh
sortie=
while [ \$# -gt 0 ]; do [ "\$1" = -o ] && sortie=\$2; shift; done
[ -n "\$sortie" ] || exit 0
cat >"\$sortie" <<'PROG'
#!/bin/sh
( sleep 2; echo survivant >"$bac/survivant" ) &
echo "somme : 12"
PROG
chmod +x "\$sortie"
FIN
    chmod +x "$bac/faux/g++"
    CXX=$bac/faux/g++ "$noter" -j 1 -o "$bac/rapports" "$exercice" "$bac/copies" >"$bac/out" 2>"$bac/err"
    [ $? = 0 ] || { ko "tramelo-noter (compilateur remplace) : statut"; cat "$bac/err"; }
    contient "$bac/rapports/notes.csv" "correcte,1,6,reussi,echoue,echoue,echoue" "notes du programme remplace"
    sleep 3
    [ ! -e "$bac/survivant" ] || ko "un processus lance par la copie a survecu a la notation"
    tmp_vide "isolement"
    ;;

parallele)
    # 200 copies notees a 4 a la fois : chaque execution de chaque test dans un dossier a elle,
    # vide au depart (aucune ne voit ce qu'une autre a ecrit), toutes notees, en un temps borne.
    # Le compilateur est remplace par un script qui ecrit un programme qui note son dossier.
    # Un fichier par execution : un fichier commun depasserait vite la limite d'ecriture d'un test.
    mkdir "$bac/copies" "$bac/faux" "$bac/vus" "$bac/partages"
    i=0
    while [ $i -lt 200 ]; do cp "$copies/correcte.algo" "$bac/copies/e$i.algo"; i=$((i + 1)); done
    cat >"$bac/faux/g++" <<FIN
#!/bin/sh
sortie=
while [ \$# -gt 0 ]; do [ "\$1" = -o ] && sortie=\$2; shift; done
[ -n "\$sortie" ] || exit 0
cat >"\$sortie" <<'PROG'
#!/bin/sh
[ -z "\$(ls -A .)" ] || echo "\$(pwd)" >"\$(mktemp "$bac/partages/XXXXXX")"
pwd >"\$(mktemp "$bac/vus/XXXXXX")"
echo trace >trace
echo "somme : 12"
PROG
chmod +x "\$sortie"
FIN
    chmod +x "$bac/faux/g++"
    debut=$(date +%s)
    CXX=$bac/faux/g++ "$noter" -j 4 -o "$bac/rapports" "$exercice" "$bac/copies" >"$bac/out" 2>"$bac/err"
    [ $? = 0 ] || { ko "200 copies : statut"; cat "$bac/err"; }
    duree=$(( $(date +%s) - debut ))
    [ "$(grep -c ',1,6,reussi,echoue,echoue,echoue$' "$bac/rapports/notes.csv")" = 200 ] ||
        { ko "200 copies : notes"; cut -d, -f2- "$bac/rapports/notes.csv" | sort | uniq -c; }
    cat "$bac"/vus/* >"$bac/dossiers"
    [ "$(wc -l <"$bac/dossiers")" = 800 ] || ko "200 copies : $(wc -l <"$bac/dossiers") executions au lieu de 800"
    [ "$(sort "$bac/dossiers" | uniq -d)" = "" ] || ko "200 copies : deux executions dans un meme dossier"
    [ -z "$(ls -A "$bac/partages")" ] || { ko "une execution a trouve son dossier deja rempli"; cat "$bac"/partages/* | head -3; }
    [ $duree -lt 240 ] || ko "200 copies notees en $duree s"
    echo "200 copies x 4 tests notees en $duree s"
    tmp_vide "parallele"
    ;;

interruption)
    # SIGTERM pendant la notation : les notations en cours s'arretent, leurs programmes aussi,
    # le dossier temporaire est retire, statut 215.
    mkdir "$bac/copies"
    cp "$copies/boucle.algo" "$bac/copies/a.algo"
    cp "$copies/boucle.algo" "$bac/copies/b.algo"
    "$noter" -j 2 -o "$bac/rapports" "$exercice" "$bac/copies" >"$bac/out" 2>"$bac/err" &
    p=$!
    # Attendre que les programmes tournent (compilation faite).
    n=0
    while [ $n -lt 100 ] && [ -z "$(find "$TMPDIR" -name sortie 2>/dev/null | head -1)" ]; do sleep 0.1; n=$((n + 1)); done
    kill -TERM $p
    wait $p
    statut=$?
    [ $statut = 215 ] || ko "interruption : statut $statut au lieu de 215"
    sleep 0.3
    tmp_vide "interruption"
    [ ! -e "$bac/rapports/notes.csv" ] || ko "interruption : rapports ecrits malgre l'arret"
    ;;

erreurs)
    "$noter" >"$bac/out" 2>"$bac/err"
    [ $? = 253 ] || ko "sans argument : statut"
    contient "$bac/err" "Usage : tramelo-noter" "sans argument"
    "$noter" -j 0 "$exercice" "$copies" >"$bac/out" 2>"$bac/err"
    [ $? = 253 ] || ko "-j 0 : statut"
    mkdir "$bac/vide" "$bac/vide/sans_copie"
    "$noter" -o "$bac/r" "$exercice" "$bac/vide/sans_copie" >"$bac/out" 2>"$bac/err"
    [ $? = 167 ] || ko "dossier sans copie : statut"
    # Sous-dossiers : un .algo par etudiant ; vide ou double, la raison est dans le rapport.
    mkdir "$bac/vide/alice" "$bac/vide/bob" "$bac/vide/chloe"
    cp "$copies/correcte.algo" "$bac/vide/alice/somme.algo"
    cp "$copies/correcte.algo" "$bac/vide/chloe/a.algo"
    cp "$copies/fausse.algo" "$bac/vide/chloe/b.algo"
    cp "$copies/correcte.algo" "$bac/vide/alice.algo"
    "$noter" -o "$bac/r" "$exercice" "$bac/vide" >"$bac/out" 2>"$bac/err"
    [ $? = 0 ] || { ko "sous-dossiers : statut"; cat "$bac/err"; }
    # alice.algo et alice/ : une seule ligne, non notee, qui dit pourquoi.
    [ "$(grep -c '^alice,' "$bac/r/notes.csv")" = 1 ] || ko "alice.algo et alice/ : deux lignes"
    contient "$bac/r/notes.csv" "alice,0,6,absente" "sous-dossiers"
    contient "$bac/r/rapport.html" "deux copies pour cet etudiant : alice.algo et le dossier alice/" "sous-dossiers"
    rm "$bac/vide/alice.algo"
    contient "$bac/r/notes.csv" "bob,0,6,absente" "sous-dossiers"
    contient "$bac/r/rapport.html" "plusieurs fichiers .algo dans le dossier : a.algo b.algo" "sous-dossiers"
    # Les rapports ranges parmi les copies ne sont pas une copie, meme au second lancement.
    "$noter" -o "$bac/vide/rapports" "$exercice" "$bac/vide" >"$bac/out" 2>"$bac/err"
    "$noter" -o "$bac/vide/rapports" "$exercice" "$bac/vide" >"$bac/out" 2>"$bac/err"
    [ $? = 0 ] || ko "rapports parmi les copies : statut"
    ! grep -q '^rapports,' "$bac/vide/rapports/notes.csv" || ko "le dossier des rapports note comme une copie"
    "$noter" "$bac/ex_absent" "$copies" >"$bac/out" 2>"$bac/err"
    [ $? = 166 ] || ko "exercice absent : statut"
    tmp_vide "erreurs"
    ;;
exporter)
    # La question Moodle : XML bien forme, structure d'import (quiz/question coderunner, un
    # testcase par test, points, visibilite, entree et sortie exactes), programme de depart ;
    # un exercice hostile (controles, < & ]]>, reels a la tolerance) reste lisible et averti.
    command -v python3 >/dev/null 2>&1 || { echo "Test saute : python3 absent"; exit 77; }
    "$noter" --exporter moodle "$exercice" >"$bac/somme.xml" 2>"$bac/err"
    [ $? = 0 ] || { ko "export : statut"; cat "$bac/err"; }
    [ ! -s "$bac/err" ] || { ko "export : avertissement inattendu"; cat "$bac/err"; }
    mkdir -p "$bac/hostile/tests"
    printf '# Titre <b>&amp; ]]>\n\nEnonce\001.\n' >"$bac/hostile/enonce.md"
    printf 'algorithme A\ndebut\n    afficher ("<&>]]>");\nfin\n' >"$bac/hostile/depart.algo"
    printf 'test reel\ncomparaison reels 0.01\npoints 3\nentree <<F\n\033[2J x\nF\nsortie <<F\n1.5 ]]> &\nF\n' \
        >"$bac/hostile/exercice.txt"
    "$noter" --exporter=moodle -o "$bac/hostile.xml" "$bac/hostile" >"$bac/out" 2>"$bac/err"
    [ $? = 0 ] || { ko "export hostile : statut"; cat "$bac/err"; }
    contient "$bac/err" "tramelo-noter : attention : le test « reel » compare des réels" "export hostile"
    python3 - "$bac/somme.xml" "$exercice" "$bac/hostile.xml" <<'FIN' || ko "structure de la question Moodle"
import os, sys, xml.etree.ElementTree as ET
def question(chemin):
    racine = ET.parse(chemin).getroot()
    assert racine.tag == 'quiz', racine.tag
    qs = racine.findall('question')
    assert len(qs) == 1 and qs[0].get('type') == 'coderunner', qs
    return qs[0]
def texte(q, chemin):
    e = q.find(chemin)
    return '' if e is None or e.text is None else e.text
q = question(sys.argv[1])
ex = sys.argv[2]
lire = lambda n: open(os.path.join(ex, n), encoding='utf-8').read()
assert texte(q, 'name/text') == "Somme d'une liste d'entiers", texte(q, 'name/text')
assert texte(q, 'questiontext/text') == lire('enonce.md')
assert q.find('questiontext').get('format') == 'markdown'
assert texte(q, 'answerpreload') == lire('depart.algo')
assert texte(q, 'defaultgrade') == '6'
assert 'tramelo-exec' in texte(q, 'template') and 'STUDENT_ANSWER' in texte(q, 'template')
cas = q.findall('testcases/testcase')
assert [c.get('useasexample') for c in cas] == ['1', '1', '0', '0'], cas
assert [float(c.get('mark')) for c in cas] == [1, 1, 2, 2]
assert [texte(c, 'display/text') for c in cas] == ['SHOW', 'SHOW', 'HIDE', 'HIDE']
assert texte(cas[0], 'stdin/text') == '3\n4\n5\n3\n' and texte(cas[0], 'expected/text') == 'somme : 12\n'
assert texte(cas[3], 'stdin/text') == lire('tests/grand.in') and texte(cas[3], 'expected/text') == lire('tests/grand.out')
h = question(sys.argv[3])
assert texte(h, 'name/text') == 'Titre <b>&amp; ]]>', texte(h, 'name/text')
assert texte(h, 'answerpreload') == 'algorithme A\ndebut\n    afficher ("<&>]]>");\nfin\n'
c = h.findall('testcases/testcase')
assert len(c) == 1 and float(c[0].get('mark')) == 3 and texte(c[0], 'expected/text') == '1.5 ]]> &\n'
assert texte(c[0], 'stdin/text') == '\ufffd[2J x\n', repr(texte(c[0], 'stdin/text'))
FIN
    "$noter" --exporter pdf "$exercice" >"$bac/out" 2>"$bac/err"
    [ $? = 253 ] || ko "format inconnu : statut"
    "$noter" --exporter moodle "$exercice" "$copies" >"$bac/out" 2>"$bac/err"
    [ $? = 253 ] || ko "export avec un dossier de copies : statut"

    # Le lien de la page : l'adresse donnee, puis l'exercice en JSON ; les tests visibles
    # seulement (ni nom ni sortie d'un test cache), textes exacts.
    "$noter" --exporter lien --page 'https://ex.fr/t/index.html#vieux' "$exercice" >"$bac/lien" 2>"$bac/err"
    [ $? = 0 ] || { ko "lien : statut"; cat "$bac/err"; }
    python3 - "$bac/lien" "$exercice" <<'FIN' || ko "contenu du lien"
import base64, json, os, sys
lien = open(sys.argv[1], encoding='ascii').read()
assert lien.endswith('\n') and lien.count('\n') == 1, repr(lien[-20:])
adresse, charge = lien.strip().split('#exercice=')
assert adresse == 'https://ex.fr/t/index.html', adresse
e = json.loads(base64.urlsafe_b64decode(charge + '=' * (-len(charge) % 4)).decode('utf-8'))
lire = lambda n: open(os.path.join(sys.argv[2], n), encoding='utf-8').read()
assert e['format'] == 'tramelo-exercice' and e['version'] == 1
assert e['enonce'] == lire('enonce.md') and e['depart'] == lire('depart.algo')
assert (e['temps'], e['memoire'], e['limite_sortie']) == (2, 64, 64), e
assert [t['nom'] for t in e['tests']] == ['exemple', 'vide'], e['tests']
assert e['tests'][0]['entree'] == '3\n4\n5\n3\n' and e['tests'][0]['comparaison'] == 'blancs'
assert lire('tests/grand.out') not in json.dumps(e)
FIN
    mkdir -p "$bac/binaire"
    printf '# B\n' >"$bac/binaire/enonce.md"
    printf 'test a\nsortie <<F\n\377\nF\n' >"$bac/binaire/exercice.txt"
    "$noter" --exporter lien "$bac/binaire" >"$bac/out" 2>"$bac/err"
    [ $? = 166 ] || ko "lien avec un texte non UTF-8 : statut"
    contient "$bac/err" "n'est pas de l'UTF-8 valide" "lien non UTF-8"
    "$noter" --exporter lien --page "$(printf 'https://a\nb')" "$exercice" >"$bac/out" 2>"$bac/err"
    [ $? = 253 ] || ko "--page avec une fin de ligne : statut"
    # Un dossier d'exercice au nom hostile (tiret en tete, fin de ligne) apres -- .
    cp -r "$exercice" "$bac/-ex
ercice"
    (cd "$bac" && "$noter" --exporter lien -- "-ex
ercice") >"$bac/out" 2>"$bac/err"
    [ $? = 0 ] && grep -q '^#exercice=' "$bac/out" || ko "lien d'un exercice au nom hostile"
    "$noter" --page x -o "$bac/r" "$exercice" "$copies" >"$bac/out" 2>"$bac/err"
    [ $? = 253 ] || ko "--page sans --exporter lien : statut"
    ;;
*)
    echo "cas inconnu : $cas"
    exit 2
    ;;
esac
exit $echec
