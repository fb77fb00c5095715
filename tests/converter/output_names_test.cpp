// Output names: folder + name less its extension + ".mp3", and the per-batch keeper
// that gives a second entry with the same output " (2)", " (3)" ...
#include "converter/output_names.h"

#include <gtest/gtest.h>

#include <string>

TEST(OutputNames, PathIsFolderNameLessExtensionAndMp3) {
    struct Case {
        const char* folder;
        const char* name;
        const char* expected;
    } cases[] = {
        {"/music/", "Song.M4A", "/music/Song.mp3"},
        {"/out/", "Song.M4A", "/out/Song.mp3"},
        {"/a b/\"q\" 'x'/", "Grüße.aac", "/a b/\"q\" 'x'/Grüße.mp3"},
        {"/v/", "clip.mp4", "/v/clip.mp3"},
        {"/", "x.m4a", "/x.mp3"},
        {"/d/", "two.dots.m4a", "/d/two.dots.mp3"},
    };
    for (const Case& c : cases) EXPECT_EQ(OutputPathFor(c.folder, c.name), c.expected) << c.name;
}

TEST(OutputNames, PathsThatDoNotFitAreRefusedNotCut) {
    std::string folder = "/" + std::string(1000, 'f') + "/";
    std::string fits = std::string(1023 - folder.size() - 4, 'n') + ".m4a";  // exactly 1,023 bytes out
    EXPECT_EQ(OutputPathFor(folder, fits).size(), 1023u);
    EXPECT_EQ(OutputPathFor(folder, "n" + fits), "");
}

TEST(OutputNames, KeeperNumbersPathsTakenEarlierInTheBatch) {
    OutputNameKeeper keeper;
    EXPECT_EQ(ClaimOutputPath(keeper, "/o/song.mp3"), "/o/song.mp3");
    EXPECT_EQ(ClaimOutputPath(keeper, "/o/song.mp3"), "/o/song (2).mp3");
    EXPECT_EQ(ClaimOutputPath(keeper, "/o/other.mp3"), "/o/other.mp3");
    EXPECT_EQ(ClaimOutputPath(keeper, "/o/song.mp3"), "/o/song (3).mp3");
    // A source that is itself called "song (2)" does not take a number twice over.
    EXPECT_EQ(ClaimOutputPath(keeper, "/o/song (2).mp3"), "/o/song (2) (2).mp3");
    // Paths are compared byte for byte: a different case is a different file here.
    EXPECT_EQ(ClaimOutputPath(keeper, "/o/Song.mp3"), "/o/Song.mp3");
    // A new batch starts with a new keeper: the earlier batch's files are replaced.
    OutputNameKeeper next;
    EXPECT_EQ(ClaimOutputPath(next, "/o/song.mp3"), "/o/song.mp3");
}

TEST(OutputNames, KeeperRefusesEmptyAndOverlongResults) {
    OutputNameKeeper keeper;
    EXPECT_EQ(ClaimOutputPath(keeper, ""), "");
    std::string longest = "/" + std::string(1018, 'x') + ".mp3";  // 1,023 bytes
    EXPECT_EQ(ClaimOutputPath(keeper, longest), longest);
    EXPECT_EQ(ClaimOutputPath(keeper, longest), "");  // " (2)" would not fit
    EXPECT_TRUE(keeper.taken.count(longest));
    EXPECT_EQ(keeper.taken.size(), 1u);
}
