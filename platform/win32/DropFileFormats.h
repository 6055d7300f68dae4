// The bytes a file drag hands to drop targets, one builder per clipboard
// format. Paths are 8-bit strings in the system's ANSI code page.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

// CF_HDROP: a 20-byte DROPFILES header (list at offset 20, point 0, not in
// the non-client area, 8-bit names), each path with its zero, one more zero.
Bytes HDropBytes(const std::vector<std::string>& paths);
// "FileName" and "FileNameW": the first path, zero-terminated.
Bytes FileNameBytes(const std::vector<std::string>& paths);
Bytes FileNameWBytes(const std::vector<std::string>& paths);
// "FileNameMap" and "FileNameMapW": the names as a zero-separated list ended
// by one more zero.
Bytes NameMapBytes(const std::vector<std::string>& names);
Bytes NameMapWBytes(const std::vector<std::string>& names);
// "Shell IDList Array": the desktop as parent and each file's absolute item
// list; none when the shell cannot name one of the files.
std::optional<Bytes> ShellIdListBytes(const std::vector<std::string>& paths);
// A 32-bit drop effect or flag.
Bytes DwordBytes(DWORD value);
