#include "cli/commands.h"
#include "core/app/app_info.h"

#include <string_view>

namespace orolith::cli {

namespace {

constexpr std::string_view kUsage =
    "Usage: orolith COMMAND [OPTIONS]\n"
    "\n"
    "Turns Geo Vector elevation bands into Garmin map sources.\n"
    "\n"
    "Commands:\n"
    "  mp INPUT     write the Polish map (.mp) of a Geo Vector file\n"
    "  list INPUT   list the elevations of a Geo Vector file and their polygon types\n"
    "  typ INPUT    write the TYP style text file and the companion polygon list\n"
    "  img INPUT    make gmapsupp.img for the receiver with mkgmap (map, TYP and image)\n"
    "  tile COORD   name the SRTM tile of a coordinate and its download address\n"
    "  render INPUT draw the elevation bands with the TYP's colours into a PNG picture\n"
    "  fetch AREA   fetch the elevation tiles of a coordinate or --bbox into the cache\n"
    "  join DIR     make gmapsupp.img of the tiles of a plan ('img --bbox ... --plan DIR')\n"
    "\n"
    "Run 'orolith COMMAND --help' for the options of a command.\n"
    "  --help       show this text\n"
    "  --version    show the version\n";

} // namespace

int runMain(Args args, Streams& io) {
    if (args.empty()) {
        io.err << kUsage;
        return 2;
    }
    const std::string& command = args.front();
    const Args rest = args.subspan(1);
    if (command == "--help" || command == "-h" || command == "help") {
        io.out << kUsage;
        return 0;
    }
    if (command == "--version") {
        io.out << "orolith " << app::kVersionText << "\n";
        return 0;
    }
    if (command == "mp")
        return runMp(rest, io);
    if (command == "list")
        return runList(rest, io);
    if (command == "typ")
        return runTyp(rest, io);
    if (command == "img")
        return runImg(rest, io);
    if (command == "tile")
        return runTile(rest, io);
    if (command == "render")
        return runRender(rest, io);
    if (command == "fetch")
        return runFetch(rest, io);
    if (command == "join")
        return runJoin(rest, io);
    io.err << "orolith: unknown command '" << command << "'\n\n" << kUsage;
    return 2;
}

} // namespace orolith::cli
