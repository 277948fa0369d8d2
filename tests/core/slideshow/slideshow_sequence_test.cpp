#include <gtest/gtest.h>

#include <set>

#include "core/slideshow/slideshow_sequence.h"

namespace lumora {
namespace {

// P: a photo, T: a text. The host records what was shown; photos listed in
// `unreadable` fail to load; the sound plays while `soundPlaying` is set.
struct Show {
    explicit Show(const std::string& items, SlideshowOptions options = {})
        : sequence(Kinds(items), options,
                   {[this](int index) {
                        shown.push_back(index);
                        return !unreadable.count(index);
                    },
                    [this] { return soundPlaying; }})
    {
    }
    static std::vector<bool> Kinds(const std::string& items)
    {
        std::vector<bool> kinds;
        for (char c : items)
            kinds.push_back(c == 'P');
        return kinds;
    }
    std::vector<int> shown;
    std::set<int> unreadable;
    bool soundPlaying = false;
    SlideshowSequence sequence;
};

SlideshowOptions Automatic(bool loop, int pause, bool soundIsMaster)
{
    return {true, loop, pause, soundIsMaster};
}

TEST(SlideshowSequenceTest, TextsAreSkippedInTheStepDirection)
{
    Show show("TPTTPT");
    show.sequence.Start();  // a leading text: the first photo after it
    EXPECT_EQ(show.sequence.Current(), 1);
    show.sequence.Next();
    EXPECT_EQ(show.sequence.Current(), 4);
    show.sequence.Next();  // the trailing text leads nowhere: manual show
    EXPECT_EQ(show.sequence.Current(), 4);
    EXPECT_EQ(show.shown, (std::vector<int>{1, 4}));

    show.sequence.Previous();  // 3, 2 texts: back to 1
    EXPECT_EQ(show.sequence.Current(), 1);
    show.sequence.Previous();  // only a text before: the index stays
    EXPECT_EQ(show.sequence.Current(), 1);
    EXPECT_EQ(show.sequence.Direction(), -1);

    show.sequence.Last();  // a trailing text, stepping back: photo 4
    EXPECT_EQ(show.sequence.Current(), 4);
    show.sequence.First();
    EXPECT_EQ(show.sequence.Current(), 1);
}

TEST(SlideshowSequenceTest, ButtonStatesFollowTheItemArrayNotThePhotos)
{
    Show show("TPPT");
    show.sequence.Start();
    // Photo 1 is the first photo, but only index 0 disables going back.
    EXPECT_TRUE(show.sequence.CanGoBack());
    EXPECT_TRUE(show.sequence.CanGoForward());
    Show plain("PPP");
    plain.sequence.Start();
    EXPECT_FALSE(plain.sequence.CanGoBack());
    plain.sequence.Last();
    EXPECT_TRUE(plain.sequence.CanGoBack());
    EXPECT_FALSE(plain.sequence.CanGoForward());
}

TEST(SlideshowSequenceTest, LoopingAutomaticShowWrapsEvenFromATrailingText)
{
    Show looping("PTPT", Automatic(true, 1, false));
    looping.sequence.Start();
    looping.sequence.Next();
    EXPECT_EQ(looping.sequence.Current(), 2);
    looping.sequence.Next();  // 3 is a text at the end: wraps to 0
    EXPECT_EQ(looping.sequence.Current(), 0);

    Show once("PP", Automatic(false, 1, false));
    once.sequence.Start();
    once.sequence.Next();
    once.sequence.Next();
    EXPECT_EQ(once.sequence.Current(), 1);
    EXPECT_EQ(once.shown, (std::vector<int>{0, 1}));

    // A manual show never wraps, whatever the loop setting.
    Show manual("PP", {false, true, 1, false});
    manual.sequence.Start();
    manual.sequence.Next();
    manual.sequence.Next();
    EXPECT_EQ(manual.sequence.Current(), 1);
}

TEST(SlideshowSequenceTest, AllTextLoopingShowComesToRest)
{
    Show show("TTT", Automatic(true, 1, false));
    show.sequence.Start();
    EXPECT_TRUE(show.shown.empty());
}

TEST(SlideshowSequenceTest, TimerWaitsThePauseAndTheSoundWhenItIsMaster)
{
    Show show("PPP", Automatic(false, 3, true));
    show.sequence.Start();
    show.soundPlaying = true;
    EXPECT_FALSE(show.sequence.Tick());
    EXPECT_FALSE(show.sequence.Tick());
    EXPECT_FALSE(show.sequence.Tick());  // pause reached, sound still playing
    EXPECT_FALSE(show.sequence.Tick());
    show.soundPlaying = false;
    EXPECT_TRUE(show.sequence.Tick());
    EXPECT_EQ(show.sequence.Current(), 1);
    EXPECT_EQ(show.sequence.ElapsedSeconds(), 0);

    Show free("PPP", Automatic(false, 2, false));
    free.sequence.Start();
    free.soundPlaying = true;  // ignored
    EXPECT_FALSE(free.sequence.Tick());
    EXPECT_TRUE(free.sequence.Tick());
    EXPECT_EQ(free.sequence.Current(), 1);

    Show manual("PP");
    manual.sequence.Start();
    for (int i = 0; i < 20; ++i)
        EXPECT_FALSE(manual.sequence.Tick());
    EXPECT_EQ(manual.sequence.ElapsedSeconds(), 0);
}

TEST(SlideshowSequenceTest, UnreadablePhotoBecomesCurrentWithoutResettingTheSeconds)
{
    Show show("PPP", Automatic(false, 2, false));
    show.unreadable = {1};
    show.sequence.Start();
    EXPECT_FALSE(show.sequence.Tick());
    EXPECT_TRUE(show.sequence.Tick());  // to 1, which fails
    EXPECT_EQ(show.sequence.Current(), 1);
    EXPECT_EQ(show.sequence.ElapsedSeconds(), 2);
    EXPECT_TRUE(show.sequence.Tick());  // at once to 2
    EXPECT_EQ(show.sequence.Current(), 2);
    EXPECT_EQ(show.sequence.ElapsedSeconds(), 0);
}

}  // namespace
}  // namespace lumora
