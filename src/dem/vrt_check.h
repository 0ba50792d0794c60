#pragma once
// A VRT file names other files and tells GDAL how to read them: one given by the user is
// read only when every source is a local raster file (or an inline VRT of the same kind),
// never a network address, a driver's own syntax or raw bytes of an arbitrary file.

#include <string>

namespace orolith::dem {

// Empty when `path` is no VRT or a VRT that may be read; otherwise what it asks for that is
// refused.
std::string vrtProblem(const std::string& path);

} // namespace orolith::dem
