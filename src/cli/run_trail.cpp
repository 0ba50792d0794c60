#include "cli/run_trail.h"

namespace orolith::cli {

namespace fs = std::filesystem;

void RunTrail::noteFolder(const fs::path& folder) {
    std::error_code ec;
    if (!fs::exists(folder, ec))
        folder_ = folder;
}

void RunTrail::noteFile(const fs::path& file) {
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(file, ec)))
        files_.push_back(file);
}

void RunTrail::undo() const {
    std::error_code ec;
    for (const fs::path& file : files_)
        fs::remove(file, ec);
    if (!folder_.empty())
        fs::remove(folder_, ec); // only an empty folder goes
}

} // namespace orolith::cli
