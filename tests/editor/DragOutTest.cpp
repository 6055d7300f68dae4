// The drag-out button: the current pattern written as a MIDI file in the
// temporary folder, then handed to the platform to drag; a file that cannot
// be created is told to the user and starts no drag.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "engine/TempFolder.h"
#include "platform/NativeEditorWindow.h"
#include "tests/editor/EditorInput.h"

namespace {

// The platform side as the handlers see it, recording what they ask for.
class RecordingNativeWindow : public NativeEditorWindow {
public:
  void Idle() override {}
  bool DragFileOut(const std::string& path, DragEnded ended) override {
    std::ifstream file(path, std::ios::binary);
    std::string header(4, '\0');
    file.read(header.data(), 4);
    drags.push_back({path, header});
    if (ended) ended(true);
    return true;
  }
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void Resize() override {}

  struct Drag {
    std::string path;
    std::string header;  // the file's first four bytes when the drag started
  };
  std::vector<Drag> drags;
  std::vector<std::string> messages;
};

// Points the system's temporary folder elsewhere for one test.
class TempFolderOverride {
public:
  explicit TempFolderOverride(const std::string& folder) {
    const char* before = std::getenv(kVariable);
    if (before) saved_ = before;
    hadValue_ = before != nullptr;
    Put(folder);
  }
  ~TempFolderOverride() { Put(hadValue_ ? saved_ : ""); }

private:
#ifdef _WIN32
  static constexpr const char* kVariable = "TMP";
  static void Put(const std::string& v) { _putenv_s(kVariable, v.c_str()); }
#else
  static constexpr const char* kVariable = "TMPDIR";
  static void Put(const std::string& v) {
    if (v.empty())
      unsetenv(kVariable);
    else
      setenv(kVariable, v.c_str(), 1);
  }
#endif
  std::string saved_;
  bool hadValue_ = false;
};

}  // namespace

class DragOut : public EditorInput {
protected:
  DragOut() {
    window().native = &native;
    std::remove(path.c_str());
  }
  ~DragOut() override { std::remove(path.c_str()); }
  void pressDragOut() { click(*window().DIBImages[3]); }

  RecordingNativeWindow native;
  const std::string path = tempFolder() + "QVMidi.mid";
};

TEST_F(DragOut, AnEmptyPatternWritesNothingAndStartsNoDrag) {
  pressDragOut();
  EXPECT_TRUE(native.drags.empty());
  EXPECT_TRUE(native.messages.empty());
  EXPECT_FALSE(std::ifstream(path).good());
}

TEST_F(DragOut, TheFileIsWrittenBeforeTheDragAndEveryDragOffersTheSamePath) {
  click(cell(0, 0));
  pressDragOut();
  click(cell(9, 3));
  click(*window().DIBImages[3], TMouseButton::mbRight);
  ASSERT_EQ(native.drags.size(), 2u);
  EXPECT_EQ(native.drags[0].path, path);
  EXPECT_EQ(native.drags[0].header, "MThd");
  EXPECT_EQ(native.drags[1].path, path);
  EXPECT_TRUE(native.messages.empty());
}

TEST_F(DragOut, AnUncreatableFileIsToldToTheUserAndTheEditorCarriesOn) {
  const std::string folder = tempFolder();
  const std::string missing = folder + "quaverlin-no-such-folder" + folder.back();
  TempFolderOverride redirected(missing);
  click(cell(2, 2));
  pressDragOut();
  EXPECT_TRUE(native.drags.empty());
  ASSERT_EQ(native.messages.size(), 1u);
  EXPECT_EQ(native.messages[0], "Cannot create file " + missing + "QVMidi.mid");
  // Headless there is no one to tell, and still nothing escapes.
  window().native = nullptr;
  pressDragOut();
  click(cell(3, 2));
  EXPECT_EQ(get(3, 2, StepState), 0x90);
}
