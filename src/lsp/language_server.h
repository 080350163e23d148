// The language server: JSON-RPC 2.0 messages in, answers and published
// diagnostics out (the Language Server Protocol 3.17). It holds the texts the
// editor has open and checks a description, with the other of its pair, on
// every opening, change and save.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "lsp/description_pair.h"
#include "lsp/message_framing.h"
#include "lsp/open_documents.h"
#include "lsp/workspace.h"

namespace scenpack {

class LanguageServer {
 public:
  explicit LanguageServer(Workspace& files) : files_(files) {}

  // Handles one message's content; returns the contents of the messages to
  // send, in order.
  std::vector<std::string> handle(std::string_view content);
  // The answer to a frame that is no message (malformed, too large).
  std::string framing_error(const Frame& f) const;

  // True once "exit" has come; the process then ends with exit_status().
  bool exited() const { return exited_; }
  int exit_status() const { return shut_down_ ? 0 : 1; }

 private:
  using json = nlohmann::json;

  void dispatch(const json& message, std::vector<std::string>& out);
  json answer_request(const std::string& method, const json& params);
  void take_notification(const std::string& method, const json& params, std::vector<std::string>& out);
  void publish_for(const std::string& uri, std::vector<std::string>& out);

  json hover(const json& params);
  json completion(const json& params);
  json document_symbols(const json& params);
  json code_actions(const json& params);

  // The document's Windows-1252 bytes and its kind; none when not open.
  struct Viewed {
    std::string bytes;
    DescriptionPair pair;
  };
  std::optional<Viewed> view(const json& params);

  Workspace& files_;
  OpenDocuments documents_;
  // The quick fixes of the last findings published for each document.
  std::map<std::string, json> fixes_;
  bool initialized_ = false;
  bool shut_down_ = false;
  bool exited_ = false;
};

// Reads framed messages from `in` and writes framed answers with `write`
// until "exit" or the end of the input; returns the process's exit status.
int serve_language(MessageReader& in, const std::function<void(std::string_view)>& write, Workspace& files);

// "Content-Length: N\r\n\r\n" and the content.
std::string framed(std::string_view content);

}  // namespace scenpack
