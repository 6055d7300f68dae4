// The editor's scale as the user chooses it: remembered in the user's
// settings across instances, read when an editor opens, and changed only
// with the host's consent to the new size.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <utility>
#include <vector>

#include "editor/APluginEditor.h"
#include "editor/PluginEditorWindow.h"
#include "frame/PluginEntry.h"
#include "platform/UserSettingsFile.h"
#include "tests/platform/SettingsFolder.h"

namespace {

// A host that grants or refuses audioMasterSizeWindow, keeps every size it
// was asked for, and checks the editor's own size before it answers, as
// some hosts do.
struct SizingHost {
  static inline VstIntPtr grant = 1;
  static inline std::vector<std::pair<VstInt32, VstIntPtr>> asked;
  static inline std::vector<std::pair<VstInt32, VstIntPtr>> reported;

  static VstIntPtr callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                            void*, float) {
    if (opcode == audioMasterVersion) return 2400;
    if (opcode != audioMasterSizeWindow) return 0;
    asked.emplace_back(index, value);
    ERect* r = nullptr;
    effect->dispatcher(effect, effEditGetRect, 0, 0, &r, 0.0f);
    reported.emplace_back(r->right - r->left, r->bottom - r->top);
    return grant;
  }
};

struct Size {
  int width, height;
  friend bool operator==(const Size&, const Size&) = default;
};

class Instance {
public:
  Instance() : plugin_(static_cast<APlugin*>(createEffectInstance(&SizingHost::callback))) {}

  APluginEditor& bridge() { return static_cast<APluginEditor&>(*plugin_->getEditor()); }
  TPluginEditorWindow& window() { return *bridge().window(); }
  void open() { ASSERT_EQ(bridge().openHeadless(), 1); }
  void idle() {
    AEffect* e = plugin_->getAeffect();
    e->dispatcher(e, effEditIdle, 0, 0, nullptr, 0.0f);
  }
  Size size() {
    ERect* r = nullptr;
    bridge().getRect(&r);
    return {r->right - r->left, r->bottom - r->top};
  }
  // What a click on a scale button of the about page does; the bridge
  // carries it out at the next idle.
  void choose(int percent) {
    TPluginEditorWindow& w = window();
    w.AboutButtonMouseDown(w.DIBImages[2], TMouseButton::mbLeft, {}, 0, 0);
    for (TDIBFadeLabel* button : w.ScaleButtons) {
      if (button->Tag != percent) continue;
      ASSERT_TRUE(button->Visible());
      w.ScaleButtonMouseDown(button, TMouseButton::mbLeft, {}, 0, 0);
    }
    idle();
  }

private:
  std::unique_ptr<APlugin> plugin_;
};

class ScaleChoice : public ::testing::Test {
protected:
  ScaleChoice() {
    SizingHost::grant = 1;
    SizingHost::asked.clear();
    SizingHost::reported.clear();
  }
  std::optional<std::string> settings() { return ReadSettingsText(UserSettingsPath()); }

  ScopedSettingsFolder config;
};

}  // namespace

TEST_F(ScaleChoice, AnEditorOpensAtTheScaleTheUserRemembered) {
  const std::pair<const char*, Size> cases[] = {{"scale=100\n", {746, 321}},
                                                {"scale=150\n", {1119, 482}},
                                                {"theme=dark\nscale=200\n", {1492, 642}}};
  for (const auto& [text, size] : cases) {
    config.Write(text);
    Instance instance;
    instance.open();
    EXPECT_EQ(instance.size(), size) << text;
  }
}

// Headless, the screen's density is unknown: full size.
TEST_F(ScaleChoice, AMissingDamagedOrUnreadableFileFallsBackToTheScreensDensity) {
  const char* damaged[] = {"scale=125\n", "scale=huge\n", "\x01\x02\x03", ""};
  for (const char* text : damaged) {
    config.Write(text);
    Instance instance;
    instance.open();
    EXPECT_EQ(instance.bridge().scale(), 100) << text;
  }
  std::filesystem::remove(config.SettingsFile());
  std::filesystem::create_directories(config.SettingsFile());
  Instance unreadable;
  unreadable.open();
  EXPECT_EQ(unreadable.bridge().scale(), 100);
}

TEST_F(ScaleChoice, AHostThatAgreesGetsTheNewSizeAndTheChoiceIsRemembered) {
  Instance instance;
  instance.open();
  instance.choose(200);
  EXPECT_EQ(instance.bridge().scale(), 200);
  EXPECT_EQ(instance.size(), (Size{1492, 642}));
  ASSERT_EQ(SizingHost::asked.size(), 1u);
  EXPECT_EQ(SizingHost::asked[0], (std::pair<VstInt32, VstIntPtr>{1492, 642}));
  EXPECT_EQ(SizingHost::reported, SizingHost::asked) << "getRect answers the size asked for";
  EXPECT_EQ(settings(), "scale=200\n");
  // The button of the scale in effect stands out.
  for (TDIBFadeLabel* button : instance.window().ScaleButtons)
    EXPECT_EQ(button->Color() == instance.window().ScaleButtons[2]->Color(), button->Tag == 200);
  // Picking the scale in effect asks nothing.
  instance.choose(200);
  EXPECT_EQ(SizingHost::asked.size(), 1u);
}

TEST_F(ScaleChoice, AHostThatRefusesKeepsTheOldSizeAndScaleAndNothingIsRemembered) {
  config.Write("scale=150\n");
  SizingHost::grant = 0;
  Instance instance;
  instance.open();
  instance.choose(100);
  ASSERT_EQ(SizingHost::asked.size(), 1u);
  EXPECT_EQ(SizingHost::asked[0], (std::pair<VstInt32, VstIntPtr>{746, 321}));
  EXPECT_EQ(instance.bridge().scale(), 150);
  EXPECT_EQ(instance.size(), (Size{1119, 482}));
  EXPECT_EQ(settings(), "scale=150\n");
}

// The settings belong to the user: what one instance's editor chose, the
// next editor that opens in any instance starts with.
TEST_F(ScaleChoice, TwoInstancesShareTheChoice) {
  Instance first, second;
  first.open();
  second.open();
  first.choose(150);
  EXPECT_EQ(second.bridge().scale(), 100) << "an open editor keeps its scale";
  second.bridge().close();
  second.open();
  EXPECT_EQ(second.bridge().scale(), 150);
  second.choose(200);
  first.bridge().close();
  first.open();
  EXPECT_EQ(first.bridge().scale(), 200);
}

// A scale set on the closed editor holds for its opens until the user
// picks one; from then on each open reads the user's choice again.
TEST_F(ScaleChoice, AScaleSetBeforeOpeningHoldsUntilTheUserPicksOne) {
  config.Write("scale=150\n");
  Instance instance;
  instance.bridge().setScale(200);
  for (int open = 0; open < 2; ++open) {
    instance.open();
    EXPECT_EQ(instance.size(), (Size{1492, 642})) << open;
    instance.bridge().close();
  }
  instance.open();
  instance.choose(100);
  EXPECT_EQ(settings(), "scale=100\n");
  config.Write("scale=150\n");  // another instance's choice
  instance.bridge().close();
  instance.open();
  EXPECT_EQ(instance.size(), (Size{1119, 482}));
}
