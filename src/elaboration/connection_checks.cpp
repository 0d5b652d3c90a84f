#include "elaboration/connection_checks.h"

#include "elaboration/connection_uses.h"

namespace corvane {

namespace {

// Scans every candidate use of the module and records those of `netName`.
void checkNet(Module& module, const std::string& netName, Language scans, MessageLog& log) {
    const auto net = module.nets.find(netName);
    if (net == module.nets.end()) return;
    const RangeResolver resolver(module);
    const SelectSyntax& syntax = selectSyntaxFor(scans);
    forEachCandidateUse(module, scans, [&](const UseRef& ref, std::string_view name) {
        if (name != netName) return;
        ResolvedUse use;
        if (!resolveUse(module, ref, resolver, syntax, log, use)) return;
        std::vector<Pin>* ports = blockPorts(module, ref.kind, ref.block);
        if (!ports) return;
        if (use.fromTokens && hasSamePort(*ports, netName, use.role, use.range)) return;
        recordUse(net->second, *ports, ref, netName, use);
    });
}

}  // namespace

void checkVerilogNet(Module& module, const std::string& netName, MessageLog& log) {
    checkNet(module, netName, kVerilog, log);
}

void checkVhdlNet(Module& module, const std::string& netName, MessageLog& log) {
    checkNet(module, netName, kVhdl, log);
}

}  // namespace corvane
