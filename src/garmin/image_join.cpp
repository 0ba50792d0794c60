#include "garmin/image_join.h"

#include "garmin/garmin_image.h"
#include "garmin/mkgmap_run.h"

#include <QTemporaryDir>

#include <algorithm>
#include <cctype>

namespace orolith::garmin {

namespace fs = std::filesystem;

std::vector<fs::path> mapTileImages(const fs::path& folder) {
    std::vector<fs::path> images;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && name.size() == 12 && name.ends_with(".img") &&
            std::all_of(name.begin(), name.begin() + 8, [](unsigned char c) { return std::isdigit(c); }))
            images.push_back(entry.path());
    }
    std::sort(images.begin(), images.end());
    return images;
}

bool joinImages(const JoinJob& job, std::string& error) {
    MkgmapCommand command;
    if (!prepareOutputFolder(job.outputDir, job.replaceImage, error) || !findMkgmap(job.mkgmap, command, error))
        return false;
    QTemporaryDir work(QString::fromStdString((job.outputDir / ".join-XXXXXX").string()));
    if (!work.isValid()) {
        error = "cannot write into the folder " + job.outputDir.string();
        return false;
    }
    const fs::path workDir = work.path().toStdString();
    std::vector<std::string> words = {
        "--output-dir=" + workDir.string(),       "--family-id=" + std::to_string(job.familyId),
        "--product-id=1",                         "--family-name=" + job.name,
        "--series-name=" + job.name,              "--description=" + job.name,
        "--gmapsupp",
    };
    for (const fs::path& image : job.tileImages)
        words.push_back(fs::absolute(image).string());
    words.push_back(fs::absolute(job.typ).string());
    const MkgmapRun run = runMkgmap(command, words, workDir, {}, {});
    const fs::path made = workDir / "gmapsupp.img";
    if (!run.started || run.crashed || run.exitCode != 0 || !fs::exists(made)) {
        error = describeFailure(run);
        return false;
    }
    std::error_code ec;
    if (!job.replaceImage && fs::exists(imagePath(job.outputDir))) {
        error = "gmapsupp.img already exists in " + job.outputDir.string() + ".";
        return false;
    }
    fs::rename(made, imagePath(job.outputDir), ec);
    if (ec)
        error = "cannot put gmapsupp.img into " + job.outputDir.string() + ": " + ec.message();
    return !ec;
}

} // namespace orolith::garmin
