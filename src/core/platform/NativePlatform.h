#pragma once

// The platform of the system the program is built for.
#ifdef _WIN32
#include "platform/Win32Platform.h"
namespace brelker {
using NativePlatform = Win32Platform;
}
#else
#include "platform/PosixPlatform.h"
namespace brelker {
using NativePlatform = PosixPlatform;
}
#endif
