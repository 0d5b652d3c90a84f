// The prepared text of a VHDL file handed on from one design unit to the
// next. The front end reads one design unit (an entity with its
// architecture, or a package) per call and stops before the next one;
// preparing the rest of the file again for every unit would make a file of
// many units quadratic, so the text prepared once is kept with the place
// where the next unit starts, and the next call resumes there.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "database/records.h"
#include "database/source_cache.h"

namespace corvane {

// Called as a VHDL chunk of `source` starting at `startLine` is prepared.
// When the text kept by keepVhdlChunk() is the one of this file and resumes
// at `startLine`, it is handed to `module` (text, read position, comments,
// token counts, character and line counts) and true is returned; otherwise
// any kept text is dropped and the chunk has to be prepared.
bool resumeVhdlChunk(Module& module, const SourceText& source, int startLine);

// The start line of the VHDL chunk prepared or resumed last.
int vhdlChunkStartLine();

// What the front end has learnt about the prepared text of the file while
// reading its units, kept with the text from call to call and dropped when a
// chunk is prepared afresh: where the architecture headers stand, and the
// parts of the text already read into an earlier module.
struct VhdlFileNotes {
    struct Architecture {
        std::string entity;  // lower-cased
        int position = 0;    // of the "architecture" token in the text
    };
    bool indexed = false;  // the architectures from `indexedFrom` on are listed
    int indexedFrom = 0;
    std::vector<Architecture> architectures;  // in text order
    struct Range {
        int begin = 0;
        int end = 0;
    };
    std::vector<Range> alreadyRead;
};

// The notes of the file whose chunk was prepared or resumed last.
VhdlFileNotes& vhdlFileNotes();

// Keeps the module's prepared text and comments for the call that starts
// at `restartLine`, which resumes reading at `resumePos` of the text with
// `tokensRead` tokens counted. The module's character and line counts are
// cut to the lines before `restartLine`.
void keepVhdlChunk(Module& module, const SourceText& source, int restartLine, int resumePos,
                   int tokensRead);

}  // namespace corvane
