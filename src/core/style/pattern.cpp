#include "core/style/pattern.h"

#include "core/platform/text_number.h"
#include "core/platform/text_split.h"

namespace orolith {

namespace {

constexpr int kWidth = 32;

// The editor's text cut at every CR LF; a lone CR or LF stays inside its row (and fails it).
std::vector<std::string_view> splitCrlf(std::string_view text) {
    return text.empty() ? std::vector<std::string_view>{} : splitAt(text, "\r\n");
}

bool onlyBits(std::string_view row) {
    return row.find_first_not_of("01") == std::string_view::npos;
}

// The line repeated to 32 characters: 32 / length copies, rounded half to even, so only the
// lengths 1, 2, 4, 8, 16 and 32 come out right.
std::string widen(std::string_view line) {
    const auto copies = roundHalfEven(static_cast<double>(kWidth) / static_cast<double>(line.size()));
    std::string row;
    if (copies * static_cast<std::int64_t>(line.size()) != kWidth)
        return row;
    row.reserve(kWidth);
    for (std::int64_t i = 0; i < copies; ++i)
        row += line;
    return row;
}

} // namespace

std::optional<Pattern> patternFromText(std::string_view patternText, Host& host) {
    const auto lines = splitCrlf(patternText);
    if (lines.empty()) {
        host.message(MessageKind::Failure, "Please load pattern");
        return std::nullopt;
    }
    Pattern pattern;
    for (std::string_view line : lines) {
        if (line.empty())
            continue;
        std::string row = widen(line);
        if (row.size() != kWidth) {
            host.message(MessageKind::Failure, "Length of " + std::string(line) + " must be multiple of 32");
            return std::nullopt;
        }
        if (!onlyBits(row)) {
            host.message(MessageKind::Failure, "Pattern may only hold the characters 0 and 1.");
            return std::nullopt;
        }
        pattern.rows.push_back(std::move(row));
    }
    if (pattern.rows.empty()) {
        host.message(MessageKind::Failure, "Please load pattern");
        return std::nullopt;
    }
    if (pattern.count() >= 33) {
        host.message(MessageKind::Failure, "Maximum number of lines: 32");
        return std::nullopt;
    }
    if (kWidth % pattern.count() != 0) {
        host.message(MessageKind::Failure, "Number of lines must be a multiple of 32.\r\n\r\n"
                                           "Acceptable number of lines:1,2,4,8,16,32");
        return std::nullopt;
    }
    return pattern;
}

std::string fillPatternBitmap(const Pattern& pattern, std::int32_t band, bool rowPerBand) {
    const int count = pattern.count();
    std::string bitmap;
    if (count == 0)
        return bitmap;
    int start = static_cast<int>(band % count);
    if (start < 0)
        start += count;
    bitmap.reserve(kWidth * (kWidth + 4));
    for (int line = 0; line < kWidth; ++line) {
        const int row = rowPerBand ? start : (start + line) % count;
        bitmap += '"';
        bitmap += pattern.rows[static_cast<std::size_t>(row)];
        bitmap += "\"\r\n";
    }
    return bitmap;
}

bool acceptPatternKey(char c) {
    return c == '0' || c == '1' || c == '\r' || c == '\b';
}

} // namespace orolith
