#pragma once

#include <string>

namespace tarvel::testing {

// A fresh folder under $TMPDIR for one test, removed with everything in it at the end.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    // path() + "/" + name
    std::string operator/(const std::string& name) const;

  private:
    std::string path_;
};

// Writes bytes to a file (creating its folders) and reads them back, for fixtures.
void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
// What lies under a name, to compare before and after: a regular file's bytes, the kind (and a
// link's target) of anything else, "<nothing>" when there is nothing. Never opens what it finds
// but a regular file, so a named pipe or a device is safe to look at.
std::string EntryText(const std::string& path);

}  // namespace tarvel::testing
