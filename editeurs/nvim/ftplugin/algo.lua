-- Sources Tramelo dans Neovim : le serveur de langage tramelo-lsp, s'il est dans le PATH.
require('tramelo.lsp').demarrer(0)
