#!/bin/bash
# Runs a command with Wine's ANSI code page at 1251, as on a Russian
# Windows: Wine takes it from LC_CTYPE, and the locale is compiled into the
# test's own folder.
set -uo pipefail
locales=$TEST_DIR/locale
if [ ! -d "$locales/ru_RU.UTF-8" ]; then
    mkdir -p "$locales"
    localedef -i ru_RU -f UTF-8 "$locales/ru_RU.UTF-8" >/dev/null 2>&1
    [ -d "$locales/ru_RU.UTF-8" ] || { echo "localedef could not build ru_RU.UTF-8"; exit 1; }
fi
unset LC_ALL
export LOCPATH=$locales LC_CTYPE=ru_RU.UTF-8 TAVRIX_EXPECT_ACP=1251
exec "$@"
