#pragma once

#include <string>
#include <unordered_map>
#include <vector>

namespace tarvel::library {

// The artists of the library in the order of their numbers (N of Artist<N>.tft, from 1).
// Lookups ignore letter case and find the lowest number among names that differ only in case,
// as a walk from the first artist would; a hash of the lower-case names makes it constant time.
class ArtistList {
  public:
    void Clear();
    // Adds an artist and returns its number.
    int Add(const std::string& name);
    // The number of the artist, or 0 when it is not in the list.
    int Find(const std::string& name) const;
    int count() const { return static_cast<int>(names_.size()); }
    const std::vector<std::string>& names() const { return names_; }

  private:
    std::vector<std::string> names_;                // number N at index N - 1
    std::unordered_map<std::string, int> numbers_;  // lower-case name -> lowest number
};

}  // namespace tarvel::library
