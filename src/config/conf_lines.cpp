#include "config/conf_lines.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <optional>
#include <string_view>

#include "platform/text/number_text.h"

namespace tarvel::config {
namespace {

struct Choice {
    Item item;
    std::string_view text;
};
using Group = std::initializer_list<Choice>;

// Lines 1 to 9: one fixed text per menu item of the group. The writer writes the text of the
// checked item; with none checked, the group's last text ("Repeat:=AllSong").
const Group kEngine = {{Item::mFmod, "engine=mFmod"},
                       {Item::mBass, "engine=mBass"},
                       {Item::Apollo, "engine=apollo"},
                       {Item::Winamp, "engine=Winamp"}};
const Group kArtistPanels = {{Item::mSeparateRusEng, "ArtPanels=SeparateRusEng"},
                             {Item::mIncorporated1, "ArtPanels=Incorporated"}};
const Group kLoading = {{Item::Autoloadplayer1, "Loading Player=Auto load playList and Auto Play"},
                        {Item::AutoloadPlayListWithoutautoplay1,
                         "Loading Player=Auto load PlayList Without auto play"}};
const Group kAlbumSort = {{Item::Byyear, "Sort Album=By year"},
                          {Item::ByAz, "Sort Album=Alphabetically"}};
const Group kSearchScope = {{Item::InActivArtist1, "SortOpt=InActivArtist1"},
                            {Item::InAllLibrary2, "SortOpt=InAllLibrary2"},
                            {Item::InActivArtist2, "SortOpt=InActivArtist2"},
                            {Item::InActivAlbum1, "SortOpt=InActivAlbum1"},
                            {Item::Artist1, "SortOpt=Artist1"},
                            {Item::InAllLibrary1, "SortOpt=InAllLibrary1"}};
const Group kSearchMatch = {{Item::InAllworld1, "SortOptOpt=InAllworld1"},
                            {Item::StartAt1, "SortOptOpt=StartAt1"}};
const Group kSongSort = {{Item::ByNomSong, "SortSong=ByNomSong"},
                         {Item::ByAZsong, "SortSong=ByAZsong"}};
const Group kShuffle = {
    {Item::mShuffLib, "Shuffle:=mShuffLib"},       {Item::mShuffRus, "Shuffle:=mShuffRus"},
    {Item::mShuffEng, "Shuffle:=mShuffEng"},       {Item::mShuffActArt, "Shuffle:=mShuffActArt"},
    {Item::mShuffActAlb, "Shuffle:=mShuffActAlb"}, {Item::mShuffLib100, "Shuffle:=mShuffLib100"},
    {Item::mShuffRus100, "Shuffle:=mShuffRus100"}, {Item::mShuffEng100, "Shuffle:=mShuffEng100"},
    {Item::mShuffPlist, "Shuffle:=mShuffPlist"}};
const Group kRepeat = {{Item::repeatOne1, "Repeat:=OneSong"},
                       {Item::RepeatAllPlayList1, "Repeat:=AllSong"}};

const std::initializer_list<Group> kGroupLines = {kEngine,    kArtistPanels, kLoading,
                                                  kAlbumSort, kSearchScope,  kSearchMatch,
                                                  kSongSort,  kShuffle,      kRepeat};

// Lines after the 24th: settings added since, each a "key=choice" line. The first choice of each
// group is its default, which is not written, so the file of a user who never changed them keeps
// its 24 lines. They are read in any order; a line matching no choice changes nothing.
const Group kTagEncoding = {{Item::TagsWindows1251, "TagsWithoutEncoding=Windows-1251"},
                            {Item::TagsLatin1, "TagsWithoutEncoding=Latin-1"},
                            {Item::TagsGuess, "TagsWithoutEncoding=Guess"}};
const Group kLeveling = {{Item::LevelingOff, "VolumeLeveling=Off"},
                         {Item::LevelingTrack, "VolumeLeveling=Track"},
                         {Item::LevelingAlbum, "VolumeLeveling=Album"}};
const std::initializer_list<Group> kTrailingGroups = {kTagEncoding, kLeveling};

struct PlaylistLine {
    Playlist playlist;
    std::string_view text;
};
constexpr PlaylistLine kPlaylistLines[] = {{Playlist::PL1, "Img2Pl1=TRUE"},
                                           {Playlist::CD, "Img2CD=TRUE"},
                                           {Playlist::PL2, "Img2Pl2=TRUE"}};

// Shares are stored as the percentage times this factor.
constexpr double kShareScale = 100000.0;
constexpr double kShareMax = 100.0;

struct ShareLine {
    std::string_view key;
    double Settings::*share;
};
constexpr ShareLine kShareLines[] = {{"AllPs=", &Settings::AllPs},
                                     {"RusPs=", &Settings::RusPs},
                                     {"EngPs=", &Settings::EngPs},
                                     {"ArtPs=", &Settings::ArtPs},
                                     {"AlbPs=", &Settings::AlbPs}};

// The text from the (0-based) position on; empty when the line is shorter.
std::string From(const std::string& line, size_t position) {
    return position < line.size() ? line.substr(position) : std::string();
}

// A text value is written as one line; a line break in it (a CR or an LF, possible in a folder
// name) would move every later line, so the value is cut there.
std::string OneLine(const std::string& text) {
    return text.substr(0, text.find_first_of("\r\n"));
}

// Lines 14, 15: the text after the key when the line has it, else 0.
std::optional<int> DeltaValue(const std::string& line, std::string_view key) {
    const size_t at = line.find(key);
    if (at == std::string::npos) {
        return 0;
    }
    return text::ParseInt32(From(line, at + key.size()));
}

// Lines 12, 13: the text from a fixed position when the line has the key, else the design value.
std::optional<int> PositionValue(const std::string& line, std::string_view key, int design) {
    if (line.find(key) == std::string::npos) {
        return design;
    }
    return text::ParseInt32(From(line, key.size()));
}

}  // namespace

std::vector<std::string> ConfLines(const Settings& settings) {
    std::vector<std::string> lines;
    for (const Group& group : kGroupLines) {
        const auto checked = std::find_if(
            group.begin(), group.end(), [&](const Choice& c) { return settings.Checked(c.item); });
        lines.emplace_back(checked != group.end() ? checked->text : std::prev(group.end())->text);
    }
    for (const auto& line : kPlaylistLines) {
        if (settings.ShownPlaylist() == line.playlist) {
            lines.emplace_back(line.text);
        }
    }
    lines.emplace_back("Razmer=Big");
    lines.push_back("form.left=" + std::to_string(settings.WindowLeft));
    lines.push_back("form.top=" + std::to_string(settings.WindowTop));
    lines.push_back("DeltaWidth=" + std::to_string(settings.DeltaWidth));
    lines.push_back("DeltaHeight=" + std::to_string(settings.DeltaHeight));
    lines.push_back("Volume=" + std::to_string(settings.Volume()));
    for (const auto& share : kShareLines) {
        lines.push_back(std::string(share.key) +
                        text::FormatGeneral(settings.*share.share * kShareScale));
    }
    lines.push_back("CDinf=" + OneLine(settings.CDinf));
    lines.push_back("PachToCopyDir=" + OneLine(settings.PachToCopyDir));
    lines.push_back("PlEqNowFileName=" + OneLine(settings.PlEqNowFileName));
    for (const Group& group : kTrailingGroups) {
        for (const Choice& choice : group) {
            if (choice.item != group.begin()->item && settings.Checked(choice.item)) {
                lines.emplace_back(choice.text);
            }
        }
    }
    return lines;
}

bool ApplyConfLines(const std::vector<std::string>& lines, Settings& settings, ConfigLinks& links) {
    size_t next = 0;
    // The next line, or nothing when the file has ended.
    const auto take = [&]() -> const std::string* {
        return next < lines.size() ? &lines[next++] : nullptr;
    };

    for (const Group& group : kGroupLines) {
        const std::string* line = take();
        if (line == nullptr) {
            return false;
        }
        for (const Choice& choice : group) {
            if (*line == choice.text) {
                settings.Check(choice.item);
            }
        }
    }

    const std::string* line = take();
    if (line == nullptr) {
        return false;
    }
    for (const auto& shown : kPlaylistLines) {
        if (*line == shown.text) {
            settings.ShowPlaylist(shown.playlist);
        }
    }
    if (take() == nullptr) {  // "Razmer=Big": nothing to set
        return false;
    }

    // Lines 12 to 16: integers.
    struct IntLine {
        std::optional<int> (*value)(const std::string& line);
        void (*apply)(Settings& settings, int value);
    };
    const IntLine int_lines[] = {
        {[](const std::string& l) { return PositionValue(l, "form.left=", Settings::kDesignLeft); },
         [](Settings& s, int v) { s.WindowLeft = v; }},
        {[](const std::string& l) { return PositionValue(l, "form.top=", Settings::kDesignTop); },
         [](Settings& s, int v) { s.WindowTop = v; }},
        {[](const std::string& l) { return DeltaValue(l, "DeltaWidth="); },
         [](Settings& s, int v) { s.DeltaWidth = v; }},
        {[](const std::string& l) { return DeltaValue(l, "DeltaHeight="); },
         [](Settings& s, int v) { s.DeltaHeight = v; }},
        // The volume is whatever follows the first seven characters.
        {[](const std::string& l) { return text::ParseInt32(From(l, 7)); },
         [](Settings& s, int v) { s.SetVolume(v); }},
    };
    for (const IntLine& int_line : int_lines) {
        line = take();
        const std::optional<int> value = line ? int_line.value(*line) : std::nullopt;
        if (!value) {
            return false;
        }
        int_line.apply(settings, *value);
    }
    links.SetFmodVolume(static_cast<int>(std::nearbyint(settings.Volume() / 3.1)));

    // Lines 17 to 21: shares after a six-character key. They are written with a point; files
    // from a system whose decimal separator is a comma hold a comma, read alike.
    for (const auto& share : kShareLines) {
        line = take();
        const auto value =
            line ? text::ParseDecimalPointOrComma(From(*line, share.key.size())) : std::nullopt;
        if (!value) {
            return false;
        }
        // A share is a percentage; a larger one would ask the shuffle for more songs than exist.
        settings.*share.share = std::clamp(*value / kShareScale, 0.0, kShareMax);
    }
    settings.UpdateShareCaptions();

    // Lines 22 to 24: texts after their keys.
    struct TextLine {
        size_t key_length;
        std::string Settings::*value;
    };
    constexpr TextLine text_lines[] = {
        {6, &Settings::CDinf}, {14, &Settings::PachToCopyDir}, {16, &Settings::PlEqNowFileName}};
    for (const TextLine& text_line : text_lines) {
        line = take();
        if (line == nullptr) {
            return false;
        }
        settings.*text_line.value = From(*line, text_line.key_length);
        if (text_line.value == &Settings::PachToCopyDir) {
            settings.UpdateCopyDirCaption();
        }
    }

    for (line = take(); line != nullptr; line = take()) {
        for (const Group& group : kTrailingGroups) {
            for (const Choice& choice : group) {
                if (*line == choice.text) {
                    settings.Check(choice.item);
                }
            }
        }
    }
    return true;
}

}  // namespace tarvel::config
