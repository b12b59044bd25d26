" Detection des sources Tramelo.
autocmd BufNewFile,BufRead *.algo setfiletype algo
