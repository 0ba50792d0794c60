#include "support/test_support.h"

#include "core/platform/paths.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace orolith::testing {

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    std::ostringstream name;
    name << "orolith-test-" << stamp << "-" << counter++;
    path_ = std::filesystem::temp_directory_path() / name.str();
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ec;
    // Tests may take write permission away; give it back so everything can go.
    for (auto it = std::filesystem::recursive_directory_iterator(path_, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ec);
    std::filesystem::remove_all(path_, ec);
}

std::filesystem::path TempDir::write(const std::string& name, const std::string& bytes) const {
    const auto file = path_ / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
    return file;
}

std::string readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string crlf(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}

std::string crlfLines(std::string_view barSeparated) {
    std::string text;
    for (const char c : barSeparated)
        text += c == '|' ? std::string("\r\n") : std::string(1, c);
    return text + "\r\n";
}

std::filesystem::path sourceDir() {
    return OROLITH_SOURCE_DIR;
}

std::vector<std::string> fileNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool makeReadOnly(const std::filesystem::path& folder) {
    std::filesystem::permissions(folder,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    return ::geteuid() != 0;
}

bool haveMkgmap() {
    return std::system("command -v mkgmap >/dev/null 2>&1") == 0;
}

int runMkgmap(const std::filesystem::path& outDir, const std::vector<std::string>& arguments,
              std::string& log) {
    std::filesystem::create_directories(outDir);
    const std::string logFile = outDir.string() + ".log";
    std::string command = "mkgmap --output-dir='" + outDir.string() + "'";
    for (const auto& argument : arguments)
        command += " '" + argument + "'";
    const int status = std::system((command + " >'" + logFile + "' 2>&1").c_str());
    log = readBytes(logFile);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void RecordingHost::message(MessageKind kind, std::string_view text) {
    messages.emplace_back(kind, text);
}

bool RecordingHost::ask(std::string_view text) {
    questions.emplace_back(text);
    if (answers.empty())
        return defaultAnswer;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

void RecordingHost::progress(double percent) {
    progressValues.push_back(percent);
    ++progressCalls;
    if (onProgress)
        onProgress(progressCalls);
}

void RecordingHost::launch(const std::filesystem::path& program, const std::filesystem::path& argument) {
    launches.emplace_back(pathText(program), pathText(argument));
}

std::vector<std::string> RecordingHost::texts(MessageKind kind) const {
    std::vector<std::string> result;
    for (const auto& [k, text] : messages)
        if (k == kind)
            result.push_back(text);
    return result;
}

} // namespace orolith::testing
