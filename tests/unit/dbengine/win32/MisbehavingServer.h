// A MySQL server of the test's own on a loopback port that misbehaves in one chosen way, played
// on a thread of its own. It misbehaves for a bounded time (eight seconds unless told) and then
// hangs up, and every wait of it is bounded, so that even a client that never gives up cannot
// hang the test.
#pragma once

#include <winsock2.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "../ServerPackets.h"
#include "DataSourceFixture.h"
#include "dbengine/MySqlPacket.h"

class MisbehavingServer {
 public:
  enum class Fault {
    kDripsGreeting,           // the greeting, one byte every 250 ms
    kRepeatsFastAuthSuccess,  // "fast authentication succeeded" again and again, never OK
    kDripsQueryAnswer,        // connects properly, then answers a statement a byte at a time
    kAnswersEachStepLate,     // every answer right, each 1.2 s late
    kSilent,                  // accepts the connection and never sends a byte
    kStallsAfterServerHello,  // offers TLS, answers the client's hello and then says nothing
    kAnswersTlsWithPlain,     // offers TLS, answers the client's hello with a MySQL error
  };

  explicit MisbehavingServer(Fault fault, std::chrono::seconds lasting = std::chrono::seconds(8))
      : fault_(fault), end_(Clock::now() + lasting) {
    listener_.Listen();
    thread_ = std::thread([this] { Serve(); });
  }
  ~MisbehavingServer() {
    stop_ = true;
    thread_.join();
  }
  MisbehavingServer(const MisbehavingServer&) = delete;
  MisbehavingServer& operator=(const MisbehavingServer&) = delete;

  std::string Port() const { return listener_.Port(); }
  int PacketsSent() const { return packetsSent_; }
  bool ClientArrived() const { return clientArrived_; }
  // Whether its time is not up yet: a client that gave up meanwhile did so on its own.
  bool StillMisbehaving() const { return Clock::now() < end_; }

 private:
  using Clock = std::chrono::steady_clock;
  using Milliseconds = std::chrono::milliseconds;

  void Serve() {
    client_ = Accept();
    if (client_ == INVALID_SOCKET) return;
    clientArrived_ = true;
    Misbehave();
    closesocket(client_);
  }

  void Misbehave() {
    switch (fault_) {
      case Fault::kDripsGreeting:
        Drip(FramePacket(Greeting("mysql_native_password"), 0));
        break;
      case Fault::kRepeatsFastAuthSuccess:
        if (!SendPacket(Greeting("caching_sha2_password"), 0) || !Receive()) return;
        for (uint8_t sequence = 2; SendPacket("\x01\x03", sequence); ++sequence)
          if (!Pause(Milliseconds(20))) return;
        break;
      case Fault::kDripsQueryAnswer:
        if (!SendPacket(Greeting("mysql_native_password"), 0) || !Receive()) return;
        if (!SendPacket(kOk, 2) || !Receive()) return;
        Drip(FramePacket(kOk + std::string(40, 'i'), 1));  // an OK with a long info text
        break;
      case Fault::kAnswersEachStepLate:
        if (!Pause(kLate) || !SendPacket(Greeting("mysql_native_password"), 0) || !Receive())
          return;
        if (!Pause(kLate) || !SendPacket(kOk, 2) || !Receive()) return;
        if (Pause(kLate)) SendPacket(kOk, 1);
        break;
      case Fault::kSilent:
        while (Pause(Milliseconds(100))) {
        }
        break;
      case Fault::kStallsAfterServerHello:
        if (!StartTls() || !Send(kServerHello)) return;
        while (Pause(Milliseconds(100))) {
        }
        break;
      case Fault::kAnswersTlsWithPlain:
        if (StartTls()) SendPacket("\xff\x15\x04#28000Access denied", 2);
        break;
    }
  }

  // The greeting offering TLS, the client's SSL request and its first TLS record.
  bool StartTls() {
    if (!SendPacket(Greeting("mysql_native_password", true), 0) || !Receive()) return false;
    std::string header(5, '\0');
    if (!WaitReadable(client_) || recv(client_, &header[0], 5, MSG_WAITALL) != 5) return false;
    std::string body((static_cast<uint8_t>(header[3]) << 8) | static_cast<uint8_t>(header[4]), 0);
    return recv(client_, &body[0], static_cast<int>(body.size()), MSG_WAITALL) ==
           static_cast<int>(body.size());
  }

  bool TimeLeft() const { return !stop_ && Clock::now() < end_; }

  // Sleeps in short steps, so that the server stops when told; false when its time is up.
  bool Pause(Milliseconds length) {
    for (const Clock::time_point until = Clock::now() + length; Clock::now() < until;) {
      if (!TimeLeft()) return false;
      std::this_thread::sleep_for(Milliseconds(20));
    }
    return TimeLeft();
  }

  bool WaitReadable(SOCKET socket) {
    while (TimeLeft()) {
      fd_set ready;
      FD_ZERO(&ready);
      FD_SET(socket, &ready);
      timeval step = {0, 100000};
      if (select(0, &ready, nullptr, nullptr, &step) != 0) return true;
    }
    return false;
  }

  SOCKET Accept() {
    return WaitReadable(listener_.Get()) ? accept(listener_.Get(), nullptr, nullptr)
                                         : INVALID_SOCKET;
  }

  // FramePackets advances the sequence it is given; each packet here names its own.
  static std::string FramePacket(const std::string& payload, uint8_t sequence) {
    return FramePackets(payload, sequence);
  }

  bool Send(const std::string& bytes) {
    return send(client_, bytes.data(), static_cast<int>(bytes.size()), 0) ==
           static_cast<int>(bytes.size());
  }

  bool SendPacket(const std::string& payload, uint8_t sequence) {
    if (!Send(FramePacket(payload, sequence))) return false;
    ++packetsSent_;
    return true;
  }

  bool Drip(const std::string& bytes) {
    for (char byte : bytes)
      if (!Pause(Milliseconds(250)) || !Send(std::string(1, byte))) return false;
    return true;
  }

  // One whole packet of the client, which sends each packet at once.
  bool Receive() {
    uint8_t header[kPacketHeaderSize];
    if (!WaitReadable(client_) ||
        recv(client_, reinterpret_cast<char*>(header), sizeof header, MSG_WAITALL) != 4)
      return false;
    std::string payload(ParsePacketHeader(header).payloadLength, '\0');
    return payload.empty() || recv(client_, &payload[0], static_cast<int>(payload.size()),
                                   MSG_WAITALL) == static_cast<int>(payload.size());
  }

  static constexpr Milliseconds kLate{1200};
  // A TLS 1.2 ServerHello (ECDHE-RSA-AES128-GCM-SHA256, secure renegotiation), after which the
  // client waits for the server's certificate.
  const std::string kServerHello = std::string("\x16\x03\x03\x00\x31\x02\x00\x00\x2d\x03\x03", 11) +
                                   std::string(32, '\x42') +
                                   std::string("\x00\xc0\x2f\x00\x00\x05\xff\x01\x00\x01\x00", 11);

  const Fault fault_;
  const Clock::time_point end_;
  LoopbackListener listener_;
  SOCKET client_ = INVALID_SOCKET;
  std::atomic<bool> stop_{false};
  std::atomic<int> packetsSent_{0};
  std::atomic<bool> clientArrived_{false};
  std::thread thread_;
};
