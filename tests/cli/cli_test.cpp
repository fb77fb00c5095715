// brisktune-cli run as a child process over the fixtures.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <set>
#include <string>

#include "cli_run.h"
#include "support/test_support.h"

namespace fs = std::filesystem;
using testsupport::fileExists;
using testsupport::fixture;
using testsupport::TempDir;

namespace {

std::string copyFixture(const std::string& name, const std::string& to) {
    fs::create_directories(fs::path(to).parent_path());
    fs::copy_file(fixture(name), to, fs::copy_options::overwrite_existing);
    return to;
}

std::set<std::string> filesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file()) names.insert(fs::relative(entry.path(), folder).string());
    return names;
}

size_t count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

}  // namespace

TEST(Cli, UsageErrorsExitWith2AndSayWhatIsWrong) {
    struct Case {
        std::vector<std::string> arguments;
        const char* message;
    } cases[] = {
        {{"-b", "100", "x.m4a"}, "-b needs one of 256, 128, 64, 32, not 100"},
        {{"-x", "x.m4a"}, "unknown option -x"},
        {{"-j", "0", "x.m4a"}, "-j needs a number"},
        {{"-o"}, "-o needs a value"},
        {{}, "no file or folder to convert"},
    };
    for (const Case& c : cases) {
        CliRun run = RunCli(c.arguments);
        EXPECT_EQ(run.exitCode, 2) << c.message;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("Usage: brisktune-cli"), std::string::npos);
    }
}

TEST(Cli, AMissingFileFailsAndTheOthersGoOn) {
    TempDir dir;
    std::string good = copyFixture("tone-44100-stereo.m4a", dir.file("gööd \"1\".m4a"));
    std::string missing = dir.file("not here.m4a");
    CliRun run = RunCli({missing, good});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("failed: " + missing + ": No such file"), std::string::npos) << run.err;
    EXPECT_NE(run.out.find("converted: " + good + " -> " + dir.file("gööd \"1\".mp3")), std::string::npos) << run.out;
    EXPECT_TRUE(LooksLikeMp3(dir.file("gööd \"1\".mp3")));
}

TEST(Cli, AnOutputFolderThatCannotBeMadeStopsBeforeConverting) {
    TempDir dir;
    testsupport::writeFile(dir.file("afile"), {'x'});
    std::string source = copyFixture("tone-44100-stereo.m4a", dir.file("t.m4a"));
    CliRun run = RunCli({"-o", dir.file("afile/out"), source});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find(dir.file("afile/out/")), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("nothing was converted"), std::string::npos) << run.err;
    EXPECT_EQ(filesIn(dir.path), (std::set<std::string>{"afile", "t.m4a"}));
}

TEST(Cli, SameNamesGetNumbersWithinARunAndARepeatedRunReplacesItsOwnFiles) {
    TempDir dir;
    std::string a = copyFixture("tone-44100-stereo.m4a", dir.file("a/Sông.m4a"));
    std::string b = copyFixture("tone-48000-stereo.m4a", dir.file("b/Sông.M4A"));
    std::string out = dir.file("out");
    fs::create_directories(out);
    for (int round = 0; round < 2; ++round) {
        CliRun run = RunCli({"-o", out, "-j", "2", a, b});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(filesIn(out), (std::set<std::string>{"Sông.mp3", "Sông (2).mp3"})) << "round " << round;
        EXPECT_NE(run.out.find(a + " -> " + out + "/Sông.mp3"), std::string::npos) << run.out;
        EXPECT_NE(run.out.find(b + " -> " + out + "/Sông (2).mp3"), std::string::npos) << run.out;
    }
}

TEST(Cli, FoldersGiveTheirAudioFilesInNameOrderAndRecursionAddsSubfolders) {
    TempDir dir;
    std::string in = dir.file("in put");
    copyFixture("tone-44100-stereo.m4a", in + "/b.m4a");
    copyFixture("tone-22050-mono.aac", in + "/a.AAC");
    copyFixture("tone-44100-video.mp4", in + "/sub/c.mp4");
    testsupport::writeFile(in + "/notes.txt", {'n'});
    CliRun flat = RunCli({"-j", "1", in + "/", in + "/b.m4a"});  // b twice: converted once
    ASSERT_EQ(flat.exitCode, 0) << flat.err;
    EXPECT_EQ(count(flat.out, "converted:"), 2u) << flat.out;
    EXPECT_LT(flat.out.find(in + "/a.AAC"), flat.out.find(in + "/b.m4a"));
    EXPECT_FALSE(fileExists(in + "/sub/c.mp3"));

    CliRun deep = RunCli({"-r", "-q", "-b", "64", in});
    ASSERT_EQ(deep.exitCode, 0) << deep.err;
    EXPECT_EQ(deep.out, "") << "-q prints failures only";
    EXPECT_TRUE(LooksLikeMp3(in + "/sub/c.mp3"));
    EXPECT_FALSE(fileExists(in + "/notes.mp3"));
}

TEST(Cli, SeveralFilesAtOnceAndFailuresWithReasons) {
    TempDir dir;
    std::vector<std::string> inputs;
    for (const char* name : {"tone-44100-stereo.m4a", "tone-48000-stereo.m4a", "tone-22050-mono.aac",
                             "tone-48000-5.1.m4a", "random-bytes.m4a", "cut-off.m4a"})
        inputs.push_back(copyFixture(name, dir.file(std::string("x ") + name)));
    std::vector<std::string> arguments{"-j", "2", "-q"};
    arguments.insert(arguments.end(), inputs.begin(), inputs.end());
    std::string tmp = dir.file("tmp");
    fs::create_directories(tmp);
    CliRun run = RunCli(arguments, tmp);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(count(run.err, "failed: "), 2u) << run.err;
    EXPECT_NE(run.err.find("failed: " + dir.file("x random-bytes.m4a") +
                           ": x random-bytes.m4a could not be decoded"),
              std::string::npos)
        << run.err;
    for (size_t i = 0; i < 4; ++i) EXPECT_TRUE(LooksLikeMp3(inputs[i].substr(0, inputs[i].size() - 4) + ".mp3"));
    EXPECT_FALSE(fileExists(dir.file("x random-bytes.mp3")));
    EXPECT_FALSE(fileExists(dir.file("x cut-off.mp3")));
    EXPECT_TRUE(filesIn(tmp).empty()) << "the workers' temporary folders are removed";
    EXPECT_TRUE(fs::is_empty(tmp));
}

TEST(Cli, WithoutTheDecoderEveryFileFailsNamingTheFolder) {
    TempDir dir;
    std::string program = dir.file("program folder/");
    fs::create_directories(program);
    for (const char* name : {"brisktune-cli", "tonekit.so", "lame_enc.so"})
        fs::copy_file(std::string(BRISKTUNE_BIN_DIR) + "/" + name, program + name);
    std::string source = copyFixture("tone-44100-stereo.m4a", dir.file("t.m4a"));
    CliRun run = RunCli({source}, "", program + "brisktune-cli");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("failed: " + source + ": The decoder (faad) is missing from " + program),
              std::string::npos)
        << run.err;
    EXPECT_FALSE(fileExists(dir.file("t.mp3")));
}

TEST(Cli, AnInterruptRemovesUnfinishedMp3sAndTheTemporaryFolders) {
    TempDir dir;
    std::vector<std::string> arguments{"-j", "2"};
    for (int i = 0; i < 8; ++i) {
        std::string source = dir.file("in/long " + std::to_string(i) + ".m4a");
        fs::create_directories(dir.file("in"));
        fs::copy_file(std::string(BRISKTUNE_SOURCE_DIR) + "/samples/sample.m4a", source);
        arguments.push_back(source);
    }
    std::string tmp = dir.file("tmp");
    fs::create_directories(tmp);
    CliRun run = RunCli(arguments, tmp, "", 0, true);  // SIGINT once the first file is done
    EXPECT_EQ(run.exitCode, 130) << run.out << run.err;
    std::set<std::string> reported;
    std::regex line("converted: .* -> (.*)");
    for (std::sregex_iterator it(run.out.begin(), run.out.end(), line), end; it != end; ++it)
        reported.insert((*it)[1]);
    EXPECT_GE(reported.size(), 1u);
    for (int i = 0; i < 8; ++i) {
        std::string output = dir.file("in/long " + std::to_string(i) + ".mp3");
        EXPECT_EQ(fileExists(output), reported.count(output) == 1) << output;
    }
    EXPECT_TRUE(fs::is_empty(tmp)) << "no temporary folder is left";
}
