// Platform services over kernel32 and user32 (to be filled in).
#include <windows.h>
