// The "Program Setup" dialog driven like a user would: start state, agreement, the
// two guarded text boxes, Browse, Install (success and failure), closing, and the
// installed program started from its folder.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/controls.h"
#include "platform/event_pump.h"
#include "platform/resources.h"
#include "setup/setup_dialog.h"
#include "setup/setup_pump.h"
#include "setup_resources.h"
#include "support/test_support.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// Answers the modal windows that open while `action` runs, one after another, with
// `answer` (which must close them); collects their titles and texts.
struct ModalAnswerer {
    std::function<void(QWidget*)> answer;
    std::vector<std::string> titles, texts;
    std::vector<QWidget*> seen;

    void run(const std::function<void()>& action)
    {
        QTimer timer;
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || (!seen.empty() && seen.back() == modal))
                return;
            seen.push_back(modal);
            titles.push_back(modal->windowTitle().toStdString());
            if (auto* box = qobject_cast<QMessageBox*>(modal))
                texts.push_back(box->text().toStdString());
            answer(modal);
        });
        timer.start();
        action();
        timer.stop();
    }
};

void pressOk(QWidget* modal)
{
    if (auto* box = qobject_cast<QMessageBox*>(modal))
        box->button(QMessageBox::Ok)->click();
    else
        modal->close();
}

std::string withoutCr(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            out += text[i];
    return out;
}

std::string boxText(WindowHandle box)
{
    std::string text(platform::textLength(box) + 1, '\0');
    text.resize(platform::getText(box, text.data(), text.size()));
    return text;
}

class SetupDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        home = temp.file("hö me 'x'");
        fs::create_directory(home);
        const char* old = std::getenv("HOME");
        oldHome = old ? old : "";
        const char* config = std::getenv("XDG_CONFIG_HOME");
        hadConfig = config != nullptr;
        oldConfig = config ? config : "";
        ::setenv("HOME", home.c_str(), 1);
        platform::clearQuitRequest();
        state.resources = setup_module();
        dialog = setup::createSetupDialog(&state);
        ASSERT_NE(dialog, nullptr);
        platform::showWindow(dialog);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window()));
        platform::processPendingEvents();
    }
    void TearDown() override
    {
        if (state.dialog)
            platform::destroyDialog(dialog);
        platform::processPendingEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        setup::releaseSetupState(&state);
        platform::clearQuitRequest();
        ::setenv("HOME", oldHome.c_str(), 1);
        if (hadConfig)
            ::setenv("XDG_CONFIG_HOME", oldConfig.c_str(), 1);
        else
            ::unsetenv("XDG_CONFIG_HOME");
    }
    WindowHandle control(int id) { return platform::controlOf(dialog, id); }
    QWidget* widget(int id) { return reinterpret_cast<QWidget*>(control(id)); }
    QWidget* window() { return reinterpret_cast<QWidget*>(dialog); }
    std::string pathText() { return boxText(control(setup::kPathBoxId)); }
    void tick() { QTest::mouseClick(widget(setup::kAgreementId), Qt::LeftButton); }
    // The folder the path box shows at start.
    std::string homeText() const { return home + "/"; }

    testsupport::TempDir temp;
    std::string home, oldHome, oldConfig;
    bool hadConfig = false;
    setup::SetupState state;
    WindowHandle dialog = nullptr;
};

TEST_F(SetupDialog, StartsWithHomeFolderDisabledInstallFocusAndTheExactLicence)
{
    EXPECT_EQ(window()->windowTitle().toStdString(), "Program Setup");
    EXPECT_EQ(pathText(), homeText());
    EXPECT_FALSE(platform::isEnabled(control(setup::kInstallId)));
    EXPECT_TRUE(platform::isEnabled(control(setup::kBrowseId)));
    EXPECT_FALSE(platform::isChecked(control(setup::kAgreementId)));
    EXPECT_EQ(window()->focusWidget(), widget(setup::kLicenceBoxId));

    // The box shows the stored text and nothing before or after it; the edit box
    // keeps line breaks as '\n', so each stored CRLF reads back as one '\n'.
    const platform::ResourceBytes stored = platform::findResource(setup_module(), "LICENSE", 111);
    const std::string licence(reinterpret_cast<const char*>(stored.data), stored.size);
    EXPECT_EQ(boxText(control(setup::kLicenceBoxId)), withoutCr(licence));

    EXPECT_FALSE(qobject_cast<QAbstractButton*>(widget(setup::kBrowseId))->icon().isNull());
    EXPECT_FALSE(window()->windowIcon().isNull());
}

TEST_F(SetupDialog, AgreementEnablesAndDisablesInstall)
{
    tick();
    EXPECT_TRUE(platform::isChecked(control(setup::kAgreementId)));
    EXPECT_TRUE(platform::isEnabled(control(setup::kInstallId)));
    tick();
    EXPECT_FALSE(platform::isEnabled(control(setup::kInstallId)));
    tick();
    EXPECT_TRUE(platform::isEnabled(control(setup::kInstallId)));
}

TEST_F(SetupDialog, KeysInBothBoxesAndMouseInThePathBoxChangeNothing)
{
    QApplication::clipboard()->setText("PASTED");
    for (int id : {setup::kPathBoxId, setup::kLicenceBoxId}) {
        SCOPED_TRACE(id);
        QWidget* box = widget(id);
        platform::setFocus(control(id));
        const std::string before = boxText(control(id));
        QTest::keyClicks(box, "typed");
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(boxText(control(id)), before);
    }

    auto* path = qobject_cast<QLineEdit*>(widget(setup::kPathBoxId));
    ASSERT_NE(path, nullptr);
    path->setCursorPosition(0);
    QTest::mouseClick(path, Qt::LeftButton, {}, QPoint(40, path->height() / 2));
    QTest::mouseDClick(path, Qt::LeftButton, {}, QPoint(40, path->height() / 2));
    EXPECT_EQ(path->cursorPosition(), 0);
    EXPECT_FALSE(path->hasSelectedText());
    QTest::mouseClick(path, Qt::RightButton, {}, QPoint(40, path->height() / 2));
    QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(40, 5), path->mapToGlobal(QPoint(40, 5)));
    QApplication::sendEvent(path, &menu);
    platform::processPendingEvents();
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(pathText(), homeText());
}

TEST_F(SetupDialog, LicenceStillScrollsWithTheWheel)
{
    auto* licence = qobject_cast<QPlainTextEdit*>(widget(setup::kLicenceBoxId));
    ASSERT_NE(licence, nullptr);
    QScrollBar* bar = licence->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    const int before = bar->value();
    const QPointF at(20, 20);
    QWheelEvent wheel(at, licence->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(licence->viewport(), &wheel);
    EXPECT_GT(bar->value(), before);
}

TEST_F(SetupDialog, BrowseSetsTheChosenFolderWithOneSlash)
{
    const std::string apps = temp.file("Äpps \"and\" 'x'");
    fs::create_directory(apps);
    struct Case {
        std::string folder;  // empty: cancel
        std::string expected;
    } cases[] = {{apps, apps + "/"}, {"/", "/"}, {"", "/"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        ModalAnswerer answerer;
        answerer.answer = [&](QWidget* modal) {
            auto* files = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(files, nullptr);
            if (c.folder.empty()) {
                files->reject();
                return;
            }
            // With nothing typed, a folder dialog answers with the folder it shows.
            files->setDirectory(QString::fromStdString(c.folder));
            static_cast<QDialog*>(files)->accept();
        };
        answerer.run([&] { QTest::mouseClick(widget(setup::kBrowseId), Qt::LeftButton); });
        ASSERT_EQ(answerer.titles.size(), 1u);
        EXPECT_EQ(answerer.titles[0], "Select a Folder to Install to");
        EXPECT_EQ(pathText(), c.expected);
        EXPECT_TRUE(platform::isEnabled(control(setup::kBrowseId)));
    }
}

TEST_F(SetupDialog, SecondBrowsePressWhileTheFolderDialogIsOpenDoesNothing)
{
    // A second folder dialog would open inside the press below; this watchdog (a
    // timer of its own, which fires in that nested loop) notes and closes it.
    QWidget* first = nullptr;
    bool nested = false;
    QTimer watchdog;
    watchdog.setInterval(10);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (first && modal && modal != first) {
            nested = true;
            qobject_cast<QDialog*>(modal)->reject();
        }
    });
    watchdog.start();
    ModalAnswerer answerer;
    answerer.answer = [&](QWidget* modal) {
        first = modal;
        qobject_cast<QAbstractButton*>(widget(setup::kBrowseId))->click();
        platform::processPendingEvents();
        qobject_cast<QFileDialog*>(modal)->reject();
    };
    answerer.run([&] { QTest::mouseClick(widget(setup::kBrowseId), Qt::LeftButton); });
    watchdog.stop();
    EXPECT_NE(first, nullptr);
    EXPECT_FALSE(nested);
    EXPECT_EQ(pathText(), homeText());
    EXPECT_FALSE(state.browsing);
}

TEST_F(SetupDialog, ClosingBeforeInstallWritesNothing)
{
    tick();
    platform::requestClose(dialog);
    EXPECT_EQ(state.dialog, nullptr);
    EXPECT_TRUE(platform::quitRequested());
    EXPECT_EQ(platform::quitExitCode(), 0);
    EXPECT_TRUE(fs::is_empty(home));
}

TEST_F(SetupDialog, BannerTitleIsPinkFromSeventyTwentyAndTheLicenceBoxHasItsColours)
{
    const QImage banner = widget(setup::kBannerId)->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int left = banner.width(), top = banner.height(), right = -1, pink = 0;
    for (int y = 0; y < banner.height(); ++y)
        for (int x = 0; x < banner.width(); ++x)
            if (banner.pixel(x, y) == qRgb(255, 144, 176)) {
                ++pink;
                left = std::min(left, x);
                top = std::min(top, y);
                right = std::max(right, x);
            }
    EXPECT_GT(pink, 100);
    // The leading space puts the 'B' a little right of 70.
    EXPECT_GE(left, 70);
    EXPECT_LE(left, 84);
    EXPECT_GE(top, 20);
    EXPECT_LE(top, 28);
    EXPECT_LT(right, 300);

    const QImage licence =
        widget(setup::kLicenceBoxId)->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int grey = 0, green = 0;
    for (int y = 0; y < licence.height(); ++y)
        for (int x = 0; x < licence.width(); ++x) {
            const QRgb p = licence.pixel(x, y);
            grey += p == qRgb(112, 112, 112);
            green += qGreen(p) > 220 && qRed(p) < 160 && qBlue(p) < 160;
        }
    EXPECT_GT(grey, licence.width() * licence.height() / 2);
    EXPECT_GT(green, 200);
}

// Installs through the dialog into `chosen` and answers the notices.
ModalAnswerer installThroughDialog(SetupDialog* test, WindowHandle dialog, const std::string& chosen,
                                   std::vector<bool>* enabledDuringNotice)
{
    platform::setText(platform::controlOf(dialog, setup::kPathBoxId), chosen.c_str());
    QTest::mouseClick(reinterpret_cast<QWidget*>(platform::controlOf(dialog, setup::kAgreementId)),
                      Qt::LeftButton);
    ModalAnswerer answerer;
    answerer.answer = [&, dialog](QWidget* modal) {
        if (enabledDuringNotice && answerer.seen.size() == 1)
            for (int id : {setup::kInstallId, setup::kAgreementId, setup::kBrowseId})
                enabledDuringNotice->push_back(platform::isEnabled(platform::controlOf(dialog, id)));
        pressOk(modal);
    };
    answerer.run([&] {
        QTest::mouseClick(reinterpret_cast<QWidget*>(platform::controlOf(dialog, setup::kInstallId)),
                          Qt::LeftButton);
    });
    (void)test;
    return answerer;
}

pid_t findProcessRunning(const std::string& program)
{
    for (int tries = 0; tries < 200; ++tries) {
        for (const auto& entry : fs::directory_iterator("/proc")) {
            const std::string name = entry.path().filename().string();
            if (name.find_first_not_of("0123456789") != std::string::npos)
                continue;
            std::error_code ec;
            if (fs::read_symlink(entry.path() / "exe", ec).string() == program)
                return static_cast<pid_t>(std::stoi(name));
        }
        std::this_thread::sleep_for(10ms);
    }
    return 0;
}

bool processAlive(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line))
        return false;
    const std::size_t close = line.rfind(')');
    return close != std::string::npos && close + 2 < line.size() && line[close + 2] != 'Z';
}

TEST_F(SetupDialog, InstallWritesTheFilesReportsSuccessAndEnds)
{
    const std::string chosen = temp.file("Ziel ördner 'q'/");
    fs::create_directory(chosen);
    ::setenv("XDG_CONFIG_HOME", temp.file("config").c_str(), 1);
    std::vector<bool> enabled;
    const ModalAnswerer answerer = installThroughDialog(this, dialog, chosen, &enabled);

    ASSERT_GE(answerer.titles.size(), 1u);
    EXPECT_EQ(answerer.titles[0], "SUCCESS");
    EXPECT_EQ(answerer.texts[0], "SETUP is Complete!\n\nPress 'OK' ...");
    EXPECT_EQ(answerer.titles.size(), 1u) << "a second notice: " << answerer.texts.back();
    EXPECT_EQ(enabled, std::vector<bool>({false, false, false}));
    EXPECT_EQ(state.dialog, nullptr);
    EXPECT_TRUE(platform::quitRequested());
    EXPECT_EQ(platform::quitExitCode(), 0);
    for (const char* name : {"brisktune", "tonekit.so", "lame_enc.so", "faad"})
        EXPECT_TRUE(testsupport::readFile(chosen + "BRISKTUNE/" + name) ==
                    testsupport::readFile(std::string(BRISKTUNE_BIN_DIR) + "/" + name))
            << name;

    // The installed program, started detached, is stopped again.
    const pid_t pid = findProcessRunning(chosen + "BRISKTUNE/brisktune");
    if (pid > 0)
        ::kill(pid, SIGKILL);
}

TEST_F(SetupDialog, FolderThatCannotBeWrittenShowsCannotWriteAndEndsInOrder)
{
    testsupport::writeFile(temp.file("a file"), {'x'});
    const std::string chosen = temp.file("a file") + "/";
    const ModalAnswerer answerer = installThroughDialog(this, dialog, chosen, nullptr);
    ASSERT_EQ(answerer.titles.size(), 1u);
    EXPECT_EQ(answerer.titles[0], "ERROR");
    EXPECT_EQ(answerer.texts[0], "Cannot write " + chosen + "BRISKTUNE/");
    EXPECT_EQ(state.dialog, nullptr);
    EXPECT_TRUE(platform::quitRequested());
    EXPECT_EQ(platform::quitExitCode(), 1);
}

// The installed brisktune runs from its own folder: it binds tonekit.so there, keeps
// running, and on SIGTERM saves its settings and exits 0.
TEST_F(SetupDialog, InstalledProgramStartsFromItsFolderAndEndsInOrderOnSigterm)
{
    const std::string chosen = temp.file("Inst 'all' ü/");
    fs::create_directory(chosen);
    const std::string config = temp.file("xdg config");
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    const ModalAnswerer answerer = installThroughDialog(this, dialog, chosen, nullptr);
    ASSERT_EQ(answerer.titles, std::vector<std::string>({"SUCCESS"}));
    const std::string folder = chosen + "BRISKTUNE/";

    const pid_t detached = findProcessRunning(folder + "brisktune");
    ASSERT_GT(detached, 0) << "the installed brisktune was not started";
    EXPECT_EQ(fs::read_symlink("/proc/" + std::to_string(detached) + "/cwd").string() + "/", folder);
    std::this_thread::sleep_for(1500ms);
    ASSERT_TRUE(processAlive(detached)) << "the installed brisktune ended by itself";
    // Its own folder's library, not the build's.
    {
        std::ifstream maps("/proc/" + std::to_string(detached) + "/maps");
        std::string all((std::istreambuf_iterator<char>(maps)), std::istreambuf_iterator<char>());
        EXPECT_NE(all.find(folder + "tonekit.so"), std::string::npos);
    }
    ASSERT_EQ(::kill(detached, SIGTERM), 0);
    for (int i = 0; i < 500 && processAlive(detached); ++i)
        std::this_thread::sleep_for(10ms);
    EXPECT_FALSE(processAlive(detached));
    const std::string settings = config + "/brisktune/settings.dat";
    ASSERT_TRUE(testsupport::fileExists(settings));
    EXPECT_EQ(fs::file_size(settings), 2060u);

    // Its exit status, seen by starting it again as our own child in the same way.
    fs::remove(settings);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        sigset_t none;
        sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        if (::chdir(folder.c_str()) == 0) {
            const std::string program = folder + "brisktune";
            ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        }
        ::_exit(127);
    }
    std::this_thread::sleep_for(1500ms);
    ASSERT_EQ(::kill(child, SIGTERM), 0);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(testsupport::fileExists(settings));
}

TEST(SetupPump, DropsKeysInBothBoxesAndPressesInThePathBoxOnly)
{
    using platform::InputKind;
    const struct {
        int control;
        InputKind input;
        bool dropped;
    } table[] = {
        {setup::kLicenceBoxId, InputKind::KeyDown, true},  {setup::kLicenceBoxId, InputKind::LeftPress, false},
        {setup::kLicenceBoxId, InputKind::RightPress, false}, {setup::kPathBoxId, InputKind::KeyDown, true},
        {setup::kPathBoxId, InputKind::LeftPress, true},   {setup::kPathBoxId, InputKind::RightPress, true},
        {setup::kBrowseId, InputKind::LeftPress, false},   {setup::kAgreementId, InputKind::KeyDown, false},
        {setup::kInstallId, InputKind::LeftPress, false},
    };
    for (const auto& row : table)
        EXPECT_EQ(setup::dropsInput(row.control, row.input), row.dropped) << row.control;
}

}  // namespace
