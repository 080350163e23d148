// Runs the real scenpack executable through the shell, in a given working
// directory, with stdin closed, and collects its exit status and output.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace scenpack::testing_support {

struct ExeResult {
  int status = -1;  // exit status, or 128 + signal
  std::string out;
  std::string err;
};

inline std::string shell_quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// `shell_prefix` runs before the program in the same shell ("ulimit -f 1; ").
inline ExeResult run_exe(const std::string& exe, const std::string& cwd, const std::vector<std::string>& args,
                         const std::string& shell_prefix = "") {
  TempDir capture;
  std::string cmd = "cd " + shell_quote(cwd) + " && " + shell_prefix + "exec " + shell_quote(exe);
  for (const std::string& a : args) cmd += " " + shell_quote(a);
  cmd += " </dev/null >" + shell_quote(capture.file("out")) + " 2>" + shell_quote(capture.file("err"));
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

}  // namespace scenpack::testing_support
