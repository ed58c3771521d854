#pragma once
// Whether everything written to the standard output arrived: a full disk or
// a closed pipe must fail the run, not pass unseen.
#include <string>

namespace ReEng {

// Flushes the standard output; false if anything was lost, with error
// keeping the first errno seen.
bool StandardOutputWritten(int& error);

// The status to end with once the output is complete: 1, with one line
// on stderr, when the standard output lost something.
int WithOutputChecked(int status, int error);

}  // namespace ReEng
