#include "site/site_names.h"

#include <cstdint>
#include <cstdio>

namespace corvane {

namespace {

// Longest stem kept whole; a longer one is cut and given a hash of the whole.
constexpr std::size_t kMaxStemBytes = 64;

bool keptByte(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
}

// FNV-1a, 32 bits: a short, stable fingerprint of a name.
std::uint32_t fingerprint(std::string_view text) {
    std::uint32_t hash = 2166136261u;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    return hash;
}

std::string hex2(unsigned char c) {
    char text[3];
    std::snprintf(text, sizeof text, "%02x", c);
    return text;
}

// The stem of `name` made unique among `used`, which it joins.
std::string uniqueStem(std::string_view name, bool keepDots, std::set<std::string>& used) {
    const std::string base = safeFileStem(name, keepDots);
    std::string stem = base;
    for (int suffix = 2; !used.insert(stem).second; ++suffix) {
        stem = base + "-" + std::to_string(suffix);
    }
    return stem;
}

std::string baseName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string safeFileStem(std::string_view name, bool keepDots) {
    std::string stem;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (keptByte(byte) || (keepDots && c == '.' && !stem.empty())) {
            stem += c;
        } else if (byte >= 'A' && byte <= 'Z') {
            stem += static_cast<char>(byte - 'A' + 'a');
        } else {
            stem += "_" + hex2(byte);
        }
    }
    if (stem.empty()) stem = "_";
    if (stem.size() > kMaxStemBytes) {
        char hash[10];
        std::snprintf(hash, sizeof hash, "-%08x", static_cast<unsigned>(fingerprint(name)));
        stem = stem.substr(0, kMaxStemBytes) + hash;
    }
    return stem;
}

SiteNames::SiteNames(const std::vector<std::string>& moduleNames,
                     const std::vector<std::string>& sourcePaths) {
    std::set<std::string> usedModules;
    for (const std::string& name : moduleNames) {
        if (!moduleStems_.contains(name)) moduleStems_[name] = uniqueStem(name, false, usedModules);
    }
    std::set<std::string> usedSources;
    for (const std::string& path : sourcePaths) {
        if (!sourceStems_.contains(path)) {
            sourceStems_[path] = uniqueStem(baseName(path), true, usedSources);
        }
    }
}

std::string SiteNames::moduleStem(const std::string& moduleName) const {
    const auto found = moduleStems_.find(moduleName);
    return found == moduleStems_.end() ? std::string() : found->second;
}

std::string SiteNames::modulePage(const std::string& moduleName) const {
    const std::string stem = moduleStem(moduleName);
    return stem.empty() ? stem : stem + ".html";
}

std::string SiteNames::schematicPicture(const std::string& moduleName) const {
    const std::string stem = moduleStem(moduleName);
    return stem.empty() ? stem : stem + ".schematic.svg";
}

std::string SiteNames::stateMachinePicture(const std::string& moduleName, int line) const {
    const std::string stem = moduleStem(moduleName);
    return stem.empty() ? stem : stem + ".fsm-" + std::to_string(line) + ".svg";
}

std::string SiteNames::sourcePage(const std::string& filePath) const {
    const auto found = sourceStems_.find(filePath);
    return found == sourceStems_.end() ? std::string() : found->second + ".html";
}

}  // namespace corvane
