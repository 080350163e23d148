// The pictures of `scenpack plot` as a real browser draws them: Debian's
// chromium, headless, with no network. Skipped when chromium is absent
// (.ci/run installs it).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#if defined(SCENPACK_TEST_PNG) && !defined(_WIN32)
#define SCENPACK_BROWSER_TESTS 1
#include "markup/escape.h"
#include "support/png.h"
#include "support/run_exe.h"
#include "cli/compiled_files.h"
#include "view/compiled_scenario.h"
#include "view/route_picture.h"
#include "view/summary.h"

#endif

namespace scenpack {
namespace {

#ifndef SCENPACK_BROWSER_TESTS
TEST(RouteInBrowser, NeedsZlibAndAPosixShell) {
#ifndef _WIN32
  if (std::getenv("SCENPACK_REQUIRE_BROWSER")) FAIL() << "the browser tests were built without zlib";
#endif
  GTEST_SKIP() << "the browser tests need zlib (zlib1g-dev) to read screenshots and a POSIX shell";
}
#else
using namespace testing_support;

// The browser's path, or "" when none is installed.
std::string chromium() {
  for (const char* name : {"chromium", "chromium-browser"}) {
    TempDir where;
    const std::string out = where.file("path");
    if (std::system(("command -v " + std::string(name) + " >" + shell_quote(out) + " 2>/dev/null").c_str()) == 0) {
      std::string path = slurp(out);
      while (!path.empty() && (path.back() == '\n' || path.back() == '\r')) path.pop_back();
      if (!path.empty()) return path;
    }
  }
  return "";
}

// Runs headless chromium on a local file with a fresh profile, no network
// and no updates; `what` is "--screenshot=FILE" or "--dump-dom".
ExeResult run_browser(const std::string& browser, const TempDir& dir, const std::string& page, const std::string& what,
                      const std::string& window) {
  // At most two minutes: a browser that hangs fails the test instead.
  return run_exe("timeout", dir.path(),
                 {"120", browser, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                  "--disable-background-networking", "--disable-component-update", "--disable-sync",
                  "--hide-scrollbars", "--user-data-dir=" + dir.file("profile"), "--window-size=" + window, what,
                  "file://" + dir.file(page)});
}

bool near(const Rgb& p, int r, int g, int b) {
  return std::abs(p.r - r) < 24 && std::abs(p.g - g) < 24 && std::abs(p.b - b) < 24;
}

// Pixels of one colour inside a box of the picture.
int pixels_like(const Image& img, const Box& box, int r, int g, int b) {
  int n = 0;
  for (uint32_t y = static_cast<uint32_t>(box.top); y < box.bottom() && y < img.height; ++y) {
    for (uint32_t x = static_cast<uint32_t>(box.left); x < box.right() && x < img.width; ++x) n += near(img.at(x, y), r, g, b);
  }
  return n;
}

class RouteInBrowser : public ::testing::Test {
 protected:
  void SetUp() override {
    browser = chromium();
    if (browser.empty()) {
      // CI installs chromium and sets SCENPACK_REQUIRE_BROWSER: there a missing browser is a failure.
      if (std::getenv("SCENPACK_REQUIRE_BROWSER")) FAIL() << "chromium is required but not installed";
      GTEST_SKIP() << "chromium is not installed (apt-get install chromium); the pictures are not rendered";
    }
    ASSERT_EQ(run_scenpack(dir.path(), {"run", "--dir", ".", "--quiet"}).status, 0);
  }
  std::string browser;
  TempDir dir;
};

TEST_F(RouteInBrowser, SvgShowsTheTrackInTheMapAndTheLinesInTheProfileBand) {
  ASSERT_EQ(run_scenpack(dir.path(), {"plot", ".", "--out", "route.svg"}).status, 0);
  const ExeResult shot = run_browser(browser, dir, "route.svg", "--screenshot=" + dir.file("route.png"), "1200,1100");
  ASSERT_EQ(shot.status, 0) << shot.err;
  const std::optional<Image> img = read_png(slurp(dir.file("route.png")));
  ASSERT_TRUE(img) << "no PNG screenshot";
  ASSERT_EQ(img->width, 1200u);
  const PictureLayout& l = kPictureLayout;
  EXPECT_GT(pixels_like(*img, l.map, 0x1f, 0x4e, 0x9c), 150) << "track";
  EXPECT_GT(pixels_like(*img, l.map, 0xc0, 0x39, 0x2b), 100) << "stations";
  EXPECT_GT(pixels_like(*img, l.profile, 0x2e, 0x7d, 0x32), 500) << "speed steps";
  EXPECT_GT(pixels_like(*img, l.profile, 0x6a, 0x1b, 0x9a), 500) << "gradient";
  EXPECT_GT(pixels_like(*img, l.profile, 0xd3, 0x2f, 0x2f), 200) << "signal ticks";
  // The track is drawn in the map area, not in the profile band.
  EXPECT_GT(pixels_like(*img, l.map, 0x1f, 0x4e, 0x9c), 5 * pixels_like(*img, l.profile, 0x1f, 0x4e, 0x9c));
}

TEST_F(RouteInBrowser, HtmlPageShowsThePictureAndHoldsTheTablesWithEveryStation) {
  ASSERT_EQ(run_scenpack(dir.path(), {"plot", ".", "--out", "route.html"}).status, 0);
  const ExeResult shot = run_browser(browser, dir, "route.html", "--screenshot=" + dir.file("page.png"), "1900,1300");
  ASSERT_EQ(shot.status, 0) << shot.err;
  const std::optional<Image> img = read_png(slurp(dir.file("page.png")));
  ASSERT_TRUE(img);
  const Box page{0, 0, static_cast<double>(img->width), static_cast<double>(img->height)};
  EXPECT_GT(pixels_like(*img, page, 0x1f, 0x4e, 0x9c), 150) << "track";
  EXPECT_GT(pixels_like(*img, page, 0x6a, 0x1b, 0x9a), 500) << "gradient";

  const ExeResult dom = run_browser(browser, dir, "route.html", "--dump-dom", "1900,1300");
  ASSERT_EQ(dom.status, 0) << dom.err;
  for (const char* table : {"<table id=\"stations\">", "<table id=\"slow-orders\">", "<table id=\"signals\">"}) {
    EXPECT_NE(dom.out.find(table), std::string::npos) << table;
  }
  CompiledScenario scenario;
  ASSERT_FALSE(load_directory(dir.path(), "Tarvena1", "84", scenario));
  const ScenarioSummary summary = summarize(scenario);
  ASSERT_EQ(summary.stations.size(), 33u);
  const std::string stations = dom.out.substr(dom.out.find("<table id=\"stations\">"));
  for (const StationRow& s : summary.stations) {
    EXPECT_NE(stations.find("<td class=\"name\">" + xml_text(s.name) + "</td>"), std::string::npos) << s.name;
  }
}

#endif

}  // namespace
}  // namespace scenpack
