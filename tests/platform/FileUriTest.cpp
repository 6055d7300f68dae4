#include <gtest/gtest.h>

#include "platform/linux/XdndDrag.h"

TEST(FileUri, APlainPathIsPrefixedOnly) {
  EXPECT_EQ(FileUri("/tmp/QVMidi.mid"), "file:///tmp/QVMidi.mid");
}

TEST(FileUri, SpacesPercentSignsAndEightBitCharactersAreEscaped) {
  EXPECT_EQ(FileUri("/home/a b/100%/\xE9t\xC3\xA9.mid"),
            "file:///home/a%20b/100%25/%E9t%C3%A9.mid");
  EXPECT_EQ(FileUri("/x/#?:;"), "file:///x/%23%3F%3A%3B");
}
