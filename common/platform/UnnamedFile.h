#pragma once
// A temporary file without a name, open for reading and writing: nothing of
// it is left behind, whatever ends the program.

namespace platform {

// In the temporary folder ($TMPDIR or /tmp); where the file system has no
// O_TMPFILE, a file named and removed at once. -1 with errno set when none
// can be made.
int OpenUnnamedFile();

}  // namespace platform
