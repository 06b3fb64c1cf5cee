#pragma once

#include <optional>
#include <string>

// What the command line asks of the process.
struct CommandLine {
    // Set when the process has answered by itself (the usage, the version, or a mistake in the
    // arguments) and ends at once with this status.
    std::optional<int> exitStatus;
    // The folder to start at, exactly the bytes given; none for the usual start.
    std::optional<std::string> startFolder;
};

// Reads the arguments without needing a display. Prints the usage or the version on standard
// output, or a mistake and the usage on standard error, and then says which status to end with.
CommandLine ReadCommandLine(int argc, char** argv);
