// The run clock: the one-second tick that schedules everything a run does
// without the operator.
#include "engine/platform.h"
#include "engine/run_state.h"
#include "ui/sfmMain.h"

void TfmTavrix::OnTimer() {}
