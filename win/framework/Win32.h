// The one way our Win32 sources include <windows.h>: same macros everywhere, in the same order.
#pragma once

#ifndef STRICT
#define STRICT
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef _WIN32_WINNT
#define _WIN32_WINNT 0x0601 // Windows 7: SetDefaultDllDirectories, ReplaceFileW, TME_LEAVE
#endif
#ifndef WINVER
#define WINVER _WIN32_WINNT
#endif
#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif

#include <windows.h>
