#include "project/settings_file.h"

#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/safe_file_writer.h"
#include "text/key_value_lines.h"
#include "text/text_helpers.h"
#include "text/whole_file.h"

namespace corvane {

namespace {

constexpr const char* kFileName = "corvane_setting.ini";
constexpr const char* kLineEnd = "\r\n";
constexpr int kMinWidth = 256;
constexpr int kMinHeight = 64;

bool isAbsoluteFolder(const char* folder) {
    return folder != nullptr && folder[0] == '/';
}

std::string withSlash(std::string folder) {
    if (!folder.ends_with('/')) folder.push_back('/');
    return folder;
}

// The folder of the running program with its trailing "/", or "".
std::string executableFolder() {
    char path[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return {};
    const std::string full(path, static_cast<std::size_t>(length));
    const std::size_t slash = full.rfind('/');
    return slash == std::string::npos ? std::string() : full.substr(0, slash + 1);
}

// "word,colour[,...]": the entry, or nothing with fewer than two fields.
bool parseKeyword(const std::string& value, KeywordEntry& entry) {
    const std::vector<std::string> fields = splitAll(value, ",");
    if (fields.size() < 2) return false;
    entry.word = fields[0];
    entry.length = static_cast<int>(std::min<std::size_t>(entry.word.size(), INT_MAX));
    entry.color = leadingHexColor(fields[1]);
    return true;
}

void applySetting(const std::string& key, const std::string& value, Settings& settings) {
    ConsolePlacement& console = settings.console;
    KeywordEntry entry;
    if (key == "pos.x") {
        console.x = leadingInt(value);
    } else if (key == "pos.y") {
        console.y = leadingInt(value);
    } else if (key == "width") {
        console.width = leadingInt(value);
    } else if (key == "height") {
        console.height = leadingInt(value);
    } else if (key == "verilog-word") {
        if (parseKeyword(value, entry)) settings.verilogWords.push_back(std::move(entry));
    } else if (key == "vhdl-word") {
        if (parseKeyword(value, entry)) settings.vhdlWords.push_back(std::move(entry));
    } else if (key == "search-word") {
        settings.searchWords.push_back(value);
    }
}

void addLine(std::string& out, std::string_view key, std::string_view value) {
    out.append(key);
    out.append(" = ");
    out.append(value);
    out.append(kLineEnd);
}

void addKeywords(std::string& out, const char* key, const std::vector<KeywordEntry>& words) {
    for (const KeywordEntry& entry : words) {
        addLine(out, key, entry.word + "," + hexColorText(entry.color));
    }
}

}  // namespace

std::string userSettingsPath(const char* xdgConfigHome, const char* home) {
    if (isAbsoluteFolder(xdgConfigHome)) {
        return withSlash(xdgConfigHome) + "corvane/" + kFileName;
    }
    if (isAbsoluteFolder(home)) return withSlash(home) + ".config/corvane/" + kFileName;
    return {};
}

SettingsLocations standardSettingsLocations() {
    SettingsLocations locations;
    locations.user = userSettingsPath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    const std::string folder = executableFolder();
    if (!folder.empty()) locations.besideExecutable = folder + kFileName;
    return locations;
}

void readSettingsText(std::string_view text, Settings& settings) {
    settings.console = ConsolePlacement{};
    std::string key;
    std::string value;
    forEachTextLine(text, [&](std::string_view line) {
        if (splitKeyValueLine(line, key, value)) applySetting(key, value, settings);
    });
    settings.console = clampPlacement(settings.console);
}

bool readSettings(Settings& settings, const SettingsLocations& locations) {
    settings.verilogWords.clear();
    settings.vhdlWords.clear();
    std::string text;
    if (!readWholeFile(locations.user, text) && !readWholeFile(locations.besideExecutable, text)) {
        settings.console = ConsolePlacement{};
        return false;
    }
    readSettingsText(text, settings);
    return true;
}

ConsolePlacement clampPlacement(ConsolePlacement placement) {
    placement.x = std::max(placement.x, 0);
    placement.y = std::max(placement.y, 0);
    placement.width = std::max(placement.width, kMinWidth);
    placement.height = std::max(placement.height, kMinHeight);
    return placement;
}

std::string formatSettings(const Settings& settings) {
    std::string out;
    addLine(out, "pos.x", std::to_string(settings.console.x));
    addLine(out, "pos.y", std::to_string(settings.console.y));
    addLine(out, "width", std::to_string(settings.console.width));
    addLine(out, "height", std::to_string(settings.console.height));
    addKeywords(out, "verilog-word", settings.verilogWords);
    addKeywords(out, "vhdl-word", settings.vhdlWords);
    const std::vector<std::string>& words = settings.searchWords;
    const std::size_t first =
        words.size() > kSavedSearchWords ? words.size() - kSavedSearchWords : 0;
    for (std::size_t i = first; i < words.size(); ++i) addLine(out, "search-word", words[i]);
    return out;
}

bool writeSettings(const Settings& settings, const SettingsLocations& locations) {
    if (locations.user.empty()) return false;
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(locations.user).parent_path(), error);
    return writeFileSafely(locations.user, formatSettings(settings));
}

}  // namespace corvane
