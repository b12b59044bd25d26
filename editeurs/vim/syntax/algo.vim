" Coloration syntaxique des sources Tramelo (.algo).
" Les listes de mots suivent le vocabulaire du traducteur (tramelo-vocabulaire) : un test
" du projet echoue si elles divergent.

if exists('b:current_syntax')
  finish
endif

let s:cpo_sauve = &cpo
set cpo&vim

" Les mots sont sensibles a la casse : ET est un operateur, et un identificateur.
syntax case match
syntax iskeyword @,48-57,_

" Vocabulaire reserve, une liste par categorie.
syntax keyword algoStructure boucle choix_sur jusqua pour repeter si tant_que
syntax keyword algoBloc debut faire fboucle fchoix ffaire fin fsi sinon sinon_si
syntax keyword algoMotCle a algorithme autre cas constante de declarer entre fonction in in_out out predicat procedure renvoie sortie variant_de
syntax keyword algoOperateur ET ET_ALORS NON OU OU_SINON ne_vaut_pas vaut
syntax keyword algoProcedure afficher allonger ligne_suivante redimensionner saisir
syntax keyword algoFonction Rand modulo pred rang succ taille tolower toupper
syntax keyword algoType booleen caractere entier entier_naturel reel string string_de tableau_de
syntax keyword algoConstante faux vrai
" Mots lus par certaines instructions sans etre reserves.
syntax keyword algoContextuel continue
syntax match algoContextuel "\<descendant\>\ze\s*)"

syntax match algoNombre "\<\d\+\(\.\d*\)\=\([eE][+-]\=\d\+\)\="
syntax match algoOperateurSymbole "<-\|<=\|>=\|[<>+*/-]"
syntax match algoEchappement "\\." contained
syntax region algoChaine start=+"+ skip=+\\.+ end=+"+ contains=algoEchappement
syntax match algoCaractere "'\(\\.\|[^\\]\)'" contains=algoEchappement
syntax keyword algoAFaire TODO FIXME XXX contained
syntax match algoCommentaire "//.*$" contains=algoAFaire,@Spell

highlight default link algoStructure Conditional
highlight default link algoBloc Statement
highlight default link algoMotCle Keyword
highlight default link algoOperateur Operator
highlight default link algoProcedure Function
highlight default link algoFonction Function
highlight default link algoType Type
highlight default link algoConstante Boolean
highlight default link algoContextuel Statement
highlight default link algoNombre Number
highlight default link algoOperateurSymbole Operator
highlight default link algoEchappement SpecialChar
highlight default link algoChaine String
highlight default link algoCaractere Character
highlight default link algoAFaire Todo
highlight default link algoCommentaire Comment

let b:current_syntax = 'algo'

let &cpo = s:cpo_sauve
unlet s:cpo_sauve
