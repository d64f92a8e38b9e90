// Server packets shared by the tests that play a MySQL 8 server: its greeting with the vector
// nonce, and a plain OK.
#pragma once

#include <string>

#include "AuthVectors.h"
#include "dbengine/MySqlPacket.h"

// offersTls: whether the capabilities hold CLIENT_SSL.
inline std::string Greeting(const std::string& plugin, bool offersTls = false) {
  return PacketWriter()
      .Byte(10)
      .NulTerminatedString("8.0.36")
      .Int4(7)
      .Bytes(kVectorNonce.substr(0, 8))
      .Byte(0)
      .Int2(offersTls ? 0xFFFF : 0xF7FF)
      .Byte(255)
      .Int2(2)
      .Int2(0xDFFF)
      .Byte(21)
      .Zeros(10)
      .Bytes(kVectorNonce.substr(8))
      .Byte(0)
      .NulTerminatedString(plugin)
      .Payload();
}

const std::string kOk("\x00\x00\x00\x02\x00\x00\x00", 7);
