#include "cli/cli_host.h"

#include "cli/interrupt_catcher.h"
#include "core/platform/text_split.h"

#include <algorithm>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace orolith::cli {

std::string CliHost::plainLines(std::string_view text) {
    std::string plain;
    plain.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        plain += text[i];
    }
    return plain;
}

void CliHost::message(MessageKind kind, std::string_view text) {
    endProgress();
    std::ostream& stream = kind == MessageKind::Notice ? io_.out : io_.err;
    // The window's short "created:PATH" reads as every other command's result line here.
    constexpr std::string_view kShortCreated = "created:";
    if (kind == MessageKind::Notice && text.starts_with(kShortCreated))
        stream << "Created " << plainLines(text.substr(kShortCreated.size())) << '\n';
    else
        stream << plainLines(text) << '\n';
    stream.flush();
}

bool CliHost::ask(std::string_view text) {
    endProgress();
    io_.err << plainLines(text) << '\n' << "No";
    if (!declineHint_.empty())
        io_.err << ": " << declineHint_;
    io_.err << '\n';
    return false;
}

void CliHost::progress(double percent) {
    if (!io_.errIsTerminal)
        return;
    const int whole = static_cast<int>(std::clamp(percent, 0.0, 100.0));
    if (whole <= shownPercent_) // only forward: the first call reports 1 %
        return;
    shownPercent_ = whole;
    io_.err << '\r' << progressLabel_ << "... " << whole << '%';
    io_.err.flush();
}

bool CliHost::cancelled() {
    return InterruptCatcher::raised();
}

void CliHost::endProgress() {
    if (shownPercent_ < 0)
        return;
    shownPercent_ = -1;
    io_.err << "\r\033[K";
    io_.err.flush();
}

std::filesystem::path executableFolder() {
#ifdef _WIN32
    wchar_t buffer[32768];
    const DWORD length = GetModuleFileNameW(nullptr, buffer, 32768);
    if (length > 0 && length < 32768)
        return std::filesystem::path(std::wstring(buffer, length)).parent_path();
#else
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec)
        return self.parent_path();
#endif
    return std::filesystem::current_path();
}

std::vector<std::string> splitList(std::string_view text) {
    std::vector<std::string> pieces;
    for (const std::string_view piece : splitAt(text, ","))
        if (!piece.empty())
            pieces.emplace_back(piece);
    return pieces;
}

} // namespace orolith::cli
