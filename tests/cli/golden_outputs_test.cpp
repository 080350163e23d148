// The product is bytes: the files of the embedded scenario, run through the
// real executable, have exactly the SHA-256 sums recorded here, on every
// system the tests run on. A change of any output byte fails here first.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/run_exe.h"
#include "support/sha256.h"
#include "support/temp_dir.h"

namespace scenpack {
namespace {

using namespace testing_support;

struct Golden {
  const char* file;
  const char* sha256;
};

void expect_sums(const TempDir& dir, const std::vector<Golden>& golden) {
  for (const Golden& g : golden) EXPECT_EQ(sha256_hex(slurp(dir.file(g.file))), g.sha256) << g.file;
}

TEST(GoldenOutputs, Sha256OfAKnownText) {
  EXPECT_EQ(sha256_hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(sha256_hex(std::string(1000, 'a')), "41edece42d63e8d9bf515a9ba6932e1c20cbc9f5a5d134645adb5db1b9737ea3");
}

// The run writes the three compiled files and the three documents (and
// deletes the two descriptions it read); emit writes the two descriptions.
TEST(GoldenOutputs, TheEmbeddedScenarioHasItsEightFilesToTheByte) {
  TempDir dir;
  const ExeResult run = run_scenpack(dir.path(), {"run", "--dir", ".", "--quiet"});
  ASSERT_EQ(run.status, 0) << run.err;
  expect_sums(dir, {
      {"Tarvena1_linea.dat", "a9c9817bf4f057a533e57394e88a79a8aa2d790fd22738ff14edbbbca3d4c69e"},
      {"Tarvena1_84.sim", "813a09a90429483636b7ed8878f90bae46d6b92da804b8e2aacbed1c15eecf78"},
      {"Tarvena1_84.dat", "4cb5800e80224e169d26e30ae5cb08b3812b797004adabac8f9297a574dafa4c"},
      {"Tarvena1_84_note.txt", "48d74de97fa2f2d198597de0664233b5011c91face144e41991091a0672b4434"},
      {"Tarvena1_84_rallentamenti.txt", "e63c1f4ecc1cfbde40f1f5076b9ccb8ba39c7e29668a4497f711c620bb9ee4dd"},
      {"Tarvena1_84_scheda_treno.txt", "b5fae2c0470dd0e9b54d60809771f9acdabb529a676b6a7553cacfaa4264fda3"},
  });
  TempDir texts;
  const ExeResult emit = run_scenpack(texts.path(), {"emit", "--dir", "."});
  ASSERT_EQ(emit.status, 0) << emit.err;
  expect_sums(texts, {
      {"Tarvena1_linea.txt", "f448cd1145c91726a1ef8730ddb86397f6cd4ff82ce6626130efe5146d2908f6"},
      {"Tarvena1_84-.txt", "42ae49efac082f14513dad3622deae81fa4567f1b2ef9426ff9d13cc36c2cc2d"},
  });
}

}  // namespace
}  // namespace scenpack
