#include "platform/NativeTextRenderer.h"

#include "platform/win32/GdiTextRenderer.h"

std::unique_ptr<TextRenderer> CreateNativeTextRenderer() {
  return std::make_unique<GdiTextRenderer>();
}
