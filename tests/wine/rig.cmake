# Three skeds on three frequencies through Hamlib's rigctld and its dummy
# radio, rigctld stopped before the third, on a clock started at 11:58:30 and
# running four times as fast as the window timer. About two and a half minutes.
tavrix_wine_test(rig ${CMAKE_CURRENT_SOURCE_DIR}/on_fast_clock.sh "@2026-12-08 11:58:30 x4"
                 ${CMAKE_CURRENT_SOURCE_DIR}/rig.sh)
