// The run-time binding of tonekit.so: the library loaded by its bare name and 42 of
// its exports looked up by name into typed slots.
//
// The record is plain data owned by whoever calls BindLibrary: brisktune keeps one
// for its whole run in its entry point and hands it on by reference; brisktune-cli
// and the tests do the same. Nothing here is process-wide. The slots are valid from
// BindLibrary until ReleaseLibrary; a slot whose name the library lacks stays null.
#pragma once

#include <string>

#include "audio/wav_reader.h"
#include "textkit/textkit.h"
#include "ui/file_helpers.h"
#include "ui/painting.h"
#if __has_include("audio/sample_convert.h")
#include "audio/sample_convert.h"
#define TONEKIT_HAVE_SAMPLE_CONVERT 1
#endif
#if __has_include("audio/mp3_encoder.h")
#include "audio/mp3_encoder.h"
#define TONEKIT_HAVE_MP3_ENCODER 1
#endif
#if __has_include("ui/list_helpers.h")
#include "ui/list_helpers.h"
#define TONEKIT_HAVE_LIST_HELPERS 1
#endif

namespace platform {
struct SharedLibrary;
}

// A slot typed after the library's own declaration; a declaration not yet written
// leaves an untyped address.
#define TONEKIT_SLOT(name) decltype(&::name) name = nullptr;
#define TONEKIT_UNTYPED_SLOT(name) void* name = nullptr;

#ifdef TONEKIT_HAVE_SAMPLE_CONVERT
#define TONEKIT_SAMPLE_SLOT TONEKIT_SLOT
#else
#define TONEKIT_SAMPLE_SLOT TONEKIT_UNTYPED_SLOT
#endif
#ifdef TONEKIT_HAVE_MP3_ENCODER
#define TONEKIT_ENCODER_SLOT TONEKIT_SLOT
#else
#define TONEKIT_ENCODER_SLOT TONEKIT_UNTYPED_SLOT
#endif
#ifdef TONEKIT_HAVE_LIST_HELPERS
#define TONEKIT_LIST_SLOT TONEKIT_SLOT
#else
#define TONEKIT_LIST_SLOT TONEKIT_UNTYPED_SLOT
#endif

// The bound names in the order they are looked up: X(kind, name), where kind picks
// the slot macro above.
#define TONEKIT_BOUND_NAMES(X)                                                          \
    X(TONEKIT_SLOT, dw2sz) X(TONEKIT_SLOT, fp2sz) X(TONEKIT_SLOT, strcat5)              \
    X(TONEKIT_SLOT, mids) X(TONEKIT_SLOT, sz2wide) X(TONEKIT_SLOT, strrslash)           \
    X(TONEKIT_SLOT, strslash) X(TONEKIT_SLOT, rights) X(TONEKIT_SLOT, cuts)             \
    X(TONEKIT_SLOT, revs) X(TONEKIT_LIST_SLOT, EnableWindows10)                         \
    X(TONEKIT_LIST_SLOT, AddComboStrings) X(TONEKIT_LIST_SLOT, LVAddColumn)             \
    X(TONEKIT_LIST_SLOT, LVInsertItem) X(TONEKIT_LIST_SLOT, LVSetText)                  \
    X(TONEKIT_LIST_SLOT, LVGetColumnCount) X(TONEKIT_LIST_SLOT, LVGetText)              \
    X(TONEKIT_LIST_SLOT, LVSearchString) X(TONEKIT_LIST_SLOT, LVSetCheck)               \
    X(TONEKIT_LIST_SLOT, LVGetItemCount) X(TONEKIT_LIST_SLOT, LVGetCheck)               \
    X(TONEKIT_SLOT, ShadedButton) X(TONEKIT_SLOT, GetOpenFilenames)                     \
    X(TONEKIT_SLOT, SearchFiles) X(TONEKIT_SLOT, BrowseForFolder)                       \
    X(TONEKIT_SLOT, FileSize) X(TONEKIT_SLOT, CreateFolder)                             \
    X(TONEKIT_SLOT, CreateDesktopShortcut) X(TONEKIT_ENCODER_SLOT, RAM2MP3)             \
    X(TONEKIT_ENCODER_SLOT, StreamBuffer) X(TONEKIT_SAMPLE_SLOT, ConvertAudioBufferAlign) \
    X(TONEKIT_SAMPLE_SLOT, PitchBendAudioBuffer) X(TONEKIT_SAMPLE_SLOT, ResampleAudioBuffer) \
    X(TONEKIT_SLOT, CloseWAV) X(TONEKIT_SLOT, OpenWAV) X(TONEKIT_SLOT, SeekWAV)         \
    X(TONEKIT_SLOT, ReadWAV) X(TONEKIT_SLOT, percent) X(TONEKIT_SLOT, ratio)            \
    X(TONEKIT_SLOT, LoadResourceJpeg) X(TONEKIT_SLOT, DoDialogTransparency)             \
    X(TONEKIT_SLOT, CenterRect)

#define TONEKIT_DECLARE_SLOT(kind, name) kind(name)

struct TonekitBinding {
    platform::SharedLibrary* library = nullptr;  // null until loaded
    int missingCount = 0;            // names the loaded library lacks
    const char* firstMissing = nullptr;  // the first of them (a literal), or null
    TONEKIT_BOUND_NAMES(TONEKIT_DECLARE_SLOT)
};

// Number of slots in the record.
constexpr int kTonekitBoundNames = 42;

// The library's file name, loaded through the program's RUNPATH ($ORIGIN: the
// program folder).
constexpr const char* kTonekitLibraryName = "tonekit.so";

// Loads tonekit.so by its bare name and looks up every bound name, in order, into
// its slot. Returns 1 when the library was loaded (whatever the lookups found), 0
// when not (the loader's reason then in *error when error is given). A binding
// already loaded is released first.
int BindLibrary(TonekitBinding& binding, std::string* error = nullptr);

// True when the library is loaded and every bound name was found; a library that
// lacks one counts as corrupted.
bool BindingComplete(const TonekitBinding& binding);

// Releases the library and clears every slot; an unloaded binding is left as it is.
void ReleaseLibrary(TonekitBinding& binding);
