#include "render/world_file.h"

#include <charconv>

namespace orolith::render {

namespace {

std::string line(double value) {
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 12).ptr;
    return std::string(text, end) + "\r\n";
}

} // namespace

std::string worldFileText(const MapView& view) {
    return line(view.degreesPerPixelX()) + line(0.0) + line(0.0) + line(-view.degreesPerPixelY()) +
           line(view.west() + view.degreesPerPixelX() / 2) + line(view.north() - view.degreesPerPixelY() / 2);
}

std::filesystem::path worldFilePathFor(const std::filesystem::path& picture) {
    std::filesystem::path path = picture;
    path.replace_extension(".pgw");
    return path;
}

} // namespace orolith::render
