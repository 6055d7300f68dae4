// Points the user's configuration folder (XDG_CONFIG_HOME, or APPDATA on
// Windows) at a fresh temporary folder for as long as it lives, so a test
// neither reads nor changes the user's real settings.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

class ScopedSettingsFolder {
public:
  ScopedSettingsFolder();
  ~ScopedSettingsFolder();
  ScopedSettingsFolder(const ScopedSettingsFolder&) = delete;
  ScopedSettingsFolder& operator=(const ScopedSettingsFolder&) = delete;

  const std::filesystem::path& Folder() const { return folder_; }
  // Where the plug-in keeps its settings in that folder.
  std::filesystem::path SettingsFile() const { return folder_ / "Quaverlin" / "settings.ini"; }
  // Puts `text` there as the user's settings.
  void Write(const std::string& text) const;

private:
  std::filesystem::path folder_;
  std::optional<std::string> previous_;
};
