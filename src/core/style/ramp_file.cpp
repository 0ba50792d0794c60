#include "core/style/ramp_file.h"

#include "core/platform/paths.h"
#include "core/platform/small_file.h"
#include "core/platform/text_number.h"
#include "core/style/ramp_readers.h"

#include <algorithm>
#include <memory>
#include <system_error>

namespace orolith {

namespace {

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return text;
}

// Text is what a ramp file holds: no NUL, no control character but tabs and line breaks.
bool isText(std::string_view bytes) {
    return std::none_of(bytes.begin(), bytes.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 && c != '\t' && c != '\r' && c != '\n' && c != '\f';
    });
}

std::unique_ptr<RampTextReader> readerFor(RampFormat format) {
    switch (format) {
    case RampFormat::Cpt:
        return std::make_unique<CptReader>();
    case RampFormat::QgisColourMap:
        return std::make_unique<QgisColourMapReader>();
    default:
        return std::make_unique<ColourReliefReader>();
    }
}

} // namespace

RampFormat rampFormatOf(const std::filesystem::path& path, std::string_view text) {
    if (lowerCase(pathText(path.extension())) == ".cpt")
        return RampFormat::Cpt;
    if (text.find("INTERPOLATION:") != std::string_view::npos ||
        text.find("# QGIS") != std::string_view::npos)
        return RampFormat::QgisColourMap;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string_view line = trimBlanks(text.substr(at, end - at));
        at = end + 1;
        if (line.empty() || line.front() == '#')
            continue;
        return std::count(line.begin(), line.end(), ',') >= 5 ? RampFormat::QgisColourMap
                                                              : RampFormat::ColourRelief;
    }
    return RampFormat::ColourRelief;
}

bool RampFile::read(const std::filesystem::path& path, ColourRamp& ramp) {
    const std::string name = pathText(path);
    const std::string cannot = "Cannot use the colour ramp " + name + ": ";
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (!ec && size > kRampFileLimit)
        return fail(FileError::NotValid, cannot + "it is larger than 1 MiB.");
    const SmallFile file = readSmallFile(path, kRampFileLimit);
    if (file.outcome == FileRead::Missing)
        return fail(FileError::Missing, "Cannot read file:" + name);
    if (file.outcome == FileRead::NotValid)
        return fail(FileError::NotValid, cannot + "it is not a regular file.");
    if (trimBlanks(file.bytes).find_first_not_of("\r\n") == std::string_view::npos)
        return fail(FileError::NotValid, cannot + "it is empty.");
    if (!isText(file.bytes))
        return fail(FileError::NotValid, cannot + "it is not a text file.");
    const auto reader = readerFor(rampFormatOf(path, file.bytes));
    ColourRamp read;
    if (!reader->read(file.bytes, read)) {
        const int line = reader->errorLine();
        return fail(FileError::NotValid,
                    line > 0 ? "Cannot use the colour ramp " + name + ", line " + std::to_string(line) +
                                   ": " + reader->error() + "."
                             : cannot + "it " + reader->error() + ".",
                    line);
    }
    read.name = name;
    ramp = std::move(read);
    return succeed();
}

} // namespace orolith
