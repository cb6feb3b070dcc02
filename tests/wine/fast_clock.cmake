# A run on a local clock running twice as fast as the window timer, started
# just before the delay time: the delayed start, a contact step and the stop
# must all happen although the ticks land on every other second.
tavrix_wine_test(fast_clock ${CMAKE_CURRENT_SOURCE_DIR}/on_fast_clock.sh "@2026-12-08 11:59:30 x2"
                 wine ${TAVRIX_WIN64_DIR}/tests/wine/drivers/fast_clock_driver.exe)
