#include "core/settings/settings_file.h"

#include "core/platform/atomic_file.h"
#include "core/platform/paths.h"
#include "core/platform/text_number.h"
#include "core/platform/text_split.h"

#include "core/platform/small_file.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace orolith {

namespace {

constexpr std::size_t kLineCount = 20;

// A whole number with nothing but blanks around it.
std::optional<int> readInteger(std::string_view text) {
    text = trimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    int value = 0;
    for (char c : text)
        value = value * 10 + (c - '0');
    return negative ? -value : value;
}

// A check box: 1 ticks it, any other number clears it, no number keeps the design value.
void readBox(std::string_view text, bool& box) {
    if (const auto value = readInteger(text))
        box = *value == 1;
}

std::string integerLine(int value) {
    return " " + std::to_string(value) + " ";
}

std::string boxLine(bool ticked) {
    return integerLine(ticked ? 1 : 0);
}

// The first lines of the text, each without its line end and leading blanks.
std::vector<std::string> readLines(std::string_view text) {
    std::vector<std::string> lines;
    for (const std::string_view line : splitLines(text)) {
        if (lines.size() == kLineCount)
            break;
        const std::size_t first = line.find_first_not_of(' ');
        lines.emplace_back(first == std::string_view::npos ? std::string_view() : line.substr(first));
    }
    return lines;
}

} // namespace

bool SettingsFile::read(const std::filesystem::path& path, Settings& settings) {
    const SmallFile file = readSmallFile(path, kSettingsFileLimit);
    if (file.outcome == FileRead::Missing)
        return fail(FileError::Missing, "Cannot read " + pathText(path));
    if (file.outcome == FileRead::NotValid)
        return fail(FileError::NotValid, "Not a valid settings file.");
    const std::vector<std::string> lines = readLines(file.bytes);
    Settings s;
    std::string* const texts[kLineCount] = {
        &s.reserved,       &s.toolPath,       &s.firstType,      &s.inputPath,   &s.palettePath,
        nullptr,           nullptr,           nullptr,           nullptr,        &s.recentFiles[0],
        &s.recentFiles[1], &s.recentFiles[2], &s.recentFiles[3], &s.maxDistance, &s.patternPath,
        nullptr,           nullptr,           &s.mapPath,        nullptr,        &s.maxDrawOrder,
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (texts[i] != nullptr)
            *texts[i] = line;
        else if (i >= 5 && i <= 8)
            readBox(line, s.detailLevels[i - 5]);
        else if (i == 15)
            readBox(line, s.addContours);
        else if (i == 16)
            readBox(line, s.rowPerBand);
        else if (const auto region = readInteger(line); region && *region >= 0 && *region <= 255)
            s.region = *region;
    }
    settings = std::move(s);
    return succeed();
}

std::string SettingsFile::text(const Settings& s) {
    std::string text;
    auto line = [&text](const std::string& value) { text += value + "\r\n"; };
    line(s.reserved);
    line(s.toolPath);
    line(s.firstType);
    line(s.inputPath);
    line(s.palettePath);
    for (bool level : s.detailLevels)
        line(boxLine(level));
    for (const auto& recent : s.recentFiles)
        line(recent);
    line(s.maxDistance);
    line(s.patternPath);
    line(boxLine(s.addContours));
    line(boxLine(s.rowPerBand));
    line(s.mapPath);
    line(integerLine(s.region));
    line(s.maxDrawOrder);
    return text;
}

bool SettingsFile::write(const std::filesystem::path& path, Settings& settings) {
    if (settings.region > 6)
        settings.region = 3;
    std::string error;
    if (!writeFileAtomically(path, text(settings), error))
        return fail(FileError::NotWritten, pathText(path) + " " + error);
    return succeed();
}

} // namespace orolith
