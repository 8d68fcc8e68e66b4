#pragma once

#include <array>
#include <bitset>
#include <cstddef>
#include <string>
#include <string_view>

// The user's settings as the menus and controls of the main window show them: a check mark per
// menu item, the shown playlist tab, sizes, volume, shuffle shares, paths. The menus mirror this
// model; they change it only through its operations, which keep every radio group intact.
namespace tarvel::config {

// The equalizer preset file used when the configuration names none.
inline constexpr char kDefaultEqPreset[] = "UserEQ.teq";

// The menu items whose check marks are settings, each named as its menu item.
enum class Item {
    // Engine ("External/Internal engine"): exactly one of the four is checked; the parents
    // Internal and External1 are checked together with a child of theirs.
    mFmod,
    mBass,
    Apollo,
    Winamp,
    Internal,
    External1,
    // Artist panels.
    mSeparateRusEng,
    mIncorporated1,
    // Loading player.
    Autoloadplayer1,
    AutoloadPlayListWithoutautoplay1,
    // Album order.
    Byyear,
    ByAz,
    // Search scope.
    InActivArtist1,
    InAllLibrary2,
    InActivArtist2,
    InActivAlbum1,
    Artist1,
    InAllLibrary1,
    // Search match.
    InAllworld1,
    StartAt1,
    // Song order.
    ByNomSong,
    ByAZsong,
    // Shuffle source.
    mShuffLib,
    mShuffRus,
    mShuffEng,
    mShuffActArt,
    mShuffActAlb,
    mShuffLib100,
    mShuffRus100,
    mShuffEng100,
    mShuffPlist,
    // Repeat mode: one or none checked.
    repeatOne1,
    RepeatAllPlayList1,
    // Sleep: one or none checked.
    Afterendplaylist1,
    AfterendTimer1,
    // Quick play: a check item of its own.
    Enabled1,
    // Preferences, "Tags without an encoding": how tag text that declares no Unicode encoding
    // (ID3v1, ID3v2 encoding 0) is read.
    TagsWindows1251,
    TagsLatin1,
    TagsGuess,
    // Preferences, "Volume leveling": the ReplayGain gain applied before the equalizer.
    LevelingOff,
    LevelingTrack,
    LevelingAlbum,
};
inline constexpr int kItemCount = static_cast<int>(Item::LevelingAlbum) + 1;

// The item's name as the menus know it: "mShuffLib", "InAllLibrary2".
std::string_view ItemName(Item item);

// Which of the tab images Img2Pl1, Img2CD, Img2PL2 is shown, i.e. which playlist is worked on.
enum class Playlist { PL1, CD, PL2 };

class Settings {
  public:
    static constexpr int kVolumeMax = 771;
    static constexpr int kDesignLeft = 372;
    static constexpr int kDesignTop = 149;

    // The design state of the window, before any file is read.
    Settings();

    bool Checked(Item item) const { return checked_[Index(item)]; }
    // Checks the item and unchecks the others of its radio group. An engine item also sets its
    // parent (Internal or External1) and clears the other parent.
    void Check(Item item);
    // Unchecks an item of a group that may have none checked: repeat, sleep, quick play.
    void Uncheck(Item item);

    Playlist ShownPlaylist() const { return shown_; }
    void ShowPlaylist(Playlist playlist) { shown_ = playlist; }

    // VolumeSKRL's position, held within 0..771.
    int Volume() const { return volume_; }
    void SetVolume(int position);

    // Captions the settings give to menu items: the five share sources of the shuffle menu
    // (mShuffLib .. mShuffActAlb) and MSetPath.
    const std::string& ShareCaption(Item item) const;
    const std::string& MSetPathCaption() const { return set_path_caption_; }
    // "From Library(12.5%)" and the like, from the current shares.
    void UpdateShareCaptions();
    // "SetPach (" + PachToCopyDir + ")".
    void UpdateCopyDirCaption();

    // Window position and the size deltas of the main window.
    int WindowLeft = kDesignLeft;
    int WindowTop = kDesignTop;
    int DeltaWidth = 0;
    int DeltaHeight = 0;
    // Shuffle shares in percent, of mShuffLib, mShuffRus, mShuffEng, mShuffActArt, mShuffActAlb.
    double AllPs = 0.0;
    double RusPs = 0.0;
    double EngPs = 0.0;
    double ArtPs = 0.0;
    double AlbPs = 0.0;
    std::string CDinf;
    std::string PachToCopyDir;
    std::string PlEqNowFileName = kDefaultEqPreset;
    std::string PathToApollo;
    std::string PathToWinamp;
    // A first run is being made (the first-run timer is enabled).
    bool FirstRun = false;

    bool operator==(const Settings&) const = default;

  private:
    static size_t Index(Item item) { return static_cast<size_t>(item); }

    std::bitset<kItemCount> checked_;
    Playlist shown_ = Playlist::PL1;
    int volume_ = 0;
    std::array<std::string, 5> share_captions_;
    std::string set_path_caption_ = "SetPath";
};

}  // namespace tarvel::config
