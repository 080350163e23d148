#include "readers/record_catalogue.h"

#include <array>

#include "readers/field_reader.h"

namespace scenpack {
namespace {

using D = DescriptionKind;
using S = Stored;

constexpr FieldInfo kRouteLength[] = {{"lunghezza", "m", "the route's length (at most 1000000)", S::kPosition}};
constexpr FieldInfo kChainage[] = {
    {"inizio", "m", "where this chainage section starts", S::kPosition},
    {"differenza", "m", "added to a distance to give its chainage", S::kAsWritten},
    {"flag", "", "1 adds 100 to the difference", S::kAsWritten}};
constexpr FieldInfo kBackgroundFirst[] = {{"sfondo", "", "the background from the start of the route", S::kAsWritten}};
constexpr FieldInfo kBackgroundPlace[] = {{"posizione", "m", "where the second background starts", S::kPosition}};
constexpr FieldInfo kBackgroundSecond[] = {{"sfondo", "", "the second background", S::kAsWritten}};
constexpr FieldInfo kRepetition[] = {{"inizio", "m", "start of cab-signal repetition", S::kPosition},
                                     {"fine", "m", "end of cab-signal repetition (0: none)", S::kPosition}};
constexpr FieldInfo kGradient[] = {{"posizione", "m", "where the gradient starts", S::kCellFrom},
                                   {"pendenza", "\u2030", "the gradient, downhill below 0", S::kGradientByte}};
constexpr FieldInfo kCurve[] = {{"inizio", "m", "where the curve starts", S::kPosition},
                                {"lunghezza", "m", "the curve's length", S::kAsWritten}};
constexpr FieldInfo kTunnel[] = {{"inizio", "m", "where the tunnel starts", S::kCellFrom},
                                 {"fine", "m", "where the tunnel ends", S::kPosition},
                                 {"tipo", "", "tunnel kind 1 to 3, plus 10 for markers", S::kAsWritten}};
constexpr FieldInfo kSpeedBoard[] = {
    {"posizione", "m", "the board's place", S::kCellFromNext}, {"vas", "km/h", "left side, first speed"},
    {"vbs", "km/h", "left side, second speed"},                {"vcs", "km/h", "left side, third speed"},
    {"strisces", "", "left side, stripes"},                    {"vad", "km/h", "right side, first speed"},
    {"vbd", "km/h", "right side, second speed"},               {"vcd", "km/h", "right side, third speed"},
    {"strisced", "", "right side, stripes"}};
constexpr FieldInfo kTextBoard[] = {{"posizione", "m", "the board's place", S::kCellFromNext},
                                    {"testo", "", "the board's text", S::kText}};

constexpr FieldInfo kCoaches[] = {{"vetture", "", "the number of coaches"}};
constexpr FieldInfo kBrakedMass[] = {{"massa frenata", "%", "the percentage of braked mass"}};
constexpr FieldInfo kSand[] = {{"sabbia", "", "the sand available"}};
constexpr FieldInfo kClock[] = {
    {"ore", "h", "the clock at the start: hour"}, {"minuti", "min", "minute"}, {"secondi", "s", "second"}};
constexpr FieldInfo kAdhesion[] = {{"posizione", "m", "where the adhesion starts", S::kCellFrom},
                                   {"aderenza", "", "the adhesion value (its low 8 bits are kept)"}};
constexpr FieldInfo kSpeedLimit[] = {{"posizione", "m", "where the speed limit starts", S::kCellFrom},
                                     {"velocita", "km/h", "the speed limit", S::kSpeedFifth}};
constexpr FieldInfo kStation[] = {
    {"pos.", "m", "the station's position", S::kPosition},
    {"tipo", "", "station kind (25 and above: no cell marks)"},
    {"lung.", "m", "the station's length"},
    {"tps", "", "t p s"},
    {"tab", "", "t a b"},
    {"mar", "", "m a r: not 0 lengthens the far end by 50 m"},
    {"d2", "", "d 2"},
    {"d3", "", "d 3"},
    {"rap", "", "r a p"},
    {"d1", "", "d 1"},
    {"d2", "", "d 2"},
    {"d3", "", "d 3"},
    {"ac", "", "a c"},
    {"oro", "h", "timetable: hour"},
    {"orm", "min", "timetable: minute"},
    {"ors", "s", "timetable: second"},
    {"nome", "", "the station's name", S::kText}};
constexpr FieldInfo kSignal[] = {
    {"posizione", "m", "the signal's place", S::kCellFromNext},
    {"sx", "", "left group, first value (2 enables the time)"},
    {"s1", "", "left group, first code digit"},
    {"s2", "", "left group, second code digit"},
    {"s3", "", "left group, third code digit"},
    {"rapp", "", "tens digit of the fourth value"},
    {"dx", "", "right group, first value"},
    {"d1", "", "right group, first code digit"},
    {"d2", "", "right group, second code digit"},
    {"d3", "", "right group, third code digit"},
    {"tempo", "s", "time value (0: none)"}};
constexpr FieldInfo kCodeCut[] = {{"posizione", "m", "the code cut's place", S::kCellFrom},
                                  {"codice", "", "the code value (0: none)"}};
constexpr FieldInfo kSlowdown[] = {{"x", "m", "start of the slow order", S::kCellFromNext},
                                   {"v", "km/h", "the restricted speed"},
                                   {"l", "m", "the slow order's length"},
                                   {"f_tt", "", "1: to be respected with the whole train"},
                                   {"f_ta", "", "1: the warning is preceded by four distance boards"},
                                   {"d_v", "km/h", "a further speed (0: none)"}};

constexpr RecordInfo kRecords[] = {
    {D::kLine, "[generale]", "lunghezza percorso", "lunghezza", "the route's length", kRouteLength},
    {D::kLine, "[generale]", "progressiva chilometrica uno", "progressiva", "first chainage section", kChainage},
    {D::kLine, "[generale]", "progressiva chilometrica due", "progressiva", "second chainage section", kChainage},
    {D::kLine, "[generale]", "progressiva chilometrica tre", "progressiva", "third chainage section", kChainage},
    {D::kLine, "[generale]", "sfondo uno", "sfondo", "the first background", kBackgroundFirst},
    {D::kLine, "[generale]", "sfondo due", "sfondo", "where the second background starts", kBackgroundPlace},
    {D::kLine, "[generale]", "sfondo tre", "sfondo", "the second background", kBackgroundSecond},
    {D::kLine, "[generale]", "ripetizione segnali 9 codici", "ripetizione", "cab-signal repetition (4 or 9 codes)",
     kRepetition},
    {D::kLine, "[pendenze]", "pendenza", "pendenza", "a gradient, from its position to the next one", kGradient},
    {D::kLine, "[curve]", "curvad1", "curvad1", "a right-hand curve of class 1 (radius 10000 m)", kCurve},
    {D::kLine, "[curve]", "curvad2", "curvad2", "a right-hand curve of class 2 (radius 5000 m)", kCurve},
    {D::kLine, "[curve]", "curvad3", "curvad3", "a right-hand curve of class 3 (radius 2500 m)", kCurve},
    {D::kLine, "[curve]", "curvad4", "curvad4", "a right-hand curve of class 4 (radius 1000 m)", kCurve},
    {D::kLine, "[curve]", "curvad5", "curvad5", "a right-hand curve of class 5 (radius 500 m)", kCurve},
    {D::kLine, "[curve]", "curvad6", "curvad6", "a right-hand curve of class 6 (radius 333 m)", kCurve},
    {D::kLine, "[curve]", "curvas1", "curvas1", "a left-hand curve of class 1 (radius 10000 m)", kCurve},
    {D::kLine, "[curve]", "curvas2", "curvas2", "a left-hand curve of class 2 (radius 5000 m)", kCurve},
    {D::kLine, "[curve]", "curvas3", "curvas3", "a left-hand curve of class 3 (radius 2500 m)", kCurve},
    {D::kLine, "[curve]", "curvas4", "curvas4", "a left-hand curve of class 4 (radius 1000 m)", kCurve},
    {D::kLine, "[curve]", "curvas5", "curvas5", "a left-hand curve of class 5 (radius 500 m)", kCurve},
    {D::kLine, "[curve]", "curvas6", "curvas6", "a left-hand curve of class 6 (radius 333 m)", kCurve},
    {D::kLine, "[cartelli]", "indicatori_vmax", "indicatori_v", "a maximum-speed board", kSpeedBoard},
    {D::kLine, "[montagne]", "montagna", "montagna", "a tunnel", kTunnel},
    {D::kLine, "[indicazioni]", "cartello indicatore", "cartello", "a text board", kTextBoard},
    {D::kTrain, "[generale]", "numero vetture", "vetture", "the number of coaches", kCoaches},
    {D::kTrain, "[generale]", "percentuale massa frenata", "frenata", "the braked mass", kBrakedMass},
    {D::kTrain, "[generale]", "sabbia", "sabbia", "the sand", kSand},
    {D::kTrain, "[generale]", "orologio", "orologio", "the clock at the start", kClock},
    {D::kTrain, "[aderenze]", "aderenza", "aderenza", "the adhesion, from its position to the next one",
     kAdhesion},
    {D::kTrain, "[vel_limite]", "velocita' limite", "velocit", "a speed limit, from its position to the next one",
     kSpeedLimit},
    {D::kTrain, "[stazioni]", "stazione", "stazione", "a station, junction or block post", kStation},
    {D::kTrain, "[segnali]", "segnale", "segnale", "a signal", kSignal},
    {D::kTrain, "[codici]", "abbattimento codice", "abbattimento", "a code cut", kCodeCut},
    {D::kTrain, "[rallentamenti]", "rallentamento", "rallentamento", "a slow order", kSlowdown},
};

constexpr std::string_view kLineSections[] = {"[generale]", "[pendenze]",    "[curve]", "[cartelli]",
                                              "[montagne]", "[indicazioni]", "[fine]"};
constexpr std::string_view kTrainSections[] = {"[generale]", "[aderenze]", "[vel_limite]", "[stazioni]",
                                               "[segnali]",  "[codici]",   "[rallentamenti]", "[fine]"};

std::string_view trimmed(std::string_view s) {
  const size_t first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

bool same_nocase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && contains_nocase(a, b);
}

}  // namespace

std::span<const RecordInfo> record_catalogue() { return kRecords; }

std::span<const std::string_view> section_markers(DescriptionKind d) {
  if (d == DescriptionKind::kLine) return kLineSections;
  return kTrainSections;
}

const RecordInfo* record_named(DescriptionKind d, std::string_view field) {
  const std::string_view word = trimmed(field);
  for (const RecordInfo& r : kRecords) {
    if (r.description == d && same_nocase(word, r.keyword)) return &r;
  }
  for (const RecordInfo& r : kRecords) {
    if (r.description == d && contains_nocase(word, r.key)) return &r;
  }
  return nullptr;
}

std::string_view description_word(DescriptionKind d) { return d == DescriptionKind::kLine ? "line" : "train"; }

}  // namespace scenpack
