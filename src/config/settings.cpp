#include "config/settings.h"

#include <algorithm>
#include <cassert>

#include "platform/text/number_text.h"

namespace tarvel::config {
namespace {

// The radio groups of the menus, in menu order. Internal and External1 follow the engine.
enum class Group {
    Engine,
    EngineParent,
    ArtistPanels,
    Loading,
    AlbumSort,
    SearchScope,
    SearchMatch,
    SongSort,
    Shuffle,
    Repeat,
    Sleep,
    QuickPlay,
    TagEncoding,
    Leveling,
};

struct ItemInfo {
    std::string_view name;
    Group group;
};

constexpr std::array<ItemInfo, kItemCount> kItems = {{
    {"mFmod", Group::Engine},
    {"mBass", Group::Engine},
    {"Apollo", Group::Engine},
    {"Winamp", Group::Engine},
    {"Internal", Group::EngineParent},
    {"External1", Group::EngineParent},
    {"mSeparateRusEng", Group::ArtistPanels},
    {"mIncorporated1", Group::ArtistPanels},
    {"Autoloadplayer1", Group::Loading},
    {"AutoloadPlayListWithoutautoplay1", Group::Loading},
    {"Byyear", Group::AlbumSort},
    {"ByAz", Group::AlbumSort},
    {"InActivArtist1", Group::SearchScope},
    {"InAllLibrary2", Group::SearchScope},
    {"InActivArtist2", Group::SearchScope},
    {"InActivAlbum1", Group::SearchScope},
    {"Artist1", Group::SearchScope},
    {"InAllLibrary1", Group::SearchScope},
    {"InAllworld1", Group::SearchMatch},
    {"StartAt1", Group::SearchMatch},
    {"ByNomSong", Group::SongSort},
    {"ByAZsong", Group::SongSort},
    {"mShuffLib", Group::Shuffle},
    {"mShuffRus", Group::Shuffle},
    {"mShuffEng", Group::Shuffle},
    {"mShuffActArt", Group::Shuffle},
    {"mShuffActAlb", Group::Shuffle},
    {"mShuffLib100", Group::Shuffle},
    {"mShuffRus100", Group::Shuffle},
    {"mShuffEng100", Group::Shuffle},
    {"mShuffPlist", Group::Shuffle},
    {"repeatOne1", Group::Repeat},
    {"RepeatAllPlayList1", Group::Repeat},
    {"Afterendplaylist1", Group::Sleep},
    {"AfterendTimer1", Group::Sleep},
    {"Enabled1", Group::QuickPlay},
    {"TagsWindows1251", Group::TagEncoding},
    {"TagsLatin1", Group::TagEncoding},
    {"TagsGuess", Group::TagEncoding},
    {"LevelingOff", Group::Leveling},
    {"LevelingTrack", Group::Leveling},
    {"LevelingAlbum", Group::Leveling},
}};

Group GroupOf(Item item) {
    return kItems[static_cast<size_t>(item)].group;
}

// The share items, their captions as laid out in the menu and the prefixes of the captions that
// show a share.
struct ShareItem {
    Item item;
    double Settings::*share;
    const char* design_caption;
    const char* prefix;
};

constexpr std::array<ShareItem, 5> kShareItems = {{
    {Item::mShuffLib, &Settings::AllPs, "From librury", "From Library("},
    {Item::mShuffRus, &Settings::RusPs, "From Rus Artist", "From Rus Artist("},
    {Item::mShuffEng, &Settings::EngPs, "From Engl Artist", "From Engl Artist("},
    {Item::mShuffActArt, &Settings::ArtPs, "Form active artist", "From Active Artist("},
    {Item::mShuffActAlb, &Settings::AlbPs, "Form active Album", "From Active Album("},
}};

size_t ShareIndex(Item item) {
    const auto it = std::find_if(kShareItems.begin(), kShareItems.end(),
                                 [&](const ShareItem& s) { return s.item == item; });
    assert(it != kShareItems.end() && "not a share item of the shuffle menu");
    return static_cast<size_t>(it - kShareItems.begin());
}

}  // namespace

std::string_view ItemName(Item item) {
    return kItems[static_cast<size_t>(item)].name;
}

Settings::Settings() {
    Check(Item::mBass);
    Check(Item::mSeparateRusEng);
    Check(Item::Autoloadplayer1);
    Check(Item::Byyear);
    Check(Item::InAllLibrary2);
    Check(Item::InAllworld1);
    Check(Item::ByNomSong);
    Check(Item::mShuffPlist);
    Check(Item::repeatOne1);
    Check(Item::TagsWindows1251);
    Check(Item::LevelingOff);
    for (size_t i = 0; i < kShareItems.size(); ++i) {
        share_captions_[i] = kShareItems[i].design_caption;
    }
}

void Settings::Check(Item item) {
    const Group group = GroupOf(item);
    assert(group != Group::EngineParent && "Internal and External1 follow the engine items");
    for (size_t i = 0; i < kItems.size(); ++i) {
        if (kItems[i].group == group) {
            checked_[i] = false;
        }
    }
    checked_[Index(item)] = true;
    if (group == Group::Engine) {
        const bool internal = item == Item::mFmod || item == Item::mBass;
        checked_[Index(Item::Internal)] = internal;
        checked_[Index(Item::External1)] = !internal;
    }
}

void Settings::Uncheck(Item item) {
    const Group group = GroupOf(item);
    assert((group == Group::Repeat || group == Group::Sleep || group == Group::QuickPlay) &&
           "this radio group always has one item checked");
    (void)group;
    checked_[Index(item)] = false;
}

void Settings::SetVolume(int position) {
    volume_ = std::clamp(position, 0, kVolumeMax);
}

const std::string& Settings::ShareCaption(Item item) const {
    return share_captions_[ShareIndex(item)];
}

void Settings::UpdateShareCaptions() {
    for (size_t i = 0; i < kShareItems.size(); ++i) {
        const ShareItem& s = kShareItems[i];
        share_captions_[i] = s.prefix + text::FormatGeneral(this->*s.share) + "%)";
    }
}

void Settings::UpdateCopyDirCaption() {
    set_path_caption_ = "SetPach (" + PachToCopyDir + ")";
}

}  // namespace tarvel::config
