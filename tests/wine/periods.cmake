# Two skeds in agreed periods from one START, on a clock started at 11:58:30
# and running four times as fast as the window timer.
tavrix_wine_test(periods ${CMAKE_CURRENT_SOURCE_DIR}/on_fast_clock.sh "@2026-12-08 11:58:30 x4"
                 wine ${TAVRIX_WIN64_DIR}/tests/wine/drivers/periods_driver.exe)
