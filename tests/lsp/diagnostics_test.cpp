#include "lsp/diagnostics.h"

#include <gtest/gtest.h>

namespace scenpack {
namespace {

using json = nlohmann::json;

DescriptionInput input(const std::string& path, const std::string& bytes) {
  DescriptionInput in;
  in.path = path;
  in.uri = "file://" + path;
  in.bytes = bytes;
  return in;
}

json range(int line, int start, int end) {
  return {{"start", {{"line", line}, {"character", start}}}, {"end", {{"line", line}, {"character", end}}}};
}

class PublishedFindings : public ::testing::Test {
 protected:
  DescriptionInput line = input("/r/a_linea.txt", "linea\r\n[pendenze]\r\npendeza , 500, 3\r\n");
  DescriptionInput train = input("/r/a_84-.txt", "treno\r\n[segnali]\r\nsegnale, 2550, 2\r\nsegnale, 2560, 2\r\n");
};

TEST_F(PublishedFindings, ARelatedPlaceIsShownInTheDescriptionThatHoldsIt) {
  Diagnostic clash(Severity::kError, FaultCode::kSignalOccupied, 2560, {train.path, 4, 10}, "signal on an occupied cell");
  clash.related = {{{train.path, 3, 10}, "the signal placed there"}, {{line.path, 3, 11}, "the gradient of that cell"}};
  const std::vector<Publication> out = publish_findings({clash}, line, train);
  ASSERT_EQ(out.size(), 2u);
  EXPECT_EQ(out[0].diagnostics, json::array());
  ASSERT_EQ(out[1].diagnostics.size(), 1u);
  const json& d = out[1].diagnostics[0];
  EXPECT_EQ(d["code"], 16);
  EXPECT_EQ(d["range"], range(3, 9, 13));
  EXPECT_EQ(d["relatedInformation"],
            json::parse(R"([{"location":{"uri":"file:///r/a_84-.txt","range":)" + range(2, 9, 13).dump() +
                        R"(},"message":"the signal placed there"},)" +
                        R"({"location":{"uri":"file:///r/a_linea.txt","range":)" + range(2, 10, 13).dump() +
                        R"(},"message":"the gradient of that cell"}])"));
  EXPECT_EQ(out[1].fixes, json::array());
}

TEST_F(PublishedFindings, AWarningsMendIsAQuickFixOnItsField) {
  Diagnostic typo(Severity::kWarning, FaultCode::kNone, 0, {line.path, 3, 1}, "'pendeza' names no record",
                  WarningName::kUnknownKeyword);
  typo.fix = Fix{{line.path, 3, 1}, 8, "pendenza"};
  Diagnostic comma(Severity::kWarning, FaultCode::kNone, 0, {line.path, 3, 16}, "a decimal comma",
                   WarningName::kNarrowedValue);
  comma.fix = Fix{{line.path, 3, 16}, 16, "."};
  Diagnostic off_the_line(Severity::kWarning, FaultCode::kNone, 0, {line.path, 3, 1}, "x", WarningName::kOutOfOrder);
  off_the_line.fix = Fix{{line.path, 3, 10}, 40, "y"};  // past the end of its line: no fix offered
  const std::vector<Publication> out = publish_findings({typo, comma, off_the_line}, line, train);
  ASSERT_EQ(out[0].diagnostics.size(), 3u);
  EXPECT_EQ(out[0].diagnostics[0]["code"], "unknown-keyword");
  ASSERT_EQ(out[0].fixes.size(), 2u);
  const json& fix = out[0].fixes[0];
  EXPECT_EQ(fix["title"], "Replace 'pendeza' with 'pendenza'");
  EXPECT_EQ(fix["kind"], "quickfix");
  EXPECT_EQ(fix["diagnostics"], json::array({out[0].diagnostics[0]}));
  EXPECT_EQ(fix["edit"]["changes"]["file:///r/a_linea.txt"],
            json::array({{{"range", range(2, 0, 7)}, {"newText", "pendenza"}}}));
  EXPECT_EQ(out[0].fixes[1]["title"], "Insert '.'");
  EXPECT_EQ(out[0].fixes[1]["edit"]["changes"]["file:///r/a_linea.txt"][0]["range"], range(2, 15, 15));
}

}  // namespace
}  // namespace scenpack
