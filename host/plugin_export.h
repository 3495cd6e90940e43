// Marks the functions the plug-in module exports; everything else is built
// with hidden visibility and stays inside the module.
#pragma once

#if defined(_WIN32)
#define LUMISTRA_EXPORT extern "C" __declspec(dllexport)
#else
#define LUMISTRA_EXPORT extern "C" __attribute__((visibility("default")))
#endif
