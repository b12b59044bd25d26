#!/usr/bin/env bash
# Sources hors normes : imbrications de 100 000 niveaux, octets NUL, fins de ligne CR LF,
# octets au-dela de 127. Toujours un message et un statut de la table, jamais un signal ;
# le meme script sert pour la construction optimisee et pour celle sous sanitizers.
#   profondeur.sh CHEMIN_DE_TRAMELO
set -u
tramelo=$1
case $tramelo in /*) ;; *) tramelo=$PWD/$tramelo ;; esac
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cd "$tmp" || exit 1
echecs=0
reussis=0

# repete MOTIF N : le motif N fois (le motif ne contient pas de %).
repete() { printf "%.0s$1" $(seq "$2"); }

echec() { echo "--- $1"; echecs=$((echecs + 1)); }

# Statut et sortie d'erreur coherents : 0 et rien, ou un code d'analyse et une seule ligne
# "Ligne NNNN - message". Un signal (statut 128+n) n'ecrit pas cette ligne : il est donc vu.
verifier_forme() {
    local libelle=$1 code=$2
    if [ "$code" = 0 ]; then
        [ -s err ] && { echec "$libelle : statut 0 mais sortie d'erreur : $(head -c 300 err)"; return 1; }
    elif [ "$code" -lt 102 ] || [ "$code" -gt 149 ]; then
        echec "$libelle : statut $code hors de la table ; erreur : $(head -c 300 err)"; return 1
    elif [ "$(wc -l <err)" != 1 ] || ! grep -Eq '^Ligne ( {3}[1-9]| {2}[1-9][0-9]| [1-9][0-9]{2}|[1-9][0-9]{3,}) - .' err; then
        echec "$libelle : statut $code sans message d'analyse : $(head -c 300 err)"; return 1
    fi
    return 0
}

# imbriquer LIBELLE LIGNE AVANT OUVRE MILIEU FERME APRES : le source AVANT, OUVRE n fois, MILIEU,
# FERME n fois, APRES (motifs de printf) doit donner 147 a LIGNE pour n = 100 000, et se traduire
# sans erreur pour n = 255 : le corps de l'algorithme compte un niveau, la 256e construction
# depasse la borne. Chaque construction ouvre sa propre ligne, ce qui situe l'erreur.
imbriquer() {
    local libelle=$1 ligne=$2 n code attendu
    for n in 100000 255; do
        { printf "$3"; repete "$4" "$n"; printf "$5"; [ -z "$6" ] || repete "$6" "$n"; printf "$7"; } >source.algo
        "$tramelo" source.algo >out 2>err
        code=$?
        if [ "$n" = 255 ]; then
            [ "$code" = 0 ] || { echec "$libelle sur 256 niveaux (la borne) : statut $code, erreur '$(head -c 300 err)' au lieu d'une traduction"; continue; }
        else
            printf -v attendu 'Ligne %4d - Imbrication trop profonde' "$ligne"
            [ "$code" = 147 ] && [ "$(cat err)" = "$attendu" ] ||
                { echec "$libelle sur 100 000 niveaux : statut $code, erreur '$(head -c 300 err)' au lieu de 147, '$attendu'"; continue; }
        fi
        reussis=$((reussis + 1))
    done
}

affectation='algorithme A\ndebut\n    declarer n : entier;\n    n <-\n'
imbriquer "parentheses d'une affectation" 260 "$affectation" '  (\n' '1\n' ')' ';\nfin\n'
# Le bloc du 256e si s'ouvre sur le premier mot de son corps, a la ligne suivante.
imbriquer "blocs si" 259 'algorithme A\ndebut\n' '  si (vrai)\n' '' '  fsi\n' 'fin\n'
imbriquer "boucles tant_que" 258 'algorithme A\ndebut\n' '  tant_que (vrai) faire\n' '' '  ffaire\n' 'fin\n'
imbriquer "appels f (f (...))" 264 'fonction f (x : in entier) renvoie entier\ndebut\n    renvoie x;\nfin\n'"$affectation" \
    '  f (\n' '1\n' ')' ';\nfin\n'
imbriquer "NON NON ..." 260 'algorithme A\ndebut\n    declarer b : booleen;\n    b <-\n' '  NON\n' '  vrai;\nfin\n' '' ''
imbriquer "indices t [t [...]]" 261 'algorithme A\ndebut\n    declarer t : tableau_de 10 entier;\n    declarer n : entier;\n    n <-\n' \
    '  t [\n' '0\n' ']' ';\nfin\n'
imbriquer "moins unaires" 260 "$affectation" '  -\n' '  1;\nfin\n' '' ''
# Les lectures a plusieurs essais (afficher) et les fonctions standard comptent aussi.
imbriquer "parentheses d'une chaine dans afficher" 259 'algorithme A\ndebut\n    afficher (\n' '  (\n' '"a"\n' ')' ');\nfin\n'
imbriquer "appels toupper (toupper (...))" 260 'algorithme A\ndebut\n    declarer c : caractere;\n    c <-\n' \
    '  toupper (\n' "'a'\n" ')' ';\nfin\n'

# --- Octets inhabituels ---

# octets LIBELLE FICHIER : un message et un statut de la table, quoi que contienne le fichier.
octets() {
    "$tramelo" "$2" >out 2>err
    verifier_forme "$1" $? && reussis=$((reussis + 1))
}

# Un programme ordinaire ; ses fins de ligne CR LF ne changent rien (le retour chariot est un blanc).
cat >lf.algo <<'EOF'
fonction doubler (x : in entier) renvoie entier
debut
    renvoie 2 * x;
fin

algorithme Essai
debut
    declarer n : entier;
    declarer t : tableau_de 3 entier;
    n <- doubler (4) + 1;  // commentaire
    si (n > 3 ET NON (n vaut 7))
        t [0] <- n;
    sinon
        afficher ("petit", 'c');
    fsi
    tant_que (n > 0) faire
        n <- n - 1;
    ffaire
fin
EOF
sed 's/$/\r/' lf.algo >crlf.algo
"$tramelo" lf.algo >lf.out 2>err
[ $? = 0 ] || echec "programme de reference refuse : $(cat err)"
"$tramelo" crlf.algo >out 2>err
code=$?
if [ "$code" != 0 ] || [ -s err ] || ! cmp -s lf.out out; then
    echec "fins de ligne CR LF : statut $code, erreur '$(cat err)', sortie $(cmp -s lf.out out && echo identique || echo differente)"
else
    reussis=$((reussis + 1))
fi
# Un retour chariot seul (ancien Mac) : tout le source sur une ligne, mais lisible.
tr '\n' '\r' <lf.algo >cr.algo
octets "fins de ligne CR seules" cr.algo

# NUL : dans un commentaire il est efface avec lui ; ailleurs, une traduction qui a pu aller au bout
# echoue quand meme (149) a la ligne du NUL, apres avoir ecrit le C++ : rien n'est ignore en silence.
printf 'algorithme A\ndebut\n    afficher (1); // \0 x\nfin\n' >nul-commentaire.algo
"$tramelo" nul-commentaire.algo >out 2>err
code=$?
if [ "$code" != 0 ] || [ -s err ]; then
    echec "NUL dans un commentaire : statut $code, erreur '$(cat err)' au lieu d'une traduction"
else
    reussis=$((reussis + 1))
fi
# nul ATTENDU FICHIER : le message exact, statut 149, et le C++ complet (main compris).
nul() {
    "$tramelo" "$2" >out 2>err
    code=$?
    if [ "$code" != 149 ] || [ "$(cat err)" != "$1" ] || ! grep -q '^} // main()$' out; then
        echec "$2 : statut $code, erreur '$(cat err)' au lieu de 149, '$1'"
    else
        reussis=$((reussis + 1))
    fi
}
printf 'algorithme A\ndebut\nfin\n\0 et ce qui suit serait ignore\nafficher (1);\n' >nul-apres-fin.algo
nul "Ligne    4 - Caractere nul dans le source" nul-apres-fin.algo
printf 'algorithme A\ndebut\n    afficher ("a\0b");\nfin\n' >nul-chaine-149.algo
nul "Ligne    3 - Caractere nul dans le source" nul-chaine-149.algo
printf 'algorithme A\ndebut\n    afficher (1);\0\nfin\n' >nul-instruction.algo
octets "NUL entre deux instructions" nul-instruction.algo
printf 'algorithme A\ndebut\n    afficher ("a\0b");\nfin\n' >nul-chaine.algo
octets "NUL dans une chaine" nul-chaine.algo
printf "algorithme A\ndebut\n    afficher ('\0');\nfin\n" >nul-caractere.algo
octets "NUL dans un caractere" nul-caractere.algo
printf '\0algorithme A\ndebut\nfin\n' >nul-debut.algo
octets "NUL en tete" nul-debut.algo
head -c 4096 /dev/zero >nul-seuls.algo
octets "que des NUL" nul-seuls.algo

# Au-dela de 127 : recopies tels quels dans une chaine, refuses ailleurs avec un message.
printf 'algorithme A\ndebut\n    afficher ("\303\251t\303\251 \351");\nfin\n' >haut-chaine.algo
"$tramelo" haut-chaine.algo >out 2>err
code=$?
if [ "$code" != 0 ] || ! grep -aqF "$(printf '"\303\251t\303\251 \351"')" out; then
    echec "octets hauts dans une chaine : statut $code, erreur '$(cat err)', ou chaine non recopiee"
else
    reussis=$((reussis + 1))
fi
printf "algorithme A\ndebut\n    afficher ('\303\251');\nfin\n" >haut-caractere.algo
octets "caractere de deux octets" haut-caractere.algo
printf 'algorithme A\ndebut\n    d\303\251clarer x : entier;\nfin\n' >haut-mot.algo
octets "octets hauts dans un mot" haut-mot.algo
printf 'algorithme \351t\351\ndebut\nfin\n' >haut-nom.algo
octets "octets hauts dans un nom" haut-nom.algo

# Tous les octets, puis du binaire quelconque : le traducteur lui-meme.
for i in $(seq 0 255); do printf "\\$(printf %03o "$i")"; done >tous-octets.algo
octets "les 256 octets" tous-octets.algo
{ printf 'algorithme A\ndebut\n    afficher ("'; for i in $(seq 1 255); do [ "$i" = 10 ] || [ "$i" = 34 ] || [ "$i" = 92 ] || printf "\\$(printf %03o "$i")"; done; printf '");\nfin\n'; } >tous-octets-chaine.algo
octets "les octets dans une chaine" tous-octets-chaine.algo
head -c 65536 "$tramelo" >binaire.algo
octets "un fichier binaire" binaire.algo

echo "$reussis passed, $echecs failed"
[ "$echecs" = 0 ]
