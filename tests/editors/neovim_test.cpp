// The language server with a real client: headless Neovim and the Lua file
// in editors/neovim open a description, a fault is typed in, and the client
// must have received it at its line and column.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/run_exe.h"
#include "support/temp_dir.h"

namespace scenpack {
namespace {

using namespace testing_support;

#ifndef _WIN32
TEST(Neovim, ShowsTheFaultTypedIntoADescription) {
#ifndef SCENPACK_LANGUAGE_SERVER
  GTEST_SKIP() << "built without the language server (nlohmann-json3-dev)";
#endif
  if (std::system("command -v nvim >/dev/null 2>&1") != 0) {
    if (std::getenv("SCENPACK_REQUIRE_NEOVIM")) FAIL() << "nvim is not installed";
    GTEST_SKIP() << "nvim is not installed (apt-get install neovim)";
  }
  TempDir dir;
  ASSERT_EQ(run_scenpack(dir.path(), {"init", "Valdora1", "12"}).status, 0);
  const std::string command =
      "cd " + shell_quote(dir.path()) + " && SCENPACK_SOURCE_DIR=" + shell_quote(SCENPACK_SOURCE_DIR) +
      " SCENPACK_EXE=" + shell_quote(SCENPACK_EXE) + " SCENPACK_FILE=Valdora1_linea.txt SCENPACK_RESULT=" +
      shell_quote(dir.file("result")) + " timeout 60 nvim --headless -u NONE -i NONE -n -c " +
      shell_quote("luafile " + std::string(SCENPACK_SOURCE_DIR) + "/tests/editors/neovim_client.lua") +
      " >" + shell_quote(dir.file("nvim.log")) + " 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << slurp(dir.file("nvim.log"));
  EXPECT_EQ(slurp(dir.file("result")),
            "filetype scenpack cp1252\n"
            // The embedded line description's two gradients at 265350 m.
            "opened 139:12 2 the gradient at 265350 falls in cell 5307 (265350-265399 m), where the gradient at "
            "265350 starts too: the cell gets that one's 4 per mille, and this one's 0 starts at cell 5308 (265400 "
            "m)\n"
            "typed 37:23 1 Errore n. 1: route length above 1000000\n"
            "typed 37:23 3 the reading stopped here; 7 general records, 95 gradients, 75 curves, 21 speed boards, "
            "39 tunnels and 9 text boards below are not in the compiled files, nor is anything of the train "
            "description\n"
            "typed 0:0 3 the records after the route length were not checked, nor the train description\n");
}
#endif

}  // namespace
}  // namespace scenpack
