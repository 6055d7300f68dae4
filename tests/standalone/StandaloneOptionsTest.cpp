// The shared command line: its options, the platform's own handed back in
// order, and clear refusals.
#include <gtest/gtest.h>

#include <vector>

#include "host/standalone/StandaloneOptions.h"

namespace {

bool parse(std::vector<const char*> words, StandaloneOptions& options, std::string& error) {
  words.insert(words.begin(), "quaverlin");
  const PlatformOptionNames platform{{"--midi-out"}, {"--list"}};
  return parseStandaloneOptions(static_cast<int>(words.size()), const_cast<char**>(words.data()), platform,
                                options, error);
}

}  // namespace

TEST(StandaloneOptions, EveryOptionIsRead) {
  StandaloneOptions options;
  std::string error;
  ASSERT_TRUE(parse({"--chunk", "a.fxp", "--bpm", "96.5", "--play", "--no-editor", "--plugin", "x.so",
                     "--midi-out", "2", "--list"},
                    options, error))
      << error;
  EXPECT_EQ(options.chunkFile, "a.fxp");
  EXPECT_DOUBLE_EQ(options.tempo, 96.5);
  EXPECT_TRUE(options.play);
  EXPECT_FALSE(options.editor);
  EXPECT_EQ(options.plugin, "x.so");
  EXPECT_EQ(options.platform,
            (std::vector<std::pair<std::string, std::string>>{{"--midi-out", "2"}, {"--list", ""}}));
}

TEST(StandaloneOptions, DefaultsWhenNothingIsGiven) {
  StandaloneOptions options;
  std::string error;
  ASSERT_TRUE(parse({}, options, error));
  EXPECT_DOUBLE_EQ(options.tempo, 120.0);
  EXPECT_FALSE(options.play);
  EXPECT_TRUE(options.editor);
  EXPECT_TRUE(options.chunkFile.empty());
  EXPECT_TRUE(options.plugin.empty());
}

TEST(StandaloneOptions, BadInputIsRefusedWithAReason) {
  const std::vector<std::vector<const char*>> cases = {
      {"--bpm", "0"}, {"--bpm", "1000"}, {"--bpm", "fast"}, {"--bpm"}, {"--chunk"},
      {"--midi-out"}, {"--frobnicate"}, {"file.qvc"}};
  for (const auto& words : cases) {
    StandaloneOptions options;
    std::string error;
    EXPECT_FALSE(parse(words, options, error)) << words[0];
    EXPECT_FALSE(error.empty()) << words[0];
  }
}

namespace {
std::vector<std::FILE*> usageShownOn;
void recordUsage(std::FILE* out) { usageShownOn.push_back(out); }
}  // namespace

// A program ends at its command line with 2 and the usage on stderr when
// the line is refused, with 0 and the usage on stdout for --help, and goes
// on, without a word, otherwise.
TEST(StandaloneOptions, TheCommandLineEndsTheProgramOnlyForHelpOrARefusal) {
  struct Case {
    std::vector<const char*> words;
    std::optional<int> ended;
    std::vector<std::FILE*> usage;
  };
  const Case cases[] = {
      {{"--bpm", "fast"}, 2, {stderr}},
      {{"--help"}, 0, {stdout}},
      {{"--bpm", "90"}, std::nullopt, {}},
  };
  for (const Case& c : cases) {
    std::vector<const char*> words = c.words;
    words.insert(words.begin(), "quaverlin");
    StandaloneOptions options;
    usageShownOn.clear();
    EXPECT_EQ(readCommandLine(static_cast<int>(words.size()), const_cast<char**>(words.data()), {},
                              options, recordUsage),
              c.ended)
        << c.words[0];
    EXPECT_EQ(usageShownOn, c.usage) << c.words[0];
  }
}
