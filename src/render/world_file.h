#pragma once
// The world file that places a picture for GIS programs: six lines (pixel width, two
// rotation terms, negative pixel height, then the longitude and latitude of the centre of
// the top-left pixel), in degrees, each ending with CR LF.

#include "render/map_view.h"

#include <filesystem>
#include <string>

namespace orolith::render {

std::string worldFileText(const MapView& view);

// The world file beside a picture: "map.png" gives "map.pgw", "map" gives "map.pgw".
std::filesystem::path worldFilePathFor(const std::filesystem::path& picture);

} // namespace orolith::render
