#pragma once
// The sensor plug-in contract as plain data: the text buffer convention, the
// facility bits, the function types and the two information records. Shared by
// the bar, the settings library and (through the exports) the plug-ins.
#include <cstdint>
#include <string>

// Every export uses the Windows API calling convention.
#if defined(_WIN32) && defined(__i386__)
#define CVL_STDCALL __attribute__((stdcall))
#else
#define CVL_STDCALL
#endif

// How long the bar waits for a call into a sensor or check function, or any
// other export but the plug-in's own settings window, before it takes the
// call as hung (PluginHang) and stops waiting for it.
constexpr uint32_t kCallHangLimitMs = 10000;

// A caller-owned 80-byte buffer: at most 79 characters and a NUL.
constexpr int kTextBufferSize = 80;
typedef char TextBuffer[kTextBufferSize];

// Writes the sensor's current text into the buffer.
typedef void(CVL_STDCALL* TSensorFunction)(char* buffer);
// The sensor's current reading as one number, for the panel's history graph;
// optional, called right after the sensor function.
typedef int32_t(CVL_STDCALL* TSensorValue)();
// Nonzero lowest byte of the result: the warning condition holds for threshold.
typedef int32_t(CVL_STDCALL* TWarningFunction)(int32_t threshold);

constexpr int32_t PluginHasSensor = 1;
constexpr int32_t PluginHasWarning = 2;

// The caller's copy of a buffer: up to the first NUL, or all 80 bytes.
std::string TextFromBuffer(const char* buffer);
// The length of that text, without copying it: 80 when there is no NUL.
size_t TextBufferLength(const char* buffer);
// Fills a buffer with text cut to 79 characters and a NUL.
void TextToBuffer(const std::string& text, char* buffer);

// A bitmap handle (HBITMAP) that changes owner with SensorIcon.
using BitmapHandle = void*;

struct TSENSORINFO {
  std::string Description = "No Description";
  int32_t Width = 0;
  std::string ToolTip = "No Tool Tip";
  BitmapHandle Icon = nullptr;
};

struct TWARNINGINFO {
  std::string Message = "No Message";
  std::string Description = "No Description";
  int32_t Min = 0;
  int32_t Max = 0;
  int32_t Increment = 0;
  std::string Val = "No Val";
};
