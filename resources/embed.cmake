# cmake -DINPUT=file -DOUTPUT=file.cpp -DNAME=symbol -P embed.cmake
# Writes a C++ source that holds INPUT's bytes and answers them from
# embedded::NAME(), so the plug-in carries its images in itself.
file(READ ${INPUT} bytes HEX)
string(LENGTH "${bytes}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${bytes}")
file(WRITE ${OUTPUT} "// Generated from ${INPUT}.
#include <cstdint>
#include <span>

namespace embedded {
namespace {
const std::uint8_t data[${size}] = {
${bytes}};
}  // namespace
std::span<const std::uint8_t> ${NAME}() { return data; }
}  // namespace embedded
")
