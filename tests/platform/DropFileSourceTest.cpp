#include "platform/win32/DropFileSource.h"

#include <gtest/gtest.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// Fifteen characters: the file list of a drag of it is 37 bytes.
const std::string kPath = "C:\\Temp\\QVa.mid";

class DropFileSourceTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    source = new TDropFileSource();
    source->Files.assign(1, kPath);
  }
  void TearDown() override {
    source->Release();
    OleUninitialize();
  }

  static FORMATETC Format(CLIPFORMAT cf) { return {cf, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

  Bytes Get(CLIPFORMAT cf) {
    FORMATETC format = Format(cf);
    STGMEDIUM medium{};
    if (FAILED(source->GetData(&format, &medium))) return {};
    const auto* p = static_cast<const unsigned char*>(GlobalLock(medium.hGlobal));
    Bytes bytes(p, p + GlobalSize(medium.hGlobal));
    GlobalUnlock(medium.hGlobal);
    ReleaseStgMedium(&medium);
    return bytes;
  }

  HRESULT Store(CLIPFORMAT cf, const Bytes& bytes) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(GlobalLock(memory), bytes.data(), bytes.size());
    GlobalUnlock(memory);
    FORMATETC format = Format(cf);
    STGMEDIUM medium{};
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = memory;
    return source->SetData(&format, &medium, TRUE);
  }

  TDropFileSource* source = nullptr;
};

std::string NameOf(CLIPFORMAT cf) {
  if (cf == CF_HDROP) return "CF_HDROP";
  char name[128] = {};
  GetClipboardFormatNameA(cf, name, sizeof name);
  return name;
}

}  // namespace

TEST_F(DropFileSourceTest, ListsTheFeedbackFormatsFirstThenTheFileFormatsInOrderOfPreference) {
  IEnumFORMATETC* formats = nullptr;
  ASSERT_EQ(source->EnumFormatEtc(DATADIR_GET, &formats), S_OK);
  std::vector<std::string> names;
  FORMATETC format;
  while (formats->Next(1, &format, nullptr) == S_OK) {
    EXPECT_EQ(format.tymed, static_cast<DWORD>(TYMED_HGLOBAL));
    names.push_back(NameOf(format.cfFormat));
  }
  formats->Release();
  EXPECT_EQ(names, (std::vector<std::string>{"Preferred DropEffect", "InShellDragLoop", "CF_HDROP",
                                             "Shell IDList Array", "FileName", "FileNameW",
                                             "FileNameMap", "FileNameMapW"}));
  EXPECT_EQ(source->EnumFormatEtc(DATADIR_SET, &formats), E_NOTIMPL);
}

TEST_F(DropFileSourceTest, TheFileListOfOneFifteenCharacterPathIs37Bytes) {
  const Bytes hdrop = Get(CF_HDROP);
  ASSERT_EQ(hdrop.size(), 37u);
  const Bytes header(hdrop.begin(), hdrop.begin() + 20);
  Bytes expected(20, 0);
  expected[0] = 0x14;
  EXPECT_EQ(header, expected);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(hdrop.data()) + 20), kPath);
  EXPECT_EQ(hdrop[35], 0);
  EXPECT_EQ(hdrop[36], 0);

  // What a shell target does with it.
  FORMATETC format = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM medium{};
  ASSERT_EQ(source->GetData(&format, &medium), S_OK);
  auto drop = static_cast<HDROP>(medium.hGlobal);
  ASSERT_EQ(DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0), 1u);
  char file[MAX_PATH] = {};
  DragQueryFileA(drop, 0, file, MAX_PATH);
  EXPECT_EQ(std::string(file), kPath);
  ReleaseStgMedium(&medium);
}

TEST_F(DropFileSourceTest, TheNameFormatsCarryTheFirstPathAndTheFeedbackFormatsZero) {
  const Bytes name = Get(ClipFormat("FileName"));
  EXPECT_EQ(std::string(name.begin(), name.end()), kPath + '\0');
  const Bytes wide = Get(ClipFormat("FileNameW"));
  ASSERT_EQ(wide.size(), (kPath.size() + 1) * 2);
  EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(wide.data())), L"C:\\Temp\\QVa.mid");
  EXPECT_EQ(Get(ClipFormat("Preferred DropEffect")), Bytes(4, 0));
  EXPECT_EQ(Get(ClipFormat("InShellDragLoop")), Bytes(4, 0));
}

TEST_F(DropFileSourceTest, MappedNamesAreListedButGiveNothingWhileThereAreNone) {
  FORMATETC map = Format(ClipFormat("FileNameMap"));
  EXPECT_EQ(source->QueryGetData(&map), DV_E_FORMATETC);
  source->MappedNames.assign(1, "Pattern.mid");
  EXPECT_EQ(source->QueryGetData(&map), S_OK);
  const Bytes names = Get(ClipFormat("FileNameMap"));
  EXPECT_EQ(std::string(names.begin(), names.end()), std::string("Pattern.mid\0\0", 13));
}

TEST_F(DropFileSourceTest, AskedForAnotherMediumOrAnUnknownFormatItRefuses) {
  FORMATETC onDisk = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_ISTREAM};
  EXPECT_EQ(source->QueryGetData(&onDisk), DV_E_FORMATETC);
  FORMATETC text = Format(CF_TEXT);
  EXPECT_EQ(source->QueryGetData(&text), DV_E_FORMATETC);
  EXPECT_TRUE(Get(CF_TEXT).empty());
}

TEST_F(DropFileSourceTest, TheShellItemListNamesAFileThatExists) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  const std::string path = std::string(folder) + "QVShellItem.mid";
  CloseHandle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  source->Files.assign(1, path);
  const Bytes cida = Get(ClipFormat("Shell IDList Array"));
  DeleteFileA(path.c_str());
  ASSERT_GE(cida.size(), 3 * sizeof(UINT));
  const auto* header = reinterpret_cast<const UINT*>(cida.data());
  EXPECT_EQ(header[0], 1u);
  EXPECT_EQ(header[1], 3 * sizeof(UINT)) << "the parent's list right after the offsets";
  const auto item = reinterpret_cast<PCIDLIST_ABSOLUTE>(cida.data() + header[2]);
  char named[MAX_PATH] = {};
  ASSERT_TRUE(SHGetPathFromIDListA(item, named));
  EXPECT_STRCASEEQ(named, path.c_str());
}

TEST_F(DropFileSourceTest, FormatsTheTargetStoresAreKeptAndTheDropEffectsRemembered) {
  const CLIPFORMAT own = ClipFormat("Some Target Private Format");
  EXPECT_EQ(Store(own, {1, 2, 3}), S_OK);
  EXPECT_EQ(Get(own), (Bytes{1, 2, 3}));
  EXPECT_EQ(Store(ClipFormat("Performed DropEffect"), DwordBytes(DROPEFFECT_MOVE)), S_OK);
  EXPECT_EQ(Store(ClipFormat("Logical Performed DropEffect"), DwordBytes(DROPEFFECT_COPY)), S_OK);
  EXPECT_EQ(Store(ClipFormat("Paste Succeeded"), DwordBytes(DROPEFFECT_COPY)), S_OK);
  EXPECT_EQ(source->PerformedEffect(), static_cast<LONG>(DROPEFFECT_MOVE));
  EXPECT_EQ(source->LogicalPerformedEffect(), static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_EQ(Get(ClipFormat("Paste Succeeded")), DwordBytes(DROPEFFECT_COPY));
}

TEST_F(DropFileSourceTest, TheDropSourceGoesOnWhileAButtonIsHeldAndDropsOnlyACopy) {
  EXPECT_EQ(source->QueryContinueDrag(TRUE, MK_LBUTTON), DRAGDROP_S_CANCEL) << "Escape";
  EXPECT_EQ(source->QueryContinueDrag(FALSE, MK_LBUTTON), S_OK);
  EXPECT_EQ(source->QueryContinueDrag(FALSE, MK_RBUTTON), S_OK) << "a right-button drag";
  EXPECT_EQ(source->QueryContinueDrag(FALSE, 0), DRAGDROP_S_CANCEL) << "released over nothing";

  EXPECT_EQ(source->GiveFeedback(DROPEFFECT_MOVE), DRAGDROP_S_USEDEFAULTCURSORS);
  EXPECT_EQ(source->QueryContinueDrag(FALSE, 0), DRAGDROP_S_CANCEL) << "move is not allowed";
  EXPECT_EQ(source->GiveFeedback(DROPEFFECT_COPY | DROPEFFECT_LINK), DRAGDROP_S_USEDEFAULTCURSORS);
  EXPECT_EQ(source->FeedbackEffect(), static_cast<DWORD>(DROPEFFECT_COPY | DROPEFFECT_LINK));
  EXPECT_EQ(source->QueryContinueDrag(FALSE, MK_SHIFT), DRAGDROP_S_DROP);
}

TEST(DragResult, TheOutcomeOfDoDragDropMapsToTheDragResult) {
  const DWORD copy = DROPEFFECT_COPY, move = DROPEFFECT_MOVE, link = DROPEFFECT_LINK;
  const DWORD all = copy | move | link;
  EXPECT_EQ(MapDragResult(E_OUTOFMEMORY, 0, copy, -1, 0), TDragResult::drOutMemory);
  EXPECT_EQ(MapDragResult(DRAGDROP_S_CANCEL, copy, copy, -1, 0), TDragResult::drCancel);
  EXPECT_EQ(MapDragResult(E_UNEXPECTED, copy, copy, -1, 0), TDragResult::drUnknown);
  EXPECT_EQ(MapDragResult(DRAGDROP_S_DROP, copy, copy, -1, 0), TDragResult::drDropCopy);
  EXPECT_EQ(MapDragResult(DRAGDROP_S_DROP, move, all, -1, 0), TDragResult::drDropMove);
  EXPECT_EQ(MapDragResult(DRAGDROP_S_DROP, link, all, -1, 0), TDragResult::drDropLink);
  EXPECT_EQ(MapDragResult(DRAGDROP_S_DROP, 0, copy, -1, 0), TDragResult::drCancel);
  EXPECT_EQ(MapDragResult(DRAGDROP_S_DROP, move, copy, -1, 0), TDragResult::drCancel)
      << "an effect the source never allowed";
  EXPECT_EQ(MapDragResult(DRAGDROP_S_DROP, copy | link, all, -1, 0), TDragResult::drUnknown);
  // Optimised moves: the target moved the file itself.
  EXPECT_EQ(MapDragResult(DRAGDROP_S_DROP, 0, all, static_cast<LONG>(move), 0),
            TDragResult::drDropMove);
  EXPECT_EQ(MapDragResult(DRAGDROP_S_DROP, copy, copy, -1, move), TDragResult::drDropMove);
  EXPECT_EQ(MapDragResult(DRAGDROP_S_DROP, move, all, static_cast<LONG>(move), 0),
            TDragResult::drDropMove);
}
