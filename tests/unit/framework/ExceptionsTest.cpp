#include <gtest/gtest.h>

#include "framework/Exceptions.h"

TEST(Exceptions, FormatMessageFillsTheOnePlaceholder) {
  EXPECT_EQ(FormatErrorText(SFailedToSetData, "Driver"), "Failed to set data for 'Driver'");
  EXPECT_EQ(FormatErrorText(SInvalidDateTime, "2000/13/01"),
            "'2000/13/01' is not a valid date and time");
  EXPECT_EQ(FormatErrorText(SUnableToWrite, "C:\\WINDOWS\\ODBC.INI"),
            "Unable to write to C:\\WINDOWS\\ODBC.INI");
  // A value holding "%s" is inserted as it is, never expanded again.
  EXPECT_EQ(FormatErrorText(SInvalidPropertyElement, "%s%s"), "Invalid property element: %s%s");
  EXPECT_EQ(FormatErrorText("no placeholder", "x"), "no placeholder");
}

TEST(Exceptions, SubclassesCarryTheirMessage) {
  try {
    throw ERegistryException(FormatErrorText(SInvalidDataType, "Port"));
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Invalid data type for 'Port'");
    EXPECT_STREQ(e.what(), "Invalid data type for 'Port'");
    EXPECT_NE(dynamic_cast<const ERegistryException*>(&e), nullptr);
    EXPECT_EQ(dynamic_cast<const EFileError*>(&e), nullptr);
  }
}
