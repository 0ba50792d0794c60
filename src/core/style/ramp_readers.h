#pragma once
// The colour tables people already have, read into colour ramps: `gdaldem color-relief`
// colour text, GMT colour tables (.cpt) and QGIS's exported colour maps. Each reader takes the
// whole text and either fills the ramp's stops or says which line it could not use and why.

#include "core/style/colour_ramp.h"

#include <string>
#include <string_view>
#include <vector>

namespace orolith {

class RampTextReader {
  public:
    virtual ~RampTextReader() = default;

    // The stops of `text` into `ramp` (day and night); `ramp` is left alone on failure.
    bool read(std::string_view text, ColourRamp& ramp);
    const std::string& error() const { return error_; }
    int errorLine() const { return errorLine_; } // from 1; 0 when no one line is meant

  protected:
    // One line without its line break, blanks trimmed, neither empty nor a comment.
    virtual bool readLine(std::string_view line) = 0;

    bool fail(std::string text);
    // Adds a stop, refusing one below the stop before it on the same scale.
    bool add(const RampStop& stop);
    bool readComponent(std::string_view text, int& value);
    bool readColour(std::string_view red, std::string_view green, std::string_view blue, Rgb& colour);
    bool readElevation(std::string_view text, double& value);
    void startNight() { night_ = true; }

  private:
    std::vector<RampStop> day_;
    std::vector<RampStop> nightStops_;
    bool night_ = false;
    std::string error_;
    int errorLine_ = 0;
};

// `elevation R G B [A]` a line, blanks, tabs or commas between; the elevation may be `N%` of
// the data's range, and an `nv` line (the colour of no data) is skipped. A line `night` starts
// the night colours, given the same way.
class ColourReliefReader : public RampTextReader {
  protected:
    bool readLine(std::string_view line) override;
};

// GMT: `z0 R G B z1 R G B` (or R/G/B) a line, each line a stretch from z0 to z1; the B, F and
// N lines and annotations after the colours are skipped. Only RGB tables are read.
class CptReader : public RampTextReader {
  protected:
    bool readLine(std::string_view line) override;
};

// QGIS: `value,R,G,B,A,label` a line, after the `INTERPOLATION:` line.
class QgisColourMapReader : public RampTextReader {
  protected:
    bool readLine(std::string_view line) override;
};

// The fields of a line split at blanks, tabs and any of `extra`.
std::vector<std::string_view> rampFields(std::string_view line, std::string_view extra);

} // namespace orolith
