# Faults around a running tavrix.exe: WSJT closed, hung or with a stuck
# Auto caption, the decoded file held by a writer, the log's folder deleted,
# the settings file read-only.
tavrix_wine_test(faults ${CMAKE_CURRENT_SOURCE_DIR}/faults.sh)
