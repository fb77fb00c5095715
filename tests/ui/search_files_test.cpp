// Walking folders for files: order, stop answers, links, awkward names, limits.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "support/test_support.h"
#include "ui/file_helpers.h"

namespace {

// What the callback saw, and which paths it answers "stop" for. The callback is a
// plain function, so the record it fills lives for the duration of one walk.
struct Walk {
    std::vector<std::string> reported;
    std::set<std::string> stopAt;
};
Walk* currentWalk = nullptr;

int32_t recordFile(const char* path)
{
    currentWalk->reported.push_back(path);
    return currentWalk->stopAt.count(path) ? 1 : 0;
}

std::vector<std::string> walk(const std::string& folder, int32_t thisFolderOnly,
                              std::set<std::string> stopAt = {})
{
    Walk record;
    record.stopAt = std::move(stopAt);
    currentWalk = &record;
    SearchFiles(folder.c_str(), recordFile, thisFolderOnly);
    currentWalk = nullptr;
    return record.reported;
}

void makeFolder(const std::string& path)
{
    ASSERT_EQ(mkdir(path.c_str(), 0777), 0) << path;
}

void touch(const std::string& path)
{
    testsupport::writeFile(path, {'x'});
}

std::vector<std::string> sorted(std::vector<std::string> v)
{
    std::sort(v.begin(), v.end());
    return v;
}

struct Tree : ::testing::Test {
    // root/
    //   a song.m4a, "quoted" 'name' ü.aac, link to a.m4a -> a song.m4a
    //   sub one/        x.aac  deeper/z.mp4  back up -> root (a loop)
    //   Ordner ä/       y.aac
    //   empty/
    //   dangling -> nowhere
    void SetUp() override
    {
        root = temp.path + "tree ü \"q\" 'x'/";
        makeFolder(root);
        touch(root + "a song.m4a");
        touch(root + "\"quoted\" 'name' ü.aac");
        ASSERT_EQ(symlink("a song.m4a", (root + "link to a.m4a").c_str()), 0);
        makeFolder(root + "sub one");
        touch(root + "sub one/x.aac");
        makeFolder(root + "sub one/deeper");
        touch(root + "sub one/deeper/z.mp4");
        ASSERT_EQ(symlink("..", (root + "sub one/back up").c_str()), 0);
        makeFolder(root + "Ordner ä");
        touch(root + "Ordner ä/y.aac");
        makeFolder(root + "empty");
        ASSERT_EQ(symlink("nowhere", (root + "dangling").c_str()), 0);
    }
    std::vector<std::string> topFiles() const
    {
        return sorted({root + "a song.m4a", root + "\"quoted\" 'name' ü.aac",
                       root + "link to a.m4a", root + "dangling"});
    }
    std::vector<std::string> allFiles() const
    {
        std::vector<std::string> all = topFiles();
        for (const char* f : {"sub one/x.aac", "sub one/deeper/z.mp4", "Ordner ä/y.aac"})
            all.push_back(root + f);
        return sorted(all);
    }
    testsupport::TempDir temp;
    std::string root;
};

TEST_F(Tree, ReportsEveryFileOnceDepthFirstAndEndsDespiteALinkLoop)
{
    const std::vector<std::string> reported = walk(root, 0);
    EXPECT_EQ(sorted(reported), allFiles()) << "missing, extra or repeated files";
    // Depth first: each folder's files form one unbroken run, a sub-folder's inside
    // its parent's.
    auto runOf = [&](const std::string& prefix) {
        std::vector<size_t> at;
        for (size_t i = 0; i < reported.size(); ++i)
            if (reported[i].rfind(prefix, 0) == 0)
                at.push_back(i);
        return at;
    };
    for (const char* folder : {"sub one/", "Ordner ä/", "sub one/deeper/"}) {
        const std::vector<size_t> at = runOf(root + folder);
        ASSERT_FALSE(at.empty()) << folder;
        EXPECT_EQ(at.back() - at.front() + 1, at.size()) << folder << " is not walked in one go";
    }
    for (const std::string& path : reported) {
        struct stat info;
        if (stat(path.c_str(), &info) == 0) {
            EXPECT_FALSE(S_ISDIR(info.st_mode)) << "a folder was reported: " << path;
        }
        EXPECT_EQ(path.find("/./"), std::string::npos);
        EXPECT_EQ(path.find("/../"), std::string::npos);
        EXPECT_EQ(path.find("//"), std::string::npos);
    }
}

TEST_F(Tree, ThisFolderOnlyAndTheTrailingSlashAreOptional)
{
    const std::string bare = root.substr(0, root.size() - 1);
    EXPECT_EQ(sorted(walk(root, 1)), topFiles());
    EXPECT_EQ(sorted(walk(bare, 1)), topFiles());
    EXPECT_EQ(sorted(walk(bare, 0)), allFiles());
    EXPECT_EQ(walk(bare, 0), walk(root, 0)) << "the same paths in the same order either way";
}

TEST_F(Tree, AStopEndsOnlyTheFolderThatHoldsTheFile)
{
    touch(root + "sub one/x2.aac");
    touch(root + "sub one/x3.aac");
    const std::vector<std::string> everything = walk(root, 0);
    // Stop at whichever file of "sub one" comes first: its other files and what
    // follows in that folder are not taken, everything else still is.
    std::string first;
    for (const std::string& p : everything)
        if (p.rfind(root + "sub one/", 0) == 0 && p.find("/deeper/") == std::string::npos) {
            first = p;
            break;
        }
    ASSERT_FALSE(first.empty());
    const std::vector<std::string> stopped = walk(root, 0, {first});
    int inSubOne = 0;
    for (const std::string& p : stopped) {
        if (p.rfind(root + "sub one/", 0) == 0 && p.find("/deeper/") == std::string::npos)
            ++inSubOne;
    }
    EXPECT_EQ(inSubOne, 1);
    for (const std::string& p : everything) {
        if (p.rfind(root + "sub one/", 0) != 0) {
            EXPECT_NE(std::find(stopped.begin(), stopped.end(), p), stopped.end())
                << "lost outside the stopped folder: " << p;
        }
    }

    // A stop at the top level ends the whole walk's top folder: one top-level file.
    std::string firstTop;
    for (const std::string& p : everything)
        if (p.find('/', root.size()) == std::string::npos) {
            firstTop = p;
            break;
        }
    const std::vector<std::string> topStopped = walk(root, 0, {firstTop});
    EXPECT_EQ(topStopped.back(), firstTop);
    EXPECT_EQ(std::count_if(topStopped.begin(), topStopped.end(),
                            [&](const std::string& p) { return p.find('/', root.size()) == std::string::npos; }),
              1);
}

TEST_F(Tree, UnlistableFoldersAreSkippedSilently)
{
    EXPECT_TRUE(walk(root + "missing/", 0).empty());
    EXPECT_TRUE(walk(root + "a song.m4a", 0).empty()) << "a file is no folder";
    SearchFiles(root.c_str(), nullptr, 0);  // no callback: nothing to do, no crash
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads any folder";
    ASSERT_EQ(chmod((root + "sub one").c_str(), 0), 0);
    std::vector<std::string> reported = walk(root, 0);
    ASSERT_EQ(chmod((root + "sub one").c_str(), 0755), 0);
    std::vector<std::string> expected;
    for (const std::string& p : allFiles())
        if (p.rfind(root + "sub one/", 0) != 0)
            expected.push_back(p);
    EXPECT_EQ(sorted(reported), expected);
}

TEST(SearchFilesLimits, PathsLongerThan1023BytesAreLeftOutNotCut)
{
    testsupport::TempDir temp;
    // Nest folders until the folder path is about 990 bytes long.
    std::string folder = temp.path;
    while (folder.size() < 990 - 101) {
        folder += std::string(100, 'd') + "/";
        makeFolder(folder);
    }
    folder += std::string(990 - folder.size() - 1, 'e') + "/";
    makeFolder(folder);
    ASSERT_EQ(folder.size(), 990u);
    const std::string fits = folder + std::string(1023 - 990, 'f');    // 1023 bytes
    const std::string tooLong = folder + std::string(1024 - 990, 'g');  // 1024 bytes
    touch(fits);
    touch(tooLong);
    makeFolder(folder + std::string(40, 'h'));
    touch(folder + std::string(40, 'h') + "/inside");
    EXPECT_EQ(walk(temp.path, 0), std::vector<std::string>{fits});
}

}  // namespace
