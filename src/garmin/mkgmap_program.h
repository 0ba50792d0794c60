#pragma once
// Finding mkgmap: a program named by the user (mkgmap itself or its .jar file), else the
// mkgmap program on the PATH, else its .jar file where packages install it, run with java.

#include <string>
#include <vector>

namespace orolith::garmin {

inline constexpr char kMkgmapMissing[] =
    "mkgmap was not found. Install the mkgmap package, or name its program or .jar file.";
inline constexpr char kJavaMissing[] =
    "Java was not found: mkgmap's .jar file needs the java program. Install a Java runtime "
    "(on Debian the default-jre package).";

// How to start mkgmap: the program and the words that come before mkgmap's own options.
struct MkgmapCommand {
    std::string program;
    std::vector<std::string> leadingArguments;
    // Set for a program that starts Java itself: the Java options go through the environment.
    std::string javaToolOptions;
};

// The Java heap allowed to mkgmap, as a share of the machine's memory: large areas of fine
// bands need several gigabytes, and Java's own default (a quarter) is too small for them.
inline constexpr char kJavaHeapOption[] = "-XX:MaxRAMPercentage=60";

// `named` empty: search. Otherwise a program (a path or a name on the PATH) or a .jar file.
// False with `error` (kMkgmapMissing or kJavaMissing) when mkgmap cannot be started.
bool findMkgmap(const std::string& named, MkgmapCommand& command, std::string& error);

} // namespace orolith::garmin
