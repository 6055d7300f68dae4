// TPluginEditorWindow: the sequencer's editor window. It keeps no copy of
// the sequencer state: the bridge's idle calls RestoreWindowState, which
// rewrites every data-bearing control from the plug-in, and the handlers
// write each user edit straight into the plug-in through its accessors.
#pragma once

#include <array>
#include <optional>

#include "editor/Image.h"
#include "editor/Shape.h"
#include "engine/APlugin.h"
#include "skin/DIBImageList.h"
#include "skin/DIBTimer.h"
#include "widgets/DIBImageContainer.h"
#include "widgets/Form.h"
#include "widgets/cDIBFadeLabel.h"
#include "widgets/cDIBImage.h"
#include "widgets/crDesign.h"
#include "widgets/quibGauges.h"

class NativeEditorWindow;

// The row (0..11) whose velocities and shifts the lanes show and edit;
// shared by every editor window of the module, and kept while none is open.
extern int selectedRow;

class TPluginEditorWindow : public TForm {
public:
  static constexpr int kClientWidth = 746;
  static constexpr int kClientHeight = 321;

  TPluginEditorWindow(TextRenderer& text, TimerClock& clock, APlugin& plugin,
                      Scale scale = Scale());
  ~TPluginEditorWindow() override;

  // Where the drag-out hands its file and where failures are told to the
  // user; null while the window runs headless.
  NativeEditorWindow* native = nullptr;

  // Draws the whole window at `scale` from the next paint on, with the
  // images drawn for it; components, handlers and state stay as they are.
  void ApplyScale(Scale scale);

  void RestoreWindowState();
  void UpdateVelocityGrid(int row);
  void UpdateShiftGrid(int row);
  void UpdateBankIndicator(int row);
  // Marks the scale button of `percent` as the one in effect.
  void ShowScale(int percent);
  // The scale the user last asked for with the scale buttons, once: the
  // bridge carries it out between events, as it resizes this very window.
  std::optional<int> TakeScaleRequest();

  // Handlers, bound to their components by BindEvents.
  void NoteGridCellMouseDown(TControl* Sender, TShiftState Shift, TcrCell* Cell);
  void NoteGridCellMouseCellEnter(TControl* Sender, TShiftState Shift, TcrCell* Cell);
  void MidiChannelChange(TControl* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void NoteChange(TControl* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void OctaveChange(TControl* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void SldMouseMove(TControl* Sender, TShiftState Shift, int X, int Y);
  void ShiftSldMouseMove(TControl* Sender, TShiftState Shift, int X, int Y);
  void GlobalVelocityMouseMove(TControl* Sender, TShiftState Shift, int X, int Y);
  void VelocityPresetButton(TControl* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void SelectPatternMouseDown(TControl* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void VelocityButtonMouseDown(TControl* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void ShiftButtonMouseDown(TControl* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void AboutButtonMouseDown(TControl* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void DragandDropButtonMouseDown(TControl* Sender, TMouseButton Button, TShiftState Shift, int X,
                                  int Y);
  void ClearPatternButtonMouseDown(TControl* Sender, TMouseButton Button, TShiftState Shift, int X,
                                   int Y);
  void BypassSwitch(TControl* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void ScaleButtonMouseDown(TControl* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void UpdaterTimer();
  bool CommandKey(char letter, TShiftState keys) override;

  APlugin& plugin;

  // Non-visual components.
  TDIBImageList DIBImageList1;
  TDIBTimer updater;

  // The components the handlers and the refresh address; every component
  // can also be found by its name (FindControl).
  TDIBImageContainer* BG = nullptr;
  TCrDesignGrid* NoteGrid = nullptr;
  TCrDesignGrid* VelocityGrid = nullptr;
  TCrDesignGrid* ShiftGrid = nullptr;
  std::array<TQuibGauge*, 32> VelocityGauges{};  // QuibGauge1 .. QuibGauge32, steps 0..31
  std::array<TQuibGauge*, 32> ShiftGauges{};     // QuibGauge33 .. QuibGauge64
  TQuibGauge* QuibGauge65 = nullptr;
  std::array<TDIBFadeLabel*, 12> BankMidiCh{};   // Bank00_MidiCh .. Bank11_MidiCh
  std::array<TDIBFadeLabel*, 12> BankNote{};     // Bank00_Note ..
  std::array<TDIBFadeLabel*, 12> BankOctave{};   // Bank00_Octave ..
  std::array<TShape*, 12> BankHighLights{};      // BankHighLight1 .. BankHighLight12
  TDIBImage* BankHighLight = nullptr;
  std::array<TDIBFadeLabel*, 24> PatternButtons{};  // DIBFadeLabel1 .. DIBFadeLabel24
  TDIBFadeLabel* DIBFadeLabel25 = nullptr;          // the pattern cursor
  std::array<TDIBFadeLabel*, 5> VelocityPresets{};
  TDIBFadeLabel* BypassMode = nullptr;
  std::array<TDIBImage*, 5> DIBImages{};  // DIBImage1 .. DIBImage5
  TImage* AboutGraphicBox = nullptr;
  // ScaleButton100, ScaleButton150, ScaleButton200, on the about page; Tag
  // is the percentage.
  std::array<TDIBFadeLabel*, 3> ScaleButtons{};

protected:
  void GestureStarts() override;
  void GestureEnds() override;

private:
  void LoadImages();
  void CreateComponents();
  void CreateFrames();
  void CreateRowHeaders();
  void CreateNoteGrid();
  void CreateLanes();
  void CreateButtons();
  void CreateCaptions();
  void CreateScaleButtons();
  void BindEvents();
  // The about picture and its scale buttons in place of the note grid, or
  // the grid back.
  void ShowAboutPage(bool shown);
  // The velocity newly set cells get: the global velocity gauge's level.
  int BrushVelocity() const;
  bool CurrentPatternHasSetCell();
  // The pattern cursor takes the button's place, caption and Tag.
  void MoveCursorTo(const TDIBFadeLabel& button);

  std::optional<int> scaleRequest_;
  // When the audio thread last published a playing step, by the editor's
  // clock, and how many publications had been seen then.
  unsigned seenPublications_ = 0;
  TimerClock::Duration lastPublication_{0};
};
