#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/CommandLine.h"

using Words = std::vector<std::string>;

TEST(CommandLine, SplitsAtBlanksAndControlCharacters) {
  EXPECT_EQ(SplitCommandLine("setup.exe  sales\tdb1\r\nsecret AUTO"),
            (Words{"setup.exe", "sales", "db1", "secret", "AUTO"}));
  EXPECT_EQ(SplitCommandLine(""), Words{});
  EXPECT_EQ(SplitCommandLine(" \t "), Words{});
  // Bytes above 127 (Big5 text) belong to words; only codes 1 to 32 separate.
  EXPECT_EQ(SplitCommandLine("p \xa6\x77\xb8\xcb x"), (Words{"p", "\xa6\x77\xb8\xcb", "x"}));
}

TEST(CommandLine, QuotedStretchKeepsBlanksAndDropsQuotes) {
  EXPECT_EQ(SplitCommandLine("\"C:\\Program Files\\setup.exe\" sales \"db server\" pw"),
            (Words{"C:\\Program Files\\setup.exe", "sales", "db server", "pw"}));
  // A quote inside a word opens a stretch; the word goes on after the closing quote.
  EXPECT_EQ(SplitCommandLine("p ab\"c d\"ef"), (Words{"p", "abc def"}));
  // An unclosed stretch runs to the end of the line.
  EXPECT_EQ(SplitCommandLine("p \"open to the end"), (Words{"p", "open to the end"}));
}

TEST(CommandLine, EmptyQuotedArgumentDoesNotExist) {
  // A pair of quotes for the server makes the password the server and AUTO the password.
  EXPECT_EQ(SplitCommandLine("setup.exe sales \"\" pw AUTO"),
            (Words{"setup.exe", "sales", "pw", "AUTO"}));
  EXPECT_EQ(SplitCommandLine("p \"\"\"\"\"\"x"), (Words{"p", "x"}));
  EXPECT_EQ(SplitCommandLine("p \"\""), Words{"p"});
  // Only pairs at the start of a word are skipped; inside a word they are an empty stretch.
  EXPECT_EQ(SplitCommandLine("p a\"\"b"), (Words{"p", "ab"}));
}

TEST(CommandLine, MissingArgumentIsEmpty) {
  const std::string line = "setup.exe sales";
  EXPECT_EQ(CommandLineArgument(line, 0), "setup.exe");
  EXPECT_EQ(CommandLineArgument(line, 1), "sales");
  EXPECT_EQ(CommandLineArgument(line, 2), "");
  EXPECT_EQ(CommandLineArgument(line, 4), "");
  EXPECT_EQ(CommandLineArgument(line, -1), "");
}

TEST(CommandLine, ArgumentsOfAnyLengthStayWhole) {
  // Far beyond the 4096 bytes an argument once had room for, plain and quoted.
  const std::string plain(10000, 'x');
  const std::string quoted = std::string(5000, 'y') + " " + std::string(5000, 'z');
  const Words words = SplitCommandLine("p " + plain + " \"" + quoted + "\" end");
  ASSERT_EQ(words.size(), 4u);
  EXPECT_EQ(words[1], plain);
  EXPECT_EQ(words[2], quoted);
  EXPECT_EQ(words[3], "end");
}

TEST(CommandLine, NulByteEndsTheLine) {
  EXPECT_EQ(SplitCommandLine(std::string("p a\0b c", 7)), (Words{"p", "a"}));
}
