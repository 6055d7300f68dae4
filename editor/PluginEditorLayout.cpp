// The window's components as its form describes them: geometry, colours,
// fonts, captions and tags. Creation order is paint order among the
// windowless controls; the three grids, being windowed, lie above them.
#include <cstdio>
#include <string>

#include "editor/EditorColors.h"
#include "editor/PluginEditorWindow.h"
#include "resources/Resources.h"

namespace {

using namespace editor_colors;

std::string Numbered(const char* family, int n) { return family + std::to_string(n); }

std::string RowName(int row, const char* family) {
  char name[32];
  std::snprintf(name, sizeof name, "Bank%02d_%s", row, family);
  return name;
}

// The outline of a box, or a line: a box two pixels thin or less.
TShape& Outline(TWinControl& parent, const std::string& name, int left, int top, int width,
                int height, TColor color = line) {
  return parent.Add<TShape>(name, left, top, width, height, std::nullopt, color);
}

struct LabelLook {
  TFont font;
  TColor color;
  bool transparent;
  std::uint8_t opacity;
  bool centred;
};

TDIBFadeLabel& Label(TWinControl& parent, const std::string& name, int left, int top, int width,
                     int height, const std::string& caption, const LabelLook& look) {
  auto& l = parent.Add<TDIBFadeLabel>(name, left, top, width, height);
  l.SetFont(look.font);
  // The highlight equals the font colour: hovering changes nothing visible.
  l.SetColorHighlighted(look.font.Color);
  l.SetColor(look.color);
  l.SetTransparent(look.transparent);
  l.SetOpacity(look.opacity);
  if (look.centred) {
    l.SetAlignment(TAlignment::taCenter);
    l.SetLayout(TTextLayout::tlCenter);
  }
  l.SetCaption(caption);
  return l;
}

void Fixed(TControl& c) { c.SetConstraints({c.Width(), c.Height(), c.Width(), c.Height()}); }

void LaneGrid(TCrDesignGrid& g) {
  g.SetMatrix(32, 1, 16, 64);
  TcrPaintingStyles& styles = g.PaintStyles();
  TcrPaintingStyle& base = styles.DefaultStyle();
  base.SetName("Default Grid Color");
  base.SetFaceColor(frame);
  base.SetHighlightColor(frame);
  base.SetShadowColor(frame);
  base.SetBeveled(false);
  styles.Add().SetName("MouseDown Grid");
  styles.Add().SetName("CurrentStepCursorColor");
  styles.Add();
}

void CommonGrid(TCrDesignGrid& g) {
  g.SetMargin(2);
  g.SetScrollThick(16);
  g.SetScrollBigChange(100);
  g.SetRandomStyles(false);
  g.SetColor(panel);
  g.SetColorInactive(panel);
  g.SetCtl3D(true);
  g.SetBevelOuter(TBevelCut::bvNone);
}

TQuibGauge& LaneGauge(TCrDesignGrid& grid, int number, int step, int top, bool shift) {
  auto& g = grid.Add<TQuibGauge>(Numbered("QuibGauge", number), 4 + 16 * step, top, 15, 64);
  g.Tag = step;
  g.SetKind(TQuibGaugeKind::gkVerticalBar);
  g.SetMaxValue(64);
  g.SetProgress(0);
  g.SetShowText(false);
  g.SetBorderStyle(TBorderStyle::bsNone);
  g.SetColor(laneGauge);
  g.SetForeColor(ink);
  g.SetBackColor(gaugeBack);
  g.SetBorderColor(shift ? clHighlightText : ink);
  g.SetCenterOrigin(shift);
  return g;
}

}  // namespace

void TPluginEditorWindow::CreateComponents() {
  SetColor(clBlack);
  LoadImages();

  BG = &Add<TDIBImageContainer>("BG", 0, 0, 890, 336);
  BG->SetImage(&DIBImageList1, 0);

  CreateFrames();
  CreateRowHeaders();
  CreateNoteGrid();
  CreateLanes();
  CreateButtons();
  CreateCaptions();
  CreateScaleButtons();
}

void TPluginEditorWindow::CreateFrames() {
  BG->Add<TShape>("Shape1", -38, -23, 784, 344, frame, std::nullopt);
  BG->Add<TShape>("Shape2", 5, 22, 734, 208, panel, frame);
  BG->Add<TShape>("Shape13", 5, 233, 734, 81, panel, frame);
  Outline(*BG, "Shape3", 40, 31, 1, 190);
  // Drawn as boxes, not as four lines each: a box's outline lies inside its
  // edges at every scale, and its corners meet.
  Outline(*BG, "WindowFrame", 0, 0, 746, 321);
  Outline(*BG, "UpperPanelFrame", 5, 21, 735, 209);
  // Below the global velocity gauge; the box of the trigger switch.
  Outline(*BG, "Shape70", 658, 300, 66, 1);
  Outline(*BG, "TriggerSwitchFrame", 622, 3, 118, 16);

  // The frames of the five velocity presets.
  for (int i = 0; i < 4; ++i) Outline(*BG, Numbered("PresetFrame", i + 1), 635 + 23 * i, 258, 20, 20);
  Outline(*BG, "PresetFrame5", 635, 281, 20, 20);

  for (int n = 1; n <= 12; ++n)
    BankHighLights[n - 1] =
        &BG->Add<TShape>(Numbered("BankHighLight", n), 615, 30 + 16 * (n - 1), 6, 17, frame, frame);
  BankHighLight = &BG->Add<TDIBImage>("BankHighLight", 615, 30, 9, 17);
  BankHighLight->SetIndexMain(&DIBImageList1, 6);
  BankHighLight->SetCenter(true);
}

void TPluginEditorWindow::CreateRowHeaders() {
  static const char* const initialNotes[12] = {"C",  "C#", "D",  "D#", "E",  "F",
                                               "F#", "G",  "G#", "A",  "A#", "B"};
  const LabelLook look{{"Trebuchet MS", -11, clBlack, false}, label, false, 200, true};
  for (int r = 0; r < 12; ++r) {
    const int top = 31 + 16 * r;
    BankMidiCh[r] = &Label(*BG, RowName(r, "MidiCh"), 16, top, 20, 14, "01", look);
    BankNote[r] = &Label(*BG, RowName(r, "Note"), 45, top, 20, 14, initialNotes[r], look);
    BankOctave[r] = &Label(*BG, RowName(r, "Octave"), 68, top, 20, 14, "0", look);
    for (TDIBFadeLabel* l : {BankMidiCh[r], BankNote[r], BankOctave[r]}) {
      l->Tag = r;
      Fixed(*l);
    }
  }
}

void TPluginEditorWindow::CreateNoteGrid() {
  AboutGraphicBox = &BG->Add<TImage>("AboutGraphicBox", 100, 31, 510, 191);
  AboutGraphicBox->SetPicture(
      [percent = DrawScale().Percent()] { return SurfaceFromBitmap(aboutPicture(percent)); });
  // The picture shows only while the grid is hidden; until then the grid
  // covers it, and hidden it is neither painted nor decoded.
  AboutGraphicBox->SetVisible(false);

  NoteGrid = &BG->Add<TCrDesignGrid>("NoteGrid", 95, 27, 520, 199);
  CommonGrid(*NoteGrid);
  NoteGrid->SetMatrix(32, 12, 16, 16);
  struct StyleRow {
    const char* name;
    TColor face, highlight, shadow;
    bool beveled;
  };
  static const StyleRow rows[4] = {{"Default Empty", gaugeBack, clBlack, clBlack, false},
                                   {"Step Note", 0x959A8F, 0x959A8F, 0x959A8F, true},
                                   {"Link Note", 0x80A888, 0x80A888, 0x959A8F, true},
                                   {"Break Note", 0x578060, 0x578060, 0x959A8F, true}};
  TcrPaintingStyles& styles = NoteGrid->PaintStyles();
  for (int i = 0; i < 4; ++i) {
    TcrPaintingStyle& s = i == 0 ? styles.DefaultStyle() : styles.Add();
    s.BeginUpdate();
    s.SetName(rows[i].name);
    s.SetFaceColor(rows[i].face);
    s.SetHighlightColor(rows[i].highlight);
    s.SetShadowColor(rows[i].shadow);
    s.SetBeveled(rows[i].beveled);
    s.SetBorderWidth(1);
    s.SetSmallFont({"Verdana", -11, clWindowText, false});
    s.SetBigFont({"MS Sans Serif", -16, clWindowText, false});
    s.SetSmallTextX(2);
    s.SetSmallTextY(1);
    s.EndUpdate();
  }
  // The separators drawn over the cells hide their outermost pixels: of
  // this frame two pixels show.
  NoteGrid->SetCurrentColumnLook(playingStep, 3);

  // Cell separators and the beat lines, drawn over the cells. They take no
  // clicks, so a press on a separator still reaches the cell beneath it.
  auto decoration = [this](const std::string& name, int l, int t, int w, int h, TColor c) {
    Outline(*NoteGrid, name, l, t, w, h, c).SetEnabled(false);
  };
  for (int k = 0; k <= 12; ++k)
    decoration(Numbered("RowSeparator", k), k == 4 || k == 6 ? 3 : 4, 2 + 16 * k, 512, 2, panel);
  for (int k = 0; k < 32; ++k) {
    const int top = k % 4 == 3 && k < 31 ? 3 : 4;
    decoration(Numbered("StepSeparator", k), 19 + 16 * k, top, 2, 192, panel);
  }
  for (int x : {68, 132, 196, 324, 388, 452}) decoration(Numbered("BeatLine", x), x, 4, 1, 190, beatLine);
  for (int x : {3, 260, 516}) decoration(Numbered("BarLine", x), x, 4, 1, 190, ink);
}

void TPluginEditorWindow::CreateLanes() {
  // The shift lane first, so the velocity lane opens in front of it.
  ShiftGrid = &BG->Add<TCrDesignGrid>("ShiftGrid", 97, 238, 520, 70);
  VelocityGrid = &BG->Add<TCrDesignGrid>("VelocityGrid", 97, 236, 521, 73);
  for (TCrDesignGrid* g : {ShiftGrid, VelocityGrid}) {
    CommonGrid(*g);
    LaneGrid(*g);
  }
  for (int k = 0; k < 32; ++k) {
    VelocityGauges[k] = &LaneGauge(*VelocityGrid, 1 + k, k, 5, false);
    ShiftGauges[k] = &LaneGauge(*ShiftGrid, 33 + k, k, 3, true);
  }

  QuibGauge65 = &BG->Add<TQuibGauge>("QuibGauge65", 658, 281, 66, 19);
  QuibGauge65->SetKind(TQuibGaugeKind::gkHorizontalBar);
  QuibGauge65->SetMaxValue(66);
  QuibGauge65->SetProgress(0);
  QuibGauge65->SetShowText(false);
  QuibGauge65->SetBorderStyle(TBorderStyle::bsNone);
  QuibGauge65->SetColor(0xA0A998);
  QuibGauge65->SetForeColor(ink);
  QuibGauge65->SetBackColor(gaugeBack);
  QuibGauge65->SetBorderColor(0x808080);
}

void TPluginEditorWindow::CreateButtons() {
  struct Preset {
    int left, top, tag;
    const char* caption;
    int fontHeight;
  };
  static const Preset presets[5] = {{635, 258, 50, " 50%", -9},
                                    {658, 258, 65, " 65%", -9},
                                    {681, 258, 75, " 75%", -9},
                                    {704, 258, 85, " 85%", -9},
                                    {635, 281, 0, "RST", -8}};
  for (int i = 0; i < 5; ++i) {
    const Preset& p = presets[i];
    const LabelLook look{{"Franklin Gothic Medium", p.fontHeight, clBlack, false}, frame, false, 230,
                         false};
    auto& l = Label(*BG, Numbered("VelocityPreset", i + 1), p.left, p.top, 20, 20, p.caption, look);
    l.SetAutoSize(false);
    l.Tag = p.tag;
    VelocityPresets[i] = &l;
  }

  const LabelLook button{{"Trebuchet MS", -11, clBlack, false}, frame, false, 200, true};
  for (int n = 0; n < 24; ++n) {
    auto& l = Label(*BG, Numbered("DIBFadeLabel", n + 1), 635 + 23 * (n % 4), 58 + 23 * (n / 4), 20,
                    20, std::to_string(n + 1), button);
    l.Tag = n;
    Fixed(l);
    PatternButtons[n] = &l;
  }
  LabelLook cursorLook = button;
  cursorLook.color = label;
  cursorLook.transparent = true;
  DIBFadeLabel25 = &Label(*BG, "DIBFadeLabel25", 635, 58, 20, 20, "1", cursorLook);
  Fixed(*DIBFadeLabel25);

  struct ImageButton {
    int left, top, width, height;
  };
  static const ImageButton images[5] = {
      {9, 242, 89, 22}, {9, 263, 89, 23}, {9, 284, 89, 23}, {625, 29, 113, 21}, {625, 202, 113, 21}};
  for (int i = 0; i < 5; ++i) {
    const ImageButton& b = images[i];
    DIBImages[i] = &BG->Add<TDIBImage>(Numbered("DIBImage", i + 1), b.left, b.top, b.width, b.height);
    DIBImages[i]->SetIndexMain(&DIBImageList1, i + 1);
  }

  BypassMode = &Label(*BG, "BypassMode", 717, 6, 20, 10, " OFF ",
                      {{"Small Fonts", -8, clBlack, false}, label, false, 255, true});
  Fixed(*BypassMode);
}

void TPluginEditorWindow::CreateCaptions() {
  const LabelLook caption{{"Franklin Gothic Medium", -12, ink, false}, ink, true, 255, false};
  auto& logo = Label(*BG, "QuaverlinLogo", 99, 5, 339, 17,
                     "Quaverlin v1.03a BETA-R6 VST Based Midi-FX / 32 Step Sequencer", caption);
  logo.SetAutoSize(false);
  Label(*BG, "DIBFadeLabel27", 19, 5, 0, 0, "Ch       Note ", caption);
  LabelLook small = caption;
  small.font = {"Trebuchet MS", -9, ink, true};
  Label(*BG, "DIBFadeLabel29", 625, 3, 0, 0, "Trigger Patterns ->", small);
  Label(*BG, "DIBFadeLabel31", 640, 241, 0, 0, "Velocity Presets", caption);
}

// On the about picture, in the free space right of the subtitle; shown with
// the picture only.
void TPluginEditorWindow::CreateScaleButtons() {
  const LabelLook look{{"Trebuchet MS", -11, clBlack, false}, frame, false, 200, true};
  for (std::size_t i = 0; i < ScaleButtons.size(); ++i) {
    const int percent = Scale::kOffered[i];
    auto& l = Label(*BG, Numbered("ScaleButton", percent), 478 + 43 * static_cast<int>(i), 81, 40,
                    16, std::to_string(percent) + "%", look);
    l.Tag = percent;
    Fixed(l);
    l.SetVisible(false);
    ScaleButtons[i] = &l;
  }
  ShowScale(Scale::kOffered[0]);
}
