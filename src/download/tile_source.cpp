#include "download/tile_source.h"

#include "core/app/app_info.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace orolith::download {

namespace {

struct SourceInfo {
    SourceKind kind;
    std::string_view name;
    std::string_view title;
    std::string_view baseUrl;
    std::string_view attribution;
    std::string_view licence;
};

constexpr std::string_view kCopernicusAttribution =
    "Copernicus DEM (c) DLR e.V. 2010-2014 and (c) Airbus Defence and Space GmbH 2014-2018 "
    "provided under COPERNICUS by the European Union and ESA; all rights reserved";
constexpr std::string_view kCopernicusLicence =
    "free of charge for any use under the Copernicus DEM licence; the attribution is required";

constexpr std::array<SourceInfo, 4> kSources = {{
    {SourceKind::Copernicus30, "copernicus30", "Copernicus DEM GLO-30 (1 arc second, GeoTIFF)",
     "https://copernicus-dem-30m.s3.amazonaws.com", kCopernicusAttribution, kCopernicusLicence},
    {SourceKind::Copernicus90, "copernicus90", "Copernicus DEM GLO-90 (3 arc seconds, GeoTIFF)",
     "https://copernicus-dem-90m.s3.amazonaws.com", kCopernicusAttribution, kCopernicusLicence},
    {SourceKind::Skadi, "skadi", "SRTM 1 arc second, skadi tiles (.hgt.gz)",
     "https://s3.amazonaws.com/elevation-tiles-prod/skadi",
     "Elevation: SRTM courtesy of the U.S. Geological Survey, terrain tiles by Mapzen and others",
     "public domain (SRTM) and open terrain tiles; the attribution is required"},
    {SourceKind::Srtm3, "srtm3", "SRTM-3 archive layout, one folder per continent (.hgt.zip)",
     app::kSrtmBaseUrl.substr(0, app::kSrtmBaseUrl.size() - 1),
     "Elevation: SRTM courtesy of the U.S. Geological Survey",
     "public domain; credit to the U.S. Geological Survey is asked for"},
}};

const SourceInfo& infoOf(SourceKind kind) {
    return kSources[static_cast<std::size_t>(kind)];
}

// "N50_00_W004_00": the corner as Copernicus names it.
std::string copernicusCorner(TileCorner tile) {
    char text[32];
    std::snprintf(text, sizeof text, "%c%02d_00_%c%03d_00", tile.lat < 0 ? 'S' : 'N', std::abs(tile.lat),
                  tile.lon < 0 ? 'W' : 'E', std::abs(tile.lon));
    return text;
}

std::string copernicusStem(SourceKind kind, TileCorner tile) {
    const char* resolution = kind == SourceKind::Copernicus30 ? "10" : "30";
    return std::string("Copernicus_DSM_COG_") + resolution + "_" + copernicusCorner(tile) + "_DEM";
}

bool endsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

} // namespace

std::string_view sourceName(SourceKind kind) { return infoOf(kind).name; }
std::string_view sourceTitle(SourceKind kind) { return infoOf(kind).title; }
std::string_view defaultBaseUrl(SourceKind kind) { return infoOf(kind).baseUrl; }
std::string_view sourceAttribution(SourceKind kind) { return infoOf(kind).attribution; }
std::string_view sourceLicence(SourceKind kind) { return infoOf(kind).licence; }

std::optional<SourceKind> sourceByName(std::string_view name) {
    for (const SourceInfo& info : kSources) {
        if (info.name == name)
            return info.kind;
    }
    return std::nullopt;
}

TileSource defaultSource(SourceKind kind) {
    return {kind, std::string(defaultBaseUrl(kind)), 0};
}

std::string tileFileName(SourceKind kind, TileCorner tile) {
    switch (kind) {
    case SourceKind::Copernicus30:
    case SourceKind::Copernicus90:
        return copernicusStem(kind, tile) + ".tif";
    case SourceKind::Skadi:
        return tileName(tile) + ".hgt.gz";
    case SourceKind::Srtm3:
        break;
    }
    return tileName(tile) + ".hgt.zip";
}

std::string tilePath(const TileSource& source, TileCorner tile) {
    switch (source.kind) {
    case SourceKind::Copernicus30:
    case SourceKind::Copernicus90:
        return "/" + copernicusStem(source.kind, tile) + "/" + tileFileName(source.kind, tile);
    case SourceKind::Skadi:
        return "/" + tileName(tile).substr(0, 3) + "/" + tileFileName(source.kind, tile);
    case SourceKind::Srtm3:
        break;
    }
    const std::string_view continent = kSrtmContinents[static_cast<std::size_t>(clampSrtmContinent(source.continent))];
    return "/" + std::string(continent) + "/" + tileFileName(source.kind, tile);
}

std::string tileUrl(const TileSource& source, TileCorner tile) {
    std::string url = source.baseUrl;
    while (!url.empty() && url.back() == '/')
        url.pop_back();
    return url + tilePath(source, tile);
}

std::string gdalPathOf(const std::string& cachedFile) {
    return endsWith(cachedFile, ".gz") ? "/vsigzip/" + cachedFile : cachedFile;
}

std::string sourcesNotice() {
    std::string text = "Elevation tiles are downloaded from:";
    for (const SourceInfo& info : kSources) {
        if (info.kind == SourceKind::Copernicus90)
            continue; // the same licence and attribution as GLO-30
        text += "\n\n";
        text += info.kind == SourceKind::Copernicus30 ? "Copernicus DEM GLO-30 and GLO-90" : info.title;
        text += ": " + std::string(info.licence) + ".\n" + std::string(info.attribution) + ".";
    }
    return text;
}

std::string attributionOf(const std::vector<SourceKind>& kinds) {
    std::string text;
    std::vector<std::string_view> seen;
    for (const SourceKind kind : kinds) {
        const std::string_view line = sourceAttribution(kind);
        if (std::find(seen.begin(), seen.end(), line) != seen.end())
            continue;
        seen.push_back(line);
        if (!text.empty())
            text += "; ";
        text += line;
    }
    return text;
}

} // namespace orolith::download
