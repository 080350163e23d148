// Runs the real scenpack executable in a given working directory, with
// stdin closed, and collects its exit status and output: through the shell
// on POSIX systems, through CreateProcessW on Windows (where the console
// line ends, CR LF, are read back as LF so that the same checks hold;
// except for a program whose output is bytes, as the language server's).
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#endif

#include "support/temp_dir.h"

namespace scenpack::testing_support {

struct ExeResult {
  int status = -1;  // exit status, or 128 + signal
  std::string out;
  std::string err;
};

#ifdef _WIN32

// One argument as the C runtime of the child splits its command line.
inline std::wstring command_line_quote(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) return arg;
  std::wstring q = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    q.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    q += c;
  }
  q.append(backslashes * 2, L'\\');
  return q + L"\"";
}

inline std::string without_carriage_returns(std::string s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (!(s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n')) out += s[i];
  }
  return out;
}

enum class Output { kText, kBytes };

inline ExeResult run_exe(const std::string& exe, const std::string& cwd, const std::vector<std::string>& args,
                         const std::string& stdin_path = "", Output output = Output::kText) {
  TempDir capture;
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  auto open = [&](const std::wstring& path, DWORD access, DWORD disposition) {
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
  };
  HANDLE in = open(stdin_path.empty() ? std::wstring(L"NUL") : fs_path(stdin_path).wstring(), GENERIC_READ,
                   OPEN_EXISTING);
  HANDLE out = open(fs_path(capture.file("out")).wstring(), GENERIC_WRITE, CREATE_ALWAYS);
  HANDLE err = open(fs_path(capture.file("err")).wstring(), GENERIC_WRITE, CREATE_ALWAYS);
  const std::wstring program = fs_path(exe).wstring();
  std::wstring command = command_line_quote(program);
  for (const std::string& a : args) command += L" " + command_line_quote(fs_path(a).wstring());
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in;
  startup.hStdOutput = out;
  startup.hStdError = err;
  PROCESS_INFORMATION process{};
  ExeResult r;
  if (CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                     fs_path(cwd).wstring().c_str(), &startup, &process)) {
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    if (GetExitCodeProcess(process.hProcess, &code)) r.status = static_cast<int>(code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  for (HANDLE h : {in, out, err}) CloseHandle(h);
  r.out = slurp(capture.file("out"));
  if (output == Output::kText) r.out = without_carriage_returns(r.out);
  r.err = without_carriage_returns(slurp(capture.file("err")));
  return r;
}

// The executable's path made absolute while the working directory is still
// the build folder: the tests' own directories are on another drive.
inline ExeResult run_scenpack(const std::string& cwd, const std::vector<std::string>& args) {
  static const std::string exe = utf8_of(std::filesystem::absolute(SCENPACK_EXE));
  return run_exe(exe, cwd, args);
}

#else

inline std::string shell_quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// `shell_prefix` runs before the program in the same shell ("ulimit -f 1; ").
inline ExeResult run_exe(const std::string& exe, const std::string& cwd, const std::vector<std::string>& args,
                         const std::string& shell_prefix = "", const std::string& stdin_path = "/dev/null") {
  TempDir capture;
  std::string cmd = std::string("cd ").append(shell_quote(cwd)) + " && " + shell_prefix + "exec " + shell_quote(exe);
  for (const std::string& a : args) cmd.append(" ").append(shell_quote(a));
  cmd.append(" <").append(shell_quote(stdin_path));
  cmd.append(" >").append(shell_quote(capture.file("out"))).append(" 2>").append(shell_quote(capture.file("err")));
  const int raw = std::system(cmd.c_str());
  ExeResult r;
  if (raw != -1 && WIFEXITED(raw)) r.status = WEXITSTATUS(raw);
  else if (raw != -1 && WIFSIGNALED(raw)) r.status = 128 + WTERMSIG(raw);
  r.out = slurp(capture.file("out"));
  r.err = slurp(capture.file("err"));
  return r;
}

inline ExeResult run_scenpack(const std::string& cwd, const std::vector<std::string>& args,
                              const std::string& shell_prefix = "") {
  return run_exe(SCENPACK_EXE, cwd, args, shell_prefix);
}

#endif

// The same with stdin read from the file `input`, the output kept as the
// bytes written (a CR the program adds on Windows is seen).
inline ExeResult run_scenpack_with_input(const std::string& cwd, const std::vector<std::string>& args,
                                         const std::string& input) {
#ifdef _WIN32
  static const std::string exe = utf8_of(std::filesystem::absolute(SCENPACK_EXE));
  return run_exe(exe, cwd, args, input, Output::kBytes);
#else
  return run_exe(SCENPACK_EXE, cwd, args, "", input);
#endif
}

}  // namespace scenpack::testing_support
