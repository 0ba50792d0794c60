#pragma once
// A colour ramp file: `gdaldem color-relief` colour text, a GMT colour table (.cpt) or a QGIS
// colour map export, told apart by extension and content.

#include "core/platform/file_format.h"
#include "core/style/colour_ramp.h"

#include <cstddef>
#include <filesystem>
#include <string_view>

namespace orolith {

inline constexpr std::size_t kRampFileLimit = 1024 * 1024;

enum class RampFormat { ColourRelief, Cpt, QgisColourMap };

// The format of a file named `path` holding `text`: .cpt is GMT; a text with an
// `INTERPOLATION:` line or QGIS's header, or whose first stop has six comma-separated fields,
// is QGIS's; anything else is colour-relief text.
RampFormat rampFormatOf(const std::filesystem::path& path, std::string_view text);

class RampFile : public FileFormat {
  public:
    // Reads the file into `ramp` (named after the file). False, with `ramp` unchanged and a
    // message naming the file (and the line, where one is at fault), when it is missing,
    // empty, larger than kRampFileLimit, not text, or holds a line it cannot use.
    bool read(const std::filesystem::path& path, ColourRamp& ramp);
};

} // namespace orolith
