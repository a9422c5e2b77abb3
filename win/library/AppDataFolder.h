// Where the program keeps its files: a "Brindlex" folder in the user's application-data folder.
#pragma once

#include "win/framework/CScopedOverride.h"

#include <string>

namespace brindlex {

// Whether the user's application-data folder is there. Without it the settings folder would
// fall back to the root of the drive, so the program does not start.
bool AppDataBaseExists();
// The settings folder, created (one level) when it does not exist yet.
std::u16string GetAppDataFolder();
// "<settings folder>\Settings.ini" and "<settings folder>\Brindlex.dat" (the default data file).
std::u16string GetSettingsFilePath();
std::u16string GetDefaultDataFilePath();

// Tests: for its lifetime, a folder stands in for the user's application-data folder, so that
// each test has a settings folder of its own.
using CAppDataBaseOverride = CScopedOverride<std::u16string, struct AppDataBaseTag>;

} // namespace brindlex
