#pragma once
// What a run made, so that a cancelled run can take it away again: the files that were not
// there before it, and the folder it created. Files that were there are left as they are.

#include <filesystem>
#include <vector>

namespace orolith::cli {

class RunTrail {
  public:
    // Before the run may create `folder`.
    void noteFolder(const std::filesystem::path& folder);
    // Before the run writes `file`.
    void noteFile(const std::filesystem::path& file);
    // Removes the noted files the run made and then the folder, when nothing else is in it.
    void undo() const;

  private:
    std::vector<std::filesystem::path> files_;
    std::filesystem::path folder_;
};

} // namespace orolith::cli
