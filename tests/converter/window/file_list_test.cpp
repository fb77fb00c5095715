// The file list: Add Files, Add Folder, drops, duplicates, extensions, Select All,
// Select None and Remove.
#include "window_session.h"


#include <algorithm>
#include <set>

#include "ui/modal_answer.h"

namespace windowtest {
namespace {

TEST(BrisktuneFileList, AddFilesTakesMediaFilesOnceAndRemembersTheirFolder)
{
    Session s;
    const std::string folder = s.home + "Music \xC3\xB6 'a' \"b\"/";
    const std::string a = copyFixture("tone-44100-stereo.m4a", folder, "Song.M4a");
    const std::string b = copyFixture("tone-22050-mono.aac", folder, "SONG.AAC");
    ASSERT_TRUE(s.start());
    modalanswer::whenFileDialogOpens([&](QFileDialog* d) {
        EXPECT_EQ(d->windowTitle().toStdString(), "Open Media File");
        EXPECT_EQ(d->directory().absolutePath().toStdString() + "/", s.home);
        d->setDirectory(QString::fromStdString(folder));
        modalanswer::typeAndAccept(d, "\"Song.M4a\" \"SONG.AAC\"");
    });
    click(kIdAddFiles);
    ASSERT_EQ(rows(), 2);
    const std::vector<std::string> listed = paths();
    std::set<std::string> got(listed.begin(), listed.end());
    EXPECT_EQ(got, (std::set<std::string>{a, b}));
    for (int r = 0; r < 2; ++r) {
        const std::string p = cell(r, 4);
        EXPECT_EQ(cell(r, 1), p.substr(folder.size()));
        EXPECT_EQ(cell(r, 2), "0 %");
        EXPECT_EQ(cell(r, 3), folder);
        EXPECT_TRUE(platform::isListRowTicked(control(kIdFileList), r));
    }
    EXPECT_STREQ(app().settings.lastAddFolder, folder.c_str());

    // The next dialog opens where the last file came from; the same file again is
    // refused.
    modalanswer::whenFileDialogOpens([&](QFileDialog* d) {
        EXPECT_EQ(d->directory().absolutePath().toStdString() + "/", folder);
        modalanswer::typeAndAccept(d, "Song.M4a");
    });
    choose(kMenuAddFiles);
    EXPECT_EQ(rows(), 2);
    s.closeAndEnd();
}

TEST(BrisktuneFileList, ExtensionsAndDuplicatesAsDroppedOnTheList)
{
    Session s;
    const std::string root = s.home + "in \xC3\xA5/";
    const std::string nested = root + "b/";
    std::vector<std::string> accepted = {
        copyFixture("tone-44100-stereo.m4a", nested, "song.m4a"),  // /x/b/song.m4a
        copyFixture("tone-44100-stereo.m4a", root, "song.m4a"),    // not part of the first
        copyFixture("tone-44100-stereo.m4a", root, "Song.m4a"),    // case counts
        copyFixture("tone-44100-stereo.m4a", root, "x.mp4"),
    };
    std::vector<std::string> refused = {
        copyFixture("tone-44100-stereo.m4a", root, "song.aac.bak"),
        copyFixture("tone-44100-stereo.m4a", root, "song.m4b"),
        copyFixture("tone-44100-stereo.m4a", root, "song.mp3"),
        copyFixture("tone-44100-stereo.m4a", root, "m4a"),
    };
    ASSERT_TRUE(s.start());
    std::vector<std::string> all = accepted;
    all.insert(all.end(), refused.begin(), refused.end());
    all.push_back(accepted[0]);  // the same file twice in one drop
    all.push_back(nested);       // a folder: fails the extension test
    dropOnList(all);
    EXPECT_EQ(paths(), accepted);
    EXPECT_EQ(app().forwardTarget, control(kIdFileList));

    dropOnList({accepted[1]});
    EXPECT_EQ(rows(), 4) << "a duplicate";

    // A drop anywhere else adds nothing.
    const std::string other = copyFixture("tone-44100-stereo.m4a", root, "other.m4a");
    dropOn(widget(kIdFolderBox), {other});
    dropOn(widget(kIdStatus), {other});
    EXPECT_EQ(rows(), 4);
    s.closeAndEnd();
}

TEST(BrisktuneFileList, AddFolderWithAndWithoutSubfoldersAndItsStatusTexts)
{
    Session s;
    const std::string top = s.home + "Top 'q' \xC3\xA7/";
    const std::string inTop = copyFixture("tone-44100-stereo.m4a", top, "one.m4a");
    const std::string notMedia = copyFixture("tone-44100-stereo.m4a", top, "notes.txt");
    const std::string inSub = copyFixture("tone-22050-mono.aac", top + "Sub/", "two.aac");
    for (bool subfolders : {false, true}) {
        SCOPED_TRACE(subfolders ? "with subfolders" : "this folder only");
        ASSERT_TRUE(s.start());
        std::vector<std::string> statuses;
        EveryPump watch([&] {
            std::string now = textOf(kIdStatus);
            if (statuses.empty() || statuses.back() != now)
                statuses.push_back(now);
        });
        std::shared_ptr<BoxSeen> question;
        modalanswer::whenFileDialogOpens([&](QFileDialog* d) {
            EXPECT_EQ(d->windowTitle().toStdString(), "Select A Folder To Add ...");
            // The subfolder question follows the folder dialog.
            question = answerNextBox(subfolders ? QMessageBox::Yes : QMessageBox::No);
            modalanswer::openFolderAndAccept(d, QString::fromStdString(top));
        });
        click(kIdAddFolder);
        ASSERT_TRUE(question && question->shown);
        EXPECT_EQ(question->caption, "Add Folder");
        EXPECT_EQ(question->text, "Do you wish to include Subfolders?\n\nIf unsure, click 'No'");
        EXPECT_EQ(question->icon, QMessageBox::Question);

        std::vector<std::string> expected = {inTop};
        if (subfolders)
            expected.push_back(inSub);
        std::vector<std::string> got = paths();
        std::sort(got.begin(), got.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(got, expected);
        EXPECT_EQ(textOf(kIdStatus), " Status : Idle.");
        // The window repaints while the files are added, showing the search text of a
        // file it has found.
        bool searching = false;
        for (const std::string& p : expected)
            searching = searching ||
                        std::find(statuses.begin(), statuses.end(), " Status : Searching File ... " + p) != statuses.end();
        EXPECT_TRUE(searching);
        for (const std::string& st : statuses)
            EXPECT_TRUE(st == " Status : Idle." || st.rfind(" Status : Searching File ... " + top, 0) == 0) << st;
        s.closeAndEnd();
        std::remove(s.settingsFile().c_str());
    }
    (void)notMedia;
}

TEST(BrisktuneFileList, SelectAllSelectNoneAndRemove)
{
    Session s;
    const std::string folder = s.home + "r/";
    std::vector<std::string> files;
    for (const char* name : {"a.m4a", "b.m4a", "c.m4a", "d.m4a", "e.m4a"})
        files.push_back(copyFixture("tone-44100-stereo.m4a", folder, name));
    ASSERT_TRUE(s.start());
    dropOnList(files);
    ASSERT_EQ(rows(), 5);
    WindowHandle list = control(kIdFileList);

    click(kIdSelectNone);
    for (int r = 0; r < 5; ++r)
        EXPECT_FALSE(platform::isListRowTicked(list, r));
    // Nothing ticked: no question, nothing removed.
    auto none = answerNextBox(QMessageBox::Yes, 300);
    click(kIdRemove);
    Session::waitUntil([] { return false; }, 350);
    EXPECT_FALSE(none->shown);
    EXPECT_EQ(rows(), 5);

    choose(kMenuSelectAll);
    for (int r = 0; r < 5; ++r)
        EXPECT_TRUE(platform::isListRowTicked(list, r));
    platform::setListRowTicked(list, 0, false);
    platform::setListRowTicked(list, 3, false);

    auto no = answerNextBox(QMessageBox::No);
    click(kIdRemove);
    ASSERT_TRUE(no->shown);
    EXPECT_EQ(no->caption, "CONFIRMATION");
    EXPECT_EQ(no->text, "Confirm Remove Selected?");
    EXPECT_EQ(no->icon, QMessageBox::Question);
    EXPECT_EQ(rows(), 5);

    auto yes = answerNextBox(QMessageBox::Yes);
    choose(kMenuRemove);
    ASSERT_TRUE(yes->shown);
    EXPECT_EQ(paths(), (std::vector<std::string>{files[0], files[3]}));

    // A removed file may come back.
    dropOnList({files[1]});
    EXPECT_EQ(paths(), (std::vector<std::string>{files[0], files[3], files[1]}));

    click(kIdSelectAll);
    auto all = answerNextBox(QMessageBox::Yes);
    click(kIdRemove);
    EXPECT_EQ(rows(), 0);
    s.closeAndEnd();
}

}  // namespace
}  // namespace windowtest
