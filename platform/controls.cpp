// Operations on controls and windows: texts, ticks, enabling, focus, progress,
// combo entries, placement, pictures, icons and the window's own state.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QWindow>

#include "platform/controls.h"
#include "platform/draw_context_qt.h"
#include "platform/window_internal.h"

namespace platform {

namespace {

QString textOf(QWidget* w)
{
    if (asDialog(w))
        return w->windowTitle();
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return b->text();
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text();
    if (auto* g = qobject_cast<QGroupBox*>(w))
        return g->title();
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return e->text();
    if (auto* e = qobject_cast<QPlainTextEdit*>(w))
        return e->toPlainText();
    if (auto* c = qobject_cast<QComboBox*>(w))
        return c->currentIndex() >= 0 ? c->currentText() : QString();
    return QString();
}

}  // namespace

void setEnabled(WindowHandle window, bool enabled)
{
    if (QWidget* w = widgetOf(window))
        w->setEnabled(enabled);
}

bool isEnabled(WindowHandle window)
{
    QWidget* w = widgetOf(window);
    return w && w->isEnabled();
}

void setText(WindowHandle window, const char* text)
{
    QWidget* w = widgetOf(window);
    if (!w)
        return;
    QString value = fromUtf8(text);
    if (asDialog(w))
        w->setWindowTitle(value);
    else if (auto* b = qobject_cast<QAbstractButton*>(w))
        b->setText(value);
    else if (auto* l = qobject_cast<QLabel*>(w))
        l->setText(value);
    else if (auto* g = qobject_cast<QGroupBox*>(w))
        g->setTitle(value);
    else if (auto* e = qobject_cast<QLineEdit*>(w))
        e->setText(value);
    else if (auto* e = qobject_cast<QPlainTextEdit*>(w))
        e->setPlainText(value.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

size_t getText(WindowHandle window, char* buffer, size_t capacity)
{
    QWidget* w = widgetOf(window);
    if (!w) {
        if (buffer && capacity)
            buffer[0] = '\0';
        return 0;
    }
    return copyUtf8(textOf(w), buffer, capacity);
}

size_t textLength(WindowHandle window)
{
    QWidget* w = widgetOf(window);
    return w ? static_cast<size_t>(textOf(w).toUtf8().size()) : 0;
}

void setChecked(WindowHandle checkBox, bool checked)
{
    if (auto* b = qobject_cast<QAbstractButton*>(widgetOf(checkBox)); b && b->isCheckable())
        b->setChecked(checked);
}

bool isChecked(WindowHandle checkBox)
{
    auto* b = qobject_cast<QAbstractButton*>(widgetOf(checkBox));
    return b && b->isChecked();
}

void setFocus(WindowHandle window)
{
    if (QWidget* w = widgetOf(window))
        w->setFocus(Qt::OtherFocusReason);
}

bool hasFocus(WindowHandle window)
{
    QWidget* w = widgetOf(window);
    return w && w->hasFocus();
}

void setProgress(WindowHandle progressBar, int position)
{
    if (auto* bar = qobject_cast<QProgressBar*>(widgetOf(progressBar)))
        bar->setValue(std::clamp(position, bar->minimum(), bar->maximum()));
}

int progress(WindowHandle progressBar)
{
    auto* bar = qobject_cast<QProgressBar*>(widgetOf(progressBar));
    return bar ? std::max(bar->value(), bar->minimum()) : 0;
}

int addComboItem(WindowHandle combo, const char* text)
{
    auto* c = qobject_cast<QComboBox*>(widgetOf(combo));
    if (!c)
        return -1;
    const int selected = c->currentIndex();
    c->addItem(fromUtf8(text));
    // A drop-down list selects nothing until it is told to: adding the first entry
    // must not select it.
    if (selected < 0)
        c->setCurrentIndex(-1);
    return c->count() - 1;
}

int comboItemCount(WindowHandle combo)
{
    auto* c = qobject_cast<QComboBox*>(widgetOf(combo));
    return c ? c->count() : 0;
}

bool setComboSelection(WindowHandle combo, int index)
{
    auto* c = qobject_cast<QComboBox*>(widgetOf(combo));
    if (!c)
        return false;
    const bool inRange = index >= 0 && index < c->count();
    c->setCurrentIndex(inRange ? index : -1);
    return inRange;
}

int comboSelection(WindowHandle combo)
{
    auto* c = qobject_cast<QComboBox*>(widgetOf(combo));
    return c ? c->currentIndex() : -1;
}

size_t comboItemText(WindowHandle combo, int index, char* buffer, size_t capacity)
{
    auto* c = qobject_cast<QComboBox*>(widgetOf(combo));
    if (!c || index < 0 || index >= c->count()) {
        if (buffer && capacity)
            buffer[0] = '\0';
        return 0;
    }
    return copyUtf8(c->itemText(index), buffer, capacity);
}

TkRect windowRect(WindowHandle window)
{
    QWidget* w = widgetOf(window);
    if (!w)
        return TkRect{0, 0, 0, 0};
    if (auto* d = asDialog(w))
        return TkRect{0, 0, d->client()->width(), d->client()->height()};
    DialogWindow* d = dialogWindowOf(w);
    QPoint topLeft = d ? w->mapTo(d->client(), QPoint(0, 0)) : w->pos();
    int height = w->height();
    const QVariant total = w->property(kComboHeightProperty);
    if (total.isValid())
        height = total.toInt();
    return TkRect{topLeft.x(), topLeft.y(), topLeft.x() + w->width(), topLeft.y() + height};
}

void resizeControl(WindowHandle control, int width, int height)
{
    QWidget* w = widgetOf(control);
    if (!w || width < 0 || height < 0)
        return;
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        // The closed box keeps its height; the rest is the list that drops down.
        const int closed = c->height();
        const int row = std::max(1, c->fontMetrics().height() + 4);
        c->setMaxVisibleItems(std::max(1, (height - closed) / row));
        c->setProperty(kComboHeightProperty, height);
        c->resize(width, closed);
        return;
    }
    w->resize(width, height);
}

namespace {

void showImage(QWidget* w, const QImage& image)
{
    const QPixmap pixmap = image.isNull() ? QPixmap() : QPixmap::fromImage(image);
    if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setPixmap(pixmap);
        if (!pixmap.isNull()) {
            const int frame = 2 * label->frameWidth();
            label->resize(pixmap.width() + frame, pixmap.height() + frame);
        }
    } else if (auto* button = qobject_cast<QPushButton*>(w)) {
        button->setIcon(QIcon(pixmap));
        button->setIconSize(pixmap.size());
        if (button->property(kStylesProperty).toUInt() & PictureButton)
            button->setText(QString());
    }
}

}  // namespace

void setControlPicture(WindowHandle control, BitmapHandle image)
{
    if (QWidget* w = widgetOf(control))
        showImage(w, image ? imageOf(image) : QImage());
}

bool setControlPictureFromBytes(WindowHandle control, const void* bytes, size_t size)
{
    QWidget* w = widgetOf(control);
    if (!w || !bytes)
        return false;
    QImage image;
    if (!image.loadFromData(static_cast<const uchar*>(bytes), static_cast<int>(size)))
        return false;
    showImage(w, image);
    return true;
}

bool setWindowIcon(WindowHandle window, BitmapHandle image)
{
    QWidget* w = widgetOf(window);
    if (!w || !image || imageOf(image).isNull())
        return false;
    w->setWindowIcon(QIcon(QPixmap::fromImage(imageOf(image))));
    return true;
}

bool setWindowIconFromBytes(WindowHandle window, const void* bytes, size_t size)
{
    QWidget* w = widgetOf(window);
    if (!w || !bytes)
        return false;
    QPixmap pixmap;
    if (!pixmap.loadFromData(static_cast<const uchar*>(bytes), static_cast<uint>(size)))
        return false;
    w->setWindowIcon(QIcon(pixmap));
    return true;
}

void showWindow(WindowHandle window)
{
    QWidget* w = widgetOf(window);
    if (!w)
        return;
    if (auto* d = asDialog(w))
        d->showFirstTime();
    if (w->isMinimized())
        w->showNormal();
    else
        w->show();
}

void minimiseWindow(WindowHandle window)
{
    if (QWidget* w = widgetOf(window))
        w->showMinimized();
}

bool isMinimised(WindowHandle window)
{
    QWidget* w = widgetOf(window);
    return w && w->isMinimized();
}

bool isVisible(WindowHandle window)
{
    QWidget* w = widgetOf(window);
    return w && w->isVisible();
}

void setTopmost(WindowHandle window, bool topmost)
{
    QWidget* w = widgetOf(window);
    if (!w || w->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == topmost)
        return;
    // Changing a window's flags hides it; it comes back where it was.
    const bool visible = w->isVisible();
    const bool minimised = w->isMinimized();
    const QPoint position = w->pos();
    w->setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
    w->move(position);
    if (visible)
        minimised ? w->showMinimized() : w->show();
}

bool isTopmost(WindowHandle window)
{
    QWidget* w = widgetOf(window);
    return w && w->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

}  // namespace platform
