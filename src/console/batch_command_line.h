// The command line of corvane-batch, and the line-end conversion of its output.
//
//   corvane-batch [OPTIONS] [LINE ...]
//
// Lines, scripts and I/O tables run in the order given.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

struct BatchAction {
    enum Kind { kLine, kScript, kIoTable };
    Kind kind = kLine;
    std::string text;                      // the console line, or the script path ("-": stdin)
    std::vector<std::string> moduleNames;  // I/O table: the names, or the single name "*"
    std::string outputPath;                // I/O table: the CSV file
};

// One --export-schematic: the module's schematic drawn into a file.
struct SchematicExportRequest {
    std::string moduleName;
    std::string outputPath;  // .svg, .png, .pdf or .emf
};

// One --export-fsm: the state machine of one always block or process drawn
// into a file, or its label positions written as a state diagram file.
struct FsmExportRequest {
    std::string moduleName;
    int line = 0;            // the always block's or process's line
    std::string outputPath;  // .svg, .png, .pdf or .qstm
};

struct BatchOptions {
    std::vector<BatchAction> actions;
    std::vector<SchematicExportRequest> schematicExports;  // written after the last action
    std::vector<FsmExportRequest> fsmExports;              // written after the schematics
    bool listFsm = false;         // print the state machines after the last action
    std::string siteFolder;       // the documentation site, written after the diagrams
    std::string jsonFile;         // the design database as JSON, written after the site
    std::string projectFile;      // opened before the first action
    std::string saveProjectFile;  // written after the last action
    bool crlf = false;
    bool progress = true;
    bool help = false;
    bool version = false;
};

struct BatchCommandLine {
    bool ok = false;
    BatchOptions options;
    std::string error;  // why the command line is malformed
};

// Parses the arguments after the program name. "--" ends the options: every
// argument after it is a console line.
BatchCommandLine parseBatchCommandLine(const std::vector<std::string>& arguments);

// The usage text printed by --help and after a malformed command line.
std::string batchUsage();

// Turns the log's "\r\n" line ends into "\n" across appends: a carriage
// return at the end of one piece waits for the next.
class LineEndFilter {
public:
    std::string filter(std::string_view text);
    // What is still held back (a final lone carriage return).
    std::string finish();

private:
    bool pendingReturn_ = false;
};

}  // namespace corvane
