#include "core/style/ramp_readers.h"

#include "core/platform/text_number.h"

#include <cmath>
#include <cstdlib>

namespace orolith {

namespace {

std::string quoted(std::string_view text) {
    return "'" + std::string(text.substr(0, 40)) + (text.size() > 40 ? "…'" : "'");
}

// Shares are shown as percentages.
double scaleOf(const RampStop& stop) {
    return stop.scale == StopScale::Metres ? 1.0 : 100.0;
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

} // namespace

std::vector<std::string_view> rampFields(std::string_view line, std::string_view extra) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    const auto separator = [&extra](char c) {
        return c == ' ' || c == '\t' || extra.find(c) != std::string_view::npos;
    };
    for (std::size_t i = 0; i <= line.size(); ++i) {
        if (i < line.size() && !separator(line[i]))
            continue;
        if (i > start)
            fields.push_back(line.substr(start, i - start));
        start = i + 1;
    }
    return fields;
}

bool RampTextReader::read(std::string_view text, ColourRamp& ramp) {
    day_.clear();
    nightStops_.clear();
    night_ = false;
    error_.clear();
    errorLine_ = 0;
    std::size_t at = 0;
    for (int number = 1; at < text.size(); ++number) {
        std::size_t end = text.find('\n', at);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        line = trimBlanks(line);
        if (line.empty() || line.front() == '#')
            continue;
        errorLine_ = number;
        if (!readLine(line))
            return false;
    }
    errorLine_ = 0;
    if (day_.empty())
        return fail("holds no colour stops");
    ramp.day = std::move(day_);
    ramp.night = std::move(nightStops_);
    return true;
}

bool RampTextReader::fail(std::string text) {
    error_ = std::move(text);
    return false;
}

bool RampTextReader::add(const RampStop& stop) {
    std::vector<RampStop>& stops = night_ ? nightStops_ : day_;
    for (auto before = stops.rbegin(); before != stops.rend(); ++before)
        if (before->scale == stop.scale) {
            if (stop.at < before->at)
                return fail("the stops must rise, and " + decimalText(stop.at * scaleOf(stop)) +
                            " lies below " + decimalText(before->at * scaleOf(*before)));
            break;
        }
    stops.push_back(stop);
    return true;
}

bool RampTextReader::readComponent(std::string_view text, int& value) {
    const auto number = wholeDecimal(text);
    if (!number || *number != std::floor(*number))
        return fail(quoted(text) + " is no colour component (a whole number 0 to 255)");
    if (*number > 255)
        return fail("the colour component " + std::string(text) + " lies outside 0 to 255");
    value = static_cast<int>(*number);
    return true;
}

bool RampTextReader::readColour(std::string_view red, std::string_view green, std::string_view blue,
                                Rgb& colour) {
    for (const std::string_view text : {red, green, blue})
        if (!text.empty() && text.front() == '-' && wholeDecimal(text.substr(1)))
            return fail("the colour component " + std::string(text) + " lies outside 0 to 255");
    return readComponent(red, colour.red) && readComponent(green, colour.green) &&
           readComponent(blue, colour.blue);
}

bool RampTextReader::readElevation(std::string_view text, double& value) {
    const bool negative = !text.empty() && (text.front() == '-' || text.front() == '+');
    const auto number = wholeDecimal(negative ? text.substr(1) : text);
    if (!number || !std::isfinite(*number))
        return fail(quoted(text) + " is no elevation");
    value = text.front() == '-' ? -*number : *number;
    return true;
}

bool ColourReliefReader::readLine(std::string_view line) {
    if (line == "night") {
        startNight();
        return true;
    }
    const auto fields = rampFields(line, ",:");
    if (fields.size() < 4 || fields.size() > 5)
        return fail(quoted(line) + " is not an elevation and a colour (elevation R G B [A])");
    if (fields[0] == "nv")
        return true; // the colour of no data: the bands have none
    RampStop stop;
    std::string_view at = fields[0];
    if (at.back() == '%') {
        stop.scale = StopScale::OfRange;
        at.remove_suffix(1);
    }
    if (!readElevation(at, stop.at) || !readColour(fields[1], fields[2], fields[3], stop.colour))
        return false;
    if (stop.scale == StopScale::OfRange) {
        if (stop.at < 0 || stop.at > 100)
            return fail("the share " + std::string(fields[0]) + " lies outside 0% to 100%");
        stop.at /= 100;
    }
    return add(stop);
}

bool CptReader::readLine(std::string_view line) {
    if (line == "B" || line == "F" || line == "N" || startsWith(line, "B ") || startsWith(line, "F ") ||
        startsWith(line, "N ") || startsWith(line, "B\t") || startsWith(line, "F\t") ||
        startsWith(line, "N\t"))
        return true; // background, foreground and no-data colours
    line = line.substr(0, line.find(';'));
    auto fields = rampFields(line, "/");
    while (fields.size() > 8 ||
           (!fields.empty() && (fields.back() == "L" || fields.back() == "U" || fields.back() == "B")))
        fields.pop_back();
    if (fields.size() != 8)
        return fail(quoted(line) + " is not a stretch of two elevations and colours (z0 R G B z1 R G B)");
    RampStop from, to;
    if (!readElevation(fields[0], from.at) || !readColour(fields[1], fields[2], fields[3], from.colour) ||
        !readElevation(fields[4], to.at) || !readColour(fields[5], fields[6], fields[7], to.colour))
        return false;
    if (to.at < from.at)
        return fail("the stops must rise, and " + std::string(fields[4]) + " lies below " +
                    std::string(fields[0]));
    return add(from) && add(to);
}

bool QgisColourMapReader::readLine(std::string_view line) {
    if (startsWith(line, "INTERPOLATION:"))
        return true;
    std::vector<std::string_view> fields;
    for (std::size_t start = 0; fields.size() < 5;) {
        const std::size_t comma = line.find(',', start);
        fields.push_back(
            trimBlanks(line.substr(start, comma == std::string_view::npos ? comma : comma - start)));
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    if (fields.size() < 5)
        return fail(quoted(line) + " is not a value and a colour (value,R,G,B,A,label)");
    RampStop stop;
    int alpha = 0;
    if (!readElevation(fields[0], stop.at) || !readColour(fields[1], fields[2], fields[3], stop.colour) ||
        !readComponent(fields[4], alpha))
        return false;
    return add(stop);
}

} // namespace orolith
