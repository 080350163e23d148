-- Run by tests/editors/neovim_test.cpp in headless Neovim: opens a clean
-- description with editors/neovim/scenpack.lua, types a fault into it and
-- writes what the client received into $SCENPACK_RESULT, one diagnostic a
-- line ("phase line:column severity message", 0-based as Neovim has them).
package.path = vim.env.SCENPACK_SOURCE_DIR .. '/editors/neovim/?.lua;' .. package.path
require('scenpack').setup({ cmd = { vim.env.SCENPACK_EXE, 'lsp' } })

local out = {}
local function record(phase)
  for _, d in ipairs(vim.diagnostic.get(0)) do
    table.insert(out, string.format('%s %d:%d %d %s', phase, d.lnum, d.col, d.severity, d.message))
  end
end
local function has_error()
  return #vim.diagnostic.get(0, { severity = vim.diagnostic.severity.ERROR }) > 0
end

vim.cmd('edit ' .. vim.fn.fnameescape(vim.env.SCENPACK_FILE))
table.insert(out, 'filetype ' .. vim.bo.filetype .. ' ' .. vim.bo.fileencoding)
-- The first publication (warnings only) ends the wait; none comes for a
-- clean text, so the wait just runs out then.
vim.wait(3000, function() return #vim.diagnostic.get(0) > 0 end, 50)
record('opened')

-- The route length typed past its limit on line 38.
vim.api.nvim_buf_set_lines(0, 37, 38, false, { 'lunghezza percorso,    2700000' })
if not vim.wait(10000, has_error, 50) then table.insert(out, 'typed: no error received') end
record('typed')

vim.fn.writefile(out, vim.env.SCENPACK_RESULT)
vim.cmd('qa!')
