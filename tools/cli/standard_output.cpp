#include "cli/standard_output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace cli {

int finishStandardOutput(std::string_view program, int exitCode, int failureCode) {
    errno = 0;
    std::cout.flush();
    const bool streamFailed = std::cout.fail();
    const bool flushFailed = std::fflush(stdout) != 0;
    const int reason = errno;
    if (!streamFailed && !flushFailed && std::ferror(stdout) == 0) return exitCode;
    // A write that failed earlier, in the middle of the run, left no reason
    // behind; then the complaint names none.
    if (reason != 0)
        std::fprintf(stderr, "%.*s: write error: %s\n", static_cast<int>(program.size()), program.data(),
                     std::strerror(reason));
    else
        std::fprintf(stderr, "%.*s: write error\n", static_cast<int>(program.size()), program.data());
    return exitCode != 0 ? exitCode : failureCode;
}

}  // namespace cli
