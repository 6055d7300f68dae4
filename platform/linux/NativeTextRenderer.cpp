#include "platform/NativeTextRenderer.h"

#include "platform/linux/FreeTypeTextRenderer.h"

std::unique_ptr<TextRenderer> CreateNativeTextRenderer() {
  return FreeTypeTextRenderer::WithFontconfig();
}
