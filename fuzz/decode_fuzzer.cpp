// libFuzzer target: the decoder of the three compiled files on any bytes.
//
// Input layout: the first byte chooses the file (0 cells ".dat", 1 records
// ".sim", 2 route map "_linea.dat", by its value modulo 3); the rest is the
// file. A file the decoder accepts must give back exactly its bytes when the
// build's own encoder writes what was decoded;
// anything else is refused with a fault inside the file. Any crash,
// sanitizer report, leak, hang or broken round trip is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "format/decoding.h"
#include "format/file_bytes.h"

namespace {

using namespace scenpack;

void check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "decode fuzz: %s\n", what);
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string_view file(reinterpret_cast<const char*>(data + 1), size - 1);
  std::optional<DecodeFault> fault;
  std::string back;
  switch (data[0] % 3) {
    case 0: {
      std::vector<Cella> celle;
      fault = decode_cells(file, celle);
      if (!fault) back = cells_bytes(celle);
      break;
    }
    case 1: {
      std::array<Scheda, kRecordCount> schede{};
      fault = decode_records(file, schede);
      if (!fault) back = records_bytes(schede);
      break;
    }
    default: {
      RouteMap m;
      fault = decode_route_map(file, m);
      if (!fault) back = route_map_bytes(m);
      break;
    }
  }
  if (fault) {
    check(fault->byte <= file.size(), "a fault placed past the end of the file");
    check(!fault->what.empty(), "a fault without a description");
  } else {
    check(back == file, "an accepted file does not encode back to its bytes");
  }
  return 0;
}
