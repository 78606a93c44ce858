#pragma once

#include "game_start/run_batch.h"
#include "session/program_folders.h"
#include "session/prompts.h"
#include "session/settings.h"
#include "session/settings_store.h"
#include "text/fs_alias.h"

namespace tolvane {

// A launch cycle is open while "Last ShipSet" names a package, or while the ship set directory
// holds a launch journal that is not closed: the journal is kept even where the settings could
// not be written, and a journal that cannot be read is open too, so that the player hears why.
bool LaunchCycleOpen(const Settings& settings, const SettingsStore& store);

// At a start with no cycle open: removes what an ended cycle may have left where a power cut or a
// crash stopped its last steps (its closed journal, RunXWA.bat, the working files of its runs in
// the program's folders). Nothing else is touched, and a step that fails harms nothing. A journal
// whose plan never reached the disk is moved aside, and the player told.
void RemoveEndedCycleLeftovers(const Settings& settings, const ProgramFolders& folders,
                               Prompts& prompts);

// Where the open cycle's game starts write RunXWA.bat, as its journal says.
RunBatchPlace RunBatchPlaceOfOpenCycle(const Settings& settings);

// The package of the open cycle: the one "Last ShipSet" names, else the journal's.
fs::path LastShipSetPackage(const Settings& settings, const SettingsStore& store);

}  // namespace tolvane
