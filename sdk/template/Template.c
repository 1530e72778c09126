/*
 * Template.c - a complete Corvella plug-in to start from: one sensor, the
 * memory load of the machine, and one warning, when the memory load rises
 * above the user's threshold.
 *
 * Build it with "make" (see Makefile), copy Template.cvl anywhere, and
 * install it from the Plugins tab of the Corvella settings. Rename the file
 * and change the texts to make it your own; PLUGINS.md says what each
 * function must do.
 */
#include <windows.h>

#include "CvlPlugin.h"

/* The library's entry point (see Makefile): nothing to set up or clean. */
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    (void)instance;
    (void)reason;
    (void)reserved;
    return TRUE;
}

/* Copies text into the caller's buffer: at most 79 characters and a NUL. */
static void PutText(char *buffer, const char *text)
{
    lstrcpynA(buffer, text, CVL_TEXT_BUFFER_SIZE);
}

/* The percentage of memory in use, 0 to 100. */
static int MemoryLoad(void)
{
    MEMORYSTATUS status;
    status.dwLength = sizeof status;
    GlobalMemoryStatus(&status);
    return (int)status.dwMemoryLoad;
}

/* ---- Every plug-in ---- */

int CVL_CALL PluginFacilities(void)
{
    return CVL_HAS_SENSOR | CVL_HAS_WARNING;
}

void CVL_CALL PluginName(char *buffer)
{
    PutText(buffer, "Template Plugin");
}

void CVL_CALL PluginDisplaySettings(void)
{
    MessageBoxA(NULL, "Template Plugin, version 1.0\n\nShows the memory load.", "About Plugin",
                MB_OK | MB_ICONINFORMATION);
}

/* ---- The sensor ---- */

void CVL_CALL SensorFunction(char *buffer)
{
    char text[CVL_TEXT_BUFFER_SIZE * 2]; /* wsprintfA writes as much as it needs */
    wsprintfA(text, "Memory load %d%%", MemoryLoad());
    PutText(buffer, text);
}

/* The same reading as a number, for the history graph behind the text. */
int CVL_CALL SensorValue(void)
{
    return MemoryLoad();
}

void CVL_CALL SensorDescription(char *buffer)
{
    PutText(buffer, "Template: Memory Load");
}

void CVL_CALL SensorToolTip(char *buffer)
{
    PutText(buffer, "Template Plugin : Memory Load");
}

int CVL_CALL SensorWidth(void)
{
    return 90;
}

/* A bar chart, one bit a pixel (0 black, 1 white), two bytes a row. */
static const BYTE kChart[32] = {
    0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xE7, 0xFF, 0xE7, 0xFE, 0x67, 0xFE, 0x67, 0xFE, 0x67, 0xE6, 0x67,
    0xE6, 0x67, 0xE6, 0x67, 0xE6, 0x67, 0xE6, 0x67, 0xC0, 0x03, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

/* A new bitmap at every call: the bar owns it and deletes it. */
CVL_BITMAP CVL_CALL SensorIcon(void)
{
    return CreateBitmap(16, 16, 1, 1, kChart);
}

/* ---- The warning ---- */

int CVL_CALL WarningFunction(int threshold)
{
    return MemoryLoad() > threshold ? CVL_TRUE : CVL_FALSE;
}

void CVL_CALL WarningMessage(char *buffer)
{
    PutText(buffer, "Memory load has risen above");
}

void CVL_CALL WarningDescription(char *buffer)
{
    PutText(buffer, "Memory load rises above");
}

void CVL_CALL WarningVal(char *buffer)
{
    PutText(buffer, "%");
}

int CVL_CALL WarningMax(void)
{
    return 99;
}

int CVL_CALL WarningMin(void)
{
    return 50;
}

int CVL_CALL WarningIncrement(void)
{
    return 5;
}
