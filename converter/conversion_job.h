// The conversion job behind Convert and Stop: walks the file list from the top and
// converts every ticked entry to MP3, one after the other, on the GUI thread, keeping
// the window alive through the message pump while the decoder and the encoder work.
#pragma once

#include <stdint.h>

namespace brisktune {

// Convert, or Stop while a batch is under way: called again from inside the batch
// (through a pump) it only asks the batch to stop and returns at once. Runs the whole
// batch before it returns otherwise.
void RunConversion();

// The encoder's progress function for the entry in AppState::currentRow: `percent`
// (0..100) goes into the progress bar, the status line and the entry's Converted cell,
// then messages are pumped (once a screen frame: the encoder reports far more often
// than the window can show, and a repaint per report would slow the encoding down by
// half). Returns 1 to go on, 0 once a stop has been asked for.
int32_t ConversionProgress(int32_t percent);

}  // namespace brisktune
