#pragma once

#include <string>
#include <vector>

#include "library/progress_display.h"
#include "library/scan_report.h"

// Finding the music files of a folder, and the items dropped on the main window.
namespace tarvel::library {

// True when a path holds no CR or LF. The library keeps one path a line, so a file whose path
// breaks a line cannot be held and is passed over by the search and the drops.
bool FitsOnALine(const std::string& path);

// True when the last component of a path has an extension (a "." in it), which makes a
// dropped item a file whatever it really is.
bool HasExtension(const std::string& path);

// Appends every plain file below `folder` whose extension is a music format's
// (formats::IsMusicFile) to `files`, as folder + "/" + name, in the order the file system lists
// entries, entering a subfolder when it is met. The box shows "Find music files: " and the running
// count after every find and is emptied at the end of every folder; it is hidden after the search.
// A folder that cannot be opened throws AppError; a subfolder that cannot be opened, and a matching
// entry that is not a plain file, whose path breaks a line or is too long to open, are passed over
// and noted in the report. A stop asked for through the report ends the search with ScanAbandoned.
void FindMusicFiles(const std::string& folder, std::vector<std::string>& files,
                    ProgressDisplay& display, ScanReport& report);

// The file list made from dropped items: an item with an extension is taken as it is, any other
// item is searched as a folder (FindMusicFiles). Items that do not fit on a line, and items with
// an extension that exist but are not plain files (a pipe, a device), are passed over and noted.
std::vector<std::string> CollectDroppedItems(const std::vector<std::string>& items,
                                             ProgressDisplay& display, ScanReport& report);

}  // namespace tarvel::library
