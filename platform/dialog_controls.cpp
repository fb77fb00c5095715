// The widgets behind the control kinds of a dialog template, and their wiring to
// the dialog procedure (commands, custom drawing of push buttons, drawing over
// pictures).
#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

#include "platform/draw_context_qt.h"
#include "platform/window_internal.h"

namespace platform {

namespace {

DialogWindow* owningDialog(QWidget* control)
{
    return dialogWindowOf(control);
}

// Push buttons are painted by the procedure: it gets a drawing context on the
// button and its state; when it answers 0 the ordinary look is drawn instead.
class PushButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        DialogWindow* dialog = owningDialog(this);
        if (dialog && !dialog->destroyed()) {
            intptr_t painted = 0;
            {
                QPainter painter(this);
                ScopedDrawContext context(&painter);
                DialogEvent e = DialogWindow::makeEvent(DialogMessage::CustomDraw, this);
                e.context = context.get();
                e.rect = TkRect{0, 0, width(), height()};
                uint32_t state = 0;
                if (isDown())
                    state |= ItemPressed;
                if (!isEnabled())
                    state |= ItemDisabled;
                if (hasFocus())
                    state |= ItemFocus;
                if (underMouse())
                    state |= ItemHot;
                e.itemState = state;
                painted = dialog->send(e);
            }
            if (painted)
                return;
        }
        QPushButton::paintEvent(event);
    }
};

// A picture at its own size; afterwards the procedure may draw over it.
class Picture : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QLabel::paintEvent(event);
        DialogWindow* dialog = owningDialog(this);
        if (!dialog || dialog->destroyed())
            return;
        QPainter painter(this);
        ScopedDrawContext context(&painter);
        DialogEvent e = DialogWindow::makeEvent(DialogMessage::DrawOver, this);
        e.context = context.get();
        e.rect = TkRect{0, 0, width(), height()};
        dialog->send(e);
    }
};

// One-pixel frame lines (the two lines of an etched separator).
class FrameLine : public QWidget {
public:
    FrameLine(QWidget* parent, QColor colour) : QWidget(parent), colour_(colour) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setPen(colour_);
        painter.setBrush(Qt::NoBrush);
        if (width() <= 1 || height() <= 1)
            painter.fillRect(rect(), colour_);
        else
            painter.drawRect(0, 0, width() - 1, height() - 1);
    }

private:
    QColor colour_;
};

// A group box as dialogs draw it: an etched frame (grey line, white line) and the
// caption on the frame, with nothing filled, so the dialog's background runs on
// through it. (Styles tint the inside of their group boxes.)
class GroupFrame : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const QFontMetrics metrics(font());
        const int top = metrics.height() / 2;
        const QRect frame(0, top, width() - 2, height() - top - 2);
        const QString caption = title();
        const int textWidth = caption.isEmpty() ? 0 : metrics.horizontalAdvance(caption) + 4;
        const int textLeft = 6;
        painter.setClipRegion(QRegion(rect()).subtracted(QRegion(textLeft, 0, textWidth, metrics.height())));
        painter.setPen(QColor(160, 160, 160));
        painter.drawRect(frame);
        painter.setPen(QColor(255, 255, 255));
        painter.drawRect(frame.translated(1, 1));
        painter.setClipping(false);
        if (!caption.isEmpty()) {
            painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                           QPalette::WindowText));
            painter.drawText(QRect(textLeft + 2, 0, textWidth, metrics.height()),
                             Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, caption);
        }
    }
};

Qt::FocusPolicy focusPolicyFor(uint32_t styles)
{
    return (styles & TabStop) ? Qt::StrongFocus : Qt::ClickFocus;
}

void connectClicks(QAbstractButton* button, int id, bool autoTick)
{
    QObject::connect(button, &QAbstractButton::clicked, button, [button, id, autoTick](bool) {
        // A plain check box leaves its tick to the program: undo Qt's own toggle.
        if (!autoTick && button->isCheckable())
            button->setChecked(!button->isChecked());
        if (DialogWindow* dialog = dialogWindowOf(static_cast<QWidget*>(button)))
            dialog->sendCommand(button, id, Clicked);
    });
}

}  // namespace

QWidget* createControl(DialogWindow* dialog, QWidget* client, const ControlTemplate& row)
{
    (void)dialog;
    const QString caption = fromUtf8(row.caption);
    const uint32_t styles = row.styles;
    QWidget* widget = nullptr;

    switch (row.kind) {
    case ControlKind::PushButton: {
        auto* button = new PushButton(caption, client);
        button->setAttribute(Qt::WA_Hover);  // repaint when the mouse comes and goes
        button->setFocusPolicy(focusPolicyFor(styles));
        button->setAutoDefault(false);
        if (styles & Flat)
            button->setFlat(true);
        connectClicks(button, row.id, true);
        widget = button;
        break;
    }
    case ControlKind::CheckBox:
    case ControlKind::AutoCheckBox: {
        auto* box = new QCheckBox(caption, client);
        box->setFocusPolicy(focusPolicyFor(styles));
        if (styles & TextOnLeft)
            box->setLayoutDirection(Qt::RightToLeft);
        connectClicks(box, row.id, row.kind == ControlKind::AutoCheckBox);
        widget = box;
        break;
    }
    case ControlKind::GroupBox: {
        auto* group = new GroupFrame(caption, client);
        group->setFocusPolicy(Qt::NoFocus);
        // Mouse presses on the frame must not swallow what lies under it.
        group->setAttribute(Qt::WA_TransparentForMouseEvents);
        widget = group;
        break;
    }
    case ControlKind::StaticText: {
        auto* label = new QLabel(caption, client);
        Qt::Alignment alignment = (styles & Centred) ? Qt::AlignHCenter : Qt::AlignLeft;
        alignment |= (styles & VerticallyCentred) ? Qt::AlignVCenter : Qt::AlignTop;
        label->setAlignment(alignment);
        label->setWordWrap(!(styles & VerticallyCentred));
        label->setTextFormat(Qt::PlainText);
        if (styles & Sunken)
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setFocusPolicy(Qt::NoFocus);
        widget = label;
        break;
    }
    case ControlKind::Picture: {
        auto* picture = new Picture(client);
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        if (styles & Sunken)
            picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        picture->setFocusPolicy(Qt::NoFocus);
        widget = picture;
        break;
    }
    case ControlKind::GreyFrame:
        widget = new FrameLine(client, QColor(160, 160, 160));
        break;
    case ControlKind::WhiteFrame:
        widget = new FrameLine(client, QColor(255, 255, 255));
        break;
    case ControlKind::ListView:
        widget = createListView(client, row);
        widget->setFocusPolicy(focusPolicyFor(styles));
        break;
    case ControlKind::DropDownList: {
        auto* combo = new QComboBox(client);
        combo->setEditable(false);
        combo->setFocusPolicy(focusPolicyFor(styles));
        const int id = row.id;
        // activated: only the user's choices notify, never the program's own.
        QObject::connect(combo, &QComboBox::activated, combo, [combo, id](int) {
            if (DialogWindow* d = dialogWindowOf(static_cast<QWidget*>(combo)))
                d->sendCommand(combo, id, SelectionChanged);
        });
        widget = combo;
        break;
    }
    case ControlKind::Edit: {
        if (styles & MultiLine) {
            auto* edit = new QPlainTextEdit(client);
            edit->setPlainText(caption);
            edit->setReadOnly(styles & ReadOnly);
            edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
            edit->setVerticalScrollBarPolicy((styles & VScroll) ? Qt::ScrollBarAlwaysOn
                                                                : Qt::ScrollBarAlwaysOff);
            edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            edit->setTabChangesFocus(true);
            if (!(styles & Border))
                edit->setFrameStyle(QFrame::NoFrame);
            widget = edit;
        } else {
            auto* edit = new QLineEdit(caption, client);
            edit->setReadOnly(styles & ReadOnly);
            edit->setFrame(styles & Border);
            widget = edit;
        }
        widget->setFocusPolicy(focusPolicyFor(styles));
        break;
    }
    case ControlKind::ProgressBar: {
        auto* bar = new QProgressBar(client);
        bar->setRange(0, 100);
        bar->setValue(0);
        bar->setTextVisible(false);
        bar->setFocusPolicy(Qt::NoFocus);
        widget = bar;
        break;
    }
    }

    if (!widget)
        return nullptr;
    widget->setProperty(kIdProperty, row.id);
    widget->setProperty(kKindProperty, static_cast<int>(row.kind));
    widget->setProperty(kStylesProperty, static_cast<unsigned>(styles));
    widget->setGeometry(dialogUnitsToPixelsX(row.x), dialogUnitsToPixelsY(row.y),
                        dialogUnitsToPixelsX(row.width), dialogUnitsToPixelsY(row.height));
    if (styles & Disabled)
        widget->setEnabled(false);
    if (styles & AcceptFiles) {
        widget->setAcceptDrops(true);
        if (auto* area = qobject_cast<QAbstractScrollArea*>(widget))
            area->viewport()->setAcceptDrops(true);
    }
    return widget;
}

}  // namespace platform
