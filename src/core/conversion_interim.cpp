// INTERIM stand-in until the conversion branch is merged; removed before merging main.
#include "core/conversion.h"

#include "core/text_number.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace orolith {

std::string typeListText(const TypeEntry& entry) { return entry.elevation + "\t" + entry.type; }

std::string outputPathFor(std::string_view input) {
    std::string out(input);
    for (auto at = out.find(".txt"); at != std::string::npos; at = out.find(".txt", at + 3))
        out.replace(at, 4, ".mp");
    return out == input ? out + ".mp" : out;
}

ConversionResult parse(ConversionMode mode, const ConversionOptions& options, Host& host) {
    ConversionResult result;
    std::error_code ec;
    if (options.inputPath.empty() || options.inputPath.find('*') != std::string::npos ||
        !std::filesystem::is_regular_file(options.inputPath, ec)) {
        host.message(MessageKind::Failure, "Cannot find file:" + options.inputPath);
        return result;
    }
    std::ifstream in(options.inputPath, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    const std::string text = buffer.str();
    bool anyLevel = false;
    for (bool level : options.detailLevels) anyLevel = anyLevel || level;
    if (!anyLevel) {
        host.message(MessageKind::Failure, "Please select a 'Detail Level'.");
        return result;
    }
    result.ranPasses = true;
    result.mpfile = outputPathFor(options.inputPath);
    std::vector<std::string> heads;
    for (auto at = text.find("L "); at != std::string::npos; at = text.find("L ", at + 2)) {
        auto end = text.find("\r\n", at);
        std::string head = text.substr(at + 2, end == std::string::npos ? std::string::npos : end - at - 2);
        auto space = head.find(' ');
        if (space != std::string::npos) head = head.substr(space + 1);
        head = head.substr(0, head.find('.'));
        heads.push_back(head);
    }
    result.lowest = 999999999;
    for (auto& h : heads) result.lowest = std::min<std::int32_t>(result.lowest, static_cast<std::int32_t>(leadingDecimal(h)));
    std::int64_t type = parseHex32(options.firstType).value_or(0);
    if (result.lowest > 0 && result.lowest != 999999999) type += roundHalfEven(result.lowest / 25.0);
    std::map<std::string, std::string> table;
    for (auto& h : heads) {
        if (table.count(h)) continue;
        if (type >= 0x1000 && (type % 256) > 0x1F) type += 0xE0;
        int counter = static_cast<int>(result.types.size());
        if (counter % 4 == 0 && counter < 104) result.legendCaptions.push_back(h);
        table[h] = hexUpper(static_cast<std::uint32_t>(type));
        result.types.push_back({h, table[h]});
        ++type;
        if (host.cancelled()) return result;
    }
    if (mode == ConversionMode::ListOnly) return result;
    for (int i = 0; i < 100; ++i) {
        host.progress(i);
        if (host.cancelled()) { result.cancelled = true; return result; }
    }
    std::ofstream out(result.mpfile, std::ios::binary);
    out << "[IMG ID]\r\n[END-IMG ID]\r\n\r\n";
    result.written = true;
    result.finalMessage = "Created " + result.mpfile + " (0 polygons not included)\r\n\r\nIncrease Max Distance to include more polygons.";
    host.message(MessageKind::Notice, result.finalMessage);
    return result;
}

} // namespace orolith
