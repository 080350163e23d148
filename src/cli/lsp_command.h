// scenpack lsp: the language server on stdin and stdout.
#pragma once

namespace scenpack {

// Serves until the editor says "exit" or closes the input; the exit status
// is 0 after a shutdown, else 1.
int run_language_server();

}  // namespace scenpack
