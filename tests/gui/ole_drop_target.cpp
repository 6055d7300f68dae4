// A drop target of our own for the Windows drag-out test: a window at a
// given place, registered with RegisterDragDrop, that accepts a copy of
// files (CF_HDROP), prints "entered" as a drag comes over it and
// "dropped <path>" for the file dropped, then exits 0; exits 1 if nothing
// was dropped within the time given.
//   ole_drop_target X Y WIDTH HEIGHT SECONDS
#include <windows.h>
#include <ole2.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>

namespace {

bool dropped = false;

class Target final : public IDropTarget {
public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget)) {
      *object = this;
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    FORMATETC files = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    accept_ = data->QueryGetData(&files) == S_OK;
    std::printf("entered%s\n", accept_ ? " with files" : "");
    std::fflush(stdout);
    *effect &= accept_ ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
    *effect &= accept_ ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    FORMATETC files = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    *effect = DROPEFFECT_NONE;
    if (data->GetData(&files, &medium) == S_OK) {
      char path[MAX_PATH] = {};
      DragQueryFileA(static_cast<HDROP>(medium.hGlobal), 0, path, MAX_PATH);
      ReleaseStgMedium(&medium);
      std::printf("dropped %s\n", path);
      std::fflush(stdout);
      dropped = true;
      *effect = DROPEFFECT_COPY;
    }
    PostQuitMessage(0);
    return S_OK;
  }

private:
  bool accept_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: ole_drop_target X Y WIDTH HEIGHT SECONDS\n");
    return 2;
  }
  OleInitialize(nullptr);
  const HWND window = CreateWindowExA(0, "STATIC", "ole drop target", WS_POPUP | WS_VISIBLE | WS_BORDER,
                                      std::atoi(argv[1]), std::atoi(argv[2]), std::atoi(argv[3]),
                                      std::atoi(argv[4]), nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  Target target;
  if (!window || RegisterDragDrop(window, &target) != S_OK) return 2;
  std::printf("ready\n");
  std::fflush(stdout);
  SetTimer(nullptr, 0, static_cast<UINT>(std::atoi(argv[5]) * 1000), nullptr);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_TIMER && !msg.hwnd) break;
    DispatchMessageA(&msg);
  }
  RevokeDragDrop(window);
  DestroyWindow(window);
  OleUninitialize();
  return dropped ? 0 : 1;
}
