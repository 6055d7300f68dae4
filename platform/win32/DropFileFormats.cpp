#include "platform/win32/DropFileFormats.h"

#include <shlobj.h>

#include <cstring>

namespace {

void Append(Bytes& out, const void* data, std::size_t size) {
  const std::size_t at = out.size();
  out.resize(at + size);
  std::memcpy(out.data() + at, data, size);
}

std::wstring Wide(const std::string& text) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}

}  // namespace

Bytes HDropBytes(const std::vector<std::string>& paths) {
  DROPFILES header{};
  header.pFiles = sizeof(DROPFILES);
  header.fWide = FALSE;
  Bytes out;
  Append(out, &header, sizeof header);
  for (const std::string& path : paths) Append(out, path.c_str(), path.size() + 1);
  out.push_back(0);
  return out;
}

Bytes FileNameBytes(const std::vector<std::string>& paths) {
  const std::string first = paths.empty() ? std::string() : paths.front();
  Bytes out;
  Append(out, first.c_str(), first.size() + 1);
  return out;
}

Bytes FileNameWBytes(const std::vector<std::string>& paths) {
  const std::wstring first = paths.empty() ? std::wstring() : Wide(paths.front());
  Bytes out;
  Append(out, first.c_str(), (first.size() + 1) * sizeof(wchar_t));
  return out;
}

Bytes NameMapBytes(const std::vector<std::string>& names) {
  Bytes out;
  for (const std::string& name : names) Append(out, name.c_str(), name.size() + 1);
  out.push_back(0);
  return out;
}

Bytes NameMapWBytes(const std::vector<std::string>& names) {
  Bytes out;
  for (const std::string& name : names) {
    const std::wstring wide = Wide(name);
    Append(out, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
  }
  out.push_back(0);
  out.push_back(0);
  return out;
}

std::optional<Bytes> ShellIdListBytes(const std::vector<std::string>& paths) {
  std::vector<PIDLIST_ABSOLUTE> items;
  bool named = true;
  for (const std::string& path : paths) {
    PIDLIST_ABSOLUTE item = nullptr;
    if (FAILED(SHParseDisplayName(Wide(path).c_str(), nullptr, &item, 0, nullptr)) || !item) {
      named = false;
      break;
    }
    items.push_back(item);
  }
  std::optional<Bytes> out;
  if (named) {
    // CIDA: the count, count + 1 offsets, the parent's list (the desktop's
    // is empty: just its 16-bit terminator), then each file's list.
    const UINT count = static_cast<UINT>(items.size());
    std::vector<UINT> offsets;
    UINT at = static_cast<UINT>(sizeof(UINT) * (count + 2));
    offsets.push_back(at);
    at += sizeof(USHORT);
    for (PIDLIST_ABSOLUTE item : items) {
      offsets.push_back(at);
      at += ILGetSize(item);
    }
    out.emplace();
    Append(*out, &count, sizeof count);
    Append(*out, offsets.data(), offsets.size() * sizeof(UINT));
    const USHORT empty = 0;
    Append(*out, &empty, sizeof empty);
    for (PIDLIST_ABSOLUTE item : items) Append(*out, item, ILGetSize(item));
  }
  for (PIDLIST_ABSOLUTE item : items) ILFree(item);
  return out;
}

Bytes DwordBytes(DWORD value) {
  Bytes out;
  Append(out, &value, sizeof value);
  return out;
}
