// The --chunk file: read at the start, made when missing, and never
// overwritten when it could not be read, unless the user saves on purpose.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "host/DemoPattern.h"
#include "host/standalone/PatternStore.h"

namespace {

namespace fs = std::filesystem;

class PatternFileFixture : public ::testing::Test {
protected:
  PatternFileFixture() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    folder = fs::temp_directory_path() / (std::string("quaverlin-store-") + test->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
  }
  ~PatternFileFixture() override { fs::remove_all(folder); }

  std::string write(const char* name, const std::vector<std::uint8_t>& bytes) {
    const fs::path path = folder / name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    return path.string();
  }
  static std::vector<std::uint8_t> read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
  }

  fs::path folder;
  const std::vector<std::uint8_t> demo = demoPattern().bytes();
};

}  // namespace

TEST_F(PatternFileFixture, AReadableFileIsWhatPlaysAndIsSavedBackOnExit) {
  PatternImage image;
  image.setCell(PatternImage::kCurrent, 3, 7, 99);
  const std::string path = write("mine.qvc", image.bytes());
  PatternStore store(path);
  std::string note;
  EXPECT_EQ(store.load(note), image.bytes());
  EXPECT_NE(note.find(path), std::string::npos);
  EXPECT_TRUE(store.savesOnExit());
  EXPECT_EQ(store.save(demo), "");
  EXPECT_EQ(read(path), demo);
}

TEST_F(PatternFileFixture, AMissingFileStartsFromTheDemoAndIsMadeOnExit) {
  PatternStore store((folder / "new.qvc").string());
  std::string note;
  EXPECT_EQ(store.load(note), demo);
  EXPECT_NE(note.find("does not exist"), std::string::npos);
  EXPECT_TRUE(store.savesOnExit());
}

// A short file and a file the plug-in refused are both kept as they are until Ctrl+S.
TEST_F(PatternFileFixture, AnUnreadableFileIsLeftAloneUntilTheUserSaves) {
  const std::vector<std::uint8_t> shortFile(1000, 7);
  const std::string path = write("short.qvc", shortFile);
  PatternStore store(path);
  std::string note;
  EXPECT_EQ(store.load(note), demo);
  EXPECT_NE(note.find("1000 bytes"), std::string::npos) << note;
  EXPECT_FALSE(store.savesOnExit());
  EXPECT_EQ(read(path), shortFile);
  EXPECT_EQ(store.save(demo), "");
  EXPECT_TRUE(store.savesOnExit());
  EXPECT_EQ(read(path), demo);

  PatternStore refusing(write("refused.qvc", demo));
  EXPECT_EQ(refusing.load(note), demo);
  EXPECT_EQ(refusing.refused(note), demo);
  EXPECT_FALSE(refusing.savesOnExit());
}

TEST_F(PatternFileFixture, WithoutAFileTheDemoPlaysAndNothingIsSaved) {
  PatternStore store("");
  std::string note;
  EXPECT_EQ(store.load(note), demo);
  EXPECT_FALSE(store.savesOnExit());
  EXPECT_NE(store.save(demo), "");
}

TEST_F(PatternFileFixture, AFileThatCannotBeWrittenSaysSo) {
  PatternStore store((folder / "no-such-folder" / "x.qvc").string());
  EXPECT_NE(store.save(demo), "");
}
