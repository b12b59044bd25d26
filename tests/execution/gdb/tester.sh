#!/usr/bin/env bash
# gdb en mode batch sur le programme du profil verifie construit par tramelo-exec
# --construire-seulement : arret a programme.algo:LIGNE, variables du source et leurs valeurs
# (info locals), next jusqu'a la ligne suivante du source, pile d'appels nommant les unites.
#   tester.sh TRAMELO_EXEC
set -u
exec_outil=$1
command -v gdb >/dev/null 2>&1 || { echo "Test saute : gdb absent"; exit 77; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export TMPDIR=$tmp
cp "$(dirname "$0")/programme.algo" "$tmp/"
cd "$tmp" || exit 1
"$exec_outil" --construire-seulement programme.algo || { echo "=== construction ratee"; exit 1; }
[ -x programme ] && [ -f programme.cpp ] || { echo "=== programme ou programme.cpp absent"; exit 1; }

gdb -q -nx -batch -ex 'break programme.algo:11' -ex run -ex 'info locals' -ex next -ex 'info locals' \
    -ex 'break Doubler' -ex continue -ex bt -ex 'print x' -ex next -ex next -ex 'print x' \
    ./programme </dev/null >trace 2>&1
echec=0
attendre () { # motif (grep -E), libelle
    grep -Eq -- "$1" trace || { echo "=== absent : $2"; echec=1; }
}
attendre '^Breakpoint 1, .*Essai \(\) at .*programme\.algo:11$' "arret a programme.algo:11"
attendre '^11[[:space:]]+a <- 21;$' "ligne 11 du source"
attendre '^a = 0$' "valeur initiale de a (info locals)"
attendre '^mot = ""$' "chaine vide de mot (info locals)"
attendre '^12[[:space:]]+mot <- "oui";$' "next : ligne 12"
attendre '^a = 21$' "a apres la ligne 11"
attendre '^#0 .*Doubler \(x=.*21\) at .*programme\.algo:[0-9]+$' "bt : Doubler"
attendre '^#1 .*Essai \(\) at .*programme\.algo:13$' "bt : Essai, ligne de l'appel"
attendre '^4[[:space:]]+x <- x \* 2;$' "ligne 4 dans Doubler"
attendre '= \(long &\) @0x[0-9a-f]+: 42$' "x double"
[ "$echec" = 0 ] || { echo "--- sortie de gdb :"; cat trace; }

# --deboguer : gdb interactif (ici lisant ses commandes sur l'entree), arrete sur la premiere
# instruction de l'algorithme apres le rappel des commandes ; une erreur d'execution l'arrete
# aussi, et bt la situe dans le source.
cat >erreur.algo <<'FIN'
algorithme Erreur
debut
    declarer t : tableau_de entier;
    declarer i : entier;
    i <- 3;
    afficher (t[i]);
fin
FIN
printf 'next\ninfo locals\ncontinue\nprint i\nbt\n' | "$exec_outil" --deboguer erreur.algo >trace 2>rappel
grep -q '^  next      (n)' rappel || { echo "=== --deboguer : rappel des commandes absent"; cat rappel; echec=1; }
grep -q '^erreur.algo:6:17: erreur : Indice invalide : 3, le tableau est vide$' rappel \
    || { echo "=== --deboguer : erreur d'execution absente"; cat rappel; echec=1; }
attendre '^Breakpoint 1, .*Erreur \(\) at .*erreur\.algo:3$' "--deboguer : arret sur la premiere instruction"
attendre '^(\(gdb\) )?t = std::vector of length 0' "--deboguer : info locals"
grep -A1 "^Erreur d'execution : arret sur la ligne fautive" trace | grep -Eq '^#[0-9]+ .*Erreur \(\) at .*erreur\.algo:6$' \
    || { echo "=== --deboguer : pas d'arret sur la ligne fautive apres l'erreur"; echec=1; }
attendre '^6[[:space:]]+afficher \(t\[i\]\);$' "--deboguer : ligne fautive affichee"
attendre '^(\(gdb\) )?\$1 = 3$' "--deboguer : variables de l'unite fautive"
attendre '^(\(gdb\) )?#[0-9]+ .*Erreur \(\) at .*erreur\.algo:6$' "--deboguer : bt apres l'erreur"
grep -q 'skip' trace && { echo "=== --deboguer : reglages de gdb affiches"; echec=1; }
[ "$echec" = 0 ] || { echo "--- sortie de gdb :"; cat trace; }
exit $echec
