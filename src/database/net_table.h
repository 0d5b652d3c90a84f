// Building a module's net table once its front end has filled the records.
#pragma once

#include <functional>
#include <string>

#include "database/records.h"

namespace corvane {

class MessageLog;

// Run for every net as it is inserted; the connection checks use it to record
// every read and write of the net.
using NetCheck = std::function<void(Module& module, const std::string& netName)>;

// One net per pin, reg and wire name (first declaration wins; a pin name seen
// twice is an error), then for Verilog one implicit wire per assignment target
// that names no declaration. `check` runs for every inserted net; at the end,
// terminals of kinds outside 0..25 are dropped.
void buildNetTable(Module& module, const std::string& filePath, MessageLog& log,
                   const NetCheck& check);

// Whether an assignment target is a bare name (no select, no concatenation),
// the only kind of target that can name an implicit wire.
bool isBareNetName(const std::string& target);

}  // namespace corvane
