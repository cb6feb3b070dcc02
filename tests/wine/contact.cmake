# Whole contacts in real time against the stand-in's partner station, which
# answers every half minute: about two minutes each.
tavrix_wine_test(contact_sked wine ${TAVRIX_WIN64_DIR}/tests/wine/drivers/contact_driver.exe --gtest_filter=Contact.Sked*)
tavrix_wine_test(contact_cq wine ${TAVRIX_WIN64_DIR}/tests/wine/drivers/contact_driver.exe --gtest_filter=Contact.Cq*)
# The same in a time zone seven hours ahead of UTC, with the decodes
# stamped in UTC as WSJT stamps them.
tavrix_wine_test(contact_zone env TZ=Asia/Novosibirsk
                 wine ${TAVRIX_WIN64_DIR}/tests/wine/drivers/contact_driver.exe --gtest_filter=Contact.InAZone*)
