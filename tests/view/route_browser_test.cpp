// The pictures of `scenpack plot` as a real browser draws them: Debian's
// chromium, headless, with no network. Skipped when chromium is absent
// (.ci/run installs it).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#if defined(SCENPACK_TEST_PNG) && !defined(_WIN32)
#define SCENPACK_BROWSER_TESTS 1
#include <cmath>

#include "markup/escape.h"
#include "markup/xml_writer.h"
#include "support/compiled_route.h"
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
  const ExeResult shot = run_browser(browser, dir, "route.svg", "--screenshot=" + dir.file("route.png"), "1200,1200");
  ASSERT_EQ(shot.status, 0) << shot.err;
  const std::optional<Image> img = read_png(slurp(dir.file("route.png")));
  ASSERT_TRUE(img) << "no PNG screenshot";
  ASSERT_EQ(img->width, 1200u);
  CompiledScenario scenario;
  ASSERT_FALSE(load_directory(dir.path(), "Tarvena1", "84", scenario));
  const PictureLayout l = picture_layout(scenario);
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
  // The tables speak the guide's words: a signal's codes as digit pairs, a
  // station's kind by name.
  const std::string signals = dom.out.substr(dom.out.find("<table id=\"signals\">"));
  EXPECT_NE(signals.find("<th>code 1</th><th>code 2</th><th>code 3</th><th>group</th><th>time</th>"), std::string::npos);
  EXPECT_NE(signals.find("<td>52</td><td>2550</td><td>4|2</td><td>1|1</td><td>0|1</td><td>6</td><td>0</td>"),
            std::string::npos);
  EXPECT_NE(stations.find("<td>block or junction post (kind 25)</td>"), std::string::npos);
}

// The page a browser is given to measure a picture: the SVG inline, and a
// script that reads every text's box as drawn and writes its verdict into
// the page, which --dump-dom hands back: "texts N" then one line for each
// text outside the picture and each pair of texts that overlap.
std::string measuring_page(const std::string& svg) {
  return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"></head><body style=\"margin:0\">" + svg +
         "<pre id=\"verdict\"></pre><script>\n"
         "const svg = document.querySelector('svg');\n"
         "const frame = svg.getBoundingClientRect();\n"
         "const texts = [...svg.querySelectorAll('text')].map(t => ({name: t.textContent, box: t.getBoundingClientRect()}));\n"
         "const lines = ['texts ' + texts.length];\n"
         "const slack = 0.5;\n"
         "for (const t of texts) {\n"
         "  const b = t.box;\n"
         "  if (b.left < frame.left - slack || b.top < frame.top - slack || b.right > frame.right + slack ||\n"
         "      b.bottom > frame.bottom + slack) lines.push('outside: ' + t.name);\n"
         "}\n"
         "for (let i = 0; i < texts.length; ++i) {\n"
         "  for (let j = i + 1; j < texts.length; ++j) {\n"
         "    const a = texts[i].box, b = texts[j].box;\n"
         "    const w = Math.min(a.right, b.right) - Math.max(a.left, b.left);\n"
         "    const h = Math.min(a.bottom, b.bottom) - Math.max(a.top, b.top);\n"
         "    if (w > slack && h > slack) lines.push('overlap: ' + texts[i].name + ' | ' + texts[j].name);\n"
         "  }\n"
         "}\n"
         "document.getElementById('verdict').textContent = lines.join('\\n') + '\\nend';\n"
         "</script></body></html>\n";
}

// The verdict the measuring page wrote, read back from the dumped page.
std::string verdict_of(const std::string& dom) {
  const std::string open = "<pre id=\"verdict\">";
  const size_t from = dom.find(open);
  if (from == std::string::npos) return "no verdict";
  const size_t to = dom.find("</pre>", from);
  return dom.substr(from + open.size(), to == std::string::npos ? std::string::npos : to - from - open.size());
}

// The texts of an SVG picture, measured in the browser: none outside the
// picture, no two overlapping.
void expect_texts_apart(const std::string& browser, const TempDir& dir, const std::string& svg, const std::string& name) {
  spit(dir.file(name + ".html"), measuring_page(svg));
  const ExeResult dom = run_browser(browser, dir, name + ".html", "--dump-dom", "1300,1400");
  ASSERT_EQ(dom.status, 0) << dom.err;
  const std::string verdict = verdict_of(dom.out);
  EXPECT_EQ(verdict.rfind("texts ", 0), 0u) << name << ": " << verdict;
  EXPECT_EQ(verdict.find('\n'), verdict.rfind("\nend")) << name << ":\n" << verdict;
}

// A route of 200 km crowded with marks: a station every 1,500 m with a
// long name, a slow order every 2,500 m, a signal every 1,000 m; the map a
// wide arc.
CompiledScenario crowded_route() {
  constexpr int32_t kMetres = 200000;
  CompiledScenario c = compiled_route("Affollato", "9", kMetres);
  RouteMap& m = *c.mappa;
  for (int32_t j = 0; j <= kMetres; ++j) {
    m.x[static_cast<size_t>(j)] = 60000 * std::sin(j / 60000.0);
    m.y[static_cast<size_t>(j)] = 60000 * (1 - std::cos(j / 60000.0));
  }
  std::vector<Cella>& cells = *c.celle;
  for (size_t i = 0; i < cells.size(); ++i) {
    cells[i].dato5 = static_cast<uint8_t>(20 + (i / 100) % 10);
    cells[i].dato6 = static_cast<uint8_t>(100 + (i / 37) % 25 - 12);
  }
  for (size_t i = 20; i * kCellLength < kMetres; i += 20) cells[i].tipo = kind::kSignal;
  for (size_t i = 35; i * kCellLength < kMetres; i += 50) {
    cells[i].tipo = kind::kSlowdownStart;
    cells[i].dato1 = static_cast<int16_t>(30 + (i % 7) * 10);
    cells[i + 6].tipo = kind::kSlowdownEnd;
  }
  auto& r = c.schede.emplace();
  r[84].lungo2 = kMetres;
  for (int k = 1; k <= 78; ++k) {
    const int32_t at = 1500 * k;
    r[static_cast<size_t>(k)] = Scheda{4, at - 200, at + 200, at, 0, "STAZIONE DI SAN LORENZO " + std::to_string(k)};
  }
  return c;
}

// The fullest 1,000,000 m route the tables take, as the benchmark's dense
// route fills them: a meandering map, a station every 20 km with a long
// name, a signal every 1,500 m, 80 tunnels, 28 text boards, the speed limit
// changing every 2,500 m and the gradient every 250 m, slow orders of every
// speed in the first fifth and a slow order on every other cell after it.
CompiledScenario dense_route() {
  constexpr int32_t kMetres = 1000000;
  CompiledScenario c = compiled_route("Fitto", "84", kMetres);
  RouteMap& m = *c.mappa;
  double heading = 1.2;
  for (size_t j = 1; j <= static_cast<size_t>(kMetres); ++j) {
    heading += 0.004 * std::sin(static_cast<double>(j) / 500.0) + 0.0000015;
    m.x[j] = m.x[j - 1] + std::cos(heading);
    m.y[j] = m.y[j - 1] + std::sin(heading);
  }
  std::vector<Cella>& cells = *c.celle;
  const size_t route_cells = static_cast<size_t>(kMetres / kCellLength);
  for (size_t i = 0; i < cells.size(); ++i) {
    cells[i].dato5 = static_cast<uint8_t>(16 + (i / 50) % 14);
    cells[i].dato6 = static_cast<uint8_t>(100 + (i / 5) % 31 - 15);
  }
  for (size_t t = 0; t < 80; ++t) {
    for (size_t i = 120 + t * 250; i < 130 + t * 250 + t % 40; ++i) cells[i].galleria = static_cast<uint8_t>(1 + t % 4);
  }
  for (size_t i = 30; i < route_cells; i += 30) cells[i].tipo = kind::kSignal;
  for (size_t i = 7; i < route_cells / 5; i += 8) {
    if (cells[i].tipo != kind::kNothing || cells[i + 3].tipo != kind::kNothing) continue;
    cells[i].tipo = kind::kSlowdownStart;
    cells[i].dato1 = static_cast<int16_t>(10 + (i % 13) * 10);
    cells[i + 3].tipo = kind::kSlowdownEnd;
  }
  for (size_t i = route_cells / 5; i + 1 < route_cells; i += 2) {
    if (cells[i].tipo != kind::kNothing) continue;
    cells[i].tipo = kind::kSlowdownStart;
    cells[i].dato1 = static_cast<int16_t>(30 + (i % 9) * 10);
  }
  auto& r = c.schede.emplace();
  r[84].lungo2 = kMetres;
  for (int k = 1; k <= 50; ++k) {
    const int32_t at = 20000 * k - 10000;
    r[static_cast<size_t>(k)] = Scheda{4, at - 200, at + 200, at, 0, "STAZIONE DI SAN LORENZO " + std::to_string(k)};
  }
  for (int k = 0; k < 28; ++k) {
    const size_t record = static_cast<size_t>(kFirstBoardRecord - k);
    r[record].testo = "AVVISO " + std::to_string(k + 1);
    Cella& board = cells[static_cast<size_t>(701 + 700 * k)];
    board.tipo = kind::kTextBoard;
    board.dato1 = static_cast<int16_t>(record);
  }
  return c;
}

TEST_F(RouteInBrowser, NoTextCoversAnotherOrLeavesThePicture) {
  CompiledScenario embedded;
  ASSERT_FALSE(load_directory(dir.path(), "Tarvena1", "84", embedded));
  expect_texts_apart(browser, dir, route_svg(embedded, summarize(embedded)), "embedded");

  const CompiledScenario crowded = crowded_route();
  expect_texts_apart(browser, dir, route_svg(crowded, summarize(crowded)), "crowded");

  const CompiledScenario dense = dense_route();
  expect_texts_apart(browser, dir, route_svg(dense, summarize(dense)), "dense");

  // The guide's example, built from the page as an author would.
  const std::string guide = slurp(std::string(SCENPACK_SOURCE_DIR) + "/docs/descriptions.md");
  for (const char* name : {"linea_valle.txt", "treno_valle.txt"}) {
    const std::string open = std::string("```text ") + name + "\n";
    const size_t from = guide.find(open);
    ASSERT_NE(from, std::string::npos) << name;
    const size_t body = from + open.size();
    spit(dir.file(name), guide.substr(body, guide.find("```", body) - body));
  }
  ASSERT_EQ(run_scenpack(dir.path(), {"build", "--quiet", "-w", "--name", "Valle", "--number", "7", "--line",
                                      "linea_valle.txt", "--train", "treno_valle.txt"})
                .status,
            0);
  CompiledScenario valle;
  ASSERT_FALSE(load_directory(dir.path(), "Valle", "7", valle));
  expect_texts_apart(browser, dir, route_svg(valle, summarize(valle)), "valle");
}

TEST_F(RouteInBrowser, PageNeedsNoSidewaysScrollAt1366) {
  ASSERT_EQ(run_scenpack(dir.path(), {"plot", ".", "--out", "route.html"}).status, 0);
  for (const char* window : {"1366,768", "1920,1080"}) {
    const std::string png = dir.file(std::string("page-") + window + ".png");
    const ExeResult shot = run_browser(browser, dir, "route.html", "--screenshot=" + png, window);
    ASSERT_EQ(shot.status, 0) << shot.err;
    ASSERT_TRUE(read_png(slurp(png))) << window;
  }
  // The page's own measure of its width at 1366 px: nothing wider than the window.
  std::string page = slurp(dir.file("route.html"));
  page.insert(page.rfind("</body>"),
              "<pre id=\"verdict\"></pre><script>document.getElementById('verdict').textContent = "
              "'scroll ' + (document.documentElement.scrollWidth - window.innerWidth);</script>");
  spit(dir.file("measured.html"), page);
  const ExeResult dom = run_browser(browser, dir, "measured.html", "--dump-dom", "1366,768");
  ASSERT_EQ(dom.status, 0) << dom.err;
  const std::string verdict = verdict_of(dom.out);
  ASSERT_EQ(verdict.rfind("scroll ", 0), 0u) << verdict;
  EXPECT_LE(std::stoi(verdict.substr(7)), 0) << "the page is wider than a 1366 px window";
}

#endif

}  // namespace
}  // namespace scenpack
