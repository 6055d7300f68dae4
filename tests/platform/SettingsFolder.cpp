#include "tests/platform/SettingsFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <fstream>

#ifdef _WIN32
#include <process.h>
#include <windows.h>
#define getpid _getpid
#else
#include <unistd.h>
#endif

namespace {

// Through the system's own environment on Windows: the C runtime's copy
// does not see changes made there.
#ifdef _WIN32
constexpr char kVariable[] = "APPDATA";
void SetVariable(const std::optional<std::string>& value) {
  SetEnvironmentVariableA(kVariable, value ? value->c_str() : nullptr);
}
std::optional<std::string> Variable() {
  char value[MAX_PATH + 1];
  const DWORD n = GetEnvironmentVariableA(kVariable, value, sizeof value);
  return n > 0 && n < sizeof value ? std::optional<std::string>(value) : std::nullopt;
}
#else
constexpr char kVariable[] = "XDG_CONFIG_HOME";
void SetVariable(const std::optional<std::string>& value) {
  if (value) setenv(kVariable, value->c_str(), 1);
  else unsetenv(kVariable);
}
std::optional<std::string> Variable() {
  const char* value = std::getenv(kVariable);
  return value ? std::optional<std::string>(value) : std::nullopt;
}
#endif

// The whole program runs with a configuration folder of its own: no test
// sees what the user or another run left in the real one.
class IsolatedSettings : public ::testing::Environment {
public:
  void SetUp() override { folder_.emplace(); }
  void TearDown() override { folder_.reset(); }

private:
  std::optional<ScopedSettingsFolder> folder_;
};

[[maybe_unused]] ::testing::Environment* const isolated =
    ::testing::AddGlobalTestEnvironment(new IsolatedSettings);

}  // namespace

ScopedSettingsFolder::ScopedSettingsFolder() : previous_(Variable()) {
  static std::atomic<int> made{0};
  folder_ = std::filesystem::temp_directory_path() /
            ("quaverlin-settings-" + std::to_string(getpid()) + "-" + std::to_string(++made));
  std::filesystem::remove_all(folder_);
  std::filesystem::create_directories(folder_);
  SetVariable(folder_.string());
}

ScopedSettingsFolder::~ScopedSettingsFolder() {
  SetVariable(previous_);
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

void ScopedSettingsFolder::Write(const std::string& text) const {
  std::filesystem::create_directories(SettingsFile().parent_path());
  std::ofstream(SettingsFile(), std::ios::binary) << text;
}
