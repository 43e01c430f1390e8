// Windows entry routine of vorn.dll. The library has no state to set up or
// tear down, so attach and detach, of process and thread alike, do nothing
// and report success.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "constants/floating_point_guards.hpp"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
