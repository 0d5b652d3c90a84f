#include "reports/io_table.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace corvane {

namespace {

std::string directionWord(int direction) {
    if (direction == 0) return "Input";
    if (direction == 1) return "Output";
    return "Bidir";
}

std::string pinLine(const Pin& pin) {
    std::string width = "1";
    if (pin.msb != -1) width = "[" + std::to_string(pin.msb) + ":" + std::to_string(pin.lsb) + "]";
    return directionWord(pin.direction) + "," + width + "," + csvField(pin.name) + "," +
           csvField(pin.comment) + "\r\n";
}

std::string moduleBlock(const Module& module) {
    std::string text = "module name," + csvField(module.name) + ",,\r\n";
    text += "I/O,Width,Signal Name,Description\r\n";
    for (const Pin& pin : module.pins) text += pinLine(pin);
    return text + ",,,\r\n";
}

// Writes all of `text` to `descriptor`, retrying short and interrupted writes.
bool writeAll(int descriptor, const std::string& text) {
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t count = ::write(descriptor, text.data() + written, text.size() - written);
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) return false;
        written += static_cast<std::size_t>(count);
    }
    return true;
}

// Writes `text` to a temporary file beside `path`, flushes it to disk and
// renames it over `path`, so the target holds either the old or the new bytes.
bool replaceFile(const std::string& path, const std::string& text) {
    const std::string temporary = path + ".tmp" + std::to_string(::getpid());
    const int descriptor =
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (descriptor < 0) return false;
    bool ok = writeAll(descriptor, text) && ::fsync(descriptor) == 0;
    ok = ::close(descriptor) == 0 && ok;
    ok = ok && std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) std::remove(temporary.c_str());
    return ok;
}

}  // namespace

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char character : text) {
        if (character == '"') quoted += '"';
        quoted += character;
    }
    return quoted + "\"";
}

std::string buildIoTable(const ModuleList& modules, const std::vector<std::string>& moduleNames) {
    std::string text;
    for (const std::string& name : moduleNames) {
        if (const Module* module = modules.find(name)) text += moduleBlock(*module);
    }
    return text;
}

bool writeIoTable(const ModuleList& modules, const std::vector<std::string>& moduleNames,
                  const std::string& outputPath) {
    if (outputPath.empty()) return false;
    return replaceFile(outputPath, buildIoTable(modules, moduleNames));
}

}  // namespace corvane
