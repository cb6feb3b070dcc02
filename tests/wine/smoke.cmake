tavrix_wine_test(smoke wine ${TAVRIX_WIN64_DIR}/tests/wine/drivers/smoke_driver.exe)
