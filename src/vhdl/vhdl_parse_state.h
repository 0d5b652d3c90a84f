// The state of one VHDL file parse, shared by the design-unit parser and its
// sub-parsers: the module being filled, where messages go, the current line,
// which part of a design unit is being read, and the components declared so far.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "database/name_table.h"
#include "database/records.h"
#include "database/token_reader.h"
#include "diagnostics/message_log.h"
#include "platform/progress_sink.h"
#include "vhdl/vhdl_bounds.h"

namespace corvane {

// Where the parser stands in the file.
enum VhdlUnit : int {
    kOutsideUnit = 0,
    kArchitectureDeclarations = 1,
    kArchitectureStatements = 2,
    kPackage = 3,
};

struct VhdlComponentPort {
    std::string name;         // lower-cased
    std::string displayName;  // as written
};

// A component declaration, kept while the file is parsed so that positional
// port map associations can be given their formal names.
struct VhdlComponent {
    std::string name;
    std::string displayName;
    std::vector<VhdlComponentPort> ports;  // declaration order
};

class VhdlParseState {
public:
    VhdlParseState(Module& module, const std::string& filePath, MessageLog& log,
                   ProgressSink& progress);

    Module& module;
    const std::string& filePath;
    MessageLog& log;
    ProgressSink& progress;
    int currentLine = 0;  // line of the last line marker read
    int unit = kOutsideUnit;
    std::string architectureName;  // lower-cased
    std::string packageName;       // lower-cased

    // The design units read into this module: the entity (lower-cased name,
    // "" when none), whether an architecture has been read, and whether a
    // unit is complete, so that the start of another one ends the module.
    std::string entityName;
    bool architectureRead = false;
    bool unitRead = false;
    // Generate and block statements open in the statement part; their
    // declarations and statements are read as the architecture's own.
    int openRegions = 0;
    // How many records the module held when its architecture began: a
    // further architecture of the same entity replaces the earlier one.
    struct RecordCounts {
        std::size_t wires = 0, assigns = 0, children = 0, alwaysBlocks = 0, vhdlTypes = 0;
    } beforeArchitecture;

    std::string next() { return nextToken(module); }
    // The same token as a view into the prepared text (or into a parameter
    // value); valid while the text is parsed, which never changes it.
    std::string_view nextView() { return nextTokenView(module); }
    void pushBack() { pushBackToken(module); }
    // True once the last token of the text has been returned.
    bool exhausted() const { return module.readPos < 0; }
    // The next token that is not a line marker (markers update the current
    // line), or "" when the text runs out first.
    std::string nextSkippingMarkers();
    // The same token as a view (see nextView()).
    std::string_view nextViewSkippingMarkers();
    // Sets the current line when `token` is a line marker ("%%" and its
    // digits); returns whether it was one. Inline: every token read is tested.
    bool followMarker(std::string_view token) {
        if (token.size() < 2 || token[0] != '%' || token[1] != '%') return false;
        currentLine = markerLine(token);
        return true;
    }

    // Error prefix at the current line (or at `line`), then the message, which
    // carries its own "\r\n".
    void error(std::string_view message) const { log.logError(filePath, currentLine, message); }
    void errorAt(int line, std::string_view message) const {
        log.logError(filePath, line, message);
    }

    // The end-of-line comment of `line`, or "".
    std::string commentOf(int line) const;

    // Components of the file, by lower-cased name; the first one of a name
    // is kept. A found component stays valid until the next one is added.
    const VhdlComponent* findComponent(std::string_view name) const;
    void addComponent(VhdlComponent component);

    // Whether a lower-cased name is a signal (wire) or a port of the module.
    // The indexes follow the module's vectors as they grow.
    bool isSignalName(std::string_view name);
    bool isPinName(std::string_view name);

    // A declared record or array type by lower-cased name, or nullptr.
    const VhdlType* findType(std::string_view name);

    // Drops the records of an architecture read before, back to the counts
    // taken when it began, with the name indexes built over them.
    void dropArchitectureRecords();

    // The generic substitution of the module's generics, built on first use;
    // genericsChanged() makes the next use rebuild it.
    const GenericTable& generics();
    void genericsChanged() { generics_.reset(); }

private:
    // The line number of a line marker token: its digits read in place when
    // they are a few and end the token, as lineMarkerNumber() reads them;
    // any other marker goes to lineMarkerNumber() itself.
    static int markerLine(std::string_view token) {
        constexpr std::size_t kSafeDigits = 9;
        int value = 0;
        std::size_t pos = 2;
        while (pos < token.size() && pos < 2 + kSafeDigits && token[pos] >= '0' &&
               token[pos] <= '9') {
            value = value * 10 + (token[pos] - '0');
            ++pos;
        }
        if (pos > 2 && pos == token.size()) return value;
        return otherMarkerLine(token);
    }
    static int otherMarkerLine(std::string_view token);

    // Components and type names are numbered in order of first insertion:
    // the number of a name is its place in components_ and typeSlots_.
    NameTable componentNames_;
    std::vector<VhdlComponent> components_;
    // The lower-cased names of the module's wires and pins, looked up by view;
    // one table each rather than a node per name.
    NameTable signalNames_;
    std::size_t indexedWires_ = 0;
    NameTable pinNames_;
    std::size_t indexedPins_ = 0;
    NameTable typeNames_;
    std::vector<std::size_t> typeSlots_;  // module.vhdlTypes position; first declaration wins
    std::size_t indexedTypes_ = 0;
    std::unique_ptr<GenericTable> generics_;
};

// Reads tokens and appends them without blanks to `text` until the text ends
// with ";" (line markers only update the current line). Returns false when the
// text of the file runs out first.
bool glueUntilSemicolon(VhdlParseState& state, std::string& text);

// Whether `text` begins with the lower-case `word`, ignoring the case of
// `text`. Inline: the parsers test many tokens against keywords.
constexpr bool startsWithLowerWord(std::string_view text, std::string_view word) {
    if (text.size() < word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        const char c = text[i];
        if (((c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c) != word[i]) return false;
    }
    return true;
}

// Whether `text` equals the lower-case `word`, ignoring the case of `text`.
constexpr bool equalsLowerWord(std::string_view text, std::string_view word) {
    return text.size() == word.size() && startsWithLowerWord(text, word);
}

// The line markers of a glued text where they were kept as ",%%<n>," fields:
// removes them.
std::string removeGluedMarkers(std::string_view text);

// `text` without leading and trailing blanks and tabs, as a view: what
// trimBlanks() returns, without the copy.
constexpr std::string_view trimmedBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// Calls `visit` with each field of `text` cut at every `separator`, empty
// fields included (the fields splitAll() gives, as views), while it returns
// true; returns false when `visit` stopped it.
template <typename Visit>
bool forEachField(std::string_view text, char separator, Visit&& visit) {
    std::size_t begin = 0;
    while (true) {
        const std::size_t end = text.find(separator, begin);
        if (end == std::string_view::npos) return visit(text.substr(begin));
        if (!visit(text.substr(begin, end - begin))) return false;
        begin = end + 1;
    }
}

// How many fields forEachField() visits (one more than the separators),
// capped so that a list reserved for them stays small whatever the text.
inline std::size_t fieldCountForReserve(std::string_view text, char separator) {
    constexpr std::size_t kMaxReserved = 4096;
    std::size_t count = 1;
    // Separators are few: each is found by a search rather than a byte loop.
    for (std::size_t at = text.find(separator);
         at != std::string_view::npos && count < kMaxReserved; at = text.find(separator, at + 1)) {
        ++count;
    }
    return count;
}

// Whether `c` may be part of a VHDL identifier.
constexpr bool isIdentifierChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

}  // namespace corvane
