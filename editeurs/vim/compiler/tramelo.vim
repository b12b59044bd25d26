" Compilateur Tramelo : « :compiler tramelo » puis « :make » verifie le fichier courant avec
" tramelo-verifier et range ses diagnostics (erreurs, avertissements et leurs aides) dans la
" liste quickfix. tramelo-verifier doit etre dans le PATH.
if exists('current_compiler')
  finish
endif
let current_compiler = 'tramelo'

if exists(':CompilerSet') != 2
  command -nargs=* CompilerSet setlocal <args>
endif

let s:cpo_sauve = &cpo
set cpo&vim

CompilerSet makeprg=tramelo-verifier\ %:S
" En-tete au format de GCC (FICHIER:LIGNE:COLONNE, colonne en octets), lignes d'aide et de note
" ajoutees au message ; l'extrait du source et le signe sous la faute sont ignores.
CompilerSet errorformat=
      \%E%f:%l:%c:\ erreur\ :\ %m,
      \%W%f:%l:%c:\ attention\ :\ %m,
      \%E%f:\ erreur\ :\ %m,
      \%+Caide\ :\ %.%#,
      \%+Cnote\ :\ %.%#,
      \%-C\ %.%#,
      \%-G%.%#

let &cpo = s:cpo_sauve
unlet s:cpo_sauve
