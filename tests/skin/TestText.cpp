#include "tests/skin/TestText.h"

#include <memory>

#ifdef _WIN32
#include "platform/win32/GdiTextRenderer.h"
#else
#include "platform/linux/FreeTypeTextRenderer.h"
#endif

TextRenderer& TestText() {
#ifdef _WIN32
  static auto text = GdiTextRenderer::WithPrivateFont(QUAVERLIN_TEST_FONT, "DejaVu Sans");
#else
  static auto text = FreeTypeTextRenderer::WithFixedFile(QUAVERLIN_TEST_FONT);
#endif
  return *text;
}
