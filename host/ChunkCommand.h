// quaverlin-host chunk: writes the demo pattern as a chunk file, and compares
// two chunk files as patterns (for chunks a host saved and gave back).
//   chunk demo [--straight] FILE
//   chunk compare FILE FILE
#pragma once

// The arguments after "chunk"; returns the exit status (2: bad arguments).
int chunkCommand(int argc, char** argv);
