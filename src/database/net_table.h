// Building a module's net table once its front end has filled the records.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "database/records.h"

namespace corvane {

class MessageLog;

// Run for every net as it is inserted; the connection checks use it to record
// every read and write of the net.
using NetCheck = std::function<void(Module& module, const std::string& netName)>;

// What the connection checks learn of every net the table inserts.
class NetInsertionObserver {
public:
    virtual ~NetInsertionObserver() = default;
    // How many terminals the net `name` may get besides its declaration; only
    // a capacity hint, so the terminal list is allocated once.
    virtual std::size_t expectedUses(const std::string& /*name*/) const { return 0; }
    // Runs once `net`, the entry of `name`, holds its declaration terminal.
    virtual void netInserted(Module& module, const std::string& name, Net& net) = 0;
};

// One net per pin, reg and wire name (first declaration wins; a pin name seen
// twice is an error), then for Verilog one implicit wire per assignment target
// that names no declaration. `check` runs for every inserted net; at the end,
// terminals of kinds outside 0..25 are dropped.
void buildNetTable(Module& module, const std::string& filePath, MessageLog& log,
                   const NetCheck& check);
void buildNetTable(Module& module, const std::string& filePath, MessageLog& log,
                   NetInsertionObserver& observer);

// Whether an assignment target is a bare name (no select, no concatenation),
// the only kind of target that can name an implicit wire.
bool isBareNetName(const std::string& target);

}  // namespace corvane
