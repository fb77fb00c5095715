// Dialogs built from a template: geometry in dialog units, commands from the user's
// actions, custom drawing of push buttons, dialog keys, the input filter, drops,
// colour queries, close and destroy.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QDropEvent>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QUrl>

#include "dialog_events.h"
#include "platform/bitmap.h"
#include "platform/draw_context.h"
#include "platform/list_view.h"
#include "platform/menu.h"

using namespace dialogtest;
using platform::DialogMessage;

namespace {

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dialog = platform::createDialog(kTemplate, recordingProcedure, &recorder, nullptr);
        ASSERT_NE(dialog, nullptr);
    }
    void TearDown() override
    {
        if (guard) {
            platform::destroyDialog(dialog);
            platform::processPendingEvents();
        }
        platform::clearQuitRequest();
    }
    void show()
    {
        platform::showWindow(dialog);
        platform::processPendingEvents();
    }
    QWidget* control(int id) { return widget(platform::controlOf(dialog, id)); }

    Recorder recorder;
    WindowHandle dialog = nullptr;
    QPointer<QWidget> guard;

public:
    DialogTest() = default;
};

TEST_F(DialogTest, DialogUnitsGiveTheDesignedPixelSizesAndInitComesFirst)
{
    guard = widget(dialog);
    EXPECT_EQ(platform::dialogUnitsToPixelsX(394), 591);
    EXPECT_EQ(platform::dialogUnitsToPixelsY(355), 577);  // 576.875 rounded
    const TkRect client = platform::windowRect(dialog);
    EXPECT_EQ(client.right - client.left, 591);
    EXPECT_EQ(client.bottom - client.top, 577);
    const TkRect button = platform::windowRect(platform::controlOf(dialog, kDefaultButton));
    EXPECT_EQ(button.left, 20);    // 13 * 1.5 = 19.5
    EXPECT_EQ(button.top, 106);    // 65 * 1.625 = 105.6
    EXPECT_EQ(button.right - button.left, 86);
    EXPECT_EQ(button.bottom - button.top, 31);

    ASSERT_FALSE(recorder.events.empty());
    EXPECT_EQ(recorder.events.front().message, DialogMessage::Init);
    EXPECT_FALSE(platform::isVisible(dialog));  // made hidden; the program shows it
    EXPECT_EQ(platform::controlOf(dialog, -1), nullptr);
    EXPECT_EQ(platform::controlOf(dialog, 4242), nullptr);
    EXPECT_EQ(platform::controlIdOf(platform::controlOf(dialog, kCombo)), kCombo);
    EXPECT_EQ(platform::dialogOf(platform::controlOf(dialog, kList)), dialog);
}

TEST_F(DialogTest, UserActionsArriveAsCommandsWithTheirIdsAndCodes)
{
    guard = widget(dialog);
    show();
    platform::addComboItem(platform::controlOf(dialog, kCombo), " Very High (256kbps)");
    platform::addComboItem(platform::controlOf(dialog, kCombo), " High (128kbps)");
    const platform::MenuRow menu[] = {
        {0, platform::MenuRowKind::Popup, 0, "&Options"},
        {1, platform::MenuRowKind::Item, 40007, "&Convert"},
        {1, platform::MenuRowKind::Separator, 0, nullptr},
        {1, platform::MenuRowKind::Popup, 0, "Set Output &Quality"},
        {2, platform::MenuRowKind::Item, 5103, "Low (32kbps)"},
    };
    ASSERT_TRUE(platform::attachMenu(dialog, menu, 5));
    recorder.events.clear();

    mouseClick(control(kOtherButton));
    auto* autoBox = static_cast<QAbstractButton*>(control(kAutoCheck));
    autoBox->click();
    auto* plainBox = static_cast<QAbstractButton*>(control(kPlainCheck));
    plainBox->click();
    keyPress(control(kCombo), Qt::Key_Down);  // the user moves the closed list on
    ASSERT_TRUE(platform::triggerMenuItem(dialog, 5103));

    const std::vector<std::pair<int, int>> expected = {
        {kOtherButton, platform::Clicked},
        {kAutoCheck, platform::Clicked},
        {kPlainCheck, platform::Clicked},
        {kCombo, platform::SelectionChanged},
        {5103, platform::MenuItem},
    };
    EXPECT_EQ(recorder.commands(), expected);
    EXPECT_TRUE(platform::isChecked(platform::controlOf(dialog, kAutoCheck)));     // ticks itself
    EXPECT_FALSE(platform::isChecked(platform::controlOf(dialog, kPlainCheck)));  // left to the program
    EXPECT_EQ(platform::comboSelection(platform::controlOf(dialog, kCombo)), 0);

    // The program's own changes notify nothing.
    recorder.events.clear();
    platform::setChecked(platform::controlOf(dialog, kAutoCheck), false);
    platform::setComboSelection(platform::controlOf(dialog, kCombo), 1);
    platform::setText(platform::controlOf(dialog, kEdit), "/tmp/");
    EXPECT_TRUE(recorder.commands().empty());
}

TEST_F(DialogTest, MenuMarksAndGreyingAreTheProgramsAlone)
{
    guard = widget(dialog);
    const platform::MenuRow menu[] = {
        {0, platform::MenuRowKind::Popup, 0, "&Options"},
        {1, platform::MenuRowKind::Item, 40019, "Convert To Same Folder"},
        {1, platform::MenuRowKind::Item, 40008, "Change Output &Folder"},
    };
    ASSERT_TRUE(platform::attachMenu(dialog, menu, 3));
    // The menu bar sits above the client area; the controls stay where they were.
    EXPECT_EQ(platform::windowRect(platform::controlOf(dialog, kDefaultButton)).top, 106);
    EXPECT_GT(widget(dialog)->height(), 577);

    platform::setMenuItemChecked(dialog, 40019, true);
    ASSERT_TRUE(platform::triggerMenuItem(dialog, 40019));
    EXPECT_TRUE(platform::isMenuItemChecked(dialog, 40019));  // choosing does not flip it
    platform::setMenuItemChecked(dialog, 40019, false);
    EXPECT_FALSE(platform::isMenuItemChecked(dialog, 40019));

    platform::setMenuItemEnabled(dialog, 40008, false);
    EXPECT_FALSE(platform::isMenuItemEnabled(dialog, 40008));
    recorder.events.clear();
    EXPECT_FALSE(platform::triggerMenuItem(dialog, 40008));
    EXPECT_TRUE(recorder.commands().empty());

    const platform::MenuRow broken[] = {{1, platform::MenuRowKind::Item, 1, "orphan"}};
    EXPECT_FALSE(platform::attachMenu(dialog, broken, 1));
    EXPECT_TRUE(platform::isMenuItemEnabled(dialog, 40019));  // the old menu stays
    EXPECT_FALSE(platform::triggerMenuItem(dialog, 1));
}

TEST_F(DialogTest, EveryPushButtonIsPaintedByTheProcedureWithItsState)
{
    guard = widget(dialog);
    show();
    platform::setEnabled(platform::controlOf(dialog, kOtherButton), false);
    recorder.answer = [](WindowHandle, platform::DialogEvent& e) -> intptr_t {
        if (e.message != DialogMessage::CustomDraw)
            return 0;
        BrushHandle red = platform::createSolidBrush(TK_RGB(255, 0, 0));
        platform::fillRectangle(e.context, e.rect, red);
        platform::destroyBrush(red);
        return 1;
    };
    recorder.events.clear();
    const QImage first = control(kDefaultButton)->grab().toImage();
    static_cast<QAbstractButton*>(control(kDefaultButton))->setDown(true);
    control(kDefaultButton)->grab();
    const QImage second = control(kOtherButton)->grab().toImage();

    const auto draws = recorder.of(DialogMessage::CustomDraw);
    ASSERT_EQ(draws.size(), 3u);
    EXPECT_EQ(draws[0].controlId, kDefaultButton);
    EXPECT_EQ(draws[0].rect.left, 0);
    EXPECT_EQ(draws[0].rect.top, 0);
    EXPECT_EQ(draws[0].rect.right, 86);
    EXPECT_EQ(draws[0].rect.bottom, 31);
    EXPECT_EQ(draws[0].itemState & (platform::ItemPressed | platform::ItemDisabled), 0u);
    EXPECT_EQ(draws[1].itemState & platform::ItemPressed, platform::ItemPressed);
    EXPECT_EQ(draws[2].controlId, kOtherButton);
    EXPECT_EQ(draws[2].itemState & platform::ItemDisabled, platform::ItemDisabled);
    // "Painted everything": what the procedure drew is all there is.
    EXPECT_EQ(first.pixelColor(43, 15), QColor(255, 0, 0));
    EXPECT_EQ(second.pixelColor(2, 2), QColor(255, 0, 0));

    // Answering 0 leaves the button to the platform's own look.
    recorder.answer = nullptr;
    const QImage plain = control(kOtherButton)->grab().toImage();
    EXPECT_NE(plain.pixelColor(43, 15), QColor(255, 0, 0));
}

TEST_F(DialogTest, EnterPressesTheDefaultButtonOrTheFocusedOneAndEscapeDoesNothing)
{
    guard = widget(dialog);
    show();
    recorder.events.clear();
    keyPress(control(kAutoCheck), Qt::Key_Return);
    keyPress(control(kEdit), Qt::Key_Enter);
    keyPress(control(kOtherButton), Qt::Key_Return);
    keyPress(control(kAutoCheck), Qt::Key_Escape);
    keyPress(widget(dialog), Qt::Key_Escape);
    const std::vector<std::pair<int, int>> expected = {
        {kDefaultButton, platform::Clicked},
        {kDefaultButton, platform::Clicked},
        {kOtherButton, platform::Clicked},
    };
    EXPECT_EQ(recorder.commands(), expected);
    EXPECT_TRUE(recorder.of(DialogMessage::Close).empty());
    EXPECT_TRUE(platform::isVisible(dialog));

    // A disabled default button is not pressed.
    recorder.events.clear();
    platform::setEnabled(platform::controlOf(dialog, kDefaultButton), false);
    keyPress(control(kAutoCheck), Qt::Key_Return);
    EXPECT_TRUE(recorder.commands().empty());
}

TEST_F(DialogTest, TheInputFilterDropsKeyAndMousePressesForAControl)
{
    guard = widget(dialog);
    show();
    // As the installer does: no key reaches the licence box, no key or mouse press
    // reaches the path box.
    recorder.answer = [](WindowHandle, platform::DialogEvent& e) -> intptr_t {
        if (e.message != DialogMessage::Input)
            return 0;
        if (e.controlId == kMultiLine)
            return e.input == platform::InputKind::KeyDown;
        if (e.controlId == kEdit)
            return e.input == platform::InputKind::KeyDown || e.input == platform::InputKind::LeftPress ||
                   e.input == platform::InputKind::RightPress;
        return 0;
    };
    auto* path = static_cast<QLineEdit*>(control(kEdit));
    auto* licence = static_cast<QPlainTextEdit*>(control(kMultiLine));
    path->setFocus();
    keyPress(path, Qt::Key_X, QStringLiteral("x"));
    licence->setFocus();
    keyPress(licence->viewport(), Qt::Key_X, QStringLiteral("x"));
    keyPress(licence, Qt::Key_X, QStringLiteral("x"));
    mouseClick(path);
    EXPECT_EQ(path->text(), QStringLiteral("/home/"));
    EXPECT_EQ(licence->toPlainText(), QStringLiteral("licence"));

    const auto inputs = recorder.of(DialogMessage::Input);
    bool sawPathKey = false, sawPathMouse = false;
    for (const Recorded& r : inputs) {
        sawPathKey = sawPathKey || (r.controlId == kEdit && r.input == platform::InputKind::KeyDown && r.key == Qt::Key_X);
        sawPathMouse = sawPathMouse || (r.controlId == kEdit && r.input == platform::InputKind::LeftPress);
    }
    EXPECT_TRUE(sawPathKey);
    EXPECT_TRUE(sawPathMouse);

    // Without the filter's answer the same key does type.
    recorder.answer = nullptr;
    path->setFocus();
    path->end(false);
    keyPress(path, Qt::Key_X, QStringLiteral("x"));
    EXPECT_EQ(path->text(), QStringLiteral("/home/x"));
}

TEST_F(DialogTest, DroppedFilesReachTheProcedureWithTheList)
{
    guard = widget(dialog);
    show();
    const QStringList paths = {QStringLiteral("/tmp/my music/\"quoted\" song.m4a"),
                               QStringLiteral("/tmp/Musik/Grüße — été.aac")};
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& p : paths)
        urls << QUrl::fromLocalFile(p);
    urls << QUrl(QStringLiteral("https://example.org/not-a-file.mp4"));
    data.setUrls(urls);

    auto* list = static_cast<QAbstractScrollArea*>(control(kList));
    QWidget* target = list->viewport();
    const QPointF at(10, 10);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);

    const auto drops = recorder.of(DialogMessage::FilesDropped);
    ASSERT_EQ(drops.size(), 1u);
    EXPECT_EQ(drops[0].controlId, kList);
    ASSERT_EQ(drops[0].paths.size(), 2u);  // only local files
    EXPECT_EQ(drops[0].paths[0], paths[0].toStdString());
    EXPECT_EQ(drops[0].paths[1], paths[1].toUtf8().toStdString());
    EXPECT_EQ(platform::listRowCount(platform::controlOf(dialog, kList)), 0);  // the program decides

    // A control without AcceptFiles takes no drop.
    QDragEnterEvent refused(QPoint(2, 2), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    refused.ignore();
    QApplication::sendEvent(control(kEdit), &refused);
    EXPECT_EQ(recorder.of(DialogMessage::FilesDropped).size(), 1u);
}

TEST_F(DialogTest, ColourAnswersPaintTheBackgroundAndTheEditBox)
{
    guard = widget(dialog);
    BitmapHandle tile = platform::createBitmap(4, 4, TK_RGB(10, 200, 30));
    BrushHandle pattern = platform::createPatternBrush(tile);
    BrushHandle grey = platform::createSolidBrush(TK_RGB(112, 112, 112));
    recorder.answer = [&](WindowHandle, platform::DialogEvent& e) -> intptr_t {
        if (e.message != DialogMessage::ColourQuery)
            return 0;
        if (e.colourTarget == platform::ColourTarget::Dialog)
            e.colours.brush = pattern;
        else if (e.controlId == kMultiLine) {
            e.colours.hasTextColour = true;
            e.colours.textColour = TK_RGB(128, 255, 128);
            e.colours.hasBackgroundColour = true;
            e.colours.backgroundColour = TK_RGB(112, 112, 112);
            e.colours.brush = grey;
        } else if (e.controlId == kStatus) {
            platform::setBackgroundTransparent(e.context, true);
            platform::setTextColour(e.context, TK_RGB(0, 0, 255));
        }
        return 0;
    };
    show();
    const QImage whole = widget(dialog)->grab().toImage();
    // Behind the transparent status line and in the open the tile shows.
    const TkRect status = platform::windowRect(platform::controlOf(dialog, kStatus));
    EXPECT_EQ(whole.pixelColor(3, 100), QColor(10, 200, 30));
    EXPECT_EQ(whole.pixelColor(14, 200), QColor(10, 200, 30));  // inside the group box
    EXPECT_EQ(whole.pixelColor(status.right - 5, (status.top + status.bottom) / 2), QColor(10, 200, 30));
    EXPECT_EQ(control(kStatus)->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    auto* licence = static_cast<QPlainTextEdit*>(control(kMultiLine));
    EXPECT_EQ(licence->palette().color(QPalette::Base), QColor(112, 112, 112));
    EXPECT_EQ(licence->palette().color(QPalette::Text), QColor(128, 255, 128));
    bool askedForDialog = false;
    for (const Recorded& r : recorder.of(DialogMessage::ColourQuery))
        askedForDialog = askedForDialog || r.controlId == 0;
    EXPECT_TRUE(askedForDialog);

    platform::destroyDialog(dialog);
    platform::processPendingEvents();
    platform::destroyBrush(grey);
    platform::destroyBrush(pattern);
    platform::destroyBitmap(tile);
}

TEST_F(DialogTest, CloseAsksTheProcedureAndDestroyFromInsideIsDeferred)
{
    guard = widget(dialog);
    show();
    recorder.answer = [](WindowHandle d, platform::DialogEvent& e) -> intptr_t {
        if (e.message == DialogMessage::Close)
            platform::destroyDialog(d);
        if (e.message == DialogMessage::Destroy)
            platform::postQuit(0);
        return 0;
    };
    widget(dialog)->close();  // the close box
    ASSERT_EQ(recorder.of(DialogMessage::Close).size(), 1u);
    ASSERT_EQ(recorder.of(DialogMessage::Destroy).size(), 1u);
    EXPECT_TRUE(platform::quitRequested());
    EXPECT_FALSE(guard.isNull());  // still there: its procedure was running
    EXPECT_FALSE(platform::isVisible(dialog));
    platform::processPendingEvents();
    EXPECT_TRUE(guard.isNull());
}

TEST_F(DialogTest, ClosingWithoutDestroyKeepsTheWindow)
{
    guard = widget(dialog);
    show();
    platform::requestClose(dialog);
    widget(dialog)->close();
    platform::processPendingEvents();
    EXPECT_EQ(recorder.of(DialogMessage::Close).size(), 2u);
    EXPECT_TRUE(platform::isVisible(dialog));
}

}  // namespace
