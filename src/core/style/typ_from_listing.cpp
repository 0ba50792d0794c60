#include "core/style/typ_from_listing.h"

namespace orolith {

ListedTyp writeTypFromListing(TypJob job, const ListStep& list, Host& host) {
    ListedTyp done;
    if (!requirePattern(job.style.patternText, host))
        return done;
    if (list) {
        done.listed = list(host);
        if (done.listed.types.empty()) {
            if (done.listed.ranPasses)
                host.message(MessageKind::Failure, "No data");
            return done;
        }
        job.types = done.listed.types;
        job.lowest = done.listed.lowest;
        if (!done.listed.mapPath.empty())
            job.protectedPaths.push_back(done.listed.mapPath);
    }
    done.typ = writeTypFile(job, host);
    return done;
}

} // namespace orolith
