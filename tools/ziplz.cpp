// ziplz: packs a file into the "ZIP-LZRW1" container that TBinStream holds with Compress on, or
// unpacks such a container; for packagers and tests.
//   ziplz pack IN OUT     ziplz unpack IN OUT
// Exit code 0 on success; otherwise the error text on stderr and 1 (2 for a wrong command line).
#include <cstdio>
#include <string>

#include "components/ZipLzImp.h"
#include "framework/Exceptions.h"
#include "framework/MemoryStream.h"

namespace {

int Usage() {
  std::fputs("usage: ziplz pack IN OUT | ziplz unpack IN OUT\n", stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) return Usage();
  const std::string command = argv[1];
  if (command != "pack" && command != "unpack") return Usage();
  try {
    TMemoryStream input, output;
    input.LoadFromFile(argv[2]);
    if (command == "pack") {
      CompressStream(input, output);
    } else {
      DecompressStream(input, output);
    }
    output.SaveToFile(argv[3]);
  } catch (const Exception& error) {
    std::fprintf(stderr, "ziplz: %s\n", error.Message().c_str());
    return 1;
  }
  return 0;
}
