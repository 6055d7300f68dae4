// Pattern files as the standalone program reads and writes them: raw chunks
// and VST 2 program files (.fxp), and the files it refuses.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "host/PatternImage.h"
#include "host/VstHost.h"
#include "host/standalone/FxpProgram.h"
#include "host/standalone/PatternFile.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// A chunk whose every byte differs from its neighbours, so a shifted or cut
// copy cannot pass for it.
Bytes distinctChunk() {
  Bytes chunk(PatternImage::kSize);
  for (std::size_t i = 0; i < chunk.size(); ++i) chunk[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
  return chunk;
}

void put32(Bytes& bytes, std::size_t at, std::uint32_t value) {
  bytes[at] = static_cast<std::uint8_t>(value >> 24);
  bytes[at + 1] = static_cast<std::uint8_t>(value >> 16);
  bytes[at + 2] = static_cast<std::uint8_t>(value >> 8);
  bytes[at + 3] = static_cast<std::uint8_t>(value);
}

std::uint32_t code(const char (&text)[5]) {
  return static_cast<std::uint32_t>(fourCharCode(text[0], text[1], text[2], text[3]));
}

// A program file as another host would write it, built field by field.
Bytes hostProgramFile(const Bytes& chunk) {
  Bytes file(60, 0);
  put32(file, 0, code("CcnK"));
  put32(file, 4, static_cast<std::uint32_t>(52 + chunk.size()));
  put32(file, 8, code("FPCh"));
  put32(file, 12, 1);
  put32(file, 16, code("QVLN"));
  put32(file, 20, 7);  // a later version of the plug-in
  const std::string name = "Groove from the DAW";
  std::copy(name.begin(), name.end(), file.begin() + 28);
  put32(file, 56, static_cast<std::uint32_t>(chunk.size()));
  file.insert(file.end(), chunk.begin(), chunk.end());
  return file;
}

class PatternFiles : public ::testing::Test {
protected:
  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = fs::temp_directory_path() / ("quaverlin-pattern-files-" + std::string(test->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string path(const std::string& name) const { return (folder_ / name).string(); }

  static Bytes contents(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
  }
  static void store(const std::string& file, const Bytes& bytes) {
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }

private:
  fs::path folder_;
};

}  // namespace

// Whatever the form, a chunk comes back byte for byte; a raw file is the chunk itself.
TEST_F(PatternFiles, ChunksComeBackByteExactInEveryForm) {
  const Bytes chunk = distinctChunk();
  for (const char* name : {"patterns.bin", "patterns", "groove.fxp", "GROOVE.FXP", "mixed.FxP"}) {
    SCOPED_TRACE(name);
    ASSERT_EQ(WritePatternFile(path(name), chunk), "");
    const PatternFileRead read = ReadPatternFile(path(name));
    EXPECT_EQ(read.error, "");
    EXPECT_TRUE(read.chunk == chunk);
  }
  EXPECT_TRUE(contents(path("patterns.bin")) == chunk);
  EXPECT_FALSE(fs::exists(path("groove.fxp.saving")));
}

// The .fxp header carries the fields of a VST 2 chunk program, with the
// identity the built plug-in reports to hosts.
TEST_F(PatternFiles, ProgramFileHeaderFollowsTheFormat) {
  VstHost plugin(QUAVERLIN_PLUGIN_PATH);
  const Bytes chunk = distinctChunk();
  ASSERT_EQ(WritePatternFile(path("set.fxp"), chunk), "");
  const Bytes file = contents(path("set.fxp"));
  ASSERT_EQ(file.size(), 60 + PatternImage::kSize);
  EXPECT_EQ(fxp::readBigEndian(file, 0), code("CcnK"));
  EXPECT_EQ(fxp::readBigEndian(file, 4), file.size() - 8);
  EXPECT_EQ(fxp::readBigEndian(file, 8), code("FPCh"));
  EXPECT_EQ(fxp::readBigEndian(file, 12), 1u);
  EXPECT_EQ(fxp::readBigEndian(file, 16), static_cast<std::uint32_t>(plugin.effect()->uniqueID));
  EXPECT_EQ(fxp::readBigEndian(file, 20), static_cast<std::uint32_t>(plugin.effect()->version));
  EXPECT_EQ(fxp::readBigEndian(file, 24), 0u);
  const std::string name(file.begin() + 28, file.begin() + 56);
  EXPECT_EQ(name, std::string("Quaverlin") + std::string(19, '\0'));
  EXPECT_EQ(fxp::readBigEndian(file, 56), PatternImage::kSize);
  EXPECT_TRUE(Bytes(file.begin() + 60, file.end()) == chunk);
  plugin.close();
}

// A program file another host saved, with its own name and plug-in version, loads.
TEST_F(PatternFiles, ProgramFilesFromHostsLoad) {
  const Bytes chunk = distinctChunk();
  store(path("from-daw.fxp"), hostProgramFile(chunk));
  const PatternFileRead read = ReadPatternFile(path("from-daw.fxp"));
  EXPECT_EQ(read.error, "");
  EXPECT_TRUE(read.chunk == chunk);
}

// Every damaged, foreign or missing file is refused with a message that names
// the file and the fault, and yields no patterns.
TEST_F(PatternFiles, FaultyFilesAreRefusedWithTheirReason) {
  const Bytes chunk = distinctChunk();
  const Bytes good = hostProgramFile(chunk);
  auto changed = [&](std::size_t at, const char (&text)[5]) {
    Bytes file = good;
    put32(file, at, code(text));
    return file;
  };
  auto sized = [&](std::size_t fileSize, std::uint32_t byteSize, std::uint32_t chunkSize) {
    Bytes file = good;
    file.resize(fileSize, 0x55);
    put32(file, 4, byteSize);
    put32(file, 56, chunkSize);
    return file;
  };
  const std::uint32_t goodByteSize = static_cast<std::uint32_t>(good.size() - 8);
  const std::uint32_t chunkSize = static_cast<std::uint32_t>(PatternImage::kSize);
  Bytes version2 = good;
  put32(version2, 12, 2);
  struct Case {
    const char* what;
    const char* name;
    Bytes file;
    const char* reason;
  };
  const std::vector<Case> cases = {
      {"raw chunk one byte short", "short.bin", Bytes(chunk.begin(), chunk.end() - 1), "121159 bytes"},
      {"raw chunk one byte long", "long.bin", [&] { Bytes b = chunk; b.push_back(0); return b; }(), "121161 bytes"},
      {"empty raw file", "empty.bin", {}, "holds 0 bytes"},
      {"empty program file", "empty.fxp", {}, "too short"},
      {"header cut short", "cut.fxp", Bytes(good.begin(), good.begin() + 59), "too short"},
      {"not a VST file", "text.fxp", changed(0, "RIFF"), "not a VST program file"},
      {"parameter program", "params.fxp", changed(8, "FxCk"), "parameter values"},
      {"chunk bank", "bank.fxp", changed(8, "FBCh"), "a bank"},
      {"parameter bank", "pbank.fxp", changed(8, "FxBk"), "a bank"},
      {"another plug-in", "other.fxp", changed(16, "ABCD"), "another plug-in: its ID is 'ABCD'"},
      {"unknown format version", "v2.fxp", version2, "format version 2"},
      {"byteSize one too many", "bytesize.fxp", sized(good.size(), goodByteSize + 1, chunkSize), "damaged"},
      {"file cut in the chunk", "truncated.fxp", Bytes(good.begin(), good.end() - 1), "damaged"},
      {"chunk one byte short", "chunk-short.fxp", sized(good.size() - 1, goodByteSize - 1, chunkSize - 1),
       "chunk has 121159 bytes"},
      {"bytes after the chunk", "trailing.fxp", sized(good.size() + 1, goodByteSize + 1, chunkSize),
       "do not fill"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    store(path(c.name), c.file);
    const PatternFileRead read = ReadPatternFile(path(c.name));
    EXPECT_NE(read.error.find(path(c.name) + ": "), std::string::npos) << read.error;
    EXPECT_NE(read.error.find(c.reason), std::string::npos) << read.error;
    EXPECT_TRUE(read.chunk.empty());
  }
  for (const char* missing : {"missing.bin", "missing.fxp"}) {
    const PatternFileRead read = ReadPatternFile(path(missing));
    EXPECT_NE(read.error.find("cannot open"), std::string::npos) << read.error;
    EXPECT_TRUE(read.chunk.empty());
  }
}

// A save that cannot complete leaves the file it would replace as it was;
// one that completes replaces it.
TEST_F(PatternFiles, OnlyACompleteSaveReplacesTheOldFile) {
  const Bytes oldChunk(PatternImage::kSize, 0x11);
  const Bytes newChunk = distinctChunk();
  for (const char* name : {"kept.bin", "kept.fxp"}) {
    SCOPED_TRACE(name);
    ASSERT_EQ(WritePatternFile(path(name), oldChunk), "");
    const Bytes before = contents(path(name));

    // The new file is written beside the old one first; a folder in its
    // place makes that write fail.
    fs::create_directory(path(name) + ".saving");
    EXPECT_NE(WritePatternFile(path(name), newChunk), "");
    fs::remove(path(name) + ".saving");
    EXPECT_TRUE(contents(path(name)) == before);

    const std::string refused = WritePatternFile(path(name), Bytes(PatternImage::kSize - 1, 0x22));
    EXPECT_NE(refused.find("121159 bytes"), std::string::npos) << refused;
    EXPECT_TRUE(contents(path(name)) == before);

    EXPECT_EQ(WritePatternFile(path(name), newChunk), "");
    EXPECT_TRUE(ReadPatternFile(path(name)).chunk == newChunk);
  }
}
