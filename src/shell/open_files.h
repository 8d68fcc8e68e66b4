#pragma once

#include <string>
#include <vector>

#include "config/settings.h"
#include "library/id3_text.h"
#include "library/song_record.h"

namespace tarvel::system {
class SystemServices;
}

// Files given to the player from outside: on its command line, from a file manager through the
// desktop entry, from a later start that finds this one running, or over the media-control bus.
namespace tarvel::shell {

// The files named on a command line (the arguments after the program's name that are not
// options), relative ones taken from `cwd`.
std::vector<std::string> FileArguments(int argc, char** argv, const std::string& cwd);

// The list of paths as one message body and back: each path followed by a zero byte.
std::string JoinPaths(const std::vector<std::string>& paths);
std::vector<std::string> SplitPaths(const std::string& bytes);

// The items given to the program (handed over, or dropped on the library when `for_library`)
// that it can take, in order; the others are named to the user in one message. A file is taken
// when it plays; for the library also when its extension is a music format's, and a folder is
// taken too.
std::vector<std::string> TakePlayable(const std::vector<std::string>& items,
                                      system::SystemServices& services, bool for_library);

// The files that play as playlist rows, each read as the library reads a file, from row 1 (row
// 0 is empty). The others are named to the user (TakePlayable); a name too long for a playlist,
// and a file that does not hold the format its name claims, are said on stderr and left out.
library::masTag PlayableRows(const std::vector<std::string>& paths,
                             system::SystemServices& services, library::UnmarkedText unmarked);

// How tag text without a declared encoding is read, as Preferences' "Tags without an encoding"
// says.
library::UnmarkedText UnmarkedChoice(const config::Settings& settings);

}  // namespace tarvel::shell
