" Reglages des sources Tramelo : commentaires //, indentation de 4 espaces.
if exists('b:did_ftplugin')
  finish
endif
let b:did_ftplugin = 1

setlocal commentstring=//\ %s
setlocal comments=://
setlocal expandtab shiftwidth=4 softtabstop=4
" Les mots du langage comptent le tiret bas.
setlocal iskeyword=@,48-57,_
" :make verifie le fichier avec tramelo-verifier (compiler/tramelo.vim), sauf autre choix.
if !exists('b:current_compiler')
  compiler tramelo
endif
let b:undo_ftplugin = 'setlocal commentstring< comments< expandtab< shiftwidth< softtabstop< iskeyword< makeprg< errorformat<'
