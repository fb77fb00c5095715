// The open-file dialog, answered through the toolkit.
#include <QFile>
#include <QListWidget>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "modal_answer.h"
#include "platform/file_dialogs.h"
#include "support/test_support.h"
#include "ui/file_helpers.h"

namespace {

using modalanswer::typeAndAccept;
using modalanswer::whenFileDialogOpens;

const char kFilter[] = "All Media Files\0*.aac;*.m4a;*.mp4\0AAC Files\0*.aac\0M4A Files\0*.m4a\0MP4 Files\0*.mp4\0";

struct Picked {
    std::string path;
    int32_t index;
};
struct PickRecord {
    std::vector<Picked> calls;
    int32_t stopAtIndex = -1;  // answer 0 for this index
};
PickRecord* currentPicks = nullptr;

int32_t recordPick(const char* path, int32_t index)
{
    currentPicks->calls.push_back({path, index});
    return index == currentPicks->stopAtIndex ? 0 : 1;
}

struct MediaFolder : ::testing::Test {
    void SetUp() override
    {
        folder = temp.path + "Musik \"ü\" 'x'/";
        ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
        for (const char* name : {"eins ä.m4a", "zwei.aac", "drei lied.mp4"})
            testsupport::writeFile(folder + name, {'x'});
        currentPicks = &picks;
    }
    void TearDown() override { currentPicks = nullptr; }
    // Chooses `names` (typed in the dialog's own quoted form) in the next dialog.
    void choose(const std::vector<std::string>& names)
    {
        QString typed;
        for (const std::string& n : names)
            typed += (names.size() > 1 ? QStringLiteral("\"%1\" ") : QStringLiteral("%1"))
                         .arg(QString::fromUtf8(n.c_str()));
        whenFileDialogOpens([this, typed](QFileDialog* dialog) {
            ASSERT_NE(dialog, nullptr);
            seenFilters = dialog->nameFilters();
            seenFilter = dialog->selectedNameFilter();
            seenDirectory = dialog->directory().absolutePath();
            seenTitle = dialog->windowTitle();
            seenMode = dialog->fileMode();
            typeAndAccept(dialog, typed.trimmed());
        });
    }
    intptr_t open(int32_t multiple, int32_t listBoxId = 0, WindowHandle owner = nullptr)
    {
        return GetOpenFilenames(owner, multiple, "Open Media File", folder.c_str(), kFilter,
                                listBoxId, recordPick);
    }
    testsupport::TempDir temp;
    std::string folder;
    PickRecord picks;
    QStringList seenFilters;
    QString seenFilter, seenDirectory, seenTitle;
    QFileDialog::FileMode seenMode = QFileDialog::AnyFile;
};

TEST_F(MediaFolder, SeveralFilesAreHandedOverInOrderUntilTheCallbackStops)
{
    struct Case {
        int32_t stopAt;
        intptr_t expected;
    };
    for (const Case c : {Case{-1, 3}, Case{1, 2}, Case{0, 1}}) {
        SCOPED_TRACE(c.stopAt);
        picks = PickRecord{};
        picks.stopAtIndex = c.stopAt;
        choose({"eins ä.m4a", "zwei.aac", "drei lied.mp4"});
        EXPECT_EQ(open(1), c.expected);
        const char* names[] = {"eins ä.m4a", "zwei.aac", "drei lied.mp4"};
        ASSERT_EQ(picks.calls.size(), static_cast<size_t>(c.expected));
        for (size_t i = 0; i < picks.calls.size(); ++i) {
            EXPECT_EQ(picks.calls[i].path, folder + names[i]);
            EXPECT_EQ(picks.calls[i].index, static_cast<int32_t>(i));
        }
    }
    EXPECT_EQ(seenTitle, QStringLiteral("Open Media File"));
    EXPECT_EQ(seenMode, QFileDialog::ExistingFiles);
    EXPECT_EQ(seenDirectory + "/", QFile::decodeName(folder.c_str()));
    EXPECT_EQ(seenFilters, (QStringList{"All Media Files (*.aac *.m4a *.mp4)", "AAC Files (*.aac)",
                                        "M4A Files (*.m4a)", "MP4 Files (*.mp4)"}));
    EXPECT_EQ(seenFilter, seenFilters.value(0));
}

TEST_F(MediaFolder, OneFileIsHandedOverOnceWhateverTheAnswer)
{
    picks.stopAtIndex = 0;
    choose({"zwei.aac"});
    EXPECT_EQ(open(1), 1);
    ASSERT_EQ(picks.calls.size(), 1u);
    EXPECT_EQ(picks.calls[0].path, folder + "zwei.aac");
    EXPECT_EQ(picks.calls[0].index, 0);
}

TEST_F(MediaFolder, SingleModeReturnsThePathAndCallsNothing)
{
    choose({"drei lied.mp4"});
    const intptr_t result = open(0);
    ASSERT_NE(result, 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(result)), folder + "drei lied.mp4");
    EXPECT_TRUE(picks.calls.empty());
    EXPECT_EQ(seenMode, QFileDialog::AnyFile);
}

TEST_F(MediaFolder, CancelReturnsZeroAndCallsNothing)
{
    whenFileDialogOpens([](QFileDialog* dialog) { dialog->reject(); });
    EXPECT_EQ(open(1), 0);
    whenFileDialogOpens([](QFileDialog* dialog) { dialog->reject(); });
    EXPECT_EQ(open(0), 0);
    EXPECT_TRUE(picks.calls.empty());
}

// The list box that chosen paths may be collected in (a list box is found by its id in
// the owner; the main window has none, so the helpers are checked on their own).
TEST(ChosenPathsListBox, PrefixSearchIgnoresCaseAndCoversEveryEntry)
{
    QListWidget list;
    auto* handle = reinterpret_cast<WindowHandle>(static_cast<QWidget*>(&list));
    EXPECT_EQ(platform::findListBoxPrefix(handle, "/a"), -1);
    EXPECT_EQ(platform::addListBoxEntry(handle, "/Musik/Zwei.aac"), 0);
    EXPECT_EQ(platform::addListBoxEntry(handle, "/musik/eins \xC3\xA4.m4a"), 1);
    EXPECT_EQ(platform::findListBoxPrefix(handle, "/MUSIK/EINS \xC3\x84"), 1) << "case of non-ASCII letters";
    EXPECT_EQ(platform::findListBoxPrefix(handle, "/musik/zwei.AAC"), 0);
    EXPECT_EQ(platform::findListBoxPrefix(handle, "/musik/"), 0) << "the first entry that begins with it";
    EXPECT_EQ(platform::findListBoxPrefix(handle, "/musik/zwei.aac.mp3"), -1);
    EXPECT_EQ(platform::findListBoxPrefix(nullptr, "/musik"), -1);
    EXPECT_EQ(list.count(), 2);
    QWidget notAList;
    EXPECT_EQ(platform::addListBoxEntry(reinterpret_cast<WindowHandle>(&notAList), "x"), -1);
}

}  // namespace
