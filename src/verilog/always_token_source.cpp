#include "verilog/always_token_source.h"

#include "text/text_helpers.h"

namespace corvane {

namespace {

bool isNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '$';
}

}  // namespace

std::string AlwaysTokenSource::take() {
    if (hasPending_) {
        hasPending_ = false;
        lastFromText_ = false;
        return std::move(pending_);
    }
    lastFromText_ = true;
    return state_.next();
}

void AlwaysTokenSource::takeInto(std::string& token) {
    if (hasPending_) {
        hasPending_ = false;
        lastFromText_ = false;
        token.swap(pending_);
        return;
    }
    lastFromText_ = true;
    token.assign(state_.nextView());
}

void AlwaysTokenSource::giveBack(std::string token) {
    if (lastFromText_) {
        state_.pushBack();
    } else {
        setPending(std::move(token));
    }
}

void AlwaysTokenSource::setPending(std::string piece) {
    pending_ = std::move(piece);
    hasPending_ = true;
}

bool AlwaysTokenSource::takeWord(std::string& token) {
    while (!atEnd()) {
        takeInto(token);
        if (!isLineMarkerText(token)) return true;
        state_.currentLine = lineMarkerNumber(token);
    }
    return false;
}

bool AlwaysTokenSource::takeWordView(std::string_view& token) {
    while (!atEnd()) {
        if (hasPending_) {
            hasPending_ = false;
            lastFromText_ = false;
            takenPiece_.swap(pending_);
            token = takenPiece_;
        } else {
            lastFromText_ = true;
            token = state_.nextView();
        }
        if (!isLineMarkerText(token)) return true;
        state_.currentLine = lineMarkerNumber(token);
    }
    return false;
}

void AlwaysTokenSource::giveBackView(std::string_view token) {
    if (lastFromText_) {
        state_.pushBack();
    } else {
        setPending(std::string(token));
    }
}

bool readCondition(AlwaysTokenSource& source, std::string first, ConditionText& condition) {
    std::string text = std::move(first);
    long depth = 0;
    bool opened = false;
    std::size_t scanned = 0;
    while (true) {
        for (; scanned < text.size(); ++scanned) {
            if (text[scanned] == '(') {
                ++depth;
                opened = true;
            } else if (text[scanned] == ')' && --depth <= 0 && opened) {
                std::string rest = text.substr(scanned + 1);
                text.resize(scanned + 1);
                condition.text = std::move(text);
                condition.gluedBegin = toLowerAscii(rest) == "begin";
                if (!rest.empty() && !condition.gluedBegin) source.setPending(std::move(rest));
                return true;
            }
        }
        std::string token;
        if (!source.takeWord(token)) return false;
        text += token;
    }
}

namespace {

// Drops an intra-assignment control ("#1", "# 1", "#(d)", "@(posedge c)")
// that starts with `token`; what follows it in its token is glued to `text`.
bool dropAssignmentControl(AlwaysTokenSource& source, const std::string& token,
                           std::string& text) {
    std::string rest = token.substr(1);
    if (rest.empty() && !source.takeWord(rest)) return false;
    if (!rest.starts_with('(')) {
        std::size_t length = 0;
        while (length < rest.size() && (isNameChar(rest[length]) || rest[length] == '.' ||
                                         rest[length] == '\'' || rest[length] == '*')) {
            ++length;
        }
        text += rest.substr(length);
        return true;
    }
    // What follows the ")" in its token is left pending, to be glued next.
    ConditionText control;
    return readCondition(source, std::move(rest), control);
}

}  // namespace

bool glueAssignment(AlwaysTokenSource& source, std::string& text) {
    // The tokens are glued straight from views; only a control gets a copy.
    std::string_view token;
    while (!text.ends_with(';')) {
        if (!source.takeWordView(token)) return false;
        if ((token.starts_with('#') || token.starts_with('@')) && text.ends_with('=')) {
            if (!dropAssignmentControl(source, std::string(token), text)) return false;
            continue;
        }
        text += token;
    }
    return true;
}

bool skipTaskCall(AlwaysTokenSource& source, std::string first) {
    std::string token = std::move(first);
    long depth = 0;
    bool inQuote = false;
    bool escaped = false;
    while (true) {
        for (char c : token) {
            if (escaped) {
                escaped = false;
            } else if (inQuote) {
                if (c == '\\') escaped = true;
                if (c == '"') inQuote = false;
            } else if (c == '"') {
                inQuote = true;
            } else if (c == '(') {
                ++depth;
            } else if (c == ')') {
                --depth;
            }
        }
        if (!inQuote && depth <= 0 && token.ends_with(';')) return true;
        if (!source.takeWord(token)) return false;
    }
}

void skipToSemicolon(AlwaysTokenSource& source, const std::string& first) {
    std::string token = first;
    while (!token.ends_with(';')) {
        if (!source.takeWord(token)) return;
    }
}

bool endsWithBeginWord(std::string_view lower) {
    if (!lower.ends_with("begin")) return false;
    return lower.size() == 5 || !isNameChar(lower[lower.size() - 6]);
}

}  // namespace corvane
