#include "config/settings.h"

#include <gtest/gtest.h>

#include <vector>

namespace tarvel::config {
namespace {

std::vector<Item> CheckedOf(const Settings& settings, const std::vector<Item>& group) {
    std::vector<Item> checked;
    for (Item item : group) {
        if (settings.Checked(item)) {
            checked.push_back(item);
        }
    }
    return checked;
}

TEST(Settings, CheckingAnItemUnchecksTheRestOfItsRadioGroupOnly) {
    const std::vector<std::vector<Item>> groups = {
        {Item::mSeparateRusEng, Item::mIncorporated1},
        {Item::Autoloadplayer1, Item::AutoloadPlayListWithoutautoplay1},
        {Item::Byyear, Item::ByAz},
        {Item::InActivArtist1, Item::InAllLibrary2, Item::InActivArtist2, Item::InActivAlbum1,
         Item::Artist1, Item::InAllLibrary1},
        {Item::InAllworld1, Item::StartAt1},
        {Item::ByNomSong, Item::ByAZsong},
        {Item::mShuffLib, Item::mShuffRus, Item::mShuffEng, Item::mShuffActArt, Item::mShuffActAlb,
         Item::mShuffLib100, Item::mShuffRus100, Item::mShuffEng100, Item::mShuffPlist},
        {Item::repeatOne1, Item::RepeatAllPlayList1},
        {Item::Afterendplaylist1, Item::AfterendTimer1},
    };
    Settings settings;
    for (const auto& group : groups) {
        for (Item item : group) {
            const Settings before = settings;
            settings.Check(item);
            EXPECT_EQ(CheckedOf(settings, group), std::vector<Item>{item}) << ItemName(item);
            // No other group moved.
            for (const auto& other : groups) {
                if (&other != &group) {
                    EXPECT_EQ(CheckedOf(settings, other), CheckedOf(before, other));
                }
            }
        }
    }
}

TEST(Settings, EngineItemsCarryTheirParentItems) {
    struct Case {
        Item engine;
        bool internal;
    };
    const Case cases[] = {
        {Item::Apollo, false}, {Item::mFmod, true}, {Item::Winamp, false}, {Item::mBass, true}};
    Settings settings;
    for (const auto& c : cases) {
        settings.Check(c.engine);
        EXPECT_EQ(CheckedOf(settings, {Item::mFmod, Item::mBass, Item::Apollo, Item::Winamp}),
                  std::vector<Item>{c.engine});
        EXPECT_EQ(settings.Checked(Item::Internal), c.internal) << ItemName(c.engine);
        EXPECT_EQ(settings.Checked(Item::External1), !c.internal) << ItemName(c.engine);
    }
}

TEST(Settings, RepeatSleepAndQuickPlayMayHaveNothingChecked) {
    Settings settings;
    EXPECT_TRUE(settings.Checked(Item::repeatOne1));  // as laid out
    settings.Uncheck(Item::repeatOne1);
    settings.Uncheck(Item::RepeatAllPlayList1);
    EXPECT_FALSE(settings.Checked(Item::repeatOne1));
    EXPECT_FALSE(settings.Checked(Item::RepeatAllPlayList1));
    settings.Check(Item::Enabled1);
    EXPECT_TRUE(settings.Checked(Item::Enabled1));
    settings.Uncheck(Item::Enabled1);
    EXPECT_FALSE(settings.Checked(Item::Enabled1));
    EXPECT_FALSE(settings.Checked(Item::Afterendplaylist1));
    EXPECT_FALSE(settings.Checked(Item::AfterendTimer1));
}

TEST(Settings, VolumeIsHeldOnTheBar) {
    Settings settings;
    for (auto [set, held] : {std::pair{0, 0}, {578, 578}, {771, 771}, {900, 771}, {-5, 0}}) {
        settings.SetVolume(set);
        EXPECT_EQ(settings.Volume(), held) << set;
    }
}

TEST(Settings, CaptionsShowSharesAndTheCopyFolderOnlyWhenUpdated) {
    Settings settings;
    EXPECT_EQ(settings.ShareCaption(Item::mShuffLib), "From librury");
    EXPECT_EQ(settings.ShareCaption(Item::mShuffActAlb), "Form active Album");
    EXPECT_EQ(settings.MSetPathCaption(), "SetPath");

    settings.AllPs = 12.5;
    settings.RusPs = 100;
    settings.EngPs = 0.001;
    settings.ArtPs = 25;
    settings.AlbPs = 0;
    settings.PachToCopyDir = "/music/out";
    settings.UpdateShareCaptions();
    settings.UpdateCopyDirCaption();
    EXPECT_EQ(settings.ShareCaption(Item::mShuffLib), "From Library(12.5%)");
    EXPECT_EQ(settings.ShareCaption(Item::mShuffRus), "From Rus Artist(100%)");
    EXPECT_EQ(settings.ShareCaption(Item::mShuffEng), "From Engl Artist(0.001%)");
    EXPECT_EQ(settings.ShareCaption(Item::mShuffActArt), "From Active Artist(25%)");
    EXPECT_EQ(settings.ShareCaption(Item::mShuffActAlb), "From Active Album(0%)");
    EXPECT_EQ(settings.MSetPathCaption(), "SetPach (/music/out)");
}

}  // namespace
}  // namespace tarvel::config
