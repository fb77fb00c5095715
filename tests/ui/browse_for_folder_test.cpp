// The folder dialog, answered through the toolkit.
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "modal_answer.h"
#include "support/test_support.h"
#include "ui/file_helpers.h"

namespace {

using modalanswer::openFolderAndAccept;
using modalanswer::whenFileDialogOpens;

TEST(BrowseForFolder, ReturnsTheChosenFolderWithExactlyOneSlash)
{
    testsupport::TempDir temp;
    const std::string folder = temp.path + "Musik \"ü\" 'x'";
    ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
    struct Case {
        std::string typed;
        std::string expected;
    };
    const Case cases[] = {{folder, folder + "/"}, {folder + "/", folder + "/"}, {"/", "/"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        QString title;
        whenFileDialogOpens([&](QFileDialog* dialog) {
            ASSERT_NE(dialog, nullptr);
            title = dialog->windowTitle();
            EXPECT_EQ(dialog->fileMode(), QFileDialog::Directory);
            EXPECT_TRUE(dialog->testOption(QFileDialog::ShowDirsOnly));
            openFolderAndAccept(dialog, QFile::decodeName(c.typed.c_str()));
        });
        char displayName[260];
        std::memset(displayName, 'z', sizeof displayName);
        const char* result = BrowseForFolder(nullptr, "Select A Folder To Add ...", displayName);
        ASSERT_NE(result, nullptr);
        EXPECT_EQ(std::string(result), c.expected);
        EXPECT_EQ(title, QStringLiteral("Select A Folder To Add ..."));
        EXPECT_STREQ(displayName, c.expected == "/" ? "/" : "Musik \"ü\" 'x'");
    }
}

TEST(BrowseForFolder, CancelAndASecondCallWhileOpenGiveNull)
{
    testsupport::TempDir temp;
    whenFileDialogOpens([](QFileDialog* dialog) {
        ASSERT_NE(dialog, nullptr);
        dialog->reject();
    });
    EXPECT_EQ(BrowseForFolder(nullptr, "Select Output Folder ...", nullptr), nullptr);

    // A call made while the first dialog is open returns at once, without a dialog.
    const char* nested = "(not called)";
    bool secondDialog = false;
    whenFileDialogOpens([&](QFileDialog* dialog) {
        nested = BrowseForFolder(nullptr, "again", nullptr);
        secondDialog = QApplication::activeModalWidget() != dialog;
        openFolderAndAccept(dialog, QFile::decodeName(temp.path.c_str()));
    });
    const char* first = BrowseForFolder(nullptr, "Select Output Folder ...", nullptr);
    EXPECT_EQ(nested, nullptr);
    EXPECT_FALSE(secondDialog);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(std::string(first), temp.path);

    // Once closed, the next call opens a dialog again.
    whenFileDialogOpens([&](QFileDialog* dialog) { openFolderAndAccept(dialog, QFile::decodeName(temp.path.c_str())); });
    EXPECT_NE(BrowseForFolder(nullptr, "again", nullptr), nullptr);
}

TEST(BrowseForFolder, AFolderWhosePathDoesNotFitCountsAsCancelled)
{
    testsupport::TempDir temp;
    std::string folder = temp.path;
    while (folder.size() < 1100) {
        folder += std::string(200, 'n');
        ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
        folder += "/";
    }
    whenFileDialogOpens([&](QFileDialog* dialog) { openFolderAndAccept(dialog, QFile::decodeName(folder.c_str())); });
    EXPECT_EQ(BrowseForFolder(nullptr, "long", nullptr), nullptr);
    // The busy state was cleared on that way out too.
    whenFileDialogOpens([&](QFileDialog* dialog) { openFolderAndAccept(dialog, QFile::decodeName(temp.path.c_str())); });
    EXPECT_NE(BrowseForFolder(nullptr, "short", nullptr), nullptr);
}

}  // namespace
