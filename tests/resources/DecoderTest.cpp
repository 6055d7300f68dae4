#include "resources/JpegDecoder.h"
#include "resources/Ppm.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace {

std::vector<std::uint8_t> bytes(std::string_view text) { return {text.begin(), text.end()}; }

}  // namespace

TEST(PpmDecoder, ReadsRowsFromTheTopAsOpaquePixels) {
  auto data = bytes("P6\n2 2\n255\n");
  for (int v : {0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF, 0x12, 0x34, 0x56})
    data.push_back(static_cast<std::uint8_t>(v));
  Bitmap image = decodePpm(data);
  ASSERT_EQ(image.width, 2);
  ASSERT_EQ(image.height, 2);
  EXPECT_EQ(image.at(0, 0), 0xFFFF0000u);
  EXPECT_EQ(image.at(1, 0), 0xFF00FF00u);
  EXPECT_EQ(image.at(0, 1), 0xFF0000FFu);
  EXPECT_EQ(image.at(1, 1), 0xFF123456u);
}

TEST(PpmDecoder, RefusesOtherFormatsAndShortData) {
  EXPECT_TRUE(decodePpm(bytes("P3\n1 1\n255\n0 0 0")).empty());  // text samples
  EXPECT_TRUE(decodePpm(bytes("P6\n1 1\n65535\n123456")).empty());
  EXPECT_TRUE(decodePpm(bytes("P6\n2 1\n255\nabc")).empty());  // one pixel missing
  EXPECT_TRUE(decodePpm(bytes("P6\n0 1\n255\n")).empty());
  EXPECT_TRUE(decodePpm(bytes("P6\n99999999 1\n255\nabc")).empty());
  EXPECT_TRUE(decodePpm({}).empty());
}

TEST(JpegDecoder, RefusesDataThatIsNoJpegWithoutEndingTheProcess) {
  EXPECT_TRUE(decodeJpeg(bytes("P6\n1 1\n255\nabc")).empty());
  EXPECT_TRUE(decodeJpeg(bytes("\xFF\xD8\xFF")).empty());  // a start marker and nothing after
  EXPECT_TRUE(decodeJpeg({}).empty());
}
