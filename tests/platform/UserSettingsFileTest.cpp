// The user's settings file: where it lives, written whole or not at all,
// read back, and nothing read from a file that is missing or unreadable.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/UserSettingsFile.h"
#include "tests/platform/SettingsFolder.h"

namespace fs = std::filesystem;

// The folder named by XDG_CONFIG_HOME (APPDATA on Windows) holds it.
TEST(UserSettingsFile, LivesInTheQuaverlinFolderOfTheUsersConfiguration) {
  ScopedSettingsFolder config;
  EXPECT_EQ(fs::path(UserSettingsPath()), config.SettingsFile());
}

TEST(UserSettingsFile, WrittenTextReadsBackAndAFolderIsMadeForIt) {
  ScopedSettingsFolder config;
  ASSERT_FALSE(fs::exists(config.SettingsFile().parent_path()));
  ASSERT_TRUE(WriteSettingsText(UserSettingsPath(), "scale=150\n"));
  EXPECT_EQ(ReadSettingsText(UserSettingsPath()), "scale=150\n");
  ASSERT_TRUE(WriteSettingsText(UserSettingsPath(), "scale=200\n"));
  EXPECT_EQ(ReadSettingsText(UserSettingsPath()), "scale=200\n");
  // Nothing is left beside it: the temporary file became the settings file.
  int files = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(config.SettingsFile().parent_path()))
    ++files;
  EXPECT_EQ(files, 1);
}

TEST(UserSettingsFile, MissingUnreadableOrHugeFilesReadAsNothing) {
  ScopedSettingsFolder config;
  EXPECT_EQ(ReadSettingsText(UserSettingsPath()), std::nullopt);
  EXPECT_EQ(ReadSettingsText(""), std::nullopt);
  // A folder where the file should be cannot be read as text.
  fs::create_directories(config.SettingsFile());
  EXPECT_EQ(ReadSettingsText(UserSettingsPath()), std::nullopt);
  fs::remove(config.SettingsFile());
  config.Write(std::string(100 * 1024, 'x'));
  EXPECT_EQ(ReadSettingsText(UserSettingsPath()), std::nullopt);
}

// When the folder cannot be made, writing fails and changes nothing.
TEST(UserSettingsFile, AWriteThatCannotHappenFailsQuietly) {
  ScopedSettingsFolder config;
  std::ofstream(config.Folder() / "Quaverlin") << "a file where the folder belongs";
  EXPECT_FALSE(WriteSettingsText(UserSettingsPath(), "scale=150\n"));
  EXPECT_FALSE(WriteSettingsText("", "scale=150\n"));
  EXPECT_EQ(ReadSettingsText(UserSettingsPath()), std::nullopt);
}
