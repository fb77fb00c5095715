#include "converter/conversion_job.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "converter/app_state.h"
#include "converter/control_ids.h"
#include "converter/convert_entry.h"
#include "converter/decoder_process.h"
#include "converter/output_names.h"
#include "converter/status_pump.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/menu.h"
#include "platform/message_box.h"

namespace brisktune {

namespace {

constexpr int kColumnName = 1;
constexpr int kColumnConverted = 2;
constexpr int kColumnFolder = 3;
constexpr int kColumnPath = 4;

constexpr int32_t kBitrates[4] = {256, 128, 64, 32};

// Menu items greyed while a batch runs; "Download More Software ..." stays usable.
constexpr int kMenuItemsOfBatch[] = {
    kMenuAddFiles, kMenuAddFolder, kMenuExit,  kMenuSelectAll, kMenuSelectNone,
    kMenuRemove,   kMenuConvert,   kMenuChangeFolder, kMenuExplore, kMenuSameFolder,
    5100, 5101, 5102, 5103, kMenuOnlineHelp, kMenuAbout,
};

void setMenuItems(bool enabled)
{
    for (int id : kMenuItemsOfBatch)
        platform::setMenuItemEnabled(app().mainWindow, id, enabled);
}

// Copies a cell, since LVGetText's slots are overwritten ten calls later.
std::string cell(int row, int column)
{
    return tk().LVGetText(app().mainWindow, kIdFileList, row, column);
}

void setCell(int row, int column, const char* text)
{
    tk().LVSetText(app().mainWindow, kIdFileList, static_cast<uint32_t>(row), column, text, 1);
}

// Keeps the window alive while the decoder runs (faad reports after every few frames,
// so the window is pumped once a screen frame) and ends the decoder on Stop.
int watchDecoder(int /*state*/, const char* /*output*/, uint32_t /*size*/, void* /*context*/)
{
    PumpMessagesAtFrameRate();
    return app().stopRequested ? 0 : 1;
}

// Converts the row in currentRow; the text its Converted cell ends with.
const char* convertRow(OutputNameKeeper& names)
{
    AppState& st = app();
    const int row = static_cast<int>(st.currentRow);
    const std::string name = cell(row, kColumnName);
    const std::string path = cell(row, kColumnPath);
    const std::string folder = st.settings.sameFolder ? cell(row, kColumnFolder) : std::string(st.settings.outputFolder);

    std::string output = ClaimOutputPath(names, OutputPathFor(folder, name));
    ConvertResult result;
    if (output.empty()) {
        result.outcome = ConvertOutcome::Failed;
        result.reason = "the MP3's path would be longer than 1,023 bytes";
    } else {
        ConvertRequest request;
        request.binding = &st.binding;
        request.sourcePath = path.c_str();
        request.outputPath = output.c_str();
        request.bitrate = kBitrates[st.settings.qualityIndex & 3];
        request.tempWavPath = st.temp.wavPath.c_str();
        request.progress = ConversionProgress;
        request.decoderObserver = watchDecoder;
        result = ConvertEntry(request);
    }
    if (st.stopRequested)
        return "0 %";
    if (result.outcome == ConvertOutcome::Failed) {
        // The entry is marked and the batch goes on; the reason stays visible until the
        // next entry is taken up.
        std::fprintf(stderr, "brisktune: %s: %s\n", path.c_str(), result.reason.c_str());
        SetStatus(tk().strcat5("Failed To Convert ", name.c_str(), " : ", result.reason.c_str(), nullptr));
        PumpMessages();
        return "Failed";
    }
    return result.outcome == ConvertOutcome::Converted ? "Complete" : "0 %";
}

}  // namespace

void RunConversion()
{
    AppState& st = app();
    WindowHandle w = st.mainWindow;
    const TonekitBinding& t = tk();
    if (st.jobRunning) {
        platform::setEnabled(platform::controlOf(w, kIdConvert), false);
        st.stopRequested = 1;
        return;
    }
    if (t.LVGetItemCount(w, kIdFileList) == 0)
        return;
    // Without the decoder nothing could be converted: say so before anything starts.
    if (!DecoderPresent()) {
        platform::messageBox(w, t.strcat5("The decoder (faad) is missing from ", programFolder, nullptr, nullptr, nullptr),
                             "ERROR", platform::MessageIcon::Error, platform::MessageButtons::Ok);
        return;
    }

    st.jobRunning = 1;
    ++st.busyDepth;
    t.EnableWindows10(w, 0, kIdAddFiles, kIdSelectAll, kIdChangeFolder, kIdAddFolder, kIdSelectNone, kIdExplore,
                      kIdRemove, kIdFileList, kIdQuality, kIdSameFolder);
    t.EnableWindows10(w, 0, kIdStayOnTop, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    setMenuItems(false);
    platform::setText(platform::controlOf(w, kIdConvert), "Stop");
    SetStatus("Preparing To Convert ...");
    PumpMessages();

    OutputNameKeeper names;
    const int count = t.LVGetItemCount(w, kIdFileList);
    for (int row = 0; row < count; ++row) {
        if (!t.LVGetCheck(w, kIdFileList, row))
            continue;
        if (st.stopRequested)
            break;
        st.currentRow = static_cast<uint32_t>(row);
        setCell(row, kColumnConverted, "preparing ...");
        SetStatus(t.strcat5("Preparing To Convert ", cell(row, kColumnName).c_str(), " ...", nullptr, nullptr));
        PumpMessages();
        const char* outcome = convertRow(names);
        setCell(static_cast<int>(st.currentRow), kColumnConverted, outcome);
    }

    t.EnableWindows10(w, 1, kIdAddFiles, kIdSelectAll, kIdChangeFolder, kIdAddFolder, kIdSelectNone, kIdConvert,
                      kIdExplore, kIdRemove, kIdFileList, kIdQuality);
    t.EnableWindows10(w, 1, kIdSameFolder, kIdStayOnTop, 0, 0, 0, 0, 0, 0, 0, 0);
    setMenuItems(true);
    platform::setText(platform::controlOf(w, kIdConvert), "Convert");
    ApplySettings();
    platform::setProgress(platform::controlOf(w, kIdProgress), 0);
    SetStatus("Idle.");
    PumpMessages();
    --st.busyDepth;
    st.jobRunning = 0;
    st.stopRequested = 0;
}

int32_t ConversionProgress(int32_t percent)
{
    AppState& st = app();
    if (st.stopRequested)
        return 0;
    WindowHandle w = st.mainWindow;
    const TonekitBinding& t = tk();
    const int row = static_cast<int>(st.currentRow);
    platform::setProgress(platform::controlOf(w, kIdProgress), percent);
    const std::string name = cell(row, kColumnName);
    std::string number = t.dw2sz(percent);
    SetStatus(t.strcat5("Converting ", name.c_str(), " to MP3 ... ", number.c_str(), " % Complete"));
    setCell(row, kColumnConverted, t.strcat5(number.c_str(), " %", nullptr, nullptr, nullptr));
    PumpMessagesAtFrameRate();
    return 1;
}

}  // namespace brisktune
