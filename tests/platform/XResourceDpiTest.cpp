// The font DPI a desktop publishes through xrdb, as the editor reads it.
#include <gtest/gtest.h>

#include "platform/linux/XResourceDpi.h"

TEST(XResourceDpi, ReadsXftDpiFromTheResourceText) {
  struct Case {
    const char* resources;
    std::optional<double> dpi;
  };
  const Case cases[] = {
      {"Xft.dpi:\t144\n", 144.0},
      {"Xft.antialias:\t1\nXft.dpi:\t192\nXft.hinting:\t1\n", 192.0},
      {"*dpi: 120\n", 120.0},  // a wildcard reaches Xft.dpi too
      {"Xft.dpi: 96.5\n", 96.5},
      {"Xcursor.size: 24\n", std::nullopt},
      {"Xft.dpi: many\n", std::nullopt},
      {"Xft.dpi: 0\n", std::nullopt},
      {"Xft.dpi: -96\n", std::nullopt},
      {"", std::nullopt},
      {nullptr, std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(XftDpiIn(c.resources), c.dpi) << (c.resources ? c.resources : "(none)");
}
