#pragma once
// What the fuzz targets share: a host that stays silent, a scratch file for readers that
// take a path, and a way to stop with a message when a property does not hold.

#include "core/host.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#ifdef _WIN32
#include <process.h>
#define OROLITH_FUZZ_PID _getpid()
#else
#include <unistd.h>
#define OROLITH_FUZZ_PID ::getpid()
#endif

namespace orolith::fuzz {

class QuietHost : public Host {
  public:
    void message(MessageKind, std::string_view) override {}
    bool ask(std::string_view) override { return false; }
};

inline std::string_view textOf(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// A broken property: the input that shows it is kept by the fuzzer (or named by the replay).
[[noreturn]] inline void broken(const char* what) {
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

// `bytes` written to this process's scratch file `name`, removed when the process ends.
inline std::filesystem::path scratchFile(std::string_view bytes, const std::string& name = "input") {
    struct Folder {
        // A memory file system where there is one: rewriting a file on disk costs a flush.
        std::filesystem::path path = (std::filesystem::is_directory("/dev/shm") ? std::filesystem::path("/dev/shm")
                                                                                 : std::filesystem::temp_directory_path()) /
                                     ("orolith-fuzz-" + std::to_string(OROLITH_FUZZ_PID));
        Folder() { std::filesystem::create_directories(path); }
        ~Folder() {
            std::error_code ec;
            std::filesystem::remove_all(path, ec);
        }
    };
    static const Folder folder;
    const auto path = folder.path / name;
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

} // namespace orolith::fuzz
