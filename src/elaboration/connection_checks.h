// The connection checks: every read and write of a net becomes a terminal of
// the net and a port of the block that uses it.
#pragma once

#include <memory>
#include <string>

#include "database/module_list.h"
#include "database/net_table.h"
#include "database/records.h"
#include "diagnostics/message_log.h"

namespace corvane {

// The four Verilog scans in order: assignments, always blocks, children,
// initial blocks. Malformed bit selects write "connection error" lines (0) to (3).
// Each call scans every block of the module.
void checkVerilogNet(Module& module, const std::string& netName, MessageLog& log);

// The three VHDL scans in order: assignments, processes, children, with the
// VHDL select syntax and connection errors (4) to (7).
void checkVhdlNet(Module& module, const std::string& netName, MessageLog& log);

// Gives the same terminals, block ports and messages as checkVerilogNet /
// checkVhdlNet, from an index of every name's uses built once per module, so
// checking all nets costs the number of uses rather than nets times tokens.
//
// Build it once the blocks and their token lists are complete (after the
// expression tokenizer) and use it while the net table is built. Block ports
// may grow in between (they are re-read as needed); if the module passed to
// check() is not the indexed one, or its block or declaration lists changed
// size, check() falls back to the plain scans.
class IndexedNetChecker {
public:
    IndexedNetChecker(const Module& module, Language scans);
    ~IndexedNetChecker();
    IndexedNetChecker(const IndexedNetChecker&) = delete;
    IndexedNetChecker& operator=(const IndexedNetChecker&) = delete;

    void check(Module& module, const std::string& netName, MessageLog& log);

    // check() for the net `netName` whose entry `net` the caller already holds.
    void checkInserted(Module& module, const std::string& netName, Net& net, MessageLog& log);

    // How many candidate uses `netName` has in the indexed module: a bound on
    // the terminals check() adds to its net.
    std::size_t expectedUses(const std::string& netName) const;

    // A net table hook that calls check() with `log`; the checker and the log
    // must outlive it.
    NetCheck hook(MessageLog& log);

    // Builds the module's net table, checking every inserted net, with each
    // net's terminal list allocated once.
    void buildNetTable(Module& module, const std::string& filePath, MessageLog& log);

    struct Index;

private:
    bool indexes(const Module& module) const;

    std::unique_ptr<Index> index_;
};

class VerilogNetChecker : public IndexedNetChecker {
public:
    explicit VerilogNetChecker(const Module& module) : IndexedNetChecker(module, kVerilog) {}
};

class VhdlNetChecker : public IndexedNetChecker {
public:
    explicit VhdlNetChecker(const Module& module) : IndexedNetChecker(module, kVhdl) {}
};

// Gives every child connection (and its block port and terminals) the
// direction of the port it connects to in the analysed child module, or 0.
void resolveChildPortDirections(ModuleList& modules);

}  // namespace corvane
