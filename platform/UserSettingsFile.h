// The plug-in's settings of the user's own, apart from any project: one
// small text file in the user's configuration folder, shared by every
// instance. Only the editor reads and writes it, never the audio thread.
#pragma once

#include <optional>
#include <string>

// "$XDG_CONFIG_HOME/Quaverlin/settings.ini" (else "~/.config/...") on Linux,
// "%APPDATA%\Quaverlin\settings.ini" on Windows, in UTF-8; empty when the
// system names no such folder.
std::string UserSettingsPath();

// The file's whole text; nothing when it is missing, unreadable or larger
// than a settings file can honestly be.
std::optional<std::string> ReadSettingsText(const std::string& path);

// Replaces the file's text in one step for every reader: the text goes to
// a file of its own beside it, which then takes the file's name. Makes the
// folder when it is missing. False, with the old file intact, when any
// step fails.
bool WriteSettingsText(const std::string& path, const std::string& text);
