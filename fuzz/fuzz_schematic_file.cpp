// Arbitrary bytes read as a schematic file into a generated module. Reading
// must never crash or hang; a failed read changes nothing; after a read and
// the post-load sequence (with the router and the clean-up), what is written
// reads back to the same bytes.
// tests/fixtures/schematic/fuzz_seed.qsch is a starting corpus entry.
#include <cstdint>
#include <string>

#include "schematic/geometry_dump.h"
#include "schematic/schematic_file.h"

namespace {

using namespace corvane;

// A use of `net` by the assign: a port on the block and a terminal on the net.
void use(Module& module, const std::string& net, int role) {
    Assign& block = module.assigns[0];
    Terminal terminal;
    terminal.kind = kKindAssign;
    terminal.portIndex = static_cast<int>(block.ports.size());
    terminal.role = role;
    module.nets[net].terminals.push_back(terminal);
    Pin port;
    port.name = port.displayName = net;
    port.direction = role;
    block.ports.push_back(port);
}

void pin(Module& module, const std::string& name, int direction) {
    Pin pin;
    pin.name = pin.displayName = name;
    pin.direction = direction;
    module.pins.push_back(pin);
    Terminal terminal;
    terminal.kind = kKindPin;
    terminal.index = static_cast<int>(module.pins.size()) - 1;
    terminal.role = direction;
    module.nets[name].terminals.push_back(terminal);
}

// Module "top": y = a & b through one assign, with a generated schematic.
const Module& generatedModule() {
    static const Module generated = [] {
        ModuleList list;
        Module& module = list.append();
        module.name = module.displayName = "top";
        pin(module, "a", 0);
        pin(module, "b", 0);
        pin(module, "y", 1);
        Assign block;
        block.name = block.displayName = "y";
        module.assigns.push_back(block);
        use(module, "a", 0);
        use(module, "b", 0);
        use(module, "y", 1);
        CSchematicDlg window(list, "top", standardSchematicPasses());
        window.openWithoutFile();
        return *list.find("top");
    }();
    return generated;
}

std::string written(CSchematicDlg& window) {
    std::string text;
    schematicFileText(window, text);
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    ModuleList list;
    list.append(generatedModule());
    CSchematicDlg window(list, "top", standardSchematicPasses());
    const std::string before = written(window) + dumpGeometry(window);
    if (!readSchematicText(window, bytes)) {
        if (written(window) + dumpGeometry(window) != before) __builtin_trap();
        return 0;
    }
    runPostLoadSequence(window);
    const std::string text = written(window);

    ModuleList again;
    again.append(generatedModule());
    CSchematicDlg second(again, "top", standardSchematicPasses());
    if (!readSchematicText(second, text) || written(second) != text) __builtin_trap();
    return 0;
}
