// The decode scanner: follows the contact through WSJT's decoded file.
#include "engine/platform.h"
#include "engine/run_state.h"
#include "ui/sfmMain.h"

void TfmTavrix::ScanDecoded() {}
