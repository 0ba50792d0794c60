#include "core/style/typ_writer.h"

#include "core/platform/paths.h"
#include "core/style/band_tint.h"

namespace orolith {

TypResult writeTypFile(const TypJob& job, Host& host) {
    TypResult result;
    result.pattern = checkStyle(job.style, host);
    if (!result.pattern)
        return result;
    TypFile file;
    result.written = file.write(job, *result.pattern);
    if (!file.companionError().empty())
        host.message(MessageKind::Failure, file.companionError());
    if (file.texts().drawOrderCapped)
        host.message(MessageKind::Notice,
                     "Reached maximum draworder of " + std::to_string(job.style.maxDrawOrder) + ".");
    if (file.texts().paletteExhausted)
        host.message(MessageKind::Notice, "Reached maximum number of colours.");
    if (!result.written) {
        host.message(MessageKind::Failure, file.errorString());
        return result;
    }
    host.message(MessageKind::Notice, "created:" + pathText(job.style.typPath));
    if (file.texts().smallestStep)
        host.message(MessageKind::Notice, stepMessage(*file.texts().smallestStep));
    if (!job.toolPath.empty())
        host.launch(job.toolPath, job.style.typPath);
    return result;
}

} // namespace orolith
