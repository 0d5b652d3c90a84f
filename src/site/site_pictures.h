// The pictures of a module's page: its schematic, with every instance block
// linking to the page of its module, and the diagrams of its state machines.
#pragma once

#include <string>
#include <vector>

#include "database/module_list.h"
#include "site/site_names.h"
#include "statemachine/state_machine.h"

namespace corvane {

// Blocks (assignments, always and initial blocks, instances) above which the
// site does not draw a schematic: generation and routing grow faster than
// the block count, and a picture that large is no use on a web page.
inline constexpr std::size_t kMaxSiteSchematicBlocks = 1500;

struct SitePicture {
    bool drawn = false;
    std::string svg;   // the picture as an SVG document, when drawn
    std::string note;  // why it was not drawn
};

// The schematic of `moduleName` as a schematic window opens it: from the
// module's schematic file when the project names a readable one, else
// generated. The schematic fields of the module in `modules` change as they
// do when a window opens. `idPrefix` keeps the picture's ids apart from
// others on the same page.
SitePicture schematicPicture(ModuleList& modules, const std::string& moduleName,
                             const SiteNames& names, const std::string& idPrefix);

// One state machine of a module: its block's line, the machine as its
// diagram shows it (the filler state left out), and the diagram.
struct SiteStateMachine {
    int line = 0;
    StateMachine machine;
    SitePicture picture;
};

// Every state machine of the module, in block order; a line shared by
// several blocks names only the first.
std::vector<SiteStateMachine> stateMachinePictures(ModuleList& modules,
                                                   const std::string& moduleName,
                                                   const std::string& idPrefix);

// The SVG document with its XML declaration taken off, for putting inline.
std::string inlineSvg(const std::string& document);

}  // namespace corvane
