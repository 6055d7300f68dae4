#include "host/standalone/StandaloneOptions.h"

#include <algorithm>
#include <cstdlib>

namespace {

bool listed(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

bool parseStandaloneOptions(int argc, char** argv, const PlatformOptionNames& platformNames,
                            StandaloneOptions& options, std::string& error) {
  for (int i = 1; i < argc && error.empty(); ++i) {
    const std::string option = argv[i];
    const bool hasValue = i + 1 < argc;
    if (option == "--plugin" && hasValue) options.plugin = argv[++i];
    else if (option == "--chunk" && hasValue) options.chunkFile = argv[++i];
    else if (option == "--bpm" && hasValue) {
      char* end = nullptr;
      options.tempo = std::strtod(argv[++i], &end);
      if (*end != 0 || !(options.tempo >= 20.0 && options.tempo <= 999.0))
        error = "--bpm takes a tempo from 20 to 999";
    } else if (option == "--play") options.play = true;
    else if (option == "--no-editor") options.editor = false;
    else if (option == "--help" || option == "-h") options.help = true;
    else if (listed(platformNames.withValue, option) && hasValue) options.platform.emplace_back(option, argv[++i]);
    else if (listed(platformNames.flags, option)) options.platform.emplace_back(option, "");
    else error = "unknown or incomplete option " + option;
  }
  return error.empty();
}

const char* standaloneOptionsHelp() {
  return "  --chunk FILE    the patterns: read at the start (a .fxp program file or a raw\n"
         "                  chunk), written back on exit and on Ctrl+S in the window;\n"
         "                  without it the demo patterns play and nothing is saved\n"
         "  --bpm TEMPO     the tempo when quaverlin leads the transport (120)\n"
         "  --play          start the transport at once (space in the window starts\n"
         "                  and stops it)\n"
         "  --no-editor     no window: runs until Ctrl+C\n"
         "  --plugin PATH   the plug-in library (default: the one beside the program)\n";
}

std::optional<int> readCommandLine(int argc, char** argv, const PlatformOptionNames& platformNames,
                                   StandaloneOptions& options, void (*usage)(std::FILE*)) {
  std::string error;
  if (!parseStandaloneOptions(argc, argv, platformNames, options, error)) {
    std::fprintf(stderr, "quaverlin: %s\n", error.c_str());
    usage(stderr);
    return 2;
  }
  if (options.help) {
    usage(stdout);
    return 0;
  }
  return std::nullopt;
}
