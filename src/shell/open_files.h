#pragma once

#include <string>
#include <vector>

namespace tarvel {
class TForm1;
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

// Appends the files that exist to the working playlist, each read as the library reads a file,
// and plays the first of them. A name that is no file is said on stderr and left out. False when
// none was a file.
bool PlayFiles(TForm1& form, const std::vector<std::string>& paths);

}  // namespace tarvel::shell
