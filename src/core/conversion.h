#pragma once
// INTERIM stand-in until the conversion branch is merged; removed before merging main.
#include "core/host.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace orolith {

enum class ConversionMode { Write, ListOnly };

struct ConversionOptions {
    std::string inputPath;
    std::array<bool, 4> detailLevels{};
    std::string firstType = "10300";
    std::string maxDistance = "45000";
    bool addContours = false;
    std::string outputPath;
    bool replaceExisting = false;
};

struct TypeEntry {
    std::string elevation;
    std::string type;
};
using TypeList = std::vector<TypeEntry>;

std::string typeListText(const TypeEntry& entry);

struct ConversionResult {
    bool ranPasses = false;
    bool written = false;
    TypeList types;
    std::int32_t lowest = 0;
    std::vector<std::string> legendCaptions;
    std::string mpfile;
    std::string finalMessage;
    long notIncluded = 0;
};

std::string outputPathFor(const std::string& input);
ConversionResult parse(ConversionMode mode, const ConversionOptions& options, Host& host);

} // namespace orolith
