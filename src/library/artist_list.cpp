#include "library/artist_list.h"

#include "platform/text/case_fold.h"

namespace tarvel::library {

void ArtistList::Clear() {
    names_.clear();
    numbers_.clear();
}

int ArtistList::Add(const std::string& name) {
    names_.push_back(name);
    const int number = count();
    numbers_.emplace(text::Lower(name), number);
    return number;
}

int ArtistList::Find(const std::string& name) const {
    const auto found = numbers_.find(text::Lower(name));
    return found == numbers_.end() ? 0 : found->second;
}

}  // namespace tarvel::library
