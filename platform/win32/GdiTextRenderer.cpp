#include "platform/win32/GdiTextRenderer.h"

#include <windows.h>

#include <algorithm>
#include <map>
#include <stdexcept>
#include <tuple>

namespace {

// The forms' captions were sized with the metrics of Windows's own Franklin
// Gothic Medium, Trebuchet MS and Small Fonts. Wine has none of them: it
// draws the first two with Liberation Sans and Small Fonts with a wider
// imitation, which cut the logo, the trigger caption, the preset captions
// and the switch's caption at their boxes. Measured against every fixed box
// of the editor, Liberation Sans Narrow keeps each caption inside; where it
// is installed every face name draws with it.
constexpr const char* kStandIn = "Liberation Sans Narrow";

}  // namespace

struct GdiTextRenderer::Impl {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP dib = nullptr;
  HGDIOBJ initialBitmap = nullptr;
  HGDIOBJ initialFont = nullptr;
  Pixel* bits = nullptr;
  int dibWidth = 0, dibHeight = 0;
  std::string privateFile, family;  // family empty: fonts by their own names
  bool standInChecked = false;
  std::string standIn;  // empty: the forms' faces draw as themselves
  std::map<std::tuple<std::string, int, bool>, HFONT> fonts;

  ~Impl() {
    if (initialFont) SelectObject(dc, initialFont);
    if (initialBitmap) SelectObject(dc, initialBitmap);
    for (auto& [key, font] : fonts) DeleteObject(font);
    if (dib) DeleteObject(dib);
    DeleteDC(dc);
    if (!privateFile.empty()) RemoveFontResourceExA(privateFile.c_str(), FR_PRIVATE, nullptr);
  }

  // The face GDI draws a face name of the forms with.
  const std::string& FaceFor(const std::string& formFace) {
    if (!family.empty()) return family;
    if (!standInChecked) {
      standInChecked = true;
      if (Installed(kStandIn)) standIn = kStandIn;
    }
    return standIn.empty() ? formFace : standIn;
  }

  // GDI answers any name with some face; only its own name says whether it
  // is the one asked for.
  bool Installed(const char* face) {
    HFONT probe = CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                              DEFAULT_PITCH | FF_DONTCARE, face);
    if (!probe) return false;
    HGDIOBJ old = SelectObject(dc, probe);
    char got[LF_FACESIZE] = {};
    GetTextFaceA(dc, LF_FACESIZE, got);
    SelectObject(dc, old);
    DeleteObject(probe);
    return lstrcmpiA(got, face) == 0;
  }

  void Select(const TFont& font) {
    const std::string& name = FaceFor(font.Name);
    auto& handle = fonts[{name, font.Height, font.Bold}];
    if (!handle) {
      handle = CreateFontA(font.Height, 0, 0, 0, font.Bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                           FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           NONANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE, name.c_str());
      if (!handle) throw std::runtime_error("GDI refused the font " + name);
    }
    HGDIOBJ old = SelectObject(dc, handle);
    if (!initialFont) initialFont = old;
  }

  // The scratch DIB grows to the largest run drawn so far.
  void Reserve(int w, int h) {
    if (w <= dibWidth && h <= dibHeight) return;
    w = std::max(w, dibWidth);
    h = std::max(h, dibHeight);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* p = nullptr;
    HBITMAP next = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &p, nullptr, 0);
    if (!next) throw std::runtime_error("GDI refused a DIB section");
    HGDIOBJ old = SelectObject(dc, next);
    if (!initialBitmap) initialBitmap = old;
    if (dib) DeleteObject(dib);
    dib = next;
    bits = static_cast<Pixel*>(p);
    dibWidth = w;
    dibHeight = h;
  }
};

GdiTextRenderer::GdiTextRenderer() : impl_(std::make_unique<Impl>()) {
  if (!impl_->dc) throw std::runtime_error("GDI refused a memory DC");
  SetBkMode(impl_->dc, TRANSPARENT);
  SetTextColor(impl_->dc, RGB(255, 255, 255));
  SetTextAlign(impl_->dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
}

GdiTextRenderer::~GdiTextRenderer() = default;

std::unique_ptr<GdiTextRenderer> GdiTextRenderer::WithPrivateFont(std::string path,
                                                                  std::string family) {
  if (AddFontResourceExA(path.c_str(), FR_PRIVATE, nullptr) == 0)
    throw std::runtime_error("GDI cannot load the font file " + path);
  auto r = std::make_unique<GdiTextRenderer>();
  r->impl_->privateFile = std::move(path);
  r->impl_->family = std::move(family);
  return r;
}

FontMetrics GdiTextRenderer::Metrics(const TFont& font) {
  impl_->Select(font);
  TEXTMETRICA tm{};
  GetTextMetricsA(impl_->dc, &tm);
  return {static_cast<int>(tm.tmHeight), static_cast<int>(tm.tmAscent)};
}

int GdiTextRenderer::Width(const TFont& font, std::string_view text) {
  impl_->Select(font);
  SIZE size{};
  GetTextExtentPoint32A(impl_->dc, text.data(), static_cast<int>(text.size()), &size);
  return size.cx;
}

void GdiTextRenderer::Render(Surface& target, const TFont& font, int x, int y,
                             std::string_view text, TColor color, const TRect& clip) {
  const TRect c = clip.Intersect(target.Bounds());
  if (c.IsEmpty() || text.empty()) return;
  impl_->Select(font);
  SIZE size{};
  GetTextExtentPoint32A(impl_->dc, text.data(), static_cast<int>(text.size()), &size);
  // Overhangs of italic or bold glyphs reach past the advance width.
  const int w = size.cx + size.cy, h = size.cy;
  const TRect box = TRect::FromSize(x, y, w, h).Intersect(c);
  if (box.IsEmpty()) return;
  impl_->Reserve(w, h);
  for (int row = 0; row < h; ++row)
    std::fill_n(impl_->bits + static_cast<std::size_t>(row) * impl_->dibWidth, w, Pixel{0});
  TextOutA(impl_->dc, 0, 0, text.data(), static_cast<int>(text.size()));
  GdiFlush();
  const Pixel ink = ToPixel(color);
  for (int py = box.Top; py < box.Bottom; ++py) {
    const Pixel* src = impl_->bits + static_cast<std::size_t>(py - y) * impl_->dibWidth;
    Pixel* dst = target.Row(py);
    for (int px = box.Left; px < box.Right; ++px)
      if (((src[px - x] >> 8) & 0xFF) >= 0x80) dst[px] = ink;
  }
}
