// File names of the documentation site: one page per module and per source
// file, and the pictures beside the module pages.
//
// Names come from module names and file names, which may hold any bytes, so
// every name is made safe for file systems and addresses: lower-case
// letters, digits, "_" and "-" stay, every other byte is written as "_" and
// two hexadecimal digits, a long name is cut and ends in a hash of the
// whole, and a name already taken gets "-2", "-3", ... in the order given.
// Source pages keep the dots of their file names ("top.v.html"); module
// stems have none, so a module's pictures never meet another module's names.
#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// The folders of the site below its root.
inline constexpr const char* kModuleFolder = "modules";
inline constexpr const char* kSourceFolder = "sources";
inline constexpr const char* kStyleSheetName = "corvane-site.css";

// The safe file stem of `name` before uniqueness is settled; `keepDots`
// keeps every "." but a leading one.
std::string safeFileStem(std::string_view name, bool keepDots = false);

class SiteNames {
public:
    // Stems for the modules (lower-cased names) and source file paths, each
    // in the order given; the same input always gives the same names.
    SiteNames(const std::vector<std::string>& moduleNames,
              const std::vector<std::string>& sourcePaths);

    // "<stem>.html" of an analysed module, or "" for a module not in the site.
    std::string modulePage(const std::string& moduleName) const;
    // "<stem>.schematic.svg" and "<stem>.fsm-<line>.svg".
    std::string schematicPicture(const std::string& moduleName) const;
    std::string stateMachinePicture(const std::string& moduleName, int line) const;
    // "<stem>.html" of a source file, or "" for a file not in the site.
    std::string sourcePage(const std::string& filePath) const;

private:
    std::string moduleStem(const std::string& moduleName) const;

    std::map<std::string, std::string> moduleStems_;
    std::map<std::string, std::string> sourceStems_;
};

}  // namespace corvane
