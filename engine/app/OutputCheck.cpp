#include "engine/app/OutputCheck.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/core/ErrorLine.h"

namespace ReEng {

bool StandardOutputWritten(int& error) {
    if (std::fflush(stdout) != 0 && error == 0) error = errno;
    // Closing a duplicate descriptor reports what a network file system
    // could only say at close, while the standard output itself stays usable.
    const int copy = dup(fileno(stdout));
    if (copy >= 0 && close(copy) != 0 && error == 0) error = errno;
    if (std::ferror(stdout) && error == 0) error = EIO;
    return error == 0;
}

int WithOutputChecked(int status, int error) {
    if (StandardOutputWritten(error)) return status;
    ReportError(std::string("cannot write the standard output: ") + std::strerror(error));
    return 1;
}

}  // namespace ReEng
