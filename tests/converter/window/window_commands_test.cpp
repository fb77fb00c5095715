// The main window's own commands: quality, output folder, same folder, Stay On Top,
// Explore, Online Help, About, more software, Enter and Escape, Exit.
#include "window_session.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QUrl>

#include "ui/modal_answer.h"

namespace windowtest {
namespace {

// Records the addresses the program hands to the desktop.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    UrlCatcher()
    {
        QDesktopServices::setUrlHandler("file", this, "open");
        QDesktopServices::setUrlHandler("https", this, "open");
    }
    ~UrlCatcher() override
    {
        QDesktopServices::unsetUrlHandler("file");
        QDesktopServices::unsetUrlHandler("https");
    }
    std::vector<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.push_back(url); }
};

int qualityMarks()
{
    int marks = 0;
    for (int id = 5100; id <= 5103; ++id)
        marks += platform::isMenuItemChecked(app().mainWindow, id) ? 1 : 0;
    return marks;
}

TEST(BrisktuneWindow, QualityKeepsComboAndMenuInStep)
{
    Session s;
    ASSERT_TRUE(s.start());
    for (int index : {3, 0, 2}) {
        choose(5100 + index);
        EXPECT_EQ(app().settings.qualityIndex, uint32_t(index));
        EXPECT_EQ(platform::comboSelection(control(kIdQuality)), index);
        EXPECT_TRUE(platform::isMenuItemChecked(app().mainWindow, 5100 + index));
        EXPECT_EQ(qualityMarks(), 1);
    }
    chooseQualityInCombo(1);
    EXPECT_EQ(app().settings.qualityIndex, 1u);
    EXPECT_TRUE(platform::isMenuItemChecked(app().mainWindow, 5101));
    EXPECT_EQ(qualityMarks(), 1);
    char item[64];
    platform::comboItemText(control(kIdQuality), 3, item, sizeof item);
    EXPECT_STREQ(item, " Low (32kbps)");
    EXPECT_EQ(platform::comboItemCount(control(kIdQuality)), 4);
    s.closeAndEnd();
}

TEST(BrisktuneWindow, SameFolderShowsItAndDisablesTheFolderCommands)
{
    Session s;
    ASSERT_TRUE(s.start());
    const std::string stored = app().settings.outputFolder;
    for (bool viaMenu : {false, true}) {
        SCOPED_TRACE(viaMenu ? "menu" : "check box");
        if (viaMenu)
            choose(kMenuSameFolder);
        else
            click(kIdSameFolder);
        EXPECT_EQ(app().settings.sameFolder, 1u);
        EXPECT_EQ(textOf(kIdFolderBox), "(SAME FOLDER)");
        EXPECT_FALSE(platform::isEnabled(control(kIdChangeFolder)));
        EXPECT_FALSE(platform::isEnabled(control(kIdExplore)));
        EXPECT_FALSE(platform::isMenuItemEnabled(app().mainWindow, kMenuChangeFolder));
        EXPECT_FALSE(platform::isMenuItemEnabled(app().mainWindow, kMenuExplore));
        EXPECT_TRUE(platform::isChecked(control(kIdSameFolder)));
        EXPECT_TRUE(platform::isMenuItemChecked(app().mainWindow, kMenuSameFolder));
        if (viaMenu)
            choose(kMenuSameFolder);
        else
            click(kIdSameFolder);
        EXPECT_EQ(textOf(kIdFolderBox), stored);
        EXPECT_TRUE(platform::isEnabled(control(kIdChangeFolder)));
        EXPECT_TRUE(platform::isMenuItemEnabled(app().mainWindow, kMenuExplore));
        EXPECT_FALSE(platform::isChecked(control(kIdSameFolder)));
        EXPECT_FALSE(platform::isMenuItemChecked(app().mainWindow, kMenuSameFolder));
    }
    click(kIdStayOnTop);
    EXPECT_TRUE(platform::isTopmost(app().mainWindow));
    click(kIdStayOnTop);
    EXPECT_FALSE(platform::isTopmost(app().mainWindow));
    s.closeAndEnd();
}

TEST(BrisktuneWindow, ChangeFolderKeepsTheCaseAndOneSlashAndExploreOpensIt)
{
    Session s;
    const std::string chosen = s.home + "Mixed Case \xC3\x9C 'q'";
    makeFolder(chosen);
    ASSERT_TRUE(s.start());
    modalanswer::whenFileDialogOpens(
        [&](QFileDialog* d) { modalanswer::openFolderAndAccept(d, QString::fromStdString(chosen)); });
    click(kIdChangeFolder);
    EXPECT_STREQ(app().settings.outputFolder, (chosen + "/").c_str());
    EXPECT_EQ(textOf(kIdFolderBox), chosen + "/");

    // Cancelled: nothing changes.
    modalanswer::whenFileDialogOpens([](QFileDialog* d) { d->reject(); });
    choose(kMenuChangeFolder);
    EXPECT_STREQ(app().settings.outputFolder, (chosen + "/").c_str());

    UrlCatcher catcher;
    click(kIdExplore);
    ASSERT_EQ(catcher.opened.size(), 1u);
    EXPECT_EQ(catcher.opened[0].toLocalFile().toStdString() + (catcher.opened[0].toLocalFile().endsWith('/') ? "" : "/"),
              chosen + "/");
    s.closeAndEnd();
}

TEST(BrisktuneWindow, HelpAboutAndMoreSoftware)
{
    Session s;
    ASSERT_TRUE(s.start());
    UrlCatcher catcher;

    auto about = answerNextBox(QMessageBox::Ok);
    choose(kMenuAbout);
    ASSERT_TRUE(about->shown);
    EXPECT_EQ(about->caption, "ABOUT");
    EXPECT_EQ(about->text, std::string("Brisktune\n\nVersion 1.0 - Build 100210\n\n") + kRightsLine);
    EXPECT_EQ(about->icon, QMessageBox::Information);
    EXPECT_TRUE(catcher.opened.empty());

    auto help = answerNextBox(QMessageBox::Ok);
    choose(kMenuOnlineHelp);
    ASSERT_TRUE(help->shown);
    EXPECT_EQ(help->caption, "HELP");
    EXPECT_EQ(help->text,
              "Help will now Open in your Web Browser\nThis Program will be Minimized to the Taskbar\n\nPress OK");
    EXPECT_EQ(help->icon, QMessageBox::Information);
    EXPECT_TRUE(platform::isMinimised(app().mainWindow));
    ASSERT_EQ(catcher.opened.size(), 1u);
    const std::string guide = catcher.opened[0].toLocalFile().toStdString();
    std::vector<uint8_t> html = testsupport::readFile(guide);
    std::string page(html.begin(), html.end());
    EXPECT_NE(page.find("Brisktune User Guide"), std::string::npos);
    EXPECT_EQ(guide.rfind(app().temp.folder, 0), 0u) << "written into the private temporary folder";

    platform::showWindow(app().mainWindow);
    choose(kMenuMoreSoftware);
    ASSERT_EQ(catcher.opened.size(), 2u);
    EXPECT_EQ(catcher.opened[1].fragment().toStdString(), "more");
    EXPECT_NE(page.find("id=\"more\""), std::string::npos);
    EXPECT_TRUE(platform::isMinimised(app().mainWindow));
    s.closeAndEnd();
}

TEST(BrisktuneWindow, EnterPressesAddFilesAndEscapeDoesNothing)
{
    Session s;
    ASSERT_TRUE(s.start());
    platform::showWindow(app().mainWindow);
    QWidget* list = widget(kIdFileList);
    list->setFocus();

    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(list, &escape);
    platform::processPendingEvents();
    EXPECT_NE(app().mainWindow, nullptr);
    EXPECT_FALSE(platform::quitRequested());

    bool opened = false;
    modalanswer::whenFileDialogOpens([&](QFileDialog* d) {
        opened = d != nullptr && d->windowTitle() == "Open Media File";
        d->reject();
    });
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(list, &enter);
    Session::waitUntil([&] { return opened; }, 3000);
    EXPECT_TRUE(opened);
    s.closeAndEnd();
}

TEST(BrisktuneWindow, ExitClosesAndSaves)
{
    Session s;
    ASSERT_TRUE(s.start());
    choose(5102);
    choose(kMenuExit);
    EXPECT_EQ(app().mainWindow, nullptr);
    EXPECT_TRUE(platform::quitRequested());
    std::vector<uint8_t> record = testsupport::readFile(s.settingsFile());
    ASSERT_EQ(record.size(), 2060u);
    EXPECT_EQ(record[2048], 2);
    ShutDown();
}

}  // namespace
}  // namespace windowtest

#include "window_commands_test.moc"
