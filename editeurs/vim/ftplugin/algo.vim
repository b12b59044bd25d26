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
let b:undo_ftplugin = 'setlocal commentstring< comments< expandtab< shiftwidth< softtabstop< iskeyword<'
