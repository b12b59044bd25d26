-- Neovim, vrai client du protocole, sans interface : chaque cas .algo de cas/ est ouvert (le
-- ftplugin du projet demarre tramelo-lsp), puis on verifie le diagnostic attendu (.attendu, JSON),
-- le survol et les symboles, on corrige le tampon et les diagnostics doivent disparaitre.
local dossier = os.getenv('TRAMELO_CAS')
local reussis, rates = 0, 0

local function verifier(condition, texte)
  if condition then
    reussis = reussis + 1
  else
    rates = rates + 1
    io.write('ECHEC : ' .. texte .. '\n')
  end
end

local function lire(chemin)
  local f = assert(io.open(chemin, 'rb'))
  local t = f:read('*a')
  f:close()
  return t
end

local gravites = { erreur = vim.diagnostic.severity.ERROR, avertissement = vim.diagnostic.severity.WARN }

local function requete(buf, methode, params)
  local r = vim.lsp.buf_request_sync(buf, methode, params, 5000)
  for _, reponse in pairs(r or {}) do
    if reponse.result then return reponse.result end
  end
  return nil
end

for _, source in ipairs(vim.fn.globpath(dossier, '*.algo', false, true)) do
  local nom = vim.fn.fnamemodify(source, ':t')
  local attendu = vim.json.decode(lire(source:gsub('%.algo$', '.attendu')))
  vim.cmd('edit ' .. vim.fn.fnameescape(source))
  local buf = vim.api.nvim_get_current_buf()
  verifier(vim.bo[buf].filetype == 'algo', nom .. ' : type de fichier ' .. vim.bo[buf].filetype)
  vim.wait(5000, function() return #vim.diagnostic.get(buf) > 0 end, 10)
  local diags = vim.diagnostic.get(buf)
  verifier(#diags == 1, nom .. ' : ' .. #diags .. ' diagnostics au lieu de 1')
  local d = diags[1]
  if d then
    -- ligne et colonne comptees a partir de 1, la colonne en octets du tampon
    verifier(d.lnum + 1 == attendu.ligne and d.col + 1 == attendu.colonne,
             nom .. string.format(' : position %d:%d au lieu de %d:%d', d.lnum + 1, d.col + 1, attendu.ligne, attendu.colonne))
    verifier(d.severity == gravites[attendu.gravite], nom .. ' : gravite ' .. tostring(d.severity))
    verifier(d.message == attendu.message, nom .. ' : message « ' .. tostring(d.message) .. ' »')
    verifier(d.source == 'tramelo', nom .. ' : source ' .. tostring(d.source))
    local code = d.code or (d.user_data and d.user_data.lsp and d.user_data.lsp.code)
    verifier(code == attendu.code, nom .. ' : code ' .. tostring(code))
  end

  if attendu.survol then
    local s = attendu.survol
    vim.api.nvim_win_set_cursor(0, { s.ligne, s.colonne - 1 })
    local r = requete(buf, 'textDocument/hover', vim.lsp.util.make_position_params())
    local texte = r and r.contents and r.contents.value or ''
    verifier(texte:find(s.contient, 1, true) ~= nil, nom .. ' : survol « ' .. texte .. ' »')
  end

  if attendu.symboles then
    local r = requete(buf, 'textDocument/documentSymbol', { textDocument = vim.lsp.util.make_text_document_params() }) or {}
    local noms = {}
    for _, s in ipairs(r) do table.insert(noms, s.name) end
    verifier(table.concat(noms, ',') == table.concat(attendu.symboles, ','),
             nom .. ' : symboles ' .. table.concat(noms, ','))
  end

  -- Correction dans le tampon (changement incremental), puis plus aucun diagnostic.
  local c = attendu.correction
  local ligne = vim.api.nvim_buf_get_lines(buf, c.ligne - 1, c.ligne, true)[1]
  local debut = ligne:find(c.remplacer, 1, true)
  verifier(debut ~= nil, nom .. ' : « ' .. c.remplacer .. ' » introuvable')
  if debut then
    vim.api.nvim_buf_set_text(buf, c.ligne - 1, debut - 1, c.ligne - 1, debut - 1 + #c.remplacer, { c.par })
    local vide = vim.wait(5000, function() return #vim.diagnostic.get(buf) == 0 end, 10)
    verifier(vide, nom .. ' : diagnostics restants apres correction')
    -- Et la faute remise : le diagnostic revient.
    vim.api.nvim_buf_set_text(buf, c.ligne - 1, debut - 1, c.ligne - 1, debut - 1 + #c.par, { c.remplacer })
    verifier(vim.wait(5000, function() return #vim.diagnostic.get(buf) == 1 end, 10),
             nom .. ' : pas de diagnostic apres la faute remise')
  end
  vim.cmd('bwipeout!')
end

io.write(string.format('neovim : %d passed, %d failed\n', reussis, rates))
vim.cmd(rates == 0 and reussis > 0 and 'qa!' or 'cq!')
