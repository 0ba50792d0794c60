#include "core/style/pattern_file.h"

#include "core/platform/atomic_file.h"
#include "core/platform/paths.h"
#include "core/platform/small_file.h"

#include <algorithm>

namespace orolith {

namespace {

// The line (from 1) of the first character that has no place in a pattern file; 0 if none.
int firstBadLine(std::string_view text) {
    const std::size_t bad = text.find_first_not_of("01\r\n");
    if (bad == std::string_view::npos)
        return 0;
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(bad), '\n'));
}

} // namespace

bool PatternFile::read(const std::filesystem::path& path, std::string& text) {
    const std::string name = pathText(path);
    SmallFile file = name.empty() || name.find('*') != std::string::npos ? SmallFile{}
                                                                         : readSmallFile(path, kPatternFileLimit);
    if (file.outcome == FileRead::Missing)
        return fail(FileError::Missing, "Cannot read file:" + name);
    if (file.outcome == FileRead::NotValid)
        return fail(FileError::NotValid, "Not a valid pattern file.");
    if (const int line = firstBadLine(file.bytes))
        return fail(FileError::NotValid, "Not a valid pattern file.", line);
    text = std::move(file.bytes);
    return succeed();
}

bool PatternFile::write(const std::filesystem::path& path, std::string_view editorText) {
    std::string bytes;
    bytes.reserve(editorText.size() + 2);
    bytes.append(editorText).append("\r\n");
    std::string error;
    if (!writeFileAtomically(path, bytes, error))
        return fail(FileError::NotWritten, pathText(path) + " " + error);
    return succeed();
}

} // namespace orolith
