# The peer code over user32 against the stand-in WSJT in another process.
tavrix_wine_test(peer wine ${TAVRIX_WIN64_DIR}/tests/wine/drivers/peer_driver.exe)
