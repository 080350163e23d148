// libFuzzer target: the language server as an editor's pipe feeds it. The
// input is the byte stream the server reads on stdin: framed messages
// (headers, content, malformed headers, huge lengths), each message handed
// to the server, which keeps the editor's documents and their changes from
// one message to the next. The files beside the documents are a small
// in-memory pair, so that a document opened under one of their names is
// checked with its partner.
//
// Every answer must be one JSON value; the reader must never hold a
// message above its limit. Any crash, sanitizer report, leak, hang or
// broken property is a finding.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "lsp/language_server.h"

namespace {

using namespace scenpack;

// A limit small beside the fuzzer's inputs, so that "too large" is reached.
constexpr size_t kLargestMessage = 4096;

// The pair beside the documents, and a scenario file that names others.
FilesInMemory small_workspace() {
  FilesInMemory w;
  w.files = {
      {"/r/Tarvena1_linea.txt",
       "linea\r\n[generale]\r\nlunghezza percorso, 5000\r\n[pendenze]\r\npendenza, 500, 3\r\n"
       "[curve]\r\ncurvad2, 500, 300\r\n[fine]\r\n\r\n"},
      {"/r/Tarvena1_84-.txt",
       "treno\r\n[generale]\r\nnumero vetture, 4\r\n[vel_limite]\r\nvelocita' limite, 0, 60\r\n"
       "[stazioni]\r\nstazione, 0, 8, 500, 1, 0, 0, 4,0,0, 2,1,0, 1, 8, 10, 0, ROMA\r\n"
       "[segnali]\r\nsegnale, 2550, 2, 4, 1, 0, 0, 0, 2, 1, 1, 0\r\n[fine]\r\n\r\n"},
      {"/s/scenpack.ini", "name = Valdora1\nnumber = 12\nline = a.txt\ntrain = b.txt\n"},
  };
  return w;
}

void check_answer(std::string_view framed_answer) {
  const size_t body = framed_answer.find("\r\n\r\n");
  if (body == std::string_view::npos) {
    std::fprintf(stderr, "an answer without its header\n");
    std::abort();
  }
  if (nlohmann::json::parse(framed_answer.substr(body + 4), nullptr, false).is_discarded()) {
    std::fprintf(stderr, "an answer that is no JSON: %.*s\n", static_cast<int>(framed_answer.size()),
                 framed_answer.data());
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  // Bytes arrive a few at a time, as through a pipe: the reader must put
  // messages together across reads.
  MessageReader reader(
      [&rest](char* buffer, size_t wanted) {
        const size_t n = std::min({wanted, rest.size(), size_t{97}});
        std::memcpy(buffer, rest.data(), n);
        rest.remove_prefix(n);
        return n;
      },
      kLargestMessage);
  FilesInMemory files = small_workspace();
  serve_language(reader, check_answer, files);
  return 0;
}
