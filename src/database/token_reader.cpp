#include "database/token_reader.h"

#include "platform/progress_sink.h"
#include "text/text_helpers.h"

namespace corvane {

std::string nextToken(Module& module) {
    if (module.readPos < 0) return {};
    const std::string& text = module.text;
    const auto start = static_cast<std::size_t>(module.readPos);
    if (start > text.size()) {
        module.readPos = -1;
        return {};
    }
    const std::size_t blank = text.find(' ', start);
    if (blank == std::string::npos) {
        module.readPos = -1;
        return text.substr(start);
    }
    std::string token = text.substr(start, blank - start);
    ++module.tokensRead;
    module.readPos = static_cast<int>(blank + 1);
    if (!module.parameters.empty()) {
        const auto found = module.parameters.find(token);
        if (found != module.parameters.end()) return found->second;
    }
    return token;
}

std::string_view nextTokenView(Module& module) {
    if (module.readPos < 0) return {};
    const std::string_view text = module.text;
    const auto start = static_cast<std::size_t>(module.readPos);
    if (start > text.size()) {
        module.readPos = -1;
        return {};
    }
    const std::size_t blank = text.find(' ', start);
    if (blank == std::string_view::npos) {
        module.readPos = -1;
        return text.substr(start);
    }
    const std::string_view token = text.substr(start, blank - start);
    ++module.tokensRead;
    module.readPos = static_cast<int>(blank + 1);
    if (!module.parameters.empty()) {
        const auto found = module.parameters.find(token);
        if (found != module.parameters.end()) return found->second;
    }
    return token;
}

void pushBackToken(Module& module) {
    const std::string& text = module.text;
    if (module.readPos < 0) {
        const std::size_t lastBlank = text.rfind(' ');
        module.readPos = lastBlank == std::string::npos ? 0 : static_cast<int>(lastBlank + 1);
        return;
    }
    int blanks = 0;
    for (int i = module.readPos - 1; i >= 0; --i) {
        if (text[static_cast<std::size_t>(i)] != ' ') continue;
        if (++blanks == 2) {
            module.readPos = i + 1;
            --module.tokensRead;
            return;
        }
    }
    module.readPos = 0;
    module.tokensRead = 0;
}

void sendParseProgress(const Module& module, ProgressSink& progress) {
    if (module.tokenCount <= 0) {
        progress.setProgress(50);
        return;
    }
    const long long done = static_cast<long long>(module.tokensRead) * 50 / module.tokenCount;
    progress.setProgress(50 + static_cast<int>(done));
}

int lineMarkerNumber(std::string_view token) {
    if (token.starts_with("%%")) token.remove_prefix(2);
    // A marker's own digits, too few to overflow, are read directly; any
    // other text goes through leadingInt with its blanks, sign and limits.
    constexpr std::size_t kSafeDigits = 9;
    const auto digitAt = [token](std::size_t i) {
        return static_cast<unsigned>(static_cast<unsigned char>(token[i])) - unsigned{'0'};
    };
    const std::size_t limit = token.size() < kSafeDigits ? token.size() : kSafeDigits;
    std::size_t digits = 0;
    int value = 0;
    while (digits < limit) {
        const unsigned digit = digitAt(digits);
        if (digit > 9) break;
        value = value * 10 + static_cast<int>(digit);
        ++digits;
    }
    const bool ended = digits == token.size() || digitAt(digits) > 9;
    if (digits > 0 && ended) return value;
    return leadingInt(token);
}

std::string removeLineMarkers(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] == '%' && pos + 1 < text.size() && text[pos + 1] == '%') {
            pos += 2;
            while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') ++pos;
            continue;
        }
        result.push_back(text[pos++]);
    }
    return result;
}

}  // namespace corvane
