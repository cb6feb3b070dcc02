# The operator window: settings loading, design values, click handlers and
# layout, checked from a second process; then screenshots of the three pages.
tavrix_wine_test(window wine ${TAVRIX_WIN64_DIR}/tests/wine/drivers/window_driver.exe)
tavrix_wine_test(window_screens ${CMAKE_CURRENT_SOURCE_DIR}/on_fast_clock.sh "@2026-12-13 22:40:00 x1"
                 ${CMAKE_CURRENT_SOURCE_DIR}/window_screens.sh)
tavrix_wine_test(platform wine ${TAVRIX_WIN64_DIR}/tests/wine/drivers/platform_driver.exe)
# The same on a prefix that says it is Windows XP, where many stations still
# run WSJT 4.9.7.
tavrix_wine_test(window_xp ${CMAKE_CURRENT_SOURCE_DIR}/as_windows.sh winxp
                 wine ${TAVRIX_WIN64_DIR}/tests/wine/drivers/window_driver.exe)
tavrix_wine_test(window_screens_xp ${CMAKE_CURRENT_SOURCE_DIR}/as_windows.sh winxp
                 ${CMAKE_CURRENT_SOURCE_DIR}/window_screens.sh)
