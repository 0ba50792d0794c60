#pragma once
// Spreading `orolith img --bbox` over machines. `--plan DIR` writes one job per 1° tile of the
// box into DIR/jobs.txt, one command line each: an `orolith img --job` of that tile into
// DIR/tiles/NAME, independent of the others and safe to run again. An engine schedules,
// retries and spreads them: GNU parallel (`parallel -j4 < DIR/jobs.txt`, or across hosts with
// --sshloginfile and DIR on a shared folder) or a Slurm job array (DIR/slurm.sh, one task per
// tile). `orolith join DIR` then makes the tiles' images one gmapsupp.img.
//
// DIR/plan.txt names the area, the map and the job options; a folder that holds another plan
// is refused. Every tile gets the same polygon types (the bands of kPlanBands at least), so
// the TYP of one tile serves them all. jobs.txt and slurm.sh are read by shells and end their
// lines with LF alone.

#include "cli/commands.h"
#include "cli/option_reader.h"

#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace orolith::cli {

// The bands every tile of a plan has, from the lowest land to the highest summit.
inline constexpr char kPlanBands[] = "-500,9000";

// What plan.txt says.
struct AreaPlan {
    std::string area; // "S,W,N,E"
    std::string name;
    int familyId = 0;
    std::vector<std::string> tiles; // "N46E007", each in DIR/tiles/<name>
    std::string job;                // the options every job repeats
};

// Writes the plan of `orolith img` with `args` (holding --bbox and --plan) whose value options
// are `valueOptions`. The exit code: 0 written, 1 not (another plan in the folder), 2 a usage error.
int writePlan(Args args, const ParsedArgs& parsed, const std::set<std::string>& valueOptions,
              const CommandInfo& command, Streams& io);

// Reads DIR/plan.txt; nothing, with `error`, when there is no readable plan.
std::optional<AreaPlan> readPlan(const std::filesystem::path& dir, std::string& error);

// A job's hold on its tile's output folder: a second job on the same tile waits here until the
// first ends (also on another host, through the shared folder's locks).
class JobLock {
  public:
    JobLock() = default;
    ~JobLock();
    JobLock(const JobLock&) = delete;
    JobLock& operator=(const JobLock&) = delete;
    // Creates the folder and takes its lock, waiting for another holder. False with `error`.
    bool take(const std::filesystem::path& folder, std::string& error);

  private:
    int fd_ = -1;
};

} // namespace orolith::cli
