#pragma once
// INTERIM stand-in until the styling branch is merged; removed before merging main.
#include "core/host.h"

#include <string>

namespace orolith {

std::string defaultHome(const std::string& exeFolder);
void ensureHomeFolders(const std::string& home, Host& host);

} // namespace orolith
