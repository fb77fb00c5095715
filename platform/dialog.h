// Dialog windows built from templates, and the dialog procedure that drives them.
//
// A template is a table in the program: the caption, the size in dialog units, a few
// window styles and one row per control. One dialog unit is 1.5 px across and
// 1.625 px down (the base units of the classic 8-point dialog font), so 394 units
// across are 591 px. Positions are in the dialog's client area, which lies below the
// menu bar when a menu is attached (see menu.h).
//
// The dialog belongs to the caller of createDialog: it lives until destroyDialog,
// which sends DialogMessage::Destroy to the procedure and deletes the window (and
// all its controls) the next time events are handled. Handles of a destroyed dialog
// and of its controls must not be used afterwards.
//
// Every WindowHandle here is an opaque pointer to a platform widget; a null handle
// is accepted everywhere and answered with 0/false/nothing, as a message sent to no
// window would be.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "platform/draw_context.h"
#include "tonekit/records.h"

namespace platform {

// ---- Templates -------------------------------------------------------------

enum class ControlKind {
    PushButton,     // styles: DefaultButton, PictureButton; painted by the procedure
                    // through DialogMessage::CustomDraw (or the default look)
    CheckBox,       // a check box that only reports clicks; the program sets its tick
    AutoCheckBox,   // a check box that ticks itself when clicked, then reports the click
    GroupBox,       // caption on a frame; not focusable
    StaticText,     // styles: Sunken, Centred, VerticallyCentred
    Picture,        // shows an image at its own size (setControlPicture); style Sunken
    GreyFrame,      // a grey line/frame (the upper line of an etched separator)
    WhiteFrame,     // a white line/frame (the lower line)
    ListView,       // report view with a header; styles ListCheckBoxes,
                    // ListFullRowSelect, AcceptFiles, Border (see list_view.h)
    DropDownList,   // a combo box with a drop-down list and no edit field; VScroll
    Edit,           // single line; or multi-line with style MultiLine (+VScroll);
                    // styles ReadOnly, AutoHScroll, Border, WantReturn
    ProgressBar,    // range 0..100
};

// Control style bits (combine with |).
enum ControlStyle : uint32_t {
    TabStop           = 1u << 0,   // reached with Tab; otherwise only by clicking
    Disabled          = 1u << 1,   // created disabled
    DefaultButton     = 1u << 2,   // push button pressed by Enter
    TextOnLeft        = 1u << 3,   // check box: text left, box right
    Sunken            = 1u << 4,   // static text / picture: sunken edge
    Centred           = 1u << 5,   // static text: centred horizontally
    VerticallyCentred = 1u << 6,   // static text: centred vertically
    Border            = 1u << 7,   // edit / list / progress bar: a frame
    ReadOnly          = 1u << 8,   // edit: the user cannot change the text
    AutoHScroll       = 1u << 9,   // edit: scrolls sideways instead of stopping
    MultiLine         = 1u << 10,  // edit: several lines, word-wrapped
    VScroll           = 1u << 11,  // edit / combo list: a vertical scroll bar
    WantReturn        = 1u << 12,  // multi-line edit: Enter makes a line break
    ListCheckBoxes    = 1u << 13,  // list: a tick box in column 0 of every row
    ListFullRowSelect = 1u << 14,  // list: selecting a row highlights the whole row
    AcceptFiles       = 1u << 15,  // files dropped on it reach the procedure
    PictureButton     = 1u << 16,  // push button shows its picture, not its caption
    Flat              = 1u << 17,  // check box / button: flat look
};

struct ControlTemplate {
    int id;               // 0 or -1: a control nobody looks up (labels, frames)
    ControlKind kind;
    uint32_t styles;      // ControlStyle bits
    const char* caption;  // UTF-8; null = empty
    int x, y, width, height;  // dialog units, in the client area
};

// Dialog style bits.
enum DialogStyle : uint32_t {
    HasCaption      = 1u << 0,
    HasSystemMenu   = 1u << 1,  // close box
    HasMinimiseBox  = 1u << 2,
    CentredOnScreen = 1u << 3,  // placed in the middle of the screen when first shown
    NoDialogKeys    = 1u << 4,  // Tab, Enter and Escape have no dialog meaning
};

struct DialogTemplate {
    const char* caption;  // UTF-8
    int width, height;    // client size in dialog units
    uint32_t styles;      // DialogStyle bits
    const ControlTemplate* controls;  // in creation (and tab) order; read during
    size_t controlCount;              // createDialog only
};

// Dialog units to pixels, rounded to the nearest pixel.
int dialogUnitsToPixelsX(int units);
int dialogUnitsToPixelsY(int units);

// ---- The procedure ---------------------------------------------------------

enum class DialogMessage {
    Init,         // controls exist, window still hidden. Result ignored.
    Command,      // controlId = the button / check box / combo / menu item id; code
    CustomDraw,   // a push button is about to paint: context, rect, itemState.
                  // Result non-zero = the procedure painted everything; 0 = the
                  // platform draws the button itself.
    DrawOver,     // a Picture control has painted its image: context and rect let
                  // the procedure draw over it (e.g. a title on a banner). Result
                  // ignored.
    ColourQuery,  // before the dialog or a control paints: fill `colours`.
    FilesDropped, // paths / pathCount landed on control (controlId). Result ignored.
    Input,        // a key or mouse press for a control: result non-zero drops it
                  // (the control never sees it, and neither does dialog navigation)
    Close,        // the close box, Alt+F4 or requestClose. The window stays unless
                  // the procedure calls destroyDialog.
    Destroy,      // destroyDialog runs; the window still exists. Result ignored.
};

// Notification codes of DialogMessage::Command.
enum CommandCode : int {
    Clicked          = 0,  // push button / check box clicked (also by Enter/Space)
    SelectionChanged = 1,  // the user chose an entry in a drop-down list
    MenuItem         = 2,  // a menu item was chosen (controlId = the item's id)
};

// Item state bits of DialogMessage::CustomDraw.
enum ItemState : uint32_t {
    ItemPressed  = 0x1,
    ItemDisabled = 0x4,
    ItemFocus    = 0x10,
    ItemHot      = 0x40,   // the mouse is over the button
};

enum class ColourTarget {
    Dialog,  // the dialog's own background (controlId 0)
    Button,  // check boxes, group boxes, push buttons
    Static,  // static texts, pictures, frames, read-only edits
    Edit,    // editable edit boxes
};

// Answers to a colour query. Everything starts unset (false / null); what the
// procedure leaves unset keeps the platform's own look. The procedure may also use
// the event's `context` (a drawing context made for the query, valid during the call
// only, e.g. for DoDialogTransparency): a transparent background or a text colour set
// there counts as set here.
struct ColourAnswer {
    bool transparent;           // text drawn without a background of its own: what
                                // lies behind the control (the dialog's brush) shows
    bool hasTextColour;
    TkColour textColour;
    bool hasBackgroundColour;   // background behind the text (edit boxes)
    TkColour backgroundColour;
    // The brush that fills the area (ColourTarget::Dialog: the whole client area,
    // a pattern brush tiled from the client area's origin; Edit: the box). Borrowed:
    // it must live while the dialog can repaint (normally the program's whole run).
    BrushHandle brush;
};

enum class InputKind { KeyDown, KeyUp, LeftPress, RightPress };

struct DialogEvent {
    DialogMessage message;
    int controlId;         // the control concerned; 0 for the dialog / none
    WindowHandle control;  // that control; null for the dialog
    int code;              // Command: a CommandCode
    // CustomDraw / DrawOver: a drawing context on the control, valid only during
    // the call; rect = (0, 0, width, height) of the control in pixels.
    // ColourQuery: a context for the query (see ColourAnswer).
    DrawContext context;
    TkRect rect;
    uint32_t itemState;    // ItemState bits
    // ColourQuery
    ColourTarget colourTarget;
    ColourAnswer colours;  // filled by the procedure
    // FilesDropped: local paths, UTF-8, valid only during the call
    const char* const* paths;
    size_t pathCount;
    // Input
    InputKind input;
    int key;               // KeyDown / KeyUp: a Qt key code; 0 for mouse presses
};

// Called on the GUI thread for every DialogMessage; `userData` as given to
// createDialog. May call any function of this layer, including destroyDialog on its
// own dialog and nested pumps (modal boxes, processPendingEvents).
typedef intptr_t (*DialogProcedure)(WindowHandle dialog, DialogEvent& event, void* userData);

// ---- Life of a dialog ------------------------------------------------------

// Builds the dialog and its controls (hidden), then sends Init. `owner` may be null
// (a top-level window). Returns null when no QApplication exists.
WindowHandle createDialog(const DialogTemplate& dialogTemplate, DialogProcedure procedure,
                          void* userData, WindowHandle owner);

// Sends Destroy, hides the dialog and deletes it at the next event handling. Safe to
// call from inside the dialog's own procedure; a second call does nothing.
void destroyDialog(WindowHandle dialog);

// Sends Close to the procedure, as the close box does (synchronously).
void requestClose(WindowHandle dialog);

// The control with `id` in `dialog`; null when there is none (ids 0 and -1 are
// never found). For a ListView this is the list itself.
WindowHandle controlOf(WindowHandle dialog, int id);

// The template id of a control; 0 when `window` is not a control of a dialog.
int controlIdOf(WindowHandle window);

// The dialog a control belongs to; the dialog itself for a dialog; null otherwise.
WindowHandle dialogOf(WindowHandle window);

// Asks the dialog and its controls to repaint (colour queries are sent again).
void repaintDialog(WindowHandle dialog);

}  // namespace platform
