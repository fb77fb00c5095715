// Platform-internal: the Qt objects behind dialog and control handles, shared by the
// files that implement dialogs, controls, list views and menus. Only platform/
// includes this header.
//
// A dialog is a DialogWindow (the top-level widget, which also holds the menu bar)
// whose DialogClient child is the client area the template's controls are placed
// in. Every control carries its template id and kind as dynamic properties, so a
// handle alone says what it is. All per-dialog state lives in the DialogWindow.
//
// Handles cross from a program into tonekit.so, which links its own copy of this
// layer (hidden symbols, so its own type information): objects are recognised by
// Qt properties and Qt's own casts, never by dynamic_cast on classes of ours. Both
// copies are built from the same source, so the objects' layout is the same.
#pragma once

#include <QString>
#include <QWidget>
#include <map>

#include "platform/dialog.h"

class QAction;
class QMenuBar;

namespace platform {

inline QWidget* widgetOf(WindowHandle window)
{
    return reinterpret_cast<QWidget*>(window);
}

inline WindowHandle handleOf(QWidget* widget)
{
    return reinterpret_cast<WindowHandle>(widget);
}

// Property names on control widgets.
inline constexpr const char* kIdProperty = "brisktune.controlId";
inline constexpr const char* kKindProperty = "brisktune.controlKind";
inline constexpr const char* kStylesProperty = "brisktune.controlStyles";
inline constexpr const char* kComboHeightProperty = "brisktune.comboHeight";
inline constexpr const char* kDialogProperty = "brisktune.dialog";

// Copies UTF-8 of `text` into `buffer` (capacity incl. the terminator), cut on a
// character boundary; returns the bytes written without the terminator.
size_t copyUtf8(const QString& text, char* buffer, size_t capacity);
QString fromUtf8(const char* text);  // null = empty

class DialogClient;

class DialogWindow : public QWidget {
public:
    DialogWindow(const DialogTemplate& dialogTemplate, DialogProcedure procedure,
                 void* userData, QWidget* owner);
    ~DialogWindow() override;

    // Calls the procedure (nothing once destroyed, except the Destroy message itself).
    intptr_t send(DialogEvent& event);
    // A zeroed event for `message` about `control` (null = the dialog).
    static DialogEvent makeEvent(DialogMessage message, QWidget* control);
    void sendCommand(QWidget* control, int id, int code);

    QWidget* client() const { return client_; }
    QWidget* control(int id) const;
    void addControl(int id, QWidget* control);

    // The control (direct child of the client area) that `widget` belongs to, or null.
    QWidget* controlContaining(QObject* widget) const;

    void setMenuBar(QMenuBar* menuBar, std::map<int, QAction*> actions);
    QAction* menuAction(int id) const;

    // Colour query for `control` (null = the dialog); applies nothing.
    ColourAnswer queryColours(QWidget* control, ColourTarget target);

    void destroyDialog();
    bool destroyed() const { return destroyed_; }
    // True when the dialog is waiting to be deleted and none of its procedure calls
    // is running (so no frame of it is on the stack).
    bool readyToDelete() const { return destroyed_ && depth_ == 0; }

    void showFirstTime();
    int defaultButtonId() const { return defaultButtonId_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool filterInput(QObject* watched, QEvent* event);
    bool filterDrop(QObject* watched, QEvent* event);
    void applyColours(QWidget* control);
    void layOut();

    DialogProcedure procedure_;
    void* userData_;
    uint32_t styles_;
    QWidget* client_ = nullptr;
    QMenuBar* menuBar_ = nullptr;
    std::map<int, QWidget*> controls_;
    std::map<int, QAction*> menuActions_;
    int defaultButtonId_ = 0;
    int depth_ = 0;
    bool destroyed_ = false;
    bool shown_ = false;
};

// The widget as a dialog (a window made by createDialog), or null.
inline DialogWindow* asDialog(QWidget* widget)
{
    return widget && widget->property(kDialogProperty).toBool() ? static_cast<DialogWindow*>(widget)
                                                                 : nullptr;
}

// The dialog behind a handle of a dialog or of one of its controls; null otherwise.
DialogWindow* dialogWindowOf(WindowHandle window);
DialogWindow* dialogWindowOf(QWidget* widget);

// Deletes every dialog that destroyDialog left for deletion and that is not running
// its procedure. Called by the pump.
void deleteDestroyedDialogs();

// Builds one control of a template on `client`.
QWidget* createControl(DialogWindow* dialog, QWidget* client, const ControlTemplate& row);

}  // namespace platform

namespace platform {
// The list view of a template row (list_view.cpp).
QWidget* createListView(QWidget* client, const ControlTemplate& row);
}  // namespace platform
