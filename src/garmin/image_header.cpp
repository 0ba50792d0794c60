#include "garmin/image_header.h"

#include <array>
#include <cstring>
#include <fstream>

namespace orolith::garmin {

bool hasGarminImageHeader(const std::filesystem::path& image) {
    constexpr std::size_t kHeaderSize = 512;
    std::ifstream in(image, std::ios::binary);
    std::array<char, kHeaderSize> header{};
    if (!in.read(header.data(), header.size()))
        return false;
    return std::memcmp(header.data() + 0x10, "DSKIMG", 6) == 0 &&
           std::memcmp(header.data() + 0x41, "GARMIN", 6) == 0;
}

} // namespace orolith::garmin
