# Three one-minute skeds from one START on a clock started at 11:59:30 and
# running twice as fast as the window timer.
tavrix_wine_test(skeds ${CMAKE_CURRENT_SOURCE_DIR}/on_fast_clock.sh "@2026-12-08 11:59:30 x2"
                 wine ${TAVRIX_WIN64_DIR}/tests/wine/drivers/skeds_driver.exe)
