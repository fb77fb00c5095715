// Dialogs from templates: the window, its client area and background, the routing of
// the user's input, drops and colour queries to the dialog procedure, and the
// dialog's life from createDialog to its deletion.
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPointer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <string>
#include <vector>

#include "platform/draw_context_internal.h"
#include "platform/draw_context_qt.h"
#include "platform/window_internal.h"

namespace platform {

// ---- Units and texts ---------------------------------------------------------

namespace {

// Rounded like the classic MulDiv: to the nearest, halves away from zero.
int scaleRounded(int value, int numerator, int denominator)
{
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : -((-product + half) / denominator));
}

}  // namespace

int dialogUnitsToPixelsX(int units)
{
    return scaleRounded(units, 6, 4);
}

int dialogUnitsToPixelsY(int units)
{
    return scaleRounded(units, 13, 8);
}

size_t copyUtf8(const QString& text, char* buffer, size_t capacity)
{
    if (!buffer || capacity == 0)
        return 0;
    const QByteArray bytes = text.toUtf8();
    size_t length = static_cast<size_t>(bytes.size());
    if (length > capacity - 1) {
        length = capacity - 1;
        // Back off continuation bytes so that no character is cut in half.
        while (length > 0 && (static_cast<unsigned char>(bytes[static_cast<qsizetype>(length)]) & 0xC0) == 0x80)
            --length;
    }
    memcpy(buffer, bytes.constData(), length);
    buffer[length] = '\0';
    return length;
}

QString fromUtf8(const char* text)
{
    return text ? QString::fromUtf8(text) : QString();
}

// ---- The client area -----------------------------------------------------------

class DialogClient : public QWidget {
public:
    DialogClient(DialogWindow* dialog) : QWidget(dialog), dialog_(dialog) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const ColourAnswer answer = dialog_->queryColours(nullptr, ColourTarget::Dialog);
        if (answer.brush)
            painter.fillRect(rect(), toQBrush(answer.brush));  // tiled from (0, 0)
        else
            painter.fillRect(rect(), palette().window());
    }

private:
    DialogWindow* dialog_;
};

// ---- The dialog ----------------------------------------------------------------

DialogWindow::DialogWindow(const DialogTemplate& t, DialogProcedure procedure, void* userData,
                           QWidget* owner)
    : QWidget(owner, Qt::Window), procedure_(procedure), userData_(userData), styles_(t.styles)
{
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint;
    if (t.styles & HasCaption)
        flags |= Qt::WindowTitleHint;
    if (t.styles & HasSystemMenu)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (t.styles & HasMinimiseBox)
        flags |= Qt::WindowMinimizeButtonHint;
    setWindowFlags(flags);
    setWindowTitle(fromUtf8(t.caption));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setProperty(kDialogProperty, true);

    // The dialog font of the designs: 8 points at 96 dpi, 11 pixels. The system's
    // sans-serif runs wider than the designs' font, so it is narrowed a little to
    // keep captions inside the controls laid out for it.
    QFont font = QApplication::font();
    font.setPixelSize(11);
    font.setStretch(85);
    setFont(font);

    client_ = new DialogClient(this);
    client_->setFixedSize(dialogUnitsToPixelsX(t.width), dialogUnitsToPixelsY(t.height));
    for (size_t i = 0; i < t.controlCount; ++i) {
        const ControlTemplate& row = t.controls[i];
        QWidget* control = createControl(this, client_, row);
        if (!control)
            continue;
        addControl(row.id, control);
        // Earlier controls lie above later ones (a group box made after the list it
        // frames stays behind it).
        control->lower();
        if (row.kind == ControlKind::PushButton && (row.styles & DefaultButton))
            defaultButtonId_ = row.id;
    }
    layOut();
    qApp->installEventFilter(this);
}

DialogWindow::~DialogWindow()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

void DialogWindow::layOut()
{
    const int top = menuBar_ ? menuBar_->sizeHint().height() : 0;
    if (menuBar_)
        menuBar_->setGeometry(0, 0, client_->width(), top);
    client_->move(0, top);
    setFixedSize(client_->width(), client_->height() + top);
}

intptr_t DialogWindow::send(DialogEvent& event)
{
    if (!procedure_ || (destroyed_ && event.message != DialogMessage::Destroy))
        return 0;
    ++depth_;
    const intptr_t result = procedure_(handleOf(this), event, userData_);
    --depth_;
    return result;
}

DialogEvent DialogWindow::makeEvent(DialogMessage message, QWidget* control)
{
    DialogEvent event{};
    event.message = message;
    if (control) {
        event.control = handleOf(control);
        event.controlId = control->property(kIdProperty).toInt();
    }
    return event;
}

void DialogWindow::sendCommand(QWidget* control, int id, int code)
{
    DialogEvent event = makeEvent(DialogMessage::Command, control);
    event.controlId = id;
    event.code = code;
    send(event);
}

QWidget* DialogWindow::control(int id) const
{
    if (id == 0 || id == -1)
        return nullptr;
    auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

void DialogWindow::addControl(int id, QWidget* control)
{
    if (id != 0 && id != -1 && !controls_.count(id))
        controls_[id] = control;
}

QWidget* DialogWindow::controlContaining(QObject* object) const
{
    for (QObject* o = object; o; o = o->parent()) {
        if (o == client_ || o == this)
            return nullptr;
        if (o->parent() == client_ && o->isWidgetType())
            return static_cast<QWidget*>(o);
    }
    return nullptr;
}

void DialogWindow::setMenuBar(QMenuBar* menuBar, std::map<int, QAction*> actions)
{
    if (menuBar_ && menuBar_ != menuBar)
        delete menuBar_;
    menuBar_ = menuBar;
    menuActions_ = std::move(actions);
    layOut();
}

QAction* DialogWindow::menuAction(int id) const
{
    auto it = menuActions_.find(id);
    return it == menuActions_.end() ? nullptr : it->second;
}

ColourAnswer DialogWindow::queryColours(QWidget* control, ColourTarget target)
{
    DialogEvent event = makeEvent(DialogMessage::ColourQuery, control);
    event.colourTarget = target;
    // The query's context paints on nothing that shows; it only collects what the
    // procedure sets (transparency, text colour) the way it would on a device.
    QImage scratch(1, 1, QImage::Format_ARGB32);
    QPainter painter(&scratch);
    const TkColour unset = 0xFF000000u;  // no colour has these bits
    {
        ScopedDrawContext context(&painter);
        context.get()->textColour = unset;
        event.context = context.get();
        const intptr_t result = send(event);
        (void)result;
        if (context.get()->transparent)
            event.colours.transparent = true;
        if (!event.colours.hasTextColour && context.get()->textColour != unset) {
            event.colours.hasTextColour = true;
            event.colours.textColour = context.get()->textColour;
        }
    }
    return event.colours;
}

namespace {

ColourTarget colourTargetOf(QWidget* control)
{
    const auto kind = static_cast<ControlKind>(control->property(kKindProperty).toInt());
    const uint32_t styles = control->property(kStylesProperty).toUInt();
    switch (kind) {
    case ControlKind::PushButton:
        return ColourTarget::Button;
    case ControlKind::Edit:
        return (styles & ReadOnly) ? ColourTarget::Static : ColourTarget::Edit;
    default:
        return ColourTarget::Static;
    }
}

bool takesColourQueries(QWidget* control)
{
    const auto kind = static_cast<ControlKind>(control->property(kKindProperty).toInt());
    return kind != ControlKind::ListView && kind != ControlKind::DropDownList &&
           kind != ControlKind::ProgressBar && kind != ControlKind::GreyFrame &&
           kind != ControlKind::WhiteFrame;
}

}  // namespace

// Brings the control's palette in line with the procedure's answer. Only a changed
// palette is set, so that answering the same each time causes no further repaint.
void DialogWindow::applyColours(QWidget* control)
{
    const ColourTarget target = colourTargetOf(control);
    const ColourAnswer answer = queryColours(control, target);
    QPalette palette = control->palette();
    const QPalette base = QApplication::palette(control);
    const bool isEdit = qobject_cast<QLineEdit*>(control) || qobject_cast<QPlainTextEdit*>(control);
    const QPalette::ColorRole textRole = isEdit ? QPalette::Text : QPalette::WindowText;
    palette.setColor(textRole, answer.hasTextColour ? toQColor(answer.textColour)
                                                    : base.color(textRole));
    if (!isEdit)
        palette.setColor(QPalette::ButtonText, answer.hasTextColour ? toQColor(answer.textColour)
                                                                    : base.color(QPalette::ButtonText));
    bool fill = false;
    if (isEdit) {
        QBrush brush = base.brush(QPalette::Base);
        if (answer.hasBackgroundColour)
            brush = QBrush(toQColor(answer.backgroundColour));
        if (answer.brush)
            brush = toQBrush(answer.brush);
        palette.setBrush(QPalette::Base, brush);
    } else if (answer.brush && !answer.transparent) {
        // An opaque background of its own, aligned with the dialog's tiling.
        QBrush brush = toQBrush(answer.brush);
        brush.setTransform(QTransform::fromTranslate(-control->x(), -control->y()));
        palette.setBrush(QPalette::Window, brush);
        fill = true;
    }
    if (!(palette == control->palette()))
        control->setPalette(palette);
    if (control->autoFillBackground() != fill)
        control->setAutoFillBackground(fill);
}

void DialogWindow::destroyDialog()
{
    if (destroyed_)
        return;
    DialogEvent event = makeEvent(DialogMessage::Destroy, nullptr);
    destroyed_ = true;
    send(event);
    hide();
    if (depth_ == 0)
        delete this;
}

void DialogWindow::showFirstTime()
{
    if (shown_)
        return;
    shown_ = true;
    if (styles_ & CentredOnScreen) {
        QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
        if (screen) {
            const QRect area = screen->availableGeometry();
            move(area.center() - QPoint(width() / 2, height() / 2));
        }
    }
}

void DialogWindow::closeEvent(QCloseEvent* event)
{
    // The window stays unless the procedure destroys it, as a dialog's close box does.
    event->ignore();
    if (destroyed_)
        return;
    DialogEvent e = makeEvent(DialogMessage::Close, nullptr);
    send(e);
}

bool DialogWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (destroyed_ || !watched->isWidgetType())
        return false;
    QWidget* widget = static_cast<QWidget*>(watched);
    if (widget->window() != this)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::ContextMenu:
        return filterInput(watched, event);
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return filterDrop(watched, event);
    case QEvent::Paint: {
        QWidget* control = controlContaining(watched);
        // The control's own paint (or its viewport's) asks for colours first.
        if (control && takesColourQueries(control) &&
            (widget == control || widget->parentWidget() == control))
            applyColours(control);
        return false;
    }
    default:
        return false;
    }
}

bool DialogWindow::filterInput(QObject* watched, QEvent* event)
{
    QWidget* widget = static_cast<QWidget*>(watched);
    const bool isKey = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    if (isKey) {
        // A key press travels up from the focus widget when a widget ignores it;
        // only its first delivery is looked at.
        QWidget* focus = QApplication::focusWidget();
        if (focus && focus != widget && widget->isAncestorOf(focus))
            return false;
    }
    QWidget* control = controlContaining(watched);
    if (control) {
        DialogEvent e = makeEvent(DialogMessage::Input, control);
        if (isKey) {
            auto* key = static_cast<QKeyEvent*>(event);
            e.input = event->type() == QEvent::KeyPress ? InputKind::KeyDown : InputKind::KeyUp;
            e.key = key->key();
        } else if (event->type() == QEvent::ContextMenu) {
            e.input = InputKind::RightPress;
        } else {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton)
                e.input = InputKind::LeftPress;
            else if (mouse->button() == Qt::RightButton)
                e.input = InputKind::RightPress;
            else
                return false;
        }
        if (send(e))
            return true;  // dropped: neither the control nor the dialog sees it
        if (destroyed_)
            return true;
    }
    if (event->type() != QEvent::KeyPress)
        return false;

    // Dialog keys: Enter presses the focused push button or else the default button;
    // Escape does nothing (there is no cancel); Tab moves along the focus chain.
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (styles_ & NoDialogKeys)
        return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape ||
               key == Qt::Key_Tab || key == Qt::Key_Backtab;
    if (key == Qt::Key_Escape)
        return true;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (auto* edit = qobject_cast<QPlainTextEdit*>(control))
            if (!edit->isReadOnly() && (control->property(kStylesProperty).toUInt() & WantReturn))
                return false;
        auto* focused = qobject_cast<QPushButton*>(control);
        QPushButton* target = focused ? focused : qobject_cast<QPushButton*>(this->control(defaultButtonId_));
        if (target && target->isEnabled() && target->isVisible())
            target->click();
        return true;
    }
    return false;
}

bool DialogWindow::filterDrop(QObject* watched, QEvent* event)
{
    QWidget* control = controlContaining(watched);
    if (!control || !(control->property(kStylesProperty).toUInt() & AcceptFiles))
        return false;
    auto* drop = static_cast<QDropEvent*>(event);
    const QMimeData* data = drop->mimeData();
    bool hasFiles = false;
    if (data && data->hasUrls())
        for (const QUrl& url : data->urls())
            hasFiles = hasFiles || url.isLocalFile();
    if (!hasFiles) {
        drop->ignore();
        return true;
    }
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (event->type() != QEvent::Drop)
        return true;
    std::vector<std::string> paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            paths.push_back(url.toLocalFile().toUtf8().toStdString());
    std::vector<const char*> pointers;
    for (const std::string& p : paths)
        pointers.push_back(p.c_str());
    DialogEvent e = makeEvent(DialogMessage::FilesDropped, control);
    e.paths = pointers.data();
    e.pathCount = pointers.size();
    send(e);
    return true;
}

// ---- Handles -------------------------------------------------------------------

DialogWindow* dialogWindowOf(QWidget* widget)
{
    if (!widget)
        return nullptr;
    return asDialog(widget->window());
}

DialogWindow* dialogWindowOf(WindowHandle window)
{
    return dialogWindowOf(widgetOf(window));
}

void deleteDestroyedDialogs()
{
    if (!qApp)
        return;
    // Deleting a dialog deletes the top-level windows it owns (a combo box's pop-up,
    // say) that may come later in the list: guard every entry.
    std::vector<QPointer<QWidget>> tops;
    for (QWidget* top : QApplication::topLevelWidgets())
        tops.emplace_back(top);
    for (const QPointer<QWidget>& top : tops)
        if (auto* dialog = top ? asDialog(top.data()) : nullptr; dialog && dialog->readyToDelete())
            delete dialog;
}

// ---- The public functions ------------------------------------------------------

WindowHandle createDialog(const DialogTemplate& dialogTemplate, DialogProcedure procedure,
                          void* userData, WindowHandle owner)
{
    if (!qApp || !procedure)
        return nullptr;
    auto* dialog = new DialogWindow(dialogTemplate, procedure, userData, widgetOf(owner));
    DialogEvent event = DialogWindow::makeEvent(DialogMessage::Init, nullptr);
    dialog->send(event);
    return handleOf(dialog);
}

void destroyDialog(WindowHandle dialog)
{
    if (auto* d = asDialog(widgetOf(dialog)))
        d->destroyDialog();
}

void requestClose(WindowHandle dialog)
{
    auto* d = asDialog(widgetOf(dialog));
    if (!d || d->destroyed())
        return;
    DialogEvent event = DialogWindow::makeEvent(DialogMessage::Close, nullptr);
    d->send(event);
}

WindowHandle controlOf(WindowHandle dialog, int id)
{
    auto* d = asDialog(widgetOf(dialog));
    return d ? handleOf(d->control(id)) : nullptr;
}

int controlIdOf(WindowHandle window)
{
    QWidget* w = widgetOf(window);
    if (!w || asDialog(w))
        return 0;
    return w->property(kIdProperty).toInt();
}

WindowHandle dialogOf(WindowHandle window)
{
    return handleOf(dialogWindowOf(window));
}

void repaintDialog(WindowHandle dialog)
{
    if (auto* d = dialogWindowOf(dialog))
        d->update(), d->client()->update();
    if (auto* d = dialogWindowOf(dialog))
        for (QWidget* child : d->client()->findChildren<QWidget*>())
            child->update();
}

}  // namespace platform
