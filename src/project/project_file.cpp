#include "project/project_file.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <set>

#include "platform/safe_file_writer.h"
#include "platform/text_metrics.h"
#include "text/key_value_lines.h"
#include "text/text_helpers.h"
#include "text/whole_file.h"

namespace corvane {

namespace {

constexpr const char* kLineEnd = "\r\n";

// The nine printer number keys, in the order of PrinterSettings::values.
constexpr const char* kPrinterValueKeys[9] = {
    "printer.settng.orientation", "printer.settng.size",  "printer.settng.length",
    "printer.settng.width",       "printer.settng.scale", "printer.settng.copies",
    "printer.settng.quality",     "printer.settng.color", "printer.settng.duplex",
};

void addLine(std::string& out, std::string_view key, std::string_view value) {
    out.append(key);
    out.append(" = ");
    out.append(value);
    out.append(kLineEnd);
}

void addCommentStyle(std::string& out, const CommentStyle& style) {
    addLine(out, "comment.text.face", style.textFace);
    addLine(out, "comment.text.pt", std::to_string(style.textPt));
    addLine(out, "comment.text.color", hexColorText(style.textColor));
    addLine(out, "comment.line.pt", std::to_string(style.linePt));
    addLine(out, "comment.line.color", hexColorText(style.lineColor));
}

// Where paths are written from: the project folder, and the folder that
// relative paths of the program are relative to.
struct PathBase {
    std::string current;
    std::string folder;

    std::string anchored(const std::string& path) const {
        if (path.empty() || path.front() == '/') return path;
        return current + path;
    }
    std::string written(const std::string& path) const {
        return pathForProjectFile(anchored(path), folder);
    }
};

// One line per distinct source path, in module list order.
void addSourcePaths(std::string& out, const ModuleList& modules, const PathBase& base) {
    std::set<std::string> written;
    for (const Module& module : modules) {
        const std::string path = base.written(module.filePath);
        if (written.insert(path).second) addLine(out, "module.path", path);
    }
}

void addSchematicPaths(std::string& out, const ModuleList& modules, const PathBase& base) {
    for (const Module& module : modules) {
        addLine(out, "module.schname", module.name);
        if (module.schematicPath.empty()) continue;
        addLine(out, "module.schpath", base.written(module.schematicPath));
    }
}

// The working folder with its trailing "/", or "" when it cannot be told.
std::string workingFolder() {
    std::error_code error;
    std::string folder = std::filesystem::current_path(error).string();
    if (error || folder.empty()) return {};
    if (!folder.ends_with('/')) folder.push_back('/');
    return folder;
}

void addPrinter(std::string& out, const PrinterSettings& printer) {
    addLine(out, "printer.settng.name", printer.printerName);
    for (int i = 0; i < 9; ++i) {
        addLine(out, kPrinterValueKeys[i], std::to_string(printer.values[i]));
    }
}

void addMargins(std::string& out, const PageMargins& margins) {
    addLine(out, "document.settng.spacetop", fixedSixText(margins.top));
    addLine(out, "document.settng.spacebottom", fixedSixText(margins.bottom));
    addLine(out, "document.settng.spaceleft", fixedSixText(margins.left));
    addLine(out, "document.settng.spaceright", fixedSixText(margins.right));
    addLine(out, "document.settng.fit", std::to_string(margins.fit));
}

// The state of one reading: which module the next "module.schpath" belongs to.
class ProjectReader {
public:
    ProjectReader(const std::string& folder, std::string& name, ProjectSettings& settings,
                  ModuleList& modules, const AnalyseSourceFile& analyse)
        : folder_(folder), name_(name), settings_(settings), modules_(modules), analyse_(analyse) {}

    void apply(const std::string& key, const std::string& value) {
        if (key == "name") {
            name_ = value;
        } else if (key == "module.path") {
            const std::string path = pathFromProjectFile(value, folder_);
            if (!path.empty() && analyse_) analyse_(path);
        } else if (key == "module.schname") {
            current_.reset();
            if (modules_.find(value) != nullptr) current_ = value;
        } else if (key == "module.schpath") {
            setSchematicPath(value);
        } else if (!applyCommentStyle(key, value) && !applyPrinter(key, value)) {
            applyMargins(key, value);
        }
    }

private:
    // The current module is looked up again by name: analysing a later
    // "module.path" may have replaced it.
    void setSchematicPath(const std::string& value) {
        if (!current_) return;
        if (Module* module = modules_.find(*current_)) {
            module->schematicPath = pathFromProjectFile(value, folder_);
        }
    }

    bool applyCommentStyle(const std::string& key, const std::string& value) {
        CommentStyle& style = settings_.commentStyle;
        if (key == "comment.text.face") {
            style.textFace = value;
        } else if (key == "comment.text.pt") {
            style.textPt = leadingInt(value);
        } else if (key == "comment.text.color") {
            style.textColor = leadingHexColor(value);
        } else if (key == "comment.line.pt") {
            style.linePt = leadingInt(value);
        } else if (key == "comment.line.color") {
            style.lineColor = leadingHexColor(value);
        } else {
            return false;
        }
        return true;
    }

    bool applyPrinter(const std::string& key, const std::string& value) {
        PrinterSettings& printer = settings_.printer;
        if (key == "printer.settng.name") {
            printer.printerName = value;
            printer.valid = true;
            return true;
        }
        for (int i = 0; i < 9; ++i) {
            if (key != kPrinterValueKeys[i]) continue;
            // Kept in 16 bits as the device values are; larger numbers wrap.
            printer.values[i] =
                static_cast<std::int16_t>(static_cast<std::uint16_t>(leadingInt(value)));
            printer.valid = true;
            return true;
        }
        return false;
    }

    void applyMargins(const std::string& key, const std::string& value) {
        PageMargins& margins = settings_.margins;
        if (key == "document.settng.spacetop") {
            margins.top = leadingDouble(value);
        } else if (key == "document.settng.spacebottom") {
            margins.bottom = leadingDouble(value);
        } else if (key == "document.settng.spaceleft") {
            margins.left = leadingDouble(value);
        } else if (key == "document.settng.spaceright") {
            margins.right = leadingDouble(value);
        } else if (key == "document.settng.fit") {
            margins.fit = leadingInt(value);
        }
    }

    const std::string& folder_;
    std::string& name_;
    ProjectSettings& settings_;
    ModuleList& modules_;
    const AnalyseSourceFile& analyse_;
    std::optional<std::string> current_;
};

}  // namespace

CommentStyle::CommentStyle() : textFace(fontRuleFace()) {}

std::string projectFolder(std::string_view projectFilePath) {
    const std::size_t slash = projectFilePath.rfind('/');
    if (slash == std::string_view::npos) return {};
    return std::string(projectFilePath.substr(0, slash + 1));
}

std::string pathForProjectFile(const std::string& path, const std::string& folder) {
    if (folder.empty() || !path.starts_with(folder)) return path;
    const std::string rest = path.substr(folder.size());
    // What is left must read back as the same path: not empty, not absolute.
    if (rest.empty() || rest.front() == '/') return path;
    return rest;
}

std::string pathFromProjectFile(const std::string& value, const std::string& folder) {
    if (value.empty()) return {};
    if (value.front() == '/') return value;
    return folder + value;
}

std::string formatProject(const std::string& projectName, const std::string& projectFilePath,
                          const ModuleList& modules, const ProjectSettings& settings,
                          const std::string& currentFolder) {
    PathBase base{currentFolder, {}};
    base.folder = projectFolder(base.anchored(projectFilePath));
    std::string out;
    addLine(out, "name", projectName);
    out.append(kLineEnd);
    addCommentStyle(out, settings.commentStyle);
    out.append(kLineEnd);
    addSourcePaths(out, modules, base);
    out.append(kLineEnd);
    addSchematicPaths(out, modules, base);
    out.append(kLineEnd);
    if (settings.printer.valid) addPrinter(out, settings.printer);
    out.append(kLineEnd);
    addMargins(out, settings.margins);
    return out;
}

bool writeProject(const std::string& projectFilePath, const std::string& projectName,
                  const ModuleList& modules, const ProjectSettings& settings) {
    return writeFileSafely(projectFilePath, formatProject(projectName, projectFilePath, modules,
                                                          settings, workingFolder()));
}

void readProjectText(std::string_view text, const std::string& folder, std::string& projectName,
                     ProjectSettings& settings, ModuleList& modules,
                     const AnalyseSourceFile& analyse) {
    settings.printer.valid = false;
    ProjectReader reader(folder, projectName, settings, modules, analyse);
    std::string key;
    std::string value;
    forEachTextLine(text, [&](std::string_view line) {
        if (splitKeyValueLine(line, key, value)) reader.apply(key, value);
    });
}

bool readProject(const std::string& projectFilePath, std::string& projectName,
                 ProjectSettings& settings, ModuleList& modules, const AnalyseSourceFile& analyse) {
    std::string text;
    if (!readWholeFile(projectFilePath, text)) return false;
    readProjectText(text, projectFolder(projectFilePath), projectName, settings, modules, analyse);
    return true;
}

}  // namespace corvane
