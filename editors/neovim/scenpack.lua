-- scenpack in Neovim (0.7 or later, whose built-in client is enough): the
-- descriptions read as the Windows-1252 texts they are, and `scenpack lsp`
-- started for them, so that check's findings appear under the text.
--
-- Install: copy this file to ~/.config/nvim/lua/scenpack.lua and put
--   require('scenpack').setup()
-- in init.lua. Options: setup({ cmd = { '/path/to/scenpack', 'lsp' } }).
local M = {}

-- The descriptions by their working names, and any .txt in a folder with a
-- scenpack.ini (or below one).
local function is_description(path)
  if path:match('_linea%.txt$') or path:match('%-%.txt$') then return true end
  if not path:match('%.txt$') then return false end
  return vim.fn.findfile('scenpack.ini', vim.fn.fnamemodify(path, ':p:h') .. ';') ~= ''
end

function M.setup(opts)
  opts = opts or {}
  local cmd = opts.cmd or { 'scenpack', 'lsp' }
  local client_id = nil
  local group = vim.api.nvim_create_augroup('scenpack', { clear = true })
  local saved_encodings = nil

  -- Read the descriptions as Windows-1252 (Neovim holds them as UTF-8,
  -- which is what the server is sent) and write them back so.
  vim.api.nvim_create_autocmd('BufReadPre', {
    group = group,
    pattern = '*.txt',
    callback = function(args)
      if is_description(args.file) then
        saved_encodings = vim.o.fileencodings
        vim.o.fileencodings = 'cp1252'
      end
    end,
  })
  vim.api.nvim_create_autocmd({ 'BufReadPost', 'BufNewFile' }, {
    group = group,
    pattern = '*.txt',
    callback = function(args)
      if saved_encodings then
        vim.o.fileencodings = saved_encodings
        saved_encodings = nil
      end
      if not is_description(args.file) then return end
      vim.bo[args.buf].filetype = 'scenpack'
      vim.bo[args.buf].fileencoding = 'cp1252'
      if not client_id or not vim.lsp.get_client_by_id(client_id) then
        client_id = vim.lsp.start_client({ name = 'scenpack', cmd = cmd, root_dir = vim.fn.getcwd() })
      end
      if client_id then vim.lsp.buf_attach_client(args.buf, client_id) end
    end,
  })
end

return M
