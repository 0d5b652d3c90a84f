// The route clean-up: rewriting passes over every net's route that merge, trim
// and delete segments, optionally compact the drawing, and rebuild the junctions.
//
// The passes run in the order of cleanupPasses(); each lives in a file of its
// own (cleanup_*.h) and can also be called alone.
#pragma once

#include <span>

#include "database/records.h"
#include "schematic/layout_context.h"

namespace corvane {

// The whole clean-up sequence over the context's module, with the compaction
// step when `compaction` is true. Ends by hiding the progress, rebuilding
// every net's junctions and setting the context's canvas by the size rule
// after clean-up.
void cleanUpRoutes(SchematicLayoutContext& layout, bool compaction);

// One RoutingSharpen pass alone; `mode` is 0 to 3 (any other mode does nothing).
void routingSharpen(SchematicLayoutContext& layout, int mode);

// Junction check: drops the junction entries that are plain corners or that
// no segment reaches. An entry stays where exactly one segment ends, or where
// none ends and at least two pass through; it goes where two or more end, or
// where none ends and fewer than two pass through.
void checkJunctions(Module& module);

// One step of the sequence: the pass's name, the pseudo-path the progress
// window shows before it (nullptr: the text stays), whether it runs only with
// compaction, and what it does.
struct CleanupPass {
    const char* name;
    const char* progressText;
    bool compactionOnly;
    void (*run)(SchematicLayoutContext& layout);
};

// The sequence in the order it runs.
std::span<const CleanupPass> cleanupPasses();

}  // namespace corvane
