// Runs the built corvane-batch as a child process for end-to-end tests.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/test_files.h"

namespace corvane::testing {

struct BatchRun {
    int status = -1;  // the exit status, -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// `argument` as one word for the shell.
inline std::string shellQuoted(const std::string& argument) {
    std::string text = "'";
    for (const char c : argument) text += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return text + "'";
}

// Runs corvane-batch with `arguments` in `folder`, feeding `input` on
// standard input. `environment` goes before the program on the command
// line, for example "env -u DISPLAY".
inline BatchRun runBatchIn(const std::string& folder, const std::vector<std::string>& arguments,
                           const std::string& input = "", const std::string& environment = "") {
    const TempDir scratch;
    const std::string in = scratch.write("stdin", input);
    std::string command =
        "cd " + shellQuoted(folder) + " && " + environment + " " + shellQuoted(CORVANE_BATCH_PATH);
    for (const std::string& argument : arguments) command += " " + shellQuoted(argument);
    command += " <" + shellQuoted(in) + " >" + shellQuoted(scratch.path() + "/out") + " 2>" +
               shellQuoted(scratch.path() + "/err");
    BatchRun run;
    const int raw = std::system(command.c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = readAll(scratch.path() + "/out");
    run.err = readAll(scratch.path() + "/err");
    return run;
}

// Runs corvane-batch --no-progress in `folder` without a display platform
// set, so the program has to choose the offscreen one itself.
inline BatchRun runBatchWithoutDisplay(const std::string& folder,
                                       std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "--no-progress");
    return runBatchIn(folder, arguments, "", "env -u QT_QPA_PLATFORM -u DISPLAY");
}

}  // namespace corvane::testing
