#pragma once
// Writing a finished picture: the PNG and its world file, each completely or not at all.

#include "core/host.h"
#include "render/map_view.h"

#include <QImage>
#include <filesystem>

namespace orolith::render {

// Writes `image` as PNG to `path` and the world file of `view` beside it. Failures go to
// `host` with the path and the system's description; false then.
bool writePictureFiles(const QImage& image, const MapView& view, const std::filesystem::path& path, Host& host);

} // namespace orolith::render
