#include "console/batch_command_line.h"

#include <cstddef>
#include <optional>

#include "text/text_helpers.h"

namespace corvane {

namespace {

// Parses "NAMES=OUT" of --io-table.
bool parseIoTable(const std::string& value, BatchAction& action, std::string& error) {
    const std::size_t equals = value.find('=');
    if (equals == std::string::npos) {
        error = "--io-table needs NAMES=OUT, got \"" + value + "\"";
        return false;
    }
    for (std::string& name : splitAll(std::string_view(value).substr(0, equals), ",")) {
        if (!name.empty()) action.moduleNames.push_back(std::move(name));
    }
    action.outputPath = value.substr(equals + 1);
    if (action.moduleNames.empty() || action.outputPath.empty()) {
        error = "--io-table needs module names and an output file, got \"" + value + "\"";
        return false;
    }
    action.kind = BatchAction::kIoTable;
    return true;
}

// Parses "MODULE=OUT" of --export-schematic.
bool parseSchematicExport(const std::string& value, BatchOptions& options, std::string& error) {
    const std::size_t equals = value.find('=');
    if (equals == std::string::npos || equals == 0 || equals + 1 == value.size()) {
        error = "--export-schematic needs MODULE=OUT, got \"" + value + "\"";
        return false;
    }
    options.schematicExports.push_back({value.substr(0, equals), value.substr(equals + 1)});
    return true;
}

// Parses "MODULE:LINE=OUT" of --export-fsm: the first "=" ends the block's
// name and the last ":" before it separates the line, so the output path may
// hold either character.
bool parseFsmExport(const std::string& value, BatchOptions& options, std::string& error) {
    error = "--export-fsm needs MODULE:LINE=OUT, got \"" + value + "\"";
    const std::size_t equals = value.find('=');
    if (equals == std::string::npos || equals + 1 == value.size()) return false;
    const std::string block = value.substr(0, equals);
    const std::size_t colon = block.rfind(':');
    if (colon == std::string::npos || colon == 0) return false;
    const std::string line = block.substr(colon + 1);
    if (line.empty() || line.size() > 9 ||
        line.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    options.fsmExports.push_back(
        {block.substr(0, colon), std::stoi(line), value.substr(equals + 1)});
    error.clear();
    return true;
}

// Splits "--name=value" into its parts; nothing when there is no "=".
std::optional<std::pair<std::string, std::string>> splitInlineValue(const std::string& argument) {
    if (!argument.starts_with("--")) return std::nullopt;
    const std::size_t equals = argument.find('=');
    if (equals == std::string::npos) return std::nullopt;
    return std::make_pair(argument.substr(0, equals), argument.substr(equals + 1));
}

bool takesValue(const std::string& option) {
    return option == "-f" || option == "--script" || option == "--project" ||
           option == "--save-project" || option == "--io-table" || option == "--export-schematic" ||
           option == "--export-fsm" || option == "--site" || option == "--json";
}

bool applyValueOption(const std::string& option, const std::string& value, BatchOptions& options,
                      std::string& error) {
    if (option == "--project" || option == "--save-project") {
        if (value.empty()) {
            error = "option \"" + option + "\" needs a file name";
            return false;
        }
        (option == "--project" ? options.projectFile : options.saveProjectFile) = value;
        return true;
    }
    if (option == "--site" || option == "--json") {
        if (value.empty()) {
            error = "option \"" + option + "\" needs a " +
                    (option == "--site" ? "folder" : "file") + " name";
            return false;
        }
        (option == "--site" ? options.siteFolder : options.jsonFile) = value;
        return true;
    }
    if (option == "--export-schematic") return parseSchematicExport(value, options, error);
    if (option == "--export-fsm") return parseFsmExport(value, options, error);
    BatchAction action;
    if (option == "--io-table") {
        if (!parseIoTable(value, action, error)) return false;
    } else {
        action.kind = BatchAction::kScript;
        action.text = value;
    }
    options.actions.push_back(std::move(action));
    return true;
}

bool applyFlag(const std::string& option, BatchOptions& options) {
    if (option == "--crlf") {
        options.crlf = true;
    } else if (option == "--list-fsm") {
        options.listFsm = true;
    } else if (option == "--no-progress") {
        options.progress = false;
    } else if (option == "--help" || option == "-h") {
        options.help = true;
    } else if (option == "--version") {
        options.version = true;
    } else {
        return false;
    }
    return true;
}

}  // namespace

BatchCommandLine parseBatchCommandLine(const std::vector<std::string>& arguments) {
    BatchCommandLine result;
    BatchOptions& options = result.options;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool isOption = !optionsEnded && argument.size() > 1 && argument[0] == '-';
        if (!isOption) {
            options.actions.push_back({BatchAction::kLine, argument, {}, {}});
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (const auto inlineValue = splitInlineValue(argument); inlineValue) {
            if (!takesValue(inlineValue->first)) {
                BatchOptions probe;
                result.error = applyFlag(inlineValue->first, probe)
                                   ? "option \"" + inlineValue->first + "\" takes no value"
                                   : "unknown option \"" + inlineValue->first + "\"";
                return result;
            }
            if (!applyValueOption(inlineValue->first, inlineValue->second, options, result.error)) {
                return result;
            }
            continue;
        }
        if (takesValue(argument)) {
            if (i + 1 >= arguments.size()) {
                result.error = "option \"" + argument + "\" needs a value";
                return result;
            }
            if (!applyValueOption(argument, arguments[++i], options, result.error)) return result;
            continue;
        }
        if (!applyFlag(argument, options)) {
            result.error = "unknown option \"" + argument + "\"";
            return result;
        }
    }
    result.ok = true;
    return result;
}

std::string batchUsage() {
    return "usage: corvane-batch [OPTIONS] [LINE ...]\n"
           "Runs console command lines without a display; the log goes to standard output.\n"
           "\n"
           "  LINE                 a console command line, run as if typed into the console\n"
           "                       (for example \"analyze,rtl/top.v\" summary list)\n"
           "  -f, --script FILE    read command lines from FILE, one per line; \"-\" reads\n"
           "                       standard input\n"
           "  --project FILE       open this project file before running any line,\n"
           "                       analysing the source files it lists\n"
           "  --save-project FILE  write the project to FILE after the last line\n"
           "  --io-table NAMES=OUT write the I/O table of the comma-separated module names\n"
           "                       (or *) to OUT\n"
           "  --export-schematic MODULE=OUT\n"
           "                       after the last line, draw the schematic of MODULE into\n"
           "                       OUT, an .svg, .png, .pdf or .emf file, or write it as a\n"
           "                       .qsch schematic file (may be repeated)\n"
           "  --export-fsm MODULE:LINE=OUT\n"
           "                       after the last line, draw the state transition diagram\n"
           "                       of the always block or process at LINE of MODULE into\n"
           "                       OUT, an .svg, .png or .pdf file, or write its label\n"
           "                       positions as a .qstm state diagram file (may be repeated)\n"
           "  --list-fsm           after the last line, print every state machine found:\n"
           "                       module, line, state register and number of states\n"
           "  --site OUT_DIR       after the last line, write the documentation site of the\n"
           "                       analysed design into the folder OUT_DIR: index.html,\n"
           "                       a page per module and per source file (an existing\n"
           "                       OUT_DIR must be empty or an earlier site)\n"
           "  --json FILE          after the last line, write the design database as JSON\n"
           "                       to FILE (schema: docs/design-database.schema.json)\n"
           "  --crlf               write the log with its own \"\\r\\n\" line ends\n"
           "  --no-progress        never draw the progress line on standard error\n"
           "  --help, --version\n"
           "  --                   every later argument is a LINE\n"
           "\n"
           "Lines, scripts and I/O tables run in the order given.\n";
}

std::string LineEndFilter::filter(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 1);
    for (const char c : text) {
        if (pendingReturn_) {
            pendingReturn_ = false;
            if (c != '\n') out.push_back('\r');
        }
        if (c == '\r') {
            pendingReturn_ = true;
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::string LineEndFilter::finish() {
    if (!pendingReturn_) return {};
    pendingReturn_ = false;
    return "\r";
}

}  // namespace corvane
