#pragma once
// The first bytes of a Garmin IMG file, checked before a new gmapsupp.img replaces anything:
// a program that says it succeeded may still have written something else.

#include <filesystem>

namespace orolith::garmin {

// True when `image` starts as every Garmin IMG file does: "DSKIMG" at byte 0x10 and "GARMIN"
// at byte 0x41 of its 512-byte header.
bool hasGarminImageHeader(const std::filesystem::path& image);

} // namespace orolith::garmin
