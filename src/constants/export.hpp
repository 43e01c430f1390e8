// Marks the few names the shared library exports; everything else is hidden.
#pragma once

#if defined(_WIN32)
#define VORN_EXPORT __declspec(dllexport)
#else
#define VORN_EXPORT __attribute__((visibility("default")))
#endif
