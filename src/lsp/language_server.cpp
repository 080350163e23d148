#include "lsp/language_server.h"

#include "lsp/diagnostics.h"
#include "lsp/editor_text.h"
#include "lsp/file_uri.h"
#include "lsp/record_help.h"

namespace scenpack {
namespace {

using json = nlohmann::json;

// JSON-RPC's error codes.
constexpr int kParseError = -32700;
constexpr int kInvalidRequest = -32600;
constexpr int kMethodNotFound = -32601;
constexpr int kInvalidParams = -32602;
constexpr int kServerNotInitialized = -32002;

// Asked of a request that the server does not answer: a reason and a code.
struct RequestError {
  int code;
  std::string message;
};

std::string error_answer(const json& id, int code, const std::string& message) {
  return json{{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}}.dump(
      -1, ' ', false, json::error_handler_t::replace);
}

std::string result_answer(const json& id, const json& result) {
  return json{{"jsonrpc", "2.0"}, {"id", id}, {"result", result}}.dump(-1, ' ', false,
                                                                         json::error_handler_t::replace);
}

std::string notification(const std::string& method, const json& params) {
  return json{{"jsonrpc", "2.0"}, {"method", method}, {"params", params}}.dump(-1, ' ', false,
                                                                                 json::error_handler_t::replace);
}

// A string member, "" when absent or not a string.
std::string text_member(const json& object, const char* name) {
  if (!object.is_object()) return "";
  const auto found = object.find(name);
  return found != object.end() && found->is_string() ? found->get<std::string>() : "";
}

EditorPosition position_of(const json& p) {
  const auto number = [&](const char* name) {
    const auto found = p.find(name);
    if (found == p.end() || !found->is_number_integer()) throw RequestError{kInvalidParams, "bad position"};
    const int64_t v = found->get<int64_t>();
    return static_cast<int>(v < 0 ? 0 : v > 1 << 30 ? 1 << 30 : v);
  };
  if (!p.is_object()) throw RequestError{kInvalidParams, "bad position"};
  return EditorPosition{number("line"), number("character")};
}

bool before(EditorPosition a, EditorPosition b) {
  return a.line < b.line || (a.line == b.line && a.character < b.character);
}

json capabilities() {
  return {{"textDocumentSync", {{"openClose", true}, {"change", 2}, {"save", {{"includeText", false}}}}},
          {"hoverProvider", true},
          {"completionProvider", {{"resolveProvider", false}}},
          {"documentSymbolProvider", true},
          {"codeActionProvider", {{"codeActionKinds", json::array({"quickfix"})}}}};
}

}  // namespace

std::string framed(std::string_view content) {
  return "Content-Length: " + std::to_string(content.size()) + "\r\n\r\n" + std::string(content);
}

std::string LanguageServer::framing_error(const Frame& f) const {
  return error_answer(nullptr, f.kind == Frame::Kind::kTooLarge ? kInvalidRequest : kParseError, f.problem);
}

std::vector<std::string> LanguageServer::handle(std::string_view content) {
  std::vector<std::string> out;
  const json message = json::parse(content, nullptr, false);
  if (message.is_discarded()) {
    out.push_back(error_answer(nullptr, kParseError, "the message is not JSON"));
    return out;
  }
  if (message.is_array()) {  // a batch: each in turn
    if (message.empty()) out.push_back(error_answer(nullptr, kInvalidRequest, "an empty batch"));
    for (const json& m : message) dispatch(m, out);
    return out;
  }
  dispatch(message, out);
  return out;
}

void LanguageServer::dispatch(const json& message, std::vector<std::string>& out) {
  const bool has_id = message.is_object() && message.contains("id") &&
                      (message["id"].is_string() || message["id"].is_number_integer());
  const json id = has_id ? message["id"] : json(nullptr);
  const std::string method = text_member(message, "method");
  if (!message.is_object() || method.empty() || (message.contains("id") && !has_id)) {
    out.push_back(error_answer(id, kInvalidRequest, "not a request or notification"));
    return;
  }
  const json params = message.contains("params") ? message["params"] : json::object();
  try {
    if (!has_id) {
      take_notification(method, params, out);
      return;
    }
    if (shut_down_) throw RequestError{kInvalidRequest, "the server has been shut down"};
    if (!initialized_ && method != "initialize") throw RequestError{kServerNotInitialized, "not initialized"};
    out.push_back(result_answer(id, answer_request(method, params)));
  } catch (const RequestError& e) {
    if (has_id) out.push_back(error_answer(id, e.code, e.message));
  } catch (const json::exception& e) {
    if (has_id) out.push_back(error_answer(id, kInvalidParams, std::string("bad parameters: ") + e.what()));
  }
}

LanguageServer::json LanguageServer::answer_request(const std::string& method, const json& params) {
  if (method == "initialize") {
    initialized_ = true;
    return {{"capabilities", capabilities()}, {"serverInfo", {{"name", "scenpack"}, {"version", SCENPACK_VERSION}}}};
  }
  if (method == "shutdown") {
    shut_down_ = true;
    return nullptr;
  }
  if (method == "textDocument/hover") return hover(params);
  if (method == "textDocument/completion") return completion(params);
  if (method == "textDocument/documentSymbol") return document_symbols(params);
  if (method == "textDocument/codeAction") return code_actions(params);
  throw RequestError{kMethodNotFound, "no method " + method};
}

void LanguageServer::take_notification(const std::string& method, const json& params,
                                       std::vector<std::string>& out) {
  if (method == "exit") {
    exited_ = true;
    return;
  }
  if (!initialized_ || shut_down_) return;
  const json& doc = params.is_object() && params.contains("textDocument") ? params["textDocument"] : json::object();
  const std::string uri = text_member(doc, "uri");
  if (uri.empty()) return;
  if (method == "textDocument/didOpen") {
    if (!documents_.open(uri, text_member(doc, "text"))) {
      out.push_back(notification("window/showMessage",
                                 {{"type", 1}, {"message", "scenpack: " + uri + " is too large to be checked"}}));
      return;
    }
  } else if (method == "textDocument/didChange") {
    const json changes = params.value("contentChanges", json::array());
    if (!changes.is_array()) return;
    for (const json& c : changes) {
      if (!c.is_object()) continue;
      TextChange change;
      change.text = text_member(c, "text");
      if (c.contains("range") && c["range"].is_object()) {
        change.start = position_of(c["range"].value("start", json()));
        change.end = position_of(c["range"].value("end", json()));
      }
      if (!documents_.change(uri, change)) break;
    }
  } else if (method == "textDocument/didClose") {
    documents_.close(uri);
    fixes_.erase(uri);
    out.push_back(notification("textDocument/publishDiagnostics", {{"uri", uri}, {"diagnostics", json::array()}}));
    return;
  } else if (method != "textDocument/didSave") {
    return;
  }
  publish_for(uri, out);
}

void LanguageServer::publish_for(const std::string& uri, std::vector<std::string>& out) {
  const std::string* text = documents_.text(uri);
  const std::optional<std::string> path = path_of_file_uri(uri);
  if (!text || !path) return;
  const DescriptionPair pair = pair_of(*path, *text, files_);
  // Each description from the editor when it is open there, else from its file.
  const auto input = [&](const std::string& p) {
    DescriptionInput in;
    in.path = p;
    if (p.empty()) return in;
    in.uri = file_uri_of_path(p);
    for (const auto& [open_uri, open_text] : documents_.all()) {
      if (path_of_file_uri(open_uri) != p) continue;
      DescriptionBytes converted = description_bytes(open_text);
      in.uri = open_uri;
      in.bytes = std::move(converted.bytes);
      in.unconvertible = std::move(converted.unconvertible);
      in.unconvertible_count = converted.unconvertible_count;
      return in;
    }
    in.bytes = files_.read(p);
    return in;
  };
  for (const Publication& p : diagnose(pair, input(pair.line_path), input(pair.train_path))) {
    out.push_back(notification("textDocument/publishDiagnostics", {{"uri", p.uri}, {"diagnostics", p.diagnostics}}));
    if (p.fixes.empty()) fixes_.erase(p.uri);
    else fixes_[p.uri] = p.fixes;
  }
}

std::optional<LanguageServer::Viewed> LanguageServer::view(const json& params) {
  const std::string uri = text_member(params.value("textDocument", json::object()), "uri");
  const std::string* text = documents_.text(uri);
  if (!text) return std::nullopt;
  const std::optional<std::string> path = path_of_file_uri(uri);
  return Viewed{description_bytes(*text).bytes, pair_of(path.value_or(""), *text, files_)};
}

LanguageServer::json LanguageServer::hover(const json& params) {
  const EditorPosition at = position_of(params.value("position", json()));
  const std::optional<Viewed> v = view(params);
  if (!v) return nullptr;
  return hover_at(v->bytes, v->pair.kind, at);
}

LanguageServer::json LanguageServer::completion(const json& params) {
  const EditorPosition at = position_of(params.value("position", json()));
  const std::optional<Viewed> v = view(params);
  if (!v) return json::array();
  return completions_at(v->bytes, v->pair.kind, at);
}

LanguageServer::json LanguageServer::document_symbols(const json& params) {
  const std::optional<Viewed> v = view(params);
  if (!v) return json::array();
  return symbols_of(v->bytes, v->pair.kind);
}

LanguageServer::json LanguageServer::code_actions(const json& params) {
  const std::string uri = text_member(params.value("textDocument", json::object()), "uri");
  const json range = params.value("range", json::object());
  if (!range.is_object()) throw RequestError{kInvalidParams, "bad range"};
  const EditorPosition from = position_of(range.value("start", json()));
  const EditorPosition to = position_of(range.value("end", json()));
  json out = json::array();
  const auto found = fixes_.find(uri);
  if (found == fixes_.end()) return out;
  // Every fix of a finding that the asked range touches (an empty range,
  // the cursor, touches the finding it is in or at either end of).
  for (const json& fix : found->second) {
    const json& r = fix["diagnostics"][0]["range"];
    if (!before(position_of(r["end"]), from) && !before(to, position_of(r["start"]))) out.push_back(fix);
  }
  return out;
}

int serve_language(MessageReader& in, const std::function<void(std::string_view)>& write, Workspace& files) {
  LanguageServer server(files);
  for (;;) {
    const Frame f = in.next();
    if (f.kind == Frame::Kind::kEnd) return 1;  // the editor went away without "exit"
    if (f.kind != Frame::Kind::kMessage) {
      write(framed(server.framing_error(f)));
      continue;
    }
    for (const std::string& answer : server.handle(f.content)) write(framed(answer));
    if (server.exited()) return server.exit_status();
  }
}

}  // namespace scenpack
