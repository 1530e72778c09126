#pragma once
// Entry points of cvl.dll. Link the CMake target cvl_import to bind them by
// ordinal (1, 3 and 4). Each call builds its dialog with no owner, runs it
// modally on the calling thread (which needs a message loop) and frees it.
#ifdef __cplusplus
extern "C" {
#endif

#ifdef CVL_BUILDING_LIBRARY
#define CVL_ENTRY __stdcall
#else
#define CVL_ENTRY __declspec(dllimport) __stdcall
#endif

// Ordinal 1: the hardware monitoring settings dialog.
void CVL_ENTRY ShowHardwareSettings(void);
// Ordinal 3: the About box with a head line, a name, a version, a notice and
// a one-sentence description (copied; the caller keeps its buffers).
void CVL_ENTRY ShowAbout(const char* head, const char* name, const char* version,
                         const char* notice, const char* about);
// Ordinal 4: the settings dialog.
void CVL_ENTRY ShowSettings(void);

#ifdef __cplusplus
}
#endif
