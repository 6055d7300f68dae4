// The editor's load on the widgets: a 746 x 321 tree of the editor's kinds
// and numbers of controls, painted in full, and a refresh pass that hands
// every control the value it already shows.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/NativeTextRenderer.h"
#include "widgets/DIBImageContainer.h"
#include "widgets/Form.h"
#include "widgets/cDIBFadeLabel.h"
#include "widgets/cDIBImage.h"
#include "widgets/crDesign.h"
#include "widgets/quibGauges.h"

namespace {

struct EditorLikeTree {
  std::unique_ptr<TextRenderer> text = CreateNativeTextRenderer();
  TimerClock clock;
  TDIBImageList images;
  TForm form{*text, clock, 746, 321};
  TCrDesignGrid* note = nullptr;
  std::vector<TQuibGauge*> gauges;
  std::vector<TDIBFadeLabel*> labels;

  EditorLikeTree() {
    Surface background(850, 350);
    for (int y = 0; y < 350; ++y)
      for (int x = 0; x < 850; ++x) background.Set(x, y, ToPixel(RGBColor(x, y, x ^ y)));
    images.Add(background);
    for (int w : {88, 88, 88, 108, 108}) images.Add(Surface(w, 21, ToPixel(0x808080)));
    images.Add(Surface(8, 9, ToPixel(0x202020)));

    auto& bg = form.Add<TDIBImageContainer>("BG", 0, 0, 890, 336);
    bg.SetImage(&images, 0);
    note = &Grid(bg, "NoteGrid", 95, 27, 520, 199, 12, 16);
    auto& shift = Grid(bg, "ShiftGrid", 97, 238, 520, 70, 1, 64);
    auto& velocity = Grid(bg, "VelocityGrid", 97, 236, 521, 73, 1, 64);
    for (int k = 0; k < 32; ++k) {
      Gauge(velocity, 4 + 16 * k, 5, 15, 64, false);
      Gauge(shift, 4 + 16 * k, 3, 15, 64, true);
    }
    Gauge(bg, 658, 281, 66, 19, false).SetKind(TQuibGaugeKind::gkHorizontalBar);
    const char* notes[] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
    for (int r = 0; r < 12; ++r) {
      Label(bg, 16, 31 + 16 * r, 20, 14, "01", 0x80A888, 200);
      Label(bg, 45, 31 + 16 * r, 20, 14, notes[r], 0x80A888, 200);
      Label(bg, 68, 31 + 16 * r, 20, 14, "0", 0x80A888, 200);
    }
    for (int n = 0; n < 25; ++n)
      Label(bg, 635 + 23 * (n % 4), 58 + 23 * (n / 4), 20, 20, std::to_string(n + 1), 0xA8B0A0,
            200);
    for (int p = 0; p < 5; ++p)
      Label(bg, 635 + 23 * (p % 4), 258 + 23 * (p / 4), 20, 20, " 50%", 0xA8B0A0, 230);
    for (int i = 0; i < 5; ++i) {
      auto& caption = Label(bg, 99, 5, 339, 17,
                            "Quaverlin v1.03a BETA-R6 VST Based Midi-FX / 32 Step Sequencer",
                            0x64695F, 255);
      caption.SetTransparent(true);
    }
    const int imageBounds[][4] = {{9, 242, 89, 22}, {9, 263, 89, 23}, {9, 284, 89, 23},
                                  {625, 29, 113, 21}, {625, 202, 113, 21}, {615, 30, 9, 17}};
    for (int i = 0; i < 6; ++i) {
      auto& img = bg.Add<TDIBImage>("DIBImage" + std::to_string(i + 1), imageBounds[i][0],
                                    imageBounds[i][1], imageBounds[i][2], imageBounds[i][3]);
      img.SetIndexMain(&images, i + 1);
    }
    TcrPaintingStyles& styles = note->PaintStyles();
    for (int s = 1; s < 4; ++s) styles.Add().SetFaceColor(RGBColor(40 * s, 50, 60));
    for (int c = 0; c < 32; ++c)
      for (int r = 0; r < 12; ++r) note->Cells(c, r)->SetStyleIndex((c + r) % 4);
    form.PaintInvalid();
  }

  TCrDesignGrid& Grid(TWinControl& parent, const char* name, int l, int t, int w, int h, int rows,
                      int rowHeight) {
    auto& g = parent.Add<TCrDesignGrid>(name, l, t, w, h);
    g.SetMatrix(32, rows, 16, rowHeight);
    g.SetColor(0xB7BEB1);
    g.SetColorInactive(0xB7BEB1);
    g.SetBevelOuter(TBevelCut::bvNone);
    return g;
  }
  TQuibGauge& Gauge(TWinControl& parent, int l, int t, int w, int h, bool centred) {
    auto& g = parent.Add<TQuibGauge>("QuibGauge" + std::to_string(gauges.size() + 1), l, t, w, h);
    g.SetKind(TQuibGaugeKind::gkVerticalBar);
    g.SetMaxValue(64);
    g.SetShowText(false);
    g.SetBorderStyle(TBorderStyle::bsNone);
    g.SetCenterOrigin(centred);
    g.SetProgress(static_cast<int>(gauges.size() % 64));
    gauges.push_back(&g);
    return g;
  }
  TDIBFadeLabel& Label(TWinControl& parent, int l, int t, int w, int h, const std::string& caption,
                       TColor color, std::uint8_t opacity) {
    auto& label =
        parent.Add<TDIBFadeLabel>("DIBFadeLabel" + std::to_string(labels.size() + 1), l, t, w, h);
    label.SetConstraints({w, h, w, h});
    label.SetFont({"Trebuchet MS", -11, clBlack, false});
    label.SetAlignment(TAlignment::taCenter);
    label.SetLayout(TTextLayout::tlCenter);
    label.SetTransparent(false);
    label.SetColor(color);
    label.SetOpacity(opacity);
    label.SetCaption(caption);
    labels.push_back(&label);
    return label;
  }
};

void BM_FullPaintOfTheEditorTree(benchmark::State& state) {
  EditorLikeTree tree;
  for (auto _ : state) {
    tree.form.Invalidate();
    benchmark::DoNotOptimize(tree.form.PaintInvalid());
  }
}
BENCHMARK(BM_FullPaintOfTheEditorTree)->Unit(benchmark::kMicrosecond);

// What the idle refresh does when nothing changed: every cell's style and
// MakeVisible, every gauge's progress, every label's caption and colour.
void BM_RefreshWithUnchangedValues(benchmark::State& state) {
  EditorLikeTree tree;
  std::vector<std::string> captions;
  for (TDIBFadeLabel* l : tree.labels) captions.push_back(l->Caption());
  int calls = 0;
  for (auto _ : state) {
    calls = 0;
    for (int c = 0; c < 32; ++c)
      for (int r = 0; r < 12; ++r) {
        TcrCell* cell = tree.note->Cells(c, r);
        cell->SetStyleIndex((c + r) % 4);
        cell->MakeVisible(true);
        calls += 2;
      }
    for (std::size_t i = 0; i < tree.gauges.size(); ++i, ++calls)
      tree.gauges[i]->SetProgress(static_cast<int>(i % 64));
    for (std::size_t i = 0; i < tree.labels.size(); ++i, calls += 2) {
      tree.labels[i]->SetCaption(captions[i]);
      tree.labels[i]->SetColor(tree.labels[i]->Color());
    }
    if (tree.form.NeedsPaint()) state.SkipWithError("an unchanged value invalidated something");
  }
  state.counters["setter_calls"] = calls;
}
BENCHMARK(BM_RefreshWithUnchangedValues)->Unit(benchmark::kMicrosecond);

// One changed cell and one changed gauge: the repaint covers only them.
void BM_RepaintAfterOneCellAndOneGaugeChanged(benchmark::State& state) {
  EditorLikeTree tree;
  int flip = 0;
  for (auto _ : state) {
    flip ^= 1;
    tree.note->Cells(5, 5)->SetStyleIndex(flip + 1);
    tree.gauges[3]->SetProgress(flip ? 40 : 3);
    benchmark::DoNotOptimize(tree.form.PaintInvalid());
  }
}
BENCHMARK(BM_RepaintAfterOneCellAndOneGaugeChanged)->Unit(benchmark::kMicrosecond);

}  // namespace
