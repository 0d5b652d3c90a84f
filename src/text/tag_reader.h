// The small tag reader of the schematic and state diagram files: a
// line-oriented, XML-like text cut into text nodes, element starts and end
// tags, with attributes looked up by lower-cased name. It is not an XML
// parser: there are no entities apart from the four below, no nesting
// checks and no namespaces.
//
// Reading: the file is split at line feeds; each line loses a trailing
// carriage return and its leading and trailing blanks and tabs, and the
// lines are joined with nothing between them. Every "<!--" ... "-->" comment
// is then removed (an unterminated one removes the rest of the text). The
// text between a "<" and the next ">" is a tag; a "<" without a later ">" or
// an empty tag makes the whole file unreadable. A tag is split at blanks
// outside double quotes; tags starting with "!" or "?" are skipped, a first
// word starting with "/" makes an end tag, otherwise the first word names an
// element start exactly as written (element names are case-sensitive). A
// trailing "/" of the last word is dropped. Each further word is an
// attribute, split at its first "=" outside quotes: the name is lower-cased,
// name and value lose their surrounding double quotes, and the value is
// unescaped (below).
//
// Text is UTF-8, so no character can hide a line feed or a "<" inside its
// bytes and every code point stays whole without any lead-byte rule.
//
// Escapes. The file format has no way to write a double quote, "<", ">" or
// "&" inside an attribute value, so writers pass names and comment texts
// through escapeTagText, which writes them as "&quot;", "&lt;", "&gt;" and
// "&amp;". A text without any of the four characters is written unchanged,
// so such files stay byte for byte as the format defines them. The reader
// turns exactly these four sequences back into their characters and leaves
// every other "&" as it stands.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvane {

enum TagNodeKind : int {
    kTagText = 0,   // text between tags; its name is the text
    kTagStart = 1,  // element start (or an empty element such as <pin .../>)
    kTagEnd = 2,    // end tag; its name is the text after the "/"
};

struct TagNode {
    TagNodeKind kind = kTagText;
    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes;  // lower-cased name, value
};

class TagReader {
public:
    static constexpr int kOpened = 0;
    static constexpr int kCannotOpen = 1;
    static constexpr int kMalformed = 2;

    // Reads the file at `path`: kOpened, kCannotOpen when it cannot be read,
    // or kMalformed for a "<" without ">" or an empty tag. On failure the
    // reader holds no nodes.
    int open(const std::string& path);
    // The same on bytes already in memory.
    int parse(std::string_view bytes);

    // Goes back to before the first node.
    void rewind() { position_ = -1; }
    // Moves to the next node; true when there is none (the end has been
    // reached), so a loop reads `while (!reader.next()) { ... }`.
    bool next();

    TagNodeKind kind() const;
    const std::string& name() const;
    // The value of the current node's attribute `name` (given lower-case);
    // "" when the node has no such attribute.
    const std::string& attribute(std::string_view name) const;

    const std::vector<TagNode>& nodes() const { return nodes_; }

private:
    const TagNode* current() const;

    std::vector<TagNode> nodes_;
    long position_ = -1;
};

// Writes `"`, `<`, `>` and `&` as "&quot;", "&lt;", "&gt;" and "&amp;"; any
// other text is returned unchanged.
std::string escapeTagText(std::string_view text);

// Turns the four sequences of escapeTagText back into their characters.
std::string unescapeTagText(std::string_view text);

}  // namespace corvane
