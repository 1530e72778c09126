/*
 * CvlPlugin.h - the interface between Corvella and its sensor plug-ins.
 *
 * A plug-in is a Win32 DLL whose file name ends in ".cvl". It exports some of
 * the functions declared below, under exactly these names and undecorated
 * (link with CvlPlugin.def, or a .def file of your own listing the names you
 * export). Every export uses the stdcall calling convention (the WINAPI
 * convention of the Windows API).
 *
 * Plain C89, also usable from C++; MinGW, Visual C++ 5 and 6, Borland C++.
 * Include <windows.h> before this header when you use it, so that
 * SensorIcon is declared as returning HBITMAP.
 *
 * PLUGINS.md explains when the bar calls each function, on which thread,
 * and what it does when one is missing, faults or hangs.
 */
#ifndef CVLPLUGIN_H
#define CVLPLUGIN_H

/* The calling convention of every export. */
#ifndef CVL_CALL
#if defined(_WIN32)
#define CVL_CALL __stdcall
#else
#define CVL_CALL /* not a Windows compiler: for tools that only read the names */
#endif
#endif

/*
 * Text: the caller passes a buffer of CVL_TEXT_BUFFER_SIZE (80) bytes that it
 * owns. Write at most CVL_MAX_TEXT (79) ANSI characters followed by a NUL.
 * Never write past the 80 bytes, never keep the pointer, and do not rely on
 * what the buffer holds on entry.
 */
#define CVL_TEXT_BUFFER_SIZE 80
#define CVL_MAX_TEXT 79

/* The bits PluginFacilities answers. */
#define CVL_HAS_SENSOR 1  /* the plug-in has a sensor: a text for a panel */
#define CVL_HAS_WARNING 2 /* the plug-in has a warning: a threshold check */

/*
 * WarningFunction answers a 32-bit boolean: CVL_FALSE (0) or CVL_TRUE (-1,
 * all bits set). Do not answer 1 or any other value.
 */
#define CVL_FALSE 0
#define CVL_TRUE (-1)

/*
 * Integers are 32-bit signed ("int" on every Win32 compiler). The picture of
 * SensorIcon is a bitmap handle.
 */
#if defined(_WINDEF_) || defined(_INC_WINDOWS)
typedef HBITMAP CVL_BITMAP;
#else
typedef void *CVL_BITMAP;
#endif

/* The functions the bar calls at every refresh, as pointer types. */
typedef void(CVL_CALL *CVL_SENSOR_FUNCTION)(char *buffer);
typedef int(CVL_CALL *CVL_SENSOR_VALUE)(void);
typedef int(CVL_CALL *CVL_WARNING_FUNCTION)(int threshold);

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Every plug-in -------------------------------------------------------- */

/* Required. CVL_HAS_SENSOR, CVL_HAS_WARNING or both. Without this export, or
 * with an answer that has neither bit, the bar never uses the plug-in. */
int CVL_CALL PluginFacilities(void);

/* Optional. Writes the plug-in's name, shown in the list of installed
 * plug-ins. Without it the name is empty. */
void CVL_CALL PluginName(char *buffer);

/* Optional. Shows the plug-in's own settings or About window, modally, and
 * returns when the user closes it. Called when the user clicks Settings on
 * the Plugins tab; without it that button does nothing. */
void CVL_CALL PluginDisplaySettings(void);

/* ---- A sensor (CVL_HAS_SENSOR) -------------------------------------------- */
/* The bar asks SensorDescription and SensorToolTip, then SensorWidth, then
 * SensorIcon, and stops at the first one that is missing: a plug-in without
 * SensorToolTip gets the default description, width and picture too. Export
 * all four, or none. */

/* Required for a sensor. Writes the sensor's current text, shown in the
 * panel. Called once per panel at every refresh. Without it the panel
 * shows "Error". */
void CVL_CALL SensorFunction(char *buffer);

/* Optional. The sensor's current reading as one number, for the history
 * graph the bar draws behind the panel's text when the user has chosen
 * "Show history graphs in panels". Called right after SensorFunction, in
 * the same refresh, once per panel. The graph is scaled to the largest value
 * it shows (at least 1); values of 0 or below draw nothing. Without it the
 * panel has no graph. */
int CVL_CALL SensorValue(void);

/* Optional. One line that describes the sensor in the Add Sensor list
 * (default "No Description"). */
void CVL_CALL SensorDescription(char *buffer);

/* Optional. The panel's tool tip (default "No Tool Tip"). */
void CVL_CALL SensorToolTip(char *buffer);

/* Optional. The suggested width of a new panel's text, in pixels
 * (default 0). */
int CVL_CALL SensorWidth(void);

/* Optional. A new 16 x 16 bitmap for the panel's picture (default: none).
 * The caller owns it from then on and deletes it; create a new one at every
 * call. */
CVL_BITMAP CVL_CALL SensorIcon(void);

/* ---- A warning (CVL_HAS_WARNING) ------------------------------------------ */
/* The same holds for WarningMessage, WarningDescription and WarningVal, then
 * WarningMax, WarningMin and WarningIncrement, in this order. */

/* Required for a warning. CVL_TRUE when the warning's condition holds for
 * the user's threshold, else CVL_FALSE. Called once per warning at every
 * refresh. Without it the warning never fires. */
int CVL_CALL WarningFunction(int threshold);

/* Optional. The text before the threshold in the warning's message
 * (default "No Message"). */
void CVL_CALL WarningMessage(char *buffer);

/* Optional. One line that describes the warning in the Add Warning list
 * (default "No Description"). */
void CVL_CALL WarningDescription(char *buffer);

/* Optional. The unit after the threshold, for example "%" (default
 * "No Val"). */
void CVL_CALL WarningVal(char *buffer);

/* Optional. The highest threshold the Warnings tab offers (default 0). */
int CVL_CALL WarningMax(void);

/* Optional. The lowest threshold, also the threshold of a new warning
 * (default 0). Not above WarningMax. */
int CVL_CALL WarningMin(void);

/* Optional. The step of the Warnings tab's - and + buttons (default 0,
 * which leaves the buttons without effect). Above 0. */
int CVL_CALL WarningIncrement(void);

#ifdef __cplusplus
}
#endif

#endif /* CVLPLUGIN_H */
