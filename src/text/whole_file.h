// Whole-file reading for the project, settings and tag files.
#pragma once

#include <string>

namespace corvane {

// Reads every byte of the regular file at `path` (links followed) into
// `bytes`; false, with `bytes` untouched, when it is not a regular file or
// cannot be read. Devices and pipes are refused so that a path such as
// /dev/zero cannot make a reader wait or grow forever.
bool readWholeFile(const std::string& path, std::string& bytes);

}  // namespace corvane
