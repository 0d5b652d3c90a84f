#include "database/vhdl_chunk.h"

#include <map>
#include <string>
#include <utility>

namespace corvane {

namespace {

struct KeptChunk {
    bool valid = false;
    std::string path;
    const char* data = nullptr;  // identity of the source text the chunk was prepared from
    std::size_t size = 0;
    int restartLine = 0;
    int resumePos = 0;
    int tokensRead = 0;
    int tokenCount = 0;
    std::string text;
    std::map<int, std::string> lineComments;
};

KeptChunk& kept() {
    thread_local KeptChunk chunk;
    return chunk;
}

VhdlFileNotes& notes() {
    thread_local VhdlFileNotes fileNotes;
    return fileNotes;
}

int& startLineOfChunk() {
    thread_local int line = 0;
    return line;
}

// Characters of the lines from `first` up to the line before `end` (or to
// the end of the file).
int charactersOfLines(const SourceText& source, int first, int end) {
    const auto offsetOf = [&source](int line) {
        if (line > source.lineCount()) return source.text.size();
        return source.lineStarts[static_cast<std::size_t>(line - 1)];
    };
    return static_cast<int>(offsetOf(end) - offsetOf(first));
}

void drop(KeptChunk& chunk) {
    chunk.valid = false;
    std::string().swap(chunk.text);
    chunk.lineComments.clear();
}

}  // namespace

bool resumeVhdlChunk(Module& module, const SourceText& source, int startLine) {
    startLineOfChunk() = startLine;
    KeptChunk& chunk = kept();
    if (!chunk.valid) {
        notes() = VhdlFileNotes();
        return false;
    }
    const bool matches = chunk.path == source.path && chunk.data == source.text.data() &&
                         chunk.size == source.text.size() && chunk.restartLine == startLine &&
                         module.text.empty();
    if (!matches) {
        drop(chunk);
        notes() = VhdlFileNotes();
        return false;
    }
    module.text.swap(chunk.text);
    module.lineComments.swap(chunk.lineComments);
    module.readPos = chunk.resumePos;
    module.tokensRead = chunk.tokensRead;
    module.tokenCount = chunk.tokenCount;
    module.charCount = charactersOfLines(source, startLine, source.lineCount() + 1);
    module.lineCount = source.lineCount() + 1 - startLine + 1;
    drop(chunk);
    return true;
}

VhdlFileNotes& vhdlFileNotes() {
    return notes();
}

int vhdlChunkStartLine() {
    return startLineOfChunk();
}

void keepVhdlChunk(Module& module, const SourceText& source, int restartLine, int resumePos,
                   int tokensRead) {
    KeptChunk& chunk = kept();
    drop(chunk);
    const int startLine = startLineOfChunk();
    if (restartLine <= startLine || restartLine > source.lineCount()) return;
    chunk.valid = true;
    chunk.path = source.path;
    chunk.data = source.text.data();
    chunk.size = source.text.size();
    chunk.restartLine = restartLine;
    chunk.resumePos = resumePos;
    chunk.tokensRead = tokensRead;
    chunk.tokenCount = module.tokenCount;
    chunk.text = std::move(module.text);
    module.text.clear();
    chunk.lineComments = std::move(module.lineComments);
    module.lineComments.clear();
    module.charCount = charactersOfLines(source, startLine, restartLine);
    module.lineCount = restartLine - startLine + 1;
}

}  // namespace corvane
