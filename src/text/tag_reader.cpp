#include "text/tag_reader.h"

#include "text/text_helpers.h"
#include "text/whole_file.h"

namespace corvane {

namespace {

const std::string kEmpty;

struct Escape {
    char character;
    std::string_view sequence;
};

constexpr Escape kEscapes[] = {
    {'&', "&amp;"},
    {'"', "&quot;"},
    {'<', "&lt;"},
    {'>', "&gt;"},
};

// The lines of `bytes` without their line ends and outer blanks and tabs,
// joined with nothing between them.
std::string joinTrimmedLines(std::string_view bytes) {
    std::string joined;
    joined.reserve(bytes.size());
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = bytes.substr(start, end - start);
        if (line.ends_with('\r')) line.remove_suffix(1);
        joined += trimBlanks(line);
        start = end + 1;
    }
    return joined;
}

// Removes every "<!--" ... "-->"; an unterminated comment removes the rest.
std::string withoutComments(const std::string& text) {
    std::string kept;
    kept.reserve(text.size());
    std::size_t pos = 0;
    for (;;) {
        const std::size_t open = text.find("<!--", pos);
        if (open == std::string::npos) {
            kept.append(text, pos, std::string::npos);
            return kept;
        }
        kept.append(text, pos, open - pos);
        const std::size_t close = text.find("-->", open + 4);
        if (close == std::string::npos) return kept;
        pos = close + 3;
    }
}

// Drops one double quote at each end, where there is one.
std::string withoutQuotes(std::string_view text) {
    if (text.starts_with('"')) text.remove_prefix(1);
    if (text.ends_with('"')) text.remove_suffix(1);
    return std::string(text);
}

std::size_t findOutsideQuotes(std::string_view text, char wanted) {
    bool inQuotes = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '"') inQuotes = !inQuotes;
        if (text[i] == wanted && !inQuotes) return i;
    }
    return std::string_view::npos;
}

std::pair<std::string, std::string> parseAttribute(std::string_view word) {
    const std::size_t equals = findOutsideQuotes(word, '=');
    if (equals == std::string_view::npos) return {toLowerAscii(withoutQuotes(word)), {}};
    return {toLowerAscii(withoutQuotes(word.substr(0, equals))),
            unescapeTagText(withoutQuotes(word.substr(equals + 1)))};
}

// An element start from the words of its tag: the name, then the
// attributes, without the "/" that closes an empty element.
TagNode elementNode(std::vector<std::string>& words) {
    if (words.back().ends_with('/')) words.back().pop_back();
    if (words.back().empty()) words.pop_back();
    TagNode node;
    node.kind = kTagStart;
    node.name = words.front();
    for (std::size_t i = 1; i < words.size(); ++i) {
        node.attributes.push_back(parseAttribute(words[i]));
    }
    return node;
}

// Turns the inside of one tag into a node; false for an empty tag. A
// skipped tag ("!" or "?") adds nothing.
bool addTag(std::string_view tag, std::vector<TagNode>& nodes) {
    std::vector<std::string> words;
    for (std::string& word : splitOutsideQuotes(tag, ' ')) {
        if (!word.empty()) words.push_back(std::move(word));
    }
    if (words.empty()) return false;
    const char first = words.front().front();
    if (first == '!' || first == '?') return true;
    if (first != '/') {
        nodes.push_back(elementNode(words));
        return true;
    }
    TagNode node;
    node.kind = kTagEnd;
    node.name = words.front().substr(1);
    nodes.push_back(std::move(node));
    return true;
}

void addText(std::string_view text, std::vector<TagNode>& nodes) {
    if (text.empty()) return;
    TagNode node;
    node.kind = kTagText;
    node.name = std::string(text);
    nodes.push_back(std::move(node));
}

// Cuts `text` into nodes; false for a "<" without ">" or an empty tag.
bool cutNodes(std::string_view text, std::vector<TagNode>& nodes) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t open = text.find('<', pos);
        if (open == std::string_view::npos) {
            addText(text.substr(pos), nodes);
            return true;
        }
        addText(text.substr(pos, open - pos), nodes);
        const std::size_t close = text.find('>', open + 1);
        if (close == std::string_view::npos) return false;
        if (!addTag(text.substr(open + 1, close - open - 1), nodes)) return false;
        pos = close + 1;
    }
    return true;
}

}  // namespace

int TagReader::open(const std::string& path) {
    nodes_.clear();
    rewind();
    std::string bytes;
    if (!readWholeFile(path, bytes)) return kCannotOpen;
    return parse(bytes);
}

int TagReader::parse(std::string_view bytes) {
    nodes_.clear();
    rewind();
    if (!cutNodes(withoutComments(joinTrimmedLines(bytes)), nodes_)) {
        nodes_.clear();
        return kMalformed;
    }
    return kOpened;
}

bool TagReader::next() {
    if (position_ < static_cast<long>(nodes_.size())) ++position_;
    return position_ >= static_cast<long>(nodes_.size());
}

const TagNode* TagReader::current() const {
    if (position_ < 0 || position_ >= static_cast<long>(nodes_.size())) return nullptr;
    return &nodes_[static_cast<std::size_t>(position_)];
}

TagNodeKind TagReader::kind() const {
    const TagNode* node = current();
    return node != nullptr ? node->kind : kTagText;
}

const std::string& TagReader::name() const {
    const TagNode* node = current();
    return node != nullptr ? node->name : kEmpty;
}

const std::string& TagReader::attribute(std::string_view name) const {
    const TagNode* node = current();
    if (node == nullptr) return kEmpty;
    for (const auto& [key, value] : node->attributes) {
        if (key == name) return value;
    }
    return kEmpty;
}

std::string escapeTagText(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        bool replaced = false;
        for (const Escape& escape : kEscapes) {
            if (c != escape.character) continue;
            escaped.append(escape.sequence);
            replaced = true;
            break;
        }
        if (!replaced) escaped.push_back(c);
    }
    return escaped;
}

std::string unescapeTagText(std::string_view text) {
    std::string plain;
    plain.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        bool replaced = false;
        if (text[i] == '&') {
            for (const Escape& escape : kEscapes) {
                if (text.substr(i).starts_with(escape.sequence)) {
                    plain.push_back(escape.character);
                    i += escape.sequence.size() - 1;
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced) plain.push_back(text[i]);
    }
    return plain;
}

}  // namespace corvane
