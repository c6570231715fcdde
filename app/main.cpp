// Placeholder entry point until the window program lands.
#include "platform/platform.h"

#if defined(KEYSEQ_PLATFORM_WIN32)
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return 0;
}
#else
int main() {
    return 0;
}
#endif
