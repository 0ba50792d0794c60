// INTERIM stand-in until the styling branch is merged; removed before merging main.
#include "core/atomic_file.h"
#include "core/home_folder.h"
#include "core/palette.h"
#include "core/pattern.h"
#include "core/settings_file.h"
#include "core/text_number.h"
#include "core/typ_writer.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace orolith {

namespace {
std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}
std::vector<std::string> crlfLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (auto at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, at - start));
        start = at + 2;
    }
    lines.push_back(text.substr(start));
    return lines;
}
} // namespace

Palette defaultPalette() {
    static const std::int32_t base[14] = {0,        0x800000, 0x8000,   0x808000, 0x80,   0x800080, 0x8080,
                                          0xC0C0C0, 0x808080, 0xFF0000, 0xFF00,   0xFFFF00, 0xFF, 0xFF00FF};
    Palette p{};
    for (int i = 0; i < 26; ++i) p[static_cast<std::size_t>(i)] = base[i % 14];
    return p;
}
bool savecols(const std::string& path, const Palette& cols, Host& host) {
    std::string text;
    for (auto c : cols) text += hexUpper(static_cast<std::uint32_t>(c)) + "\r\n";
    std::string error;
    if (!writeFileAtomically(path, text + "\r\n", error)) {
        host.message(MessageKind::Failure, path + " " + error);
        return false;
    }
    return true;
}
void loadcols(const std::string& path, Palette& cols) {
    auto lines = crlfLines(slurp(path));
    for (std::size_t i = 0; i < 26 && i < lines.size(); ++i)
        if (auto v = parseHex32(lines[i])) cols[i] = *v;
}
void desaturate(Palette& cols) {
    for (auto& c : cols) {
        int g = static_cast<int>(roundHalfEven(((c & 255) + ((c >> 8) & 255) + ((c >> 16) & 255)) / 3.0));
        c = g | (g << 8) | (g << 16);
    }
}
void shades2(Palette& cols) {
    int r = cols[0] & 255, g = (cols[0] >> 8) & 255, b = (cols[0] >> 16) & 255;
    for (int j = 1; j <= 25; ++j) {
        int k = 3 * (j - 1);
        cols[static_cast<std::size_t>(j)] = (r - r * k / 128) | ((g - g * k / 128) << 8) | ((b - b * k / 128) << 16);
    }
}
std::optional<Pattern> get_patterns(std::string_view textView, Host& host) {
    const std::string text(textView);
    if (text.empty()) {
        host.message(MessageKind::Failure, "Please load pattern");
        return std::nullopt;
    }
    Pattern p;
    for (auto& line : crlfLines(text)) {
        if (line.empty()) continue;
        std::string row;
        while (row.size() < 32) row += line;
        if (row.size() != 32) {
            host.message(MessageKind::Failure, "Length of " + line + " must be multiple of 32");
            return std::nullopt;
        }
        p.rows.push_back(row);
    }
    if (p.rows.empty() || 32 % p.rows.size() != 0) {
        host.message(MessageKind::Failure, "Number of lines must be a multiple of 32.");
        return std::nullopt;
    }
    return p;
}
bool acceptPatternKey(char key) { return key == '0' || key == '1' || key == 13 || key == 8; }
bool isValidPatternFileText(std::string_view text) {
    return text.find_first_not_of("01\r\n") == std::string::npos;
}
TypResult create_typ(const TypJob& job, Host& host) {
    TypResult result;
    result.pattern = get_patterns(job.style.patternText, host);
    if (!result.pattern) return result;
    std::string error;
    writeFileAtomically(job.style.typPath, "[_id]\r\n", error);
    result.written = true;
    host.message(MessageKind::Notice, "created:" + job.style.typPath);
    host.launch(job.toolPath, job.style.typPath);
    return result;
}
std::optional<Settings> readSettings(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return std::nullopt;
    auto lines = crlfLines(slurp(path.string()));
    lines.resize(20);
    Settings s;
    s.reserved = lines[0]; s.toolPath = lines[1]; s.firstType = lines[2]; s.inputPath = lines[3];
    s.colFile = lines[4];
    for (std::size_t i = 0; i < 4; ++i) s.levels[i] = trimBlanks(lines[5 + i]) == "1";
    for (std::size_t i = 0; i < 4; ++i) s.recent[i] = lines[9 + i];
    s.maxDistance = lines[13]; s.patFile = lines[14];
    s.addContours = trimBlanks(lines[15]) == "1"; s.rowPerBand = trimBlanks(lines[16]) == "1";
    s.mpFile = lines[17]; s.region = static_cast<int>(leadingDecimal(lines[18])); s.maxDrawOrder = lines[19];
    return s;
}
bool writeSettings(const std::filesystem::path& path, Settings& s, std::string& error) {
    auto flag = [](int b) { return std::string(b ? " 1 " : " 0 "); };
    if (s.region > 6) s.region = 3;
    std::string t = s.reserved + "\r\n" + s.toolPath + "\r\n" + s.firstType + "\r\n" + s.inputPath + "\r\n" +
                    s.colFile + "\r\n";
    for (int b : s.levels) t += flag(b) + "\r\n";
    for (auto& r : s.recent) t += r + "\r\n";
    t += s.maxDistance + "\r\n" + s.patFile + "\r\n" + flag(s.addContours) + "\r\n" + flag(s.rowPerBand) + "\r\n" +
         s.mpFile + "\r\n" + " " + std::to_string(s.region) + " \r\n" + s.maxDrawOrder + "\r\n";
    return writeFileAtomically(path, t, error);
}
std::filesystem::path defaultHome(const std::filesystem::path& exeFolder) { return exeFolder; }
void ensureHomeFolders(const std::filesystem::path& home, Host& host) {
    for (const char* sub : {"typ", "col", "patterns", "system"}) {
        std::error_code ec;
        std::filesystem::create_directories(home / sub, ec);
        if (ec) host.message(MessageKind::Failure, ec.message());
    }
}

} // namespace orolith
