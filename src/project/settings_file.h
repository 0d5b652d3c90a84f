// The settings file "corvane_setting.ini": the console window's placement,
// the Verilog and VHDL keyword lists with their colours and the source
// viewer's search history, as lines of key " = " value. It is read once at
// start-up and written when the program ends.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/ui_host.h"

namespace corvane {

// A keyword the source viewer colours. `color` is 0x00BBGGRR.
struct KeywordEntry {
    std::string word;
    int length = 0;  // bytes of `word`
    int color = 0;
};

struct Settings {
    ConsolePlacement console;
    std::vector<KeywordEntry> verilogWords;
    std::vector<KeywordEntry> vhdlWords;
    std::vector<std::string> searchWords;  // oldest first; new words go at the end
};

// At most this many search words are written, the newest ones.
inline constexpr std::size_t kSavedSearchWords = 32;

// Where the settings file is written (`user`, read first) and the file
// beside the executable read when that one cannot be.
struct SettingsLocations {
    std::string user;
    std::string besideExecutable;
};

// $XDG_CONFIG_HOME/corvane/corvane_setting.ini, or ~/.config/corvane/ when
// XDG_CONFIG_HOME is unset, empty or relative; and the file in the folder of
// the running executable.
SettingsLocations standardSettingsLocations();

// The user file for given values of XDG_CONFIG_HOME and HOME (nullptr counts
// as unset); "" when neither gives an absolute folder.
std::string userSettingsPath(const char* xdgConfigHome, const char* home);

// Applies the lines of a settings file's `text`: the placement starts from
// the defaults and is clamped afterwards, keyword entries and search words
// are appended. Unknown keys and malformed lines are passed over.
void readSettingsText(std::string_view text, Settings& settings);

// Empties both keyword lists, then reads the user file or, failing that, the
// file beside the executable. Without either the placement is the default
// one. True when a file was read.
bool readSettings(Settings& settings, const SettingsLocations& locations);

// Clamps x and y to at least 0, the width to at least 256 and the height to
// at least 64.
ConsolePlacement clampPlacement(ConsolePlacement placement);

// The bytes of the settings file: placement, Verilog keywords, VHDL keywords,
// then the last kSavedSearchWords search words.
std::string formatSettings(const Settings& settings);

// Writes the user file (creating its folder); false when it cannot be written.
bool writeSettings(const Settings& settings, const SettingsLocations& locations);

}  // namespace corvane
