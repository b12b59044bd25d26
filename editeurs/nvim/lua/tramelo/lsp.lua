-- Demarre le serveur de langage tramelo-lsp pour les tampons .algo (Neovim 0.7 ou plus recent) :
-- diagnostics pendant la frappe, survol (K avec vim.lsp.buf.hover), symboles du document.
--   require('tramelo.lsp').configurer({ cmd = { '/chemin/vers/tramelo-lsp' } })   -- facultatif
local M = {}

M.options = {
  cmd = { 'tramelo-lsp' },
  -- tailleTabulation : largeur des tabulations (4 par defaut) ;
  -- aidesDansMessage : les lignes « aide : » et « note : » a la suite du message.
  init_options = {},
  on_attach = nil,
}

local client_id = nil   -- un seul serveur pour tous les tampons .algo

function M.configurer(options)
  M.options = vim.tbl_deep_extend('force', M.options, options or {})
end

function M.demarrer(bufnr)
  bufnr = (bufnr == nil or bufnr == 0) and vim.api.nvim_get_current_buf() or bufnr
  if vim.fn.executable(M.options.cmd[1]) ~= 1 then
    return nil
  end
  if client_id == nil or vim.lsp.get_client_by_id(client_id) == nil then
    client_id = vim.lsp.start_client({
      name = 'tramelo-lsp',
      cmd = M.options.cmd,
      init_options = M.options.init_options,
      root_dir = vim.fn.getcwd(),
      on_attach = M.options.on_attach,
    })
  end
  if client_id then
    vim.lsp.buf_attach_client(bufnr, client_id)
  end
  return client_id
end

return M
