#include "cli/area_plan.h"

#include "core/style/typ_file.h"
#include "core/tiles/srtm_tile.h"
#include "download/tile_area.h"
#include "garmin/map_number.h"

#include <charconv>
#include <fstream>
#include <sstream>
#include <thread>

#ifndef _WIN32
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace orolith::cli {

namespace {

namespace fs = std::filesystem;

// The job options whose values are files or folders: made absolute, as jobs may run elsewhere.
const std::set<std::string> kPathOptions = {"--dir", "--palette", "--pattern", "--companion", "--mkgmap"};
// The options the plan sets for every job itself.
const std::set<std::string> kPlanOptions = {"--plan", "--bbox", "--output-dir", "--name", "--family-id", "--force",
                                            "--job"};

std::string shellWord(const std::string& word) {
    std::string text = "'";
    for (char c : word)
        text += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return text + "'";
}

std::string numberText(double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

// The words of `args` that every job repeats, paths made absolute.
std::vector<std::string> jobWords(Args args, const std::set<std::string>& valueOptions) {
    std::vector<std::string> words;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i], value;
        const bool joined = name.starts_with("--") && name.find('=') != std::string::npos;
        if (joined) {
            value = name.substr(name.find('=') + 1);
            name.erase(name.find('='));
        }
        const bool takesValue = valueOptions.count(name) != 0;
        if (takesValue && !joined && i + 1 < args.size())
            value = args[++i];
        if (kPlanOptions.count(name) != 0)
            continue;
        words.push_back(name);
        if (!takesValue)
            continue;
        if (kPathOptions.count(name) != 0 && (name != "--mkgmap" || value.find('/') != std::string::npos))
            value = fs::absolute(value).lexically_normal().string();
        words.push_back(value);
    }
    return words;
}

std::string programPath() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string("orolith") : self.string();
}

std::string planText(const AreaPlan& plan) {
    std::string tiles;
    for (const std::string& tile : plan.tiles)
        tiles += (tiles.empty() ? "" : " ") + tile;
    return "Orolith plan\r\nArea=" + plan.area + "\r\nName=" + plan.name + "\r\nFamily=" +
           std::to_string(plan.familyId) + "\r\nTiles=" + tiles + "\r\nJob=" + plan.job + "\r\n";
}

std::string slurmScript(const fs::path& dir, std::size_t jobs) {
    return "#!/bin/sh\n"
           "# One task per tile: sbatch " + shellWord((dir / "slurm.sh").string()) + "; when all are done: orolith join " +
           shellWord(dir.string()) + "\n"
           "#SBATCH --job-name=orolith\n"
           "#SBATCH --array=1-" + std::to_string(jobs) + "\n"
           "#SBATCH --cpus-per-task=2\n"
           "#SBATCH --mem=3G\n"
           "#SBATCH --output=" + (dir / "logs" / "tile-%a.log").string() + "\n"
           "exec sh -c \"$(sed -n \"${SLURM_ARRAY_TASK_ID}p\" " + shellWord((dir / "jobs.txt").string()) + ")\"\n";
}

// One command line per tile: `orolith img --job` of the tile into DIR/tiles/NAME.
std::string jobLines(const AreaPlan& plan, const std::vector<TileCorner>& tiles, const fs::path& dir) {
    std::string jobs;
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        const TileCorner& tile = tiles[i];
        jobs += shellWord(programPath()) + " img --bbox " + std::to_string(tile.lat) + "," + std::to_string(tile.lon) +
                "," + std::to_string(tile.lat + 1) + "," + std::to_string(tile.lon + 1) + " --output-dir " +
                shellWord((dir / "tiles" / plan.tiles[i]).string()) + " --name " + shellWord(plan.name) +
                " --family-id " + std::to_string(plan.familyId) + " --job " + plan.job + "\n";
    }
    return jobs;
}

bool writeText(const fs::path& path, const std::string& text, bool executable) {
    const fs::path temporary = path.string() + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << text;
        if (!out.flush())
            return false;
    }
    std::error_code ec;
    if (executable)
        fs::permissions(temporary, fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec,
                        fs::perm_options::add, ec);
    fs::rename(temporary, path, ec);
    return !ec;
}

} // namespace

std::optional<AreaPlan> readPlan(const fs::path& dir, std::string& error) {
    std::ifstream in(dir / "plan.txt", std::ios::binary);
    std::string line;
    if (!in || !std::getline(in, line) || line != "Orolith plan\r") {
        error = (dir / "plan.txt").string() + " is missing or is no plan";
        return std::nullopt;
    }
    AreaPlan plan;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::size_t equals = line.find('=');
        const std::string key = line.substr(0, equals), value = equals == std::string::npos ? "" : line.substr(equals + 1);
        if (key == "Area")
            plan.area = value;
        else if (key == "Name")
            plan.name = value;
        else if (key == "Family")
            plan.familyId = garmin::parseFamilyId(value).value_or(0);
        else if (key == "Job")
            plan.job = value;
        else if (key == "Tiles")
            for (std::istringstream words(value); words >> line;)
                plan.tiles.push_back(line);
    }
    if (plan.familyId == 0 || plan.tiles.empty()) {
        error = (dir / "plan.txt").string() + " is incomplete";
        return std::nullopt;
    }
    return plan;
}

int writePlan(Args args, const ParsedArgs& parsed, const std::set<std::string>& valueOptions,
              const CommandInfo& command, Streams& io) {
    const auto bbox = parsed.value("--bbox");
    if (!bbox || !parsed.positional.empty())
        return usageError(io, command, "--plan takes its area from --bbox, without INPUT");
    for (const char* option : {"--output-dir", "--map-id"})
        if (parsed.value(option))
            return usageError(io, command, std::string(option) + " does not go with --plan: each tile has its own");
    std::string problem;
    const auto box = download::parseBoundingBox(*bbox, problem);
    if (!box)
        return usageError(io, command, problem);
    AreaPlan plan;
    plan.familyId = kDefaultFamilyId;
    if (const auto family = parsed.value("--family-id")) {
        const auto value = garmin::parseFamilyId(*family);
        if (!value)
            return usageError(io, command, "--family-id takes a number from 1 to 65535, not '" + *family + "'");
        plan.familyId = *value;
    }
    const std::vector<TileCorner> tiles = download::tilesCovering(*box);
    plan.area = numberText(box->south) + "," + numberText(box->west) + "," + numberText(box->north) + "," +
                numberText(box->east);
    plan.name = parsed.value("--name").value_or(tileName(tiles.front()) + "-" + tileName(tiles.back()));
    for (const TileCorner& tile : tiles)
        plan.tiles.push_back(tileName(tile));
    std::vector<std::string> words = jobWords(args, valueOptions);
    if (!parsed.value("--bands"))
        words.insert(words.end(), {"--bands", kPlanBands});
    for (const std::string& word : words)
        plan.job += (plan.job.empty() ? "" : " ") + shellWord(word);

    const fs::path dir = fs::absolute(*parsed.value("--plan")).lexically_normal();
    const std::string text = planText(plan);
    std::string error;
    if (fs::exists(dir / "plan.txt")) {
        const auto theirs = readPlan(dir, error);
        if (!theirs || planText(*theirs) != text) {
            io.err << "orolith " << command.name << ": " << dir.string() << " already holds the plan of another area ("
                   << (theirs ? theirs->area : error) << "); choose another folder\n";
            return 1;
        }
    }
    const std::string jobs = jobLines(plan, tiles, dir);
    std::error_code ec;
    fs::create_directories(dir / "logs", ec);
    if (ec || !writeText(dir / "jobs.txt", jobs, false) || !writeText(dir / "slurm.sh", slurmScript(dir, tiles.size()), true) ||
        !writeText(dir / "plan.txt", text, false)) {
        io.err << "orolith " << command.name << ": cannot write the plan into " << dir.string() << "\n";
        return 1;
    }
    io.out << "Plan: " << tiles.size() << " jobs in " << (dir / "jobs.txt").string() << "\n"
           << "Run them with GNU parallel (parallel -j" << std::max(1u, std::thread::hardware_concurrency())
           << " < jobs.txt) or Slurm (sbatch slurm.sh), then: orolith join " << dir.string() << "\n";
    return 0;
}

JobLock::~JobLock() {
#ifndef _WIN32
    if (fd_ >= 0)
        ::close(fd_);
#endif
}

bool JobLock::take(const fs::path& folder, std::string& error) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        error = "cannot create the folder " + folder.string() + ": " + ec.message();
        return false;
    }
#ifndef _WIN32
    fd_ = ::open((folder / ".job.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    int result = -1;
    while (fd_ >= 0 && (result = ::flock(fd_, LOCK_EX)) != 0 && errno == EINTR) {
    }
    if (fd_ < 0 || result != 0) {
        error = "cannot lock the folder " + folder.string();
        return false;
    }
#endif
    return true;
}

} // namespace orolith::cli
