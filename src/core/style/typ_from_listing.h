#pragma once
// Styling an input in one step, as "Create TYP" and `orolith typ` do: its elevations are
// listed, then the TYP file is written from that list.

#include "core/conversion/conversion.h"
#include "core/host.h"
#include "core/style/typ_writer.h"

#include <functional>

namespace orolith {

// Lists the input (the Geo Vector conversion, an elevation model, ...) and tells its host.
using ListStep = std::function<ConversionResult(Host&)>;

struct ListedTyp {
    ConversionResult listed; // the listing, when one ran
    TypResult typ;
};

// Checks that there is a pattern ("Please add pattern."), lists the input with `list` when
// one is given (else `job.types` is the list), then writes the TYP file of the listed bands.
// A listing that finds no elevation is a failure: "No data" (unless the listing has already
// said why it stopped), and nothing is written. The listed map joins the protected paths.
ListedTyp writeTypFromListing(TypJob job, const ListStep& list, Host& host);

} // namespace orolith
