// Shared by the platform tests: a recording dialog procedure, a small template
// with one control of each kind the programs use, and synthetic user input sent
// through QApplication (so that application event filters see it, as with real
// input).
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/event_pump.h"

namespace dialogtest {

enum : int {
    kDefaultButton = 1000,
    kOtherButton = 1003,
    kAutoCheck = 1008,
    kPlainCheck = 1014,
    kCombo = 1010,
    kList = 1005,
    kEdit = 1009,
    kMultiLine = 1020,
    kStatus = 1015,
    kProgress = 1011,
    kPicture = 1017,
};

struct Recorded {
    platform::DialogMessage message;
    int controlId;
    int code;
    TkRect rect;
    uint32_t itemState;
    std::vector<std::string> paths;
    platform::InputKind input;
    int key;
};

// What the procedure does: records every message, and answers through `answer`
// when set (else 0).
struct Recorder {
    std::vector<Recorded> events;
    std::function<intptr_t(WindowHandle, platform::DialogEvent&)> answer;

    std::vector<Recorded> of(platform::DialogMessage m) const
    {
        std::vector<Recorded> out;
        for (const Recorded& r : events)
            if (r.message == m)
                out.push_back(r);
        return out;
    }
    std::vector<std::pair<int, int>> commands() const
    {
        std::vector<std::pair<int, int>> out;
        for (const Recorded& r : of(platform::DialogMessage::Command))
            out.emplace_back(r.controlId, r.code);
        return out;
    }
};

inline intptr_t recordingProcedure(WindowHandle dialog, platform::DialogEvent& e, void* data)
{
    auto* recorder = static_cast<Recorder*>(data);
    Recorded r{e.message, e.controlId, e.code, e.rect, e.itemState, {}, e.input, e.key};
    for (size_t i = 0; i < e.pathCount; ++i)
        r.paths.emplace_back(e.paths[i]);
    recorder->events.push_back(r);
    return recorder->answer ? recorder->answer(dialog, e) : 0;
}

inline const platform::ControlTemplate kControls[] = {
    {kDefaultButton, platform::ControlKind::PushButton, platform::TabStop | platform::DefaultButton, "Add Files", 13, 65, 57, 19},
    {kOtherButton, platform::ControlKind::PushButton, platform::TabStop, "Add Folder", 75, 65, 57, 19},
    {kList, platform::ControlKind::ListView,
     platform::TabStop | platform::Border | platform::AcceptFiles | platform::ListCheckBoxes | platform::ListFullRowSelect,
     nullptr, 13, 90, 366, 136},
    {-1, platform::ControlKind::GroupBox, 0, "Files To Be Converted", 5, 50, 382, 184},
    {kCombo, platform::ControlKind::DropDownList, platform::TabStop | platform::VScroll, nullptr, 55, 254, 85, 13},
    {kAutoCheck, platform::ControlKind::AutoCheckBox, platform::TabStop | platform::TextOnLeft, "Convert To Same Folder", 156, 256, 89, 9},
    {kPlainCheck, platform::ControlKind::CheckBox, platform::TabStop, "Stay On Top", 332, 303, 54, 9},
    {kEdit, platform::ControlKind::Edit, platform::TabStop | platform::Border | platform::AutoHScroll, "/home/", 55, 274, 323, 13},
    {kMultiLine, platform::ControlKind::Edit,
     platform::TabStop | platform::Border | platform::MultiLine | platform::VScroll, "licence", 14, 95, 100, 40},
    {kStatus, platform::ControlKind::StaticText, platform::Sunken | platform::VerticallyCentred, " Status : Idle.", 0, 319, 393, 12},
    {kProgress, platform::ControlKind::ProgressBar, platform::Border, nullptr, 0, 332, 393, 10},
    {kPicture, platform::ControlKind::Picture, platform::Sunken, nullptr, 0, 0, 100, 20},
};

inline const platform::DialogTemplate kTemplate = {
    "Brisktune", 394, 355,
    platform::HasCaption | platform::HasSystemMenu | platform::HasMinimiseBox | platform::CentredOnScreen,
    kControls, sizeof kControls / sizeof kControls[0]};

inline QWidget* widget(WindowHandle h)
{
    return reinterpret_cast<QWidget*>(h);
}

inline void mouseClick(QWidget* w, Qt::MouseButton button = Qt::LeftButton)
{
    const QPointF local(w->width() / 2.0, w->height() / 2.0);
    const QPointF global = w->mapToGlobal(local);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, button, button, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, button, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

inline void keyPress(QWidget* w, int key, const QString& text = QString())
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &release);
}

}  // namespace dialogtest
