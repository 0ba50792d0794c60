#include "dem/vrt_check.h"

#include <cctype>
#include <cpl_conv.h>
#include <cpl_minixml.h>
#include <cpl_string.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <system_error>

namespace orolith::dem {

namespace {

namespace fs = std::filesystem;

constexpr std::uintmax_t kLargestVrt = 16u << 20;
constexpr int kDeepestNesting = 8;

struct TreeCloser {
    void operator()(CPLXMLNode* node) const { CPLDestroyXMLNode(node); }
};
using Tree = std::unique_ptr<CPLXMLNode, TreeCloser>;

bool startsWithVrt(const std::string& text) {
    std::size_t at = 0;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])))
        ++at;
    return text.compare(at, 11, "<VRTDataset") == 0;
}

std::string readHead(const fs::path& path, std::size_t bytes) {
    std::ifstream in(path, std::ios::binary);
    std::string text(bytes, '\0');
    in.read(text.data(), static_cast<std::streamsize>(bytes));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return text;
}

std::string checkText(const std::string& text, const fs::path& folder, int depth);

// A source's file name as GDAL would resolve it: a local file, perhaps inside a local archive
// (where the member's name follows the archive's, so the longest existing prefix counts).
std::string checkSource(const std::string& name, bool relative, const fs::path& folder, int depth) {
    if (startsWithVrt(name))
        return checkText(name, folder, depth + 1);
    std::string local = name;
    bool archive = false;
    for (const char* layer : {"/vsizip/", "/vsigzip/", "/vsitar/"})
        if (local.rfind(layer, 0) == 0) {
            local.erase(0, std::char_traits<char>::length(layer));
            archive = true;
            break;
        }
    fs::path file = relative ? folder / local : fs::path(local);
    std::error_code ec;
    while (archive && !fs::exists(file, ec) && file.has_parent_path() && file != file.parent_path())
        file = file.parent_path();
    if (!fs::is_regular_file(file, ec))
        return "a VRT source is not a local file (" + name + ")";
    if (!archive && startsWithVrt(readHead(file, 64)))
        return checkText(readHead(file, kLargestVrt), file.parent_path(), depth + 1);
    return {};
}

std::string checkNode(const CPLXMLNode* node, const fs::path& folder, int depth) {
    for (; node != nullptr; node = node->psNext) {
        if (node->eType != CXT_Element)
            continue;
        const std::string element = node->pszValue;
        const char* subClass = CPLGetXMLValue(node, "subClass", "");
        if (EQUAL(subClass, "VRTRawRasterBand"))
            return "VRT bands that read raw bytes of a file are not read";
        if (element == "PixelFunctionCode" || element == "PixelFunctionLanguage")
            return "VRT bands that run code are not read";
        if (element == "SourceFilename" || element == "SourceDataset") {
            const bool relative = CPLTestBool(CPLGetXMLValue(node, "relativeToVRT", "0"));
            if (std::string problem = checkSource(CPLGetXMLValue(node, nullptr, ""), relative, folder, depth);
                !problem.empty())
                return problem;
            continue;
        }
        if (std::string problem = checkNode(node->psChild, folder, depth); !problem.empty())
            return problem;
    }
    return {};
}

std::string checkText(const std::string& text, const fs::path& folder, int depth) {
    if (depth > kDeepestNesting)
        return "VRT files nested too deeply";
    const Tree tree(CPLParseXMLString(text.c_str()));
    if (!tree)
        return "a VRT file that is not well-formed";
    return checkNode(tree.get(), folder, depth);
}

} // namespace

std::string vrtProblem(const std::string& path) {
    std::error_code ec;
    const std::string head = readHead(path, 64);
    if (!startsWithVrt(head))
        return {};
    if (fs::file_size(path, ec) > kLargestVrt)
        return "a VRT file larger than 16 MiB";
    return checkText(readHead(path, kLargestVrt), fs::path(path).parent_path(), 0);
}

} // namespace orolith::dem
