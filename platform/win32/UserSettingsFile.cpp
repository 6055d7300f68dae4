#include "platform/UserSettingsFile.h"

#include <windows.h>
#include <shlobj.h>

#include <atomic>

namespace {

constexpr DWORD kMostText = 64 * 1024;

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                    nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
  return wide;
}

std::string Utf8(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                    nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), n,
                      nullptr, nullptr);
  return utf8;
}

// The roaming application-data folder: the environment's APPDATA when set,
// else the shell's answer.
std::wstring AppDataFolder() {
  wchar_t buffer[MAX_PATH + 1];
  const DWORD n = GetEnvironmentVariableW(L"APPDATA", buffer, MAX_PATH + 1);
  if (n > 0 && n <= MAX_PATH) return std::wstring(buffer, n);
  if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, buffer)))
    return buffer;
  return {};
}

bool MakeFolders(const std::wstring& folder) {
  for (std::size_t at = 1; at <= folder.size(); ++at) {
    if (at < folder.size() && folder[at] != L'\\' && folder[at] != L'/') continue;
    const std::wstring part = folder.substr(0, at);
    // Drive roots ("C:") and existing folders refuse creation; both are fine.
    if (!CreateDirectoryW(part.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS &&
        GetLastError() != ERROR_ACCESS_DENIED)
      return false;
  }
  const DWORD attributes = GetFileAttributesW(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring FolderOf(const std::wstring& path) {
  const auto slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash);
}

}  // namespace

std::string UserSettingsPath() {
  const std::wstring folder = AppDataFolder();
  if (folder.empty()) return {};
  return Utf8(folder) + "\\Quaverlin\\settings.ini";
}

std::optional<std::string> ReadSettingsText(const std::string& path) {
  if (path.empty()) return std::nullopt;
  // Shared for writing and deleting: another instance may replace it meanwhile.
  const HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::optional<std::string> text;
  LARGE_INTEGER size{};
  if (GetFileSizeEx(file, &size) && size.QuadPart <= kMostText) {
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
      bytes.resize(read);
      text = std::move(bytes);
    }
  }
  CloseHandle(file);
  return text;
}

bool WriteSettingsText(const std::string& path, const std::string& text) {
  const std::wstring target = Wide(path);
  if (target.empty() || !MakeFolders(FolderOf(target))) return false;
  // A name of its own, so two instances writing at once never share it.
  static std::atomic<unsigned> written{0};
  const std::wstring temporary = target + L"." + std::to_wstring(GetCurrentProcessId()) + L"." +
                                 std::to_wstring(++written) + L".tmp";
  const HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD done = 0;
  const bool ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &done, nullptr) &&
                  done == text.size() && FlushFileBuffers(file);
  CloseHandle(file);
  if (ok && MoveFileExW(temporary.c_str(), target.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  DeleteFileW(temporary.c_str());
  return false;
}
