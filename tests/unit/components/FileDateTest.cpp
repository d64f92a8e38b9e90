// Reading the stored FileDate texts back and stamping them as file-system date stamps.
#include <gtest/gtest.h>

#include <string>

#include "components/FileDate.h"
#include "framework/Exceptions.h"

namespace {
bool operator==(const FileStamp& a, const FileStamp& b) {
  return a.Year == b.Year && a.Month == b.Month && a.Day == b.Day && a.Hour == b.Hour &&
         a.Minute == b.Minute && a.Second == b.Second;
}

std::string Show(const FileStamp& s) {
  return FormatFileDate(s, "/", ":") + "(" + std::to_string(s.Second) + ")";
}
}  // namespace

TEST(FileDate, ReadsTheStoredTextsAndTheirLooserForms) {
  const struct {
    const char* text;
    FileStamp stamp;
  } cases[] = {
      {"2000/10/23 11:07:26 ", {2000, 10, 23, 11, 7, 26}},
      {"2014/06/19 00:54:22 ", {2014, 6, 19, 0, 54, 22}},
      {"2014/6/9 0:54:23", {2014, 6, 9, 0, 54, 23}},  // odd seconds are the caller's to round
      {"  2000/10/23   11:07  ", {2000, 10, 23, 11, 7, 0}},
      {"2000/10/23", {2000, 10, 23, 0, 0, 0}},
      {"2000/02/29 23:59:59", {2000, 2, 29, 23, 59, 59}},
      {"1979/12/31 23:59:58 ", {1979, 12, 31, 23, 59, 58}},  // readable, though not stampable
  };
  for (const auto& c : cases) {
    const FileStamp read = ParseFileDate(c.text);
    EXPECT_TRUE(read == c.stamp) << c.text << " read as " << Show(read);
  }
}

TEST(FileDate, UnreadableTextsNameThemselves) {
  for (const char* text : {"",
                           " ",
                           "23/10/2000 11:07:26",
                           "10/23/2000 11:07:26",
                           "2000-10-23 11:07:26",
                           "2000/10/2311:07:26",
                           "2000/13/01 00:00:00",
                           "2000/00/10",
                           "1900/02/29 00:00:00",
                           "2001/02/29",
                           "2000/04/31",
                           "2000/10/23 24:00:00",
                           "2000/10/23 11:60:00",
                           "2000/10/23 11:07:60",
                           "2000/10/23 11",
                           "2000/10/23 11:07:",
                           "2000/10/23 11:07:26 x",
                           "20000/10/23",
                           "0000/01/01",
                           "2000/10/23 11.07.26"}) {
    try {
      ParseFileDate(text);
      ADD_FAILURE() << "'" << text << "' was read";
    } catch (const EConvertError& error) {
      EXPECT_EQ(error.Message(), std::string("'") + text + "' is not a valid date and time");
    }
  }
}

TEST(FileDate, DosStampsHoldTheYears1980To2099Only) {
  const struct {
    FileStamp stamp;
    uint32_t dos;
  } cases[] = {
      {{1980, 1, 1, 0, 0, 0}, 0x00210000},
      {{2000, 10, 23, 11, 7, 26},
       (20u << 25 | 10u << 21 | 23u << 16) | (11u << 11 | 7u << 5 | 13u)},
      {{2014, 6, 19, 0, 54, 22}, (34u << 25 | 6u << 21 | 19u << 16) | (54u << 5 | 11u)},
      {{2099, 12, 31, 23, 59, 59},
       (119u << 25 | 12u << 21 | 31u << 16) | (23u << 11 | 59u << 5 | 29u)},
      {{1979, 12, 31, 23, 59, 58}, 0},
      {{2100, 1, 1, 0, 0, 0}, 0},
      {{2107, 12, 31, 0, 0, 0}, 0},  // a DOS stamp could hold it, the run does not
  };
  for (const auto& c : cases) EXPECT_EQ(DosDateTime(c.stamp), c.dos) << Show(c.stamp);
}

TEST(FileDate, FormattedDatesReadBack) {
  for (const FileStamp stamp : {FileStamp{1980, 1, 1, 0, 0, 0}, FileStamp{2024, 2, 29, 23, 59, 58},
                                FileStamp{9999, 12, 31, 12, 30, 0}}) {
    EXPECT_TRUE(ParseFileDate(FormatFileDate(stamp, "/", ":")) == stamp) << Show(stamp);
  }
}
