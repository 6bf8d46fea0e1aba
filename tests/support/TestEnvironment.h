#pragma once

#include <cstdlib>

// What every test program runs in, set by the program itself (ctest registers each case on its
// own and hands the cases no environment lists): no window on the developer's screen, a known
// locale, and a config folder in the build tree, so no test touches the user's own settings.
// A value already set by whoever started the program wins.
inline void UseTestEnvironment() {
    const auto set = [](const char* name, const char* value) {
#ifdef _WIN32
        if (std::getenv(name) == nullptr) {
            _putenv_s(name, value);
        }
#else
        setenv(name, value, 0);
#endif
    };
    set("QT_QPA_PLATFORM", "offscreen");
    set("LANG", "C.UTF-8");
#ifdef BRELKER_TEST_CONFIG_HOME
    set("XDG_CONFIG_HOME", BRELKER_TEST_CONFIG_HOME);
#endif
}
