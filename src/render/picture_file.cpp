#include "render/picture_file.h"

#include "core/platform/atomic_file.h"
#include "render/world_file.h"

#include <QBuffer>
#include <QByteArray>

namespace orolith::render {

namespace {

bool writeWhole(const std::filesystem::path& path, std::string_view bytes, Host& host) {
    std::string error;
    if (writeFileAtomically(path, bytes, error))
        return true;
    host.message(MessageKind::Failure, path.string() + " " + error);
    return false;
}

} // namespace

bool writePictureFiles(const QImage& image, const MapView& view, const std::filesystem::path& path, Host& host) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        host.message(MessageKind::Failure, path.string() + " could not be encoded as PNG.");
        return false;
    }
    return writeWhole(path, std::string_view(png.constData(), static_cast<std::size_t>(png.size())), host) &&
           writeWhole(worldFilePathFor(path), worldFileText(view), host);
}

} // namespace orolith::render
