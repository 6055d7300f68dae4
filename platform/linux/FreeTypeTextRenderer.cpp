#include "platform/linux/FreeTypeTextRenderer.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <array>
#include <cmath>
#include <map>
#include <optional>
#include <stdexcept>
#include <tuple>
#include <vector>

namespace {

struct Glyph {
  int left = 0, top = 0, advance = 0, width = 0, rows = 0;
  std::vector<std::uint8_t> ink;  // one byte per pixel, 0 or 1
};

// One face at one pixel size, with the glyphs it has rendered so far.
struct SizedFace {
  FT_Face face = nullptr;
  FontMetrics metrics;
  std::array<std::optional<Glyph>, 256> glyphs;
  ~SizedFace() {
    if (face) FT_Done_Face(face);
  }
};

// The forms name Windows faces (Franklin Gothic Medium, Trebuchet MS, Small
// Fonts) and size their fixed caption boxes by those faces' metrics, which
// the faces fontconfig substitutes for them do not share: DejaVu Sans runs
// the logo 70 pixels past its box. Measured against every fixed box of the
// editor, Liberation Sans Narrow keeps each caption inside; every face name
// draws with it. DejaVu Sans Condensed, narrower than the default substitute
// though still too wide for the logo, stands in where it is missing.
constexpr const char* kStandIns[] = {"Liberation Sans Narrow", "DejaVu Sans Condensed"};

struct FontFile {
  std::string path;
  int index = 0;
  auto operator<=>(const FontFile&) const = default;
};

}  // namespace

struct FreeTypeTextRenderer::Impl {
  FT_Library library = nullptr;
  std::string fixedFile;  // empty: resolve names with fontconfig
  std::map<std::pair<std::string, bool>, FontFile> resolved;
  std::map<std::tuple<FontFile, int>, std::unique_ptr<SizedFace>> faces;
  // The last face asked for: labels draw many runs in one font.
  TFont lastFont;
  SizedFace* last = nullptr;

  ~Impl() {
    faces.clear();
    if (library) FT_Done_FreeType(library);
  }

  FontFile Resolve(const TFont& font) {
    if (!fixedFile.empty()) return {fixedFile, 0};
    auto key = std::make_pair(font.Name, font.Bold);
    if (auto it = resolved.find(key); it != resolved.end()) return it->second;
    std::optional<FontFile> file;
    for (const char* face : kStandIns)
      if ((file = Match(face, font.Bold, true))) break;
    if (!file) file = Match(font.Name.c_str(), font.Bold, false);
    if (!file) throw std::runtime_error("fontconfig found no font for " + font.Name);
    return resolved[key] = *file;
  }

  // The file fontconfig offers for a family; with `exact`, only a face of
  // that very family, not the nearest substitute.
  static std::optional<FontFile> Match(const char* family, bool bold, bool exact) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match) return std::nullopt;
    std::optional<FontFile> file;
    FcChar8* path = nullptr;
    if ((!exact || HasFamily(match, family)) &&
        FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) {
      file = FontFile{reinterpret_cast<const char*>(path), 0};
      FcPatternGetInteger(match, FC_INDEX, 0, &file->index);
    }
    FcPatternDestroy(match);
    return file;
  }

  static bool HasFamily(FcPattern* match, const char* family) {
    FcChar8* name = nullptr;
    for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch; ++i)
      if (FcStrCmpIgnoreCase(name, reinterpret_cast<const FcChar8*>(family)) == 0) return true;
    return false;
  }

  SizedFace& Face(const TFont& font) {
    if (last && font.Name == lastFont.Name && font.Height == lastFont.Height &&
        font.Bold == lastFont.Bold)
      return *last;
    FontFile file = Resolve(font);
    auto& slot = faces[{file, font.Height}];
    if (!slot) slot = Open(file, font.Height);
    lastFont = font;
    last = slot.get();
    return *slot;
  }

  std::unique_ptr<SizedFace> Open(const FontFile& file, int height) {
    auto sized = std::make_unique<SizedFace>();
    if (FT_New_Face(library, file.path.c_str(), file.index, &sized->face))
      throw std::runtime_error("cannot open font " + file.path);
    FT_Face f = sized->face;
    // Windows measures a line by the OS/2 "win" extents.
    double asc = f->ascender, desc = -f->descender;
    if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(f, FT_SFNT_OS2))) {
      asc = os2->usWinAscent;
      desc = os2->usWinDescent;
    }
    // Negative heights give the character (em) height, positive the cell.
    const double em = height < 0 ? -height : height * f->units_per_EM / (asc + desc);
    const auto pixels = static_cast<FT_UInt>(std::max(1L, std::lround(em)));
    FT_Set_Pixel_Sizes(f, 0, pixels);
    const double scale = pixels / static_cast<double>(f->units_per_EM);
    sized->metrics.Ascent = static_cast<int>(std::ceil(asc * scale));
    sized->metrics.Height = sized->metrics.Ascent + static_cast<int>(std::ceil(desc * scale));
    return sized;
  }

  const Glyph& GlyphOf(SizedFace& sized, unsigned char c) {
    auto& slot = sized.glyphs[c];
    if (slot) return *slot;
    Glyph g;
    // 8-bit captions are Latin-1: the byte is the code point.
    if (!FT_Load_Char(sized.face, c, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME)) {
      FT_GlyphSlot s = sized.face->glyph;
      g.left = s->bitmap_left;
      g.top = s->bitmap_top;
      g.advance = static_cast<int>((s->advance.x + 32) >> 6);
      g.width = static_cast<int>(s->bitmap.width);
      g.rows = static_cast<int>(s->bitmap.rows);
      g.ink.resize(static_cast<std::size_t>(g.width) * g.rows);
      for (int y = 0; y < g.rows; ++y) {
        const unsigned char* row = s->bitmap.buffer + y * s->bitmap.pitch;
        for (int x = 0; x < g.width; ++x)
          g.ink[static_cast<std::size_t>(y) * g.width + x] = (row[x >> 3] >> (7 - (x & 7))) & 1;
      }
    }
    return *(slot = std::move(g));
  }
};

FreeTypeTextRenderer::FreeTypeTextRenderer(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {
  if (FT_Init_FreeType(&impl_->library)) throw std::runtime_error("FreeType did not start");
}

FreeTypeTextRenderer::~FreeTypeTextRenderer() = default;

std::unique_ptr<FreeTypeTextRenderer> FreeTypeTextRenderer::WithFontconfig() {
  if (!FcInit()) throw std::runtime_error("fontconfig did not start");
  return std::unique_ptr<FreeTypeTextRenderer>(new FreeTypeTextRenderer(std::make_unique<Impl>()));
}

std::unique_ptr<FreeTypeTextRenderer> FreeTypeTextRenderer::WithFixedFile(std::string path) {
  auto impl = std::make_unique<Impl>();
  impl->fixedFile = std::move(path);
  return std::unique_ptr<FreeTypeTextRenderer>(new FreeTypeTextRenderer(std::move(impl)));
}

FontMetrics FreeTypeTextRenderer::Metrics(const TFont& font) { return impl_->Face(font).metrics; }

int FreeTypeTextRenderer::Width(const TFont& font, std::string_view text) {
  SizedFace& face = impl_->Face(font);
  int w = 0;
  for (char c : text) w += impl_->GlyphOf(face, static_cast<unsigned char>(c)).advance;
  return w;
}

void FreeTypeTextRenderer::Render(Surface& target, const TFont& font, int x, int y,
                                  std::string_view text, TColor color, const TRect& clip) {
  SizedFace& face = impl_->Face(font);
  const TRect c = clip.Intersect(target.Bounds());
  const Pixel ink = ToPixel(color);
  const int baseline = y + face.metrics.Ascent;
  for (char ch : text) {
    const Glyph& g = impl_->GlyphOf(face, static_cast<unsigned char>(ch));
    const int gx = x + g.left, gy = baseline - g.top;
    const TRect box = TRect::FromSize(gx, gy, g.width, g.rows).Intersect(c);
    for (int py = box.Top; py < box.Bottom; ++py) {
      const std::uint8_t* row = g.ink.data() + static_cast<std::size_t>(py - gy) * g.width;
      Pixel* dst = target.Row(py);
      for (int px = box.Left; px < box.Right; ++px)
        if (row[px - gx]) dst[px] = ink;
    }
    x += g.advance;
  }
}
