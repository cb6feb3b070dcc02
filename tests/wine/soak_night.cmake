# The night soak's short version: half an hour of skeds on a clock running
# 8x, partners that answer, miss and vanish, WSJT closed and started again
# mid-sked (scripts/soak-night.sh runs the whole night).
tavrix_wine_test(soak_night ${CMAKE_CURRENT_SOURCE_DIR}/night.sh soak-short)
set_property(TEST wine.soak_night APPEND PROPERTY ENVIRONMENT "TAVRIX_WINE_TIMEOUT=360")
