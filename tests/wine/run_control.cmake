# The operator's side of START, STOP, the messages and the close question,
# against the real tavrix.exe and the stand-in WSJT; the messages once more
# with the ANSI code page of a Russian system.
tavrix_wine_test(run_control wine ${TAVRIX_WIN64_DIR}/tests/wine/drivers/run_control_driver.exe)
tavrix_wine_test(run_control_ru ${CMAKE_CURRENT_SOURCE_DIR}/in_russian.sh
                 wine ${TAVRIX_WIN64_DIR}/tests/wine/drivers/run_control_driver.exe
                 --gtest_filter=RunControl.FailureMessages*)
