// The drag source of a file drag out of the editor: one OLE object that is
// both the data object the drop target reads the files from and the drop
// source that DoDragDrop asks whether to go on. It only ever gives.
#pragma once

#include <ole2.h>

#include <map>
#include <string>
#include <vector>

#include "platform/win32/DragResult.h"
#include "platform/win32/DropFileFormats.h"

enum TDragType : DWORD { dtCopy = DROPEFFECT_COPY, dtMove = DROPEFFECT_MOVE, dtLink = DROPEFFECT_LINK };

class TDropFileSource final : public IDataObject, public IDropSource {
public:
  // Reference-counted: starts at one, owned by its creator's reference.
  TDropFileSource();

  std::vector<std::string> Files;
  std::vector<std::string> MappedNames;
  DWORD DragTypes = dtCopy;

  // Runs the modal drag (OLE must be initialised on this thread) and
  // answers how it ended.
  TDragResult BeginFileDrag();

  LONG PerformedEffect() const { return performedEffect_; }
  DWORD LogicalPerformedEffect() const { return logicalPerformedEffect_; }
  DWORD FeedbackEffect() const { return feedbackEffect_; }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IDataObject
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override;
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override;
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override;
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override;
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override;
  // IDropSource
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keyState) override;
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override;

private:
  ~TDropFileSource() = default;
  // The bytes of an offered format, or none when it has nothing to give.
  std::optional<Bytes> Offered(CLIPFORMAT format) const;
  std::vector<CLIPFORMAT> ListedFormats() const;

  LONG references_ = 1;
  LONG performedEffect_ = -1;
  DWORD logicalPerformedEffect_ = DROPEFFECT_NONE;
  DWORD feedbackEffect_ = DROPEFFECT_NONE;
  std::map<CLIPFORMAT, Bytes> stored_;  // what the target put into the object
};

// The registered clipboard formats of shell file drags.
CLIPFORMAT ClipFormat(const char* name);
