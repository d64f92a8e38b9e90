// The engine's own SHA code and password scrambles against values computed by hashlib.
#include <gtest/gtest.h>

#include "AuthVectors.h"
#include "dbengine/AuthScramble.h"
#include "dbengine/Sha.h"

TEST(Digest, MatchesIndependentImplementationAcrossBlockBoundaries) {
  for (const DigestVector& vector : kDigestVectors) {
    EXPECT_EQ(DigestBytes(Sha1(vector.input)), vector.sha1) << vector.input.size() << " bytes";
    EXPECT_EQ(DigestBytes(Sha256(vector.input)), vector.sha256) << vector.input.size() << " bytes";
  }
}

TEST(Scramble, NativeAndCachingSha2MatchIndependentValues) {
  for (const ScrambleVector& vector : kScrambleVectors) {
    EXPECT_EQ(NativePasswordScramble(vector.password, kVectorNonce), vector.native);
    EXPECT_EQ(CachingSha2Scramble(vector.password, kVectorNonce), vector.cachingSha2);
    EXPECT_EQ(CachingSha2FullAuthPlaintext(vector.password, kVectorNonce), vector.fullAuthPlain);
  }
}

TEST(Scramble, OnlyTheFirstTwentyNonceBytesCount) {
  // An authentication switch carries the nonce with a trailing zero; servers ignore the extra.
  const std::string longNonce = kVectorNonce + std::string("\0\x7f", 2);
  const ScrambleVector& vector = kScrambleVectors[1];
  EXPECT_EQ(NativePasswordScramble(vector.password, longNonce), vector.native);
  EXPECT_EQ(CachingSha2Scramble(vector.password, longNonce), vector.cachingSha2);
  EXPECT_EQ(CachingSha2FullAuthPlaintext(vector.password, longNonce), vector.fullAuthPlain);
}
