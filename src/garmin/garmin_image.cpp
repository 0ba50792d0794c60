#include "garmin/garmin_image.h"

#include "core/platform/temporary_files.h"
#include "garmin/image_header.h"
#include "garmin/java_heap.h"
#include "garmin/mkgmap_progress.h"
#include "garmin/mkgmap_run.h"

#include <QLockFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>

namespace orolith::garmin {

namespace {

namespace fs = std::filesystem;

constexpr char kImageName[] = "gmapsupp.img";

constexpr char kWorkPrefix[] = ".gmapsupp-";
constexpr char kLockName[] = "in-use.lock";

// Work folders of runs that were killed (their lock has no living owner) hold copies of the
// map and mkgmap's half-done files: removed before a new run starts.
void removeAbandonedWorkFolders(const fs::path& outputDir) {
    std::error_code ec;
    std::vector<fs::path> abandoned;
    for (const auto& entry : fs::directory_iterator(outputDir, ec)) {
        if (!entry.is_directory() || !entry.path().filename().string().starts_with(kWorkPrefix))
            continue;
        QLockFile lock(QString::fromStdString((entry.path() / kLockName).string()));
        lock.setStaleLockTime(0);
        if (lock.tryLock(0)) {
            lock.unlock();
            abandoned.push_back(entry.path());
        }
    }
    for (const fs::path& folder : abandoned)
        fs::remove_all(folder, ec);
}

// The run's work folder, locked for as long as the run holds it.
struct WorkFolder {
    QTemporaryDir folder;
    QLockFile lock;
    explicit WorkFolder(const fs::path& outputDir)
        : folder(QString::fromStdString((outputDir / (std::string(kWorkPrefix) + "XXXXXX")).string())),
          lock(folder.filePath(kLockName)) {}
};

std::unique_ptr<WorkFolder> makeWorkFolder(const fs::path& outputDir, std::string& error) {
    auto work = std::make_unique<WorkFolder>(outputDir);
    if (!work->folder.isValid() || !work->lock.tryLock(0)) {
        error = "cannot write into the folder " + outputDir.string() + ": " +
                work->folder.errorString().toStdString();
        return nullptr;
    }
    return work;
}

std::string joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words)
        text += (text.empty() ? "" : ",") + word;
    return text;
}

// mkgmap splits its list of elevation folders at commas, and a folder's name may hold one:
// each folder is named to it by a link in the work folder, "dem-1", "dem-2", …, relative to
// the work folder it runs in. Where links cannot be made, a name without a comma is given as it is.
bool linkDemFolders(const std::vector<fs::path>& folders, const fs::path& workDir,
                    std::vector<std::string>& names, std::string& error) {
    for (std::size_t i = 0; i < folders.size(); ++i) {
        const std::string name = "dem-" + std::to_string(i + 1);
        std::error_code ec;
        fs::create_directory_symlink(folders[i], workDir / name, ec);
        if (!ec) {
            names.push_back(name);
        } else if (folders[i].string().find(',') == std::string::npos) {
            names.push_back(folders[i].string());
        } else {
            error = "mkgmap cannot be given the elevation folder " + folders[i].string() +
                    " (a comma in its name)";
            return false;
        }
    }
    return true;
}

std::vector<std::string> mkgmapArguments(const ImageJob& job, const fs::path& workDir,
                                         const std::vector<fs::path>& tiles, std::uint32_t firstNumber,
                                         const std::vector<std::string>& demFolders) {
    const std::string name = job.name.empty() ? job.map.stem().string() : job.name;
    std::vector<std::string> words = {
        "--output-dir=" + workDir.string(),
        "--family-id=" + std::to_string(job.familyId),
        "--product-id=1",
        "--family-name=" + name,
        "--series-name=" + name,
        "--description=" + name,
        "--transparent",
        "--draw-priority=" + std::to_string(kDrawPriority),
        "--gmapsupp",
        "--tdbfile",
    };
    if (!demFolders.empty()) {
        std::vector<std::string> distances;
        for (int distance : job.demDistances)
            distances.push_back(std::to_string(distance));
        words.push_back("--dem=" + joined(demFolders));
        if (!distances.empty())
            words.push_back("--dem-dists=" + joined(distances));
    }
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        words.push_back("--mapname=" + std::to_string(firstNumber + i));
        words.push_back(tiles[i].string());
    }
    words.push_back(job.typText.string());
    return words;
}

// Moves mkgmap's files into the output folder, gmapsupp.img last. The map tiles stay behind.
bool moveResults(const fs::path& workDir, const ImageJob& job, std::string& error) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(workDir, ec)) {
        const fs::path& file = entry.path();
        if (!entry.is_regular_file() || file.extension() == ".mp" || file.filename() == kImageName ||
            file.filename() == kLockName)
            continue;
        fs::rename(file, job.outputDir / file.filename(), ec);
        if (ec)
            break;
    }
    if (!ec && !job.replaceImage && fs::exists(imagePath(job.outputDir))) {
        error = std::string(kImageName) + " already exists in " + job.outputDir.string() + ".";
        return false;
    }
    if (!ec)
        fs::rename(workDir / kImageName, imagePath(job.outputDir), ec);
    if (ec)
        error = "cannot put the new files into " + job.outputDir.string() + ": " + ec.message();
    return !ec;
}

// Tells the progress about mkgmap's run once a second and whenever a tile is finished.
class TileWatch {
  public:
    TileWatch(ImageProgress& progress, std::size_t tiles) : progress_(progress), clock_(tiles) {}
    bool operator()(std::size_t finished) {
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
        const auto second = static_cast<long long>(elapsed);
        if (finished != shownFinished_ || second != shownSecond_) {
            shownFinished_ = finished;
            shownSecond_ = second;
            const MkgmapProgress now = clock_.at(finished, elapsed);
            progress_.stage(mkgmapProgressText(now), 10.0 + 0.85 * now.percent);
        }
        return progress_.cancelled();
    }

  private:
    ImageProgress& progress_;
    MkgmapClock clock_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    std::size_t shownFinished_ = static_cast<std::size_t>(-1);
    long long shownSecond_ = -1;
};

} // namespace

std::vector<int> hillShadingDistances(int samplesPerDegree) {
    // mkgmap counts in units of 360° / 2^32: one arc second is about 3314 of them.
    const double unitsPerSample = 4294967296.0 / 360.0 / std::max(samplesPerDegree, 1);
    std::vector<int> distances;
    for (int factor : {1, 4, 8, 16, 32, 64})
        distances.push_back(static_cast<int>(std::lround(unitsPerSample * factor)));
    return distances;
}

fs::path imageFolderFor(const fs::path& inputFolder, const std::string& stem) {
    if (inputFolder.filename() == stem)
        return inputFolder;
    const fs::path folder = inputFolder / stem;
    std::error_code ec;
    if (fs::exists(folder, ec) && !fs::is_directory(folder, ec))
        return inputFolder / (stem + "-garmin");
    return folder;
}

fs::path imagePath(const fs::path& outputDir) {
    return outputDir / kImageName;
}

bool prepareOutputFolder(const fs::path& outputDir, bool replaceImage, std::string& error) {
    std::error_code ec;
    fs::create_directories(outputDir, ec);
    if (ec) {
        error = "cannot create the folder " + outputDir.string() + ": " + ec.message();
        return false;
    }
    if (!replaceImage && fs::exists(imagePath(outputDir), ec)) {
        error = std::string(kImageName) + " already exists in " + outputDir.string() + ".";
        return false;
    }
    return makeWorkFolder(outputDir, error) != nullptr;
}

namespace {

ImageResult makeImage(const ImageJob& given, ImageProgress& progress) {
    // mkgmap runs in the work folder: every path it is given must hold from there.
    ImageJob job = given;
    std::error_code ec;
    job.map = fs::absolute(job.map, ec);
    job.typText = fs::absolute(job.typText, ec);
    job.outputDir = fs::absolute(job.outputDir, ec);
    for (fs::path& folder : job.demFolders)
        folder = fs::absolute(folder, ec);
    ImageResult result;
    MkgmapCommand command;
    if (!prepareOutputFolder(job.outputDir, job.replaceImage, result.error))
        return result;
    removeAbandonedWorkFolders(job.outputDir);
    if (!findMkgmap(job.mkgmap, command, result.error))
        return result;
    progress.stage("Reading the map", 1);
    MapSurvey survey;
    if (!surveyMap(job.map, survey, result.error))
        return result;
    const auto tiles = planTiles(survey, job.limits);
    sizeJavaHeap(command, survey, tiles);
    result.tiles = tiles.size();
    result.firstNumber = job.mapNumber.value_or(mapNumberForArea(survey.bounds));
    if (result.firstNumber + (tiles.size() - 1) > kLastMapNumber) {
        result.error = "the map number " + std::to_string(result.firstNumber) + " leaves no room for the " +
                       std::to_string(tiles.size()) + " tiles of this map";
        return result;
    }
    const auto work = makeWorkFolder(job.outputDir, result.error);
    if (!work)
        return result;
    const fs::path workDir = work->folder.path().toStdString();
    std::vector<fs::path> inputs = {job.map};
    if (tiles.size() > 1) {
        progress.stage("Cutting the map into " + std::to_string(tiles.size()) + " tiles", 5);
        if (!writeTiles(job.map, survey, tiles, workDir, result.firstNumber, inputs, result.error))
            return result;
    }
    if (progress.cancelled()) {
        result.cancelled = true;
        result.error = "Cancelled.";
        return result;
    }
    std::vector<std::string> demFolders;
    if (!linkDemFolders(job.demFolders, workDir, demFolders, result.error))
        return result;
    std::vector<std::string> tileImages;
    for (std::size_t i = 0; i < tiles.size(); ++i)
        tileImages.push_back(std::to_string(result.firstNumber + i) + ".img");
    TileWatch watch(progress, tiles.size());
    const MkgmapRun run =
        runMkgmap(command, mkgmapArguments(job, workDir, inputs, result.firstNumber, demFolders), workDir,
                  tileImages, watch);
    if (run.cancelled) {
        result.cancelled = true;
        result.error = "Cancelled.";
        return result;
    }
    if (!run.started || run.crashed || run.exitCode != 0 || run.failedMaps > 0 ||
        !fs::exists(workDir / kImageName)) {
        result.error = describeFailure(run);
        return result;
    }
    if (!hasGarminImageHeader(workDir / kImageName)) {
        result.error = "mkgmap wrote a gmapsupp.img that is no Garmin image; nothing was replaced.";
        return result;
    }
    progress.stage("Putting gmapsupp.img in place", 97);
    if (!moveResults(workDir, job, result.error))
        return result;
    result.made = true;
    result.image = imagePath(job.outputDir);
    result.size = fs::file_size(result.image, ec);
    progress.stage("Done", 100);
    return result;
}

} // namespace

ImageResult makeGarminImage(const ImageJob& job, ImageProgress& progress) {
    ImageResult result = makeImage(job, progress);
    // A signal stopped mkgmap: its work folder is gone now, and the program ends as the signal says.
    passSignalsTo(0);
    if (const int signalNumber = heldSignal(); signalNumber != 0)
        stopBySignal(signalNumber);
    return result;
}

} // namespace orolith::garmin
