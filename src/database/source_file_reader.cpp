#include "database/source_file_reader.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace corvane {

namespace {

bool inRange(unsigned char c, unsigned char low, unsigned char high) { return c >= low && c <= high; }

bool hasIso2022Escape(std::string_view bytes) {
    static constexpr std::array<std::string_view, 7> kEscapes = {
        "\x1b\x24\x40", "\x1b\x24\x42", "\x1b\x28\x42",        "\x1b\x28\x49",
        "\x1b\x28\x4a", "\x1b\x24\x28\x44", "\x1b\x26\x40\x1b\x24\x42"};
    for (std::string_view escape : kEscapes) {
        if (bytes.find(escape) != std::string_view::npos) return true;
    }
    return false;
}

std::size_t countShiftJis(std::string_view bytes) {
    std::size_t count = 0;
    for (std::size_t i = 0; i + 1 < bytes.size();) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        if ((inRange(first, 0x81, 0x9f) || inRange(first, 0xe0, 0xfc)) &&
            (inRange(second, 0x40, 0x7e) || inRange(second, 0x80, 0xfc))) {
            count += 2;
            i += 2;
        } else {
            ++i;
        }
    }
    return count;
}

std::size_t countEucJp(std::string_view bytes) {
    std::size_t count = 0;
    for (std::size_t i = 0; i + 1 < bytes.size();) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        if (inRange(first, 0xa1, 0xfe) && inRange(second, 0xa1, 0xfe)) {
            count += 2;
            i += 2;
        } else if (first == 0x8e && inRange(second, 0xa1, 0xdf)) {
            count += 2;
            i += 2;
        } else if (first == 0x8f && inRange(second, 0xa1, 0xfe) && i + 2 < bytes.size() &&
                   inRange(static_cast<unsigned char>(bytes[i + 2]), 0xa1, 0xfe)) {
            count += 3;
            i += 3;
        } else {
            ++i;
        }
    }
    return count;
}

std::size_t countUtf8(std::string_view bytes) {
    auto continuation = [&](std::size_t i) {
        return i < bytes.size() && inRange(static_cast<unsigned char>(bytes[i]), 0x80, 0xbf);
    };
    std::size_t count = 0;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        if (inRange(first, 0xc0, 0xdf) && continuation(i + 1)) {
            count += 2;
            i += 2;
        } else if (inRange(first, 0xe0, 0xef) && continuation(i + 1) && continuation(i + 2)) {
            count += 3;
            i += 3;
        } else {
            ++i;
        }
    }
    return count;
}

// Converts with iconv; an invalid or incomplete sequence becomes U+FFFD and
// the conversion resumes one byte later in the initial shift state.
std::string iconvToUtf8(std::string_view bytes, const char* fromCode) {
    iconv_t cd = iconv_open("UTF-8", fromCode);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() * 3 / 2 + 16);
    std::array<char, 4096> chunk{};
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    while (true) {
        char* outPtr = chunk.data();
        std::size_t outLeft = chunk.size();
        const std::size_t rc = iconv(cd, inLeft ? &in : nullptr, &inLeft, &outPtr, &outLeft);
        out.append(chunk.data(), chunk.size() - outLeft);
        if (rc != static_cast<std::size_t>(-1)) {
            if (inLeft == 0) break;
            continue;
        }
        if (errno == E2BIG) continue;
        // EILSEQ or EINVAL: replace one byte and start over in the initial state.
        out.append("\xef\xbf\xbd");
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (inLeft == 0) break;
    }
    // Flush any pending shift state.
    char* outPtr = chunk.data();
    std::size_t outLeft = chunk.size();
    iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
    out.append(chunk.data(), chunk.size() - outLeft);
    iconv_close(cd);
    return out;
}

// Whether any byte is ESC (27) or at least 0x80. Eight bytes are tested at a
// time: the high bits say whether one is 0x80 or more, and a byte equal to
// ESC becomes zero after the exclusive or, which the zero-byte test finds.
bool holdsEscapeOrHighByte(std::string_view bytes) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + i, sizeof word);
        const std::uint64_t escapes = word ^ (kOnes * 27);
        if (((word | ((escapes - kOnes) & ~escapes)) & kHighBits) != 0) break;
    }
    for (; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte == 27 || byte >= 0x80) return true;
    }
    return false;
}

}  // namespace

SourceEncoding classifyEncoding(std::string_view bytes) {
    if (!holdsEscapeOrHighByte(bytes)) return SourceEncoding::Ascii;
    if (hasIso2022Escape(bytes)) return SourceEncoding::Iso2022Jp;
    const std::size_t sjis = countShiftJis(bytes);
    const std::size_t euc = countEucJp(bytes);
    const std::size_t utf8 = countUtf8(bytes);
    if (euc > sjis && euc > utf8) return SourceEncoding::EucJp;
    if (sjis > euc && sjis > utf8) return SourceEncoding::ShiftJis;
    if (utf8 > sjis && utf8 > euc) return SourceEncoding::Utf8;
    return SourceEncoding::Ascii;
}

std::string convertToUtf8(std::string_view bytes, SourceEncoding encoding) {
    switch (encoding) {
        case SourceEncoding::ShiftJis:
            return iconvToUtf8(bytes, "CP932");
        case SourceEncoding::EucJp:
            return iconvToUtf8(bytes, "EUC-JP");
        case SourceEncoding::Iso2022Jp:
            return iconvToUtf8(bytes, "ISO-2022-JP-2");
        case SourceEncoding::Utf8:
            if (bytes.starts_with("\xef\xbb\xbf")) bytes.remove_prefix(3);
            return std::string(bytes);
        case SourceEncoding::Ascii:
            break;
    }
    return std::string(bytes);
}

std::string readSourceFile(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return {};
    std::ifstream file(path, std::ios::binary);
    if (!file) return {};
    file.seekg(0, std::ios::end);
    const std::streamoff length = file.tellg();
    if (length <= 0 || static_cast<std::size_t>(length) > kMaxSourceFileBytes) return {};
    file.seekg(0, std::ios::beg);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    file.read(bytes.data(), length);
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    // No HDL text holds a NUL byte: such a file is binary and reads as empty.
    if (bytes.find('\0') != std::string::npos) return {};
    // Plain ASCII is already the program's text; it is kept, not copied.
    const SourceEncoding encoding = classifyEncoding(bytes);
    if (encoding == SourceEncoding::Ascii) return bytes;
    return convertToUtf8(bytes, encoding);
}

std::vector<std::size_t> lineStartOffsets(std::string_view text) {
    std::vector<std::size_t> starts;
    if (text.empty()) return starts;
    starts.push_back(0);
    for (std::size_t i = text.find('\n'); i != std::string_view::npos && i + 1 < text.size();
         i = text.find('\n', i + 1)) {
        starts.push_back(i + 1);
    }
    return starts;
}

}  // namespace corvane
