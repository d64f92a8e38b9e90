// Server bytes of any shape must end in a parsed message or an EDatabaseError, never in a read
// past the packet: every parser, and a whole client conversation fed from the input.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "dbengine/MySqlClient.h"
#include "dbengine/MySqlMessages.h"
#include "dbengine/MySqlPacket.h"
#include "framework/Exceptions.h"

namespace {

class InputStream : public Transport {
 public:
  explicit InputStream(const std::string& bytes) : bytes_(bytes) {}
  void Write(const std::string&) override {}
  void ReadExact(void* buffer, size_t count) override {
    if (count > bytes_.size() - position_) throw EDatabaseError("Lost connection");
    std::memcpy(buffer, bytes_.data() + position_, count);
    position_ += count;
  }

 private:
  const std::string& bytes_;
  size_t position_ = 0;
};

template <typename Parse>
void Try(Parse parse) {
  try {
    parse();
  } catch (const EDatabaseError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string payload(reinterpret_cast<const char*>(data), size);
  Try([&] { ParseHandshake(payload); });
  Try([&] { ParseErrPacket(payload); });
  Try([&] { ParseOkPacket(payload); });
  Try([&] { ParseAuthSwitchRequest(payload); });
  Try([&] { ParseAuthMoreData(payload); });
  Try([&] {
    PacketReader reader(payload);
    while (!reader.AtEnd()) reader.LengthEncodedString();
  });
  Try([&] {
    InputStream stream(payload);
    MySqlClient client(stream, [](const std::string&, const std::string& plain) { return plain; });
    client.Connect({"root", "secret", "demo", "utf8mb4"});
    client.Execute("SELECT 1");
    client.Execute("SELECT 2");
  });
  return 0;
}
