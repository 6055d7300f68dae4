#include "platform/win32/DropFileSource.h"

#include <shlobj.h>

#include <cstring>

namespace {

constexpr const char* kShellIdList = "Shell IDList Array";
constexpr const char* kFileName = "FileName";
constexpr const char* kFileNameW = "FileNameW";
constexpr const char* kFileNameMap = "FileNameMap";
constexpr const char* kFileNameMapW = "FileNameMapW";
constexpr const char* kPreferredEffect = "Preferred DropEffect";
constexpr const char* kInShellDragLoop = "InShellDragLoop";
constexpr const char* kPerformedEffect = "Performed DropEffect";
constexpr const char* kLogicalPerformedEffect = "Logical Performed DropEffect";

HRESULT ToGlobal(const Bytes& bytes, STGMEDIUM* medium) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!memory) return E_OUTOFMEMORY;
  if (void* p = GlobalLock(memory)) {
    std::memcpy(p, bytes.data(), bytes.size());
    GlobalUnlock(memory);
  }
  medium->tymed = TYMED_HGLOBAL;
  medium->hGlobal = memory;
  medium->pUnkForRelease = nullptr;
  return S_OK;
}

Bytes FromGlobal(HGLOBAL memory) {
  Bytes bytes;
  if (const void* p = GlobalLock(memory)) {
    const auto* start = static_cast<const unsigned char*>(p);
    bytes.assign(start, start + GlobalSize(memory));
    GlobalUnlock(memory);
  }
  return bytes;
}

DWORD DwordOf(const Bytes& bytes) {
  DWORD value = 0;
  if (bytes.size() >= sizeof value) std::memcpy(&value, bytes.data(), sizeof value);
  return value;
}

}  // namespace

CLIPFORMAT ClipFormat(const char* name) {
  return static_cast<CLIPFORMAT>(RegisterClipboardFormatA(name));
}

TDropFileSource::TDropFileSource() = default;

TDragResult TDropFileSource::BeginFileDrag() {
  const DWORD allowed = DragTypes;
  performedEffect_ = -1;
  logicalPerformedEffect_ = DROPEFFECT_NONE;
  feedbackEffect_ = DROPEFFECT_NONE;
  stored_.clear();
  DWORD finalEffect = DROPEFFECT_NONE;
  const HRESULT hr = DoDragDrop(this, this, allowed, &finalEffect);
  const TDragResult result =
      MapDragResult(hr, finalEffect, allowed, performedEffect_, logicalPerformedEffect_);
  if (performedEffect_ == -1) performedEffect_ = 0;
  return result;
}

HRESULT TDropFileSource::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject)) {
    *object = static_cast<IDataObject*>(this);
  } else if (IsEqualIID(riid, IID_IDropSource)) {
    *object = static_cast<IDropSource*>(this);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG TDropFileSource::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG TDropFileSource::Release() {
  const LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

std::vector<CLIPFORMAT> TDropFileSource::ListedFormats() const {
  return {ClipFormat(kPreferredEffect), ClipFormat(kInShellDragLoop), CF_HDROP,
          ClipFormat(kShellIdList),     ClipFormat(kFileName),        ClipFormat(kFileNameW),
          ClipFormat(kFileNameMap),     ClipFormat(kFileNameMapW)};
}

std::optional<Bytes> TDropFileSource::Offered(CLIPFORMAT format) const {
  if (auto kept = stored_.find(format); kept != stored_.end()) return kept->second;
  if (format == CF_HDROP) return HDropBytes(Files);
  if (format == ClipFormat(kShellIdList)) return ShellIdListBytes(Files);
  if (format == ClipFormat(kFileName)) return FileNameBytes(Files);
  if (format == ClipFormat(kFileNameW)) return FileNameWBytes(Files);
  if (format == ClipFormat(kPreferredEffect) || format == ClipFormat(kInShellDragLoop))
    return DwordBytes(0);
  if (!MappedNames.empty() && format == ClipFormat(kFileNameMap)) return NameMapBytes(MappedNames);
  if (!MappedNames.empty() && format == ClipFormat(kFileNameMapW)) return NameMapWBytes(MappedNames);
  return std::nullopt;
}

HRESULT TDropFileSource::GetData(FORMATETC* format, STGMEDIUM* medium) {
  if (!format || !medium) return E_INVALIDARG;
  if (!(format->tymed & TYMED_HGLOBAL) || format->dwAspect != DVASPECT_CONTENT) return DV_E_FORMATETC;
  const std::optional<Bytes> bytes = Offered(format->cfFormat);
  if (!bytes) return DV_E_FORMATETC;
  return ToGlobal(*bytes, medium);
}

HRESULT TDropFileSource::GetDataHere(FORMATETC*, STGMEDIUM*) { return E_NOTIMPL; }

HRESULT TDropFileSource::QueryGetData(FORMATETC* format) {
  if (!format) return E_INVALIDARG;
  if (!(format->tymed & TYMED_HGLOBAL) || format->dwAspect != DVASPECT_CONTENT) return DV_E_FORMATETC;
  return Offered(format->cfFormat) ? S_OK : DV_E_FORMATETC;
}

HRESULT TDropFileSource::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) {
  if (!out) return E_INVALIDARG;
  out->ptd = nullptr;
  return DATA_S_SAMEFORMATETC;
}

HRESULT TDropFileSource::SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) {
  if (!format || !medium) return E_INVALIDARG;
  if (medium->tymed != TYMED_HGLOBAL) return DV_E_TYMED;
  const Bytes bytes = FromGlobal(medium->hGlobal);
  if (release) ReleaseStgMedium(medium);
  const CLIPFORMAT cf = format->cfFormat;
  if (cf == ClipFormat(kPerformedEffect)) performedEffect_ = static_cast<LONG>(DwordOf(bytes));
  if (cf == ClipFormat(kLogicalPerformedEffect)) logicalPerformedEffect_ = DwordOf(bytes);
  stored_[cf] = bytes;
  return S_OK;
}

HRESULT TDropFileSource::EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) {
  if (!formats) return E_INVALIDARG;
  *formats = nullptr;
  if (direction != DATADIR_GET) return E_NOTIMPL;
  std::vector<FORMATETC> list;
  for (CLIPFORMAT cf : ListedFormats())
    list.push_back({cf, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
  return SHCreateStdEnumFmtEtc(static_cast<UINT>(list.size()), list.data(), formats);
}

HRESULT TDropFileSource::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) {
  return OLE_E_ADVISENOTSUPPORTED;
}
HRESULT TDropFileSource::DUnadvise(DWORD) { return OLE_E_ADVISENOTSUPPORTED; }
HRESULT TDropFileSource::EnumDAdvise(IEnumSTATDATA**) { return OLE_E_ADVISENOTSUPPORTED; }

HRESULT TDropFileSource::QueryContinueDrag(BOOL escapePressed, DWORD keyState) {
  if (escapePressed) return DRAGDROP_S_CANCEL;
  if (keyState & (MK_LBUTTON | MK_RBUTTON)) return S_OK;
  // Released: drop only with an effect the source allows.
  for (DWORD type : {DWORD{dtCopy}, DWORD{dtMove}, DWORD{dtLink}})
    if ((DragTypes & type) && (feedbackEffect_ & type)) return DRAGDROP_S_DROP;
  return DRAGDROP_S_CANCEL;
}

HRESULT TDropFileSource::GiveFeedback(DWORD effect) {
  feedbackEffect_ = effect;
  return DRAGDROP_S_USEDEFAULTCURSORS;
}
