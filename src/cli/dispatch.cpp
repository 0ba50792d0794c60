#include "cli/commands.h"
#include "core/app/app_info.h"

#include <string_view>

namespace orolith::cli {

namespace {

constexpr std::string_view kUsage =
    "Usage: orolith COMMAND [OPTIONS]\n"
    "\n"
    "Turns elevation models (SRTM .hgt, GeoTIFF such as Copernicus tiles, ESRI ASCII grid, VRT;\n"
    "several files form one mosaic) or Geo Vector elevation bands into a Garmin map: every\n"
    "elevation band a polygon, coloured by a TYP style.\n"
    "\n"
    "Commands:\n"
    "  fetch AREA    fetch the elevation tiles of a coordinate or --bbox into the tile cache\n"
    "  img INPUT     make gmapsupp.img for the receiver with mkgmap (map, TYP and image)\n"
    "  mp INPUT      write the Polish map (.mp) of elevation models or a Geo Vector file\n"
    "  typ INPUT     write the TYP style text file and the companion polygon list\n"
    "  render INPUT  draw the elevation bands with the TYP's colours into a PNG picture\n"
    "  list INPUT    list the elevation bands and their polygon types\n"
    "  tile COORD    name the SRTM tile of a coordinate and its download address\n"
    "  join DIR      make gmapsupp.img of the tiles of a plan ('img --bbox ... --plan DIR')\n"
    "\n"
    "INPUT is one or more elevation models, one Geo Vector file, or --bbox S,W,N,E for the\n"
    "tiles of an area (fetched first). From an area to the receiver:\n"
    "  orolith img --bbox 49.4,5.7,50.2,6.6\n"
    "  then copy ~/Documents/Orolith/N49E005-N50E006/gmapsupp.img into the Garmin folder\n"
    "  of the receiver.\n"
    "\n"
    "Run 'orolith COMMAND --help' for the options of a command.\n"
    "  --help        show this text\n"
    "  --version     show the version\n";

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
    io.err << "orolith: unknown command '" << command << "'\nTry 'orolith --help'.\n";
    return 2;
}

} // namespace orolith::cli
