-- Configuration minimale du test : les fichiers de Vim et de Neovim du projet, rien de l'utilisateur.
local racine = os.getenv('TRAMELO_EDITEURS')
vim.opt.runtimepath:prepend(racine .. '/vim')
vim.opt.runtimepath:prepend(racine .. '/nvim')
vim.cmd('filetype plugin on')
require('tramelo.lsp').configurer({ cmd = { os.getenv('TRAMELO_LSP') } })
