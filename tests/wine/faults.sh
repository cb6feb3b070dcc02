#!/bin/bash
# Runs the fault driver. One case makes a settings file immutable (root
# writes read-only files anyway); whatever happens, nothing under the test's
# folder is left that way.
unimmutable() { chattr -i "$TEST_DIR"/*/tavrix.ini 2>/dev/null || true; }
trap unimmutable EXIT
unimmutable
wine "$TAVRIX_WIN64_DIR/tests/wine/drivers/faults_driver.exe" "$@"
