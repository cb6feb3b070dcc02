// Run control: START and STOP, and the question asked when the window is
// closed during a run.
#include "engine/platform.h"
#include "engine/run_state.h"
#include "ui/sfmMain.h"

void TfmTavrix::bRunClick() {}
void TfmTavrix::StopRun(bool) {}
void TfmTavrix::FormCloseQuery(bool&) {}
