#pragma once
// The one way the engine reports an error: a line on stderr that starts with
// the program's name ("vaultrix: bad model file ..."), whichever module found
// it, so every failure reads alike and a script can tell whose it is. The
// name is the process's, set once at start as the C library's own is.
// The platform backends, which include nothing of the engine, name their
// lines with the program name they are given.
#include <string>

namespace ReEng {

// The name put before every error line; "reeng" until set.
void SetErrorProgram(const std::string& name);
const std::string& ErrorProgram();
// Writes "NAME: what" and a newline on stderr.
void ReportError(const std::string& what);

}  // namespace ReEng
