#pragma once

#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace dorvane::testing {

// What a shell line printed on its standard output, and how it ended.
struct ShellRun {
    std::string output;
    int exitCode = -1; // -1 when it could not be started or did not exit by itself
};

// Runs a line through /bin/sh and reads what it prints (redirect 2>&1 in the line for errors).
inline ShellRun RunShell(const std::string& line)
{
    ShellRun run;
    FILE* pipe = popen(line.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe))
        run.output += buffer;
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

} // namespace dorvane::testing
