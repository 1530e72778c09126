// BarPeek.exe: looks at the running bar from another process, as a screen
// reader or the setup program would.
//   BarPeek texts [COUNT [EVERY_MS]]   waits up to 60 s for the bar, then
//                                      prints its panel texts COUNT times
//                                      (default once), EVERY_MS apart
//   BarPeek shot FILE [X Y W H]        saves the screen, or that part of it,
//                                      as a PNG file
//   BarPeek close                      closes the bar as setup does and waits
//                                      up to 20 s for the program to end
// Exit codes: 0 done, 1 no bar (or no picture), 2 wrong arguments, 3 the
// bar did not end in time.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "bar/PanelWindows.h"
#include "tools/barpeek/ScreenPicture.h"
#include "tools/barpeek/core/PngImage.h"

namespace {

constexpr const char* kUsage =
    "usage: BarPeek texts [COUNT [EVERY_MS]] | shot FILE [X Y W H] | close\n";

// WM_GETTEXT across processes, with a time limit so a hung bar cannot hang us.
std::string TextOf(HWND window) {
  char text[256] = "";
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                           SMTO_ABORTIFHUNG, 2000, &copied))
    return "?";
  text[sizeof text - 1] = '\0';
  return text;
}

HWND WaitForBar(DWORD ms) {
  const DWORD start = GetTickCount();
  DWORD panels = 0;
  for (;;) {
    HWND bar = FindWindowA("TBarForm", nullptr);
    // The panels come with the settings, just after the window, and their
    // first readings from the display thread just after them (a first
    // reading may be empty: not for long).
    HWND first = bar ? GetDlgItem(bar, kTextCellIdBase + 1) : nullptr;
    if (first && !panels) panels = GetTickCount();
    if (first && (!TextOf(first).empty() || GetTickCount() - panels > 2000)) return bar;
    if (bar && GetTickCount() - start > ms / 2) return bar;
    if (GetTickCount() - start > ms) return nullptr;
    Sleep(100);
  }
}

// The text cells carry the control id of their slot; slots are numbered
// from 1 without gaps.
std::string PanelTexts(HWND bar) {
  std::string line;
  for (int slot = 1; slot <= 100; ++slot) {
    HWND cell = GetDlgItem(bar, kTextCellIdBase + slot);
    if (!cell) break;
    if (slot > 1) line += " | ";
    line += TextOf(cell);
  }
  return line.empty() ? "(no panels)" : line;
}

int Texts(int count, DWORD every) {
  HWND bar = WaitForBar(60000);
  if (!bar) {
    std::printf("No Corvella bar appeared within 60 s.\n");
    return 1;
  }
  const DWORD start = GetTickCount();
  for (int i = 0; i < count; ++i) {
    if (i > 0) Sleep(every);
    if (!IsWindow(bar)) {
      std::printf("The bar has gone.\n");
      return 1;
    }
    std::printf("%5.1f s  %s\n", (GetTickCount() - start) / 1000.0, PanelTexts(bar).c_str());
    std::fflush(stdout);
  }
  return 0;
}

int Shot(const char* file, RECT area) {
  RgbImage image;
  if (!CaptureScreen(area, image)) {
    std::printf("The screen could not be copied.\n");
    return 1;
  }
  const std::string png = EncodePng(image);
  FILE* out = std::fopen(file, "wb");
  if (!out || std::fwrite(png.data(), 1, png.size(), out) != png.size() || std::fclose(out) != 0) {
    std::printf("Cannot write %s.\n", file);
    return 1;
  }
  std::printf("Saved %s (%u x %u, %u bytes).\n", file, image.Width, image.Height,
              static_cast<unsigned>(png.size()));
  return 0;
}

// The hidden application window closes the bar, which runs its exit
// sequence (saving its position) and ends.
int Close() {
  HWND application = FindWindowA("TApplication", "CVL");
  if (!application) {
    std::printf("No Corvella bar is running.\n");
    return 1;
  }
  DWORD pid = 0;
  GetWindowThreadProcessId(application, &pid);
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
  PostMessageA(application, WM_CLOSE, 0, 0);
  bool ended;
  if (process) {
    ended = WaitForSingleObject(process, 20000) == WAIT_OBJECT_0;
    CloseHandle(process);
  } else {
    const DWORD start = GetTickCount();
    while (IsWindow(application) && GetTickCount() - start < 20000) Sleep(100);
    ended = !IsWindow(application);
  }
  std::printf(ended ? "Corvella has ended.\n" : "Corvella did not end within 20 s.\n");
  return ended ? 0 : 3;
}

int Run(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "texts" && argc <= 4) {
    const int count = argc > 2 ? std::atoi(argv[2]) : 1;
    const int every = argc > 3 ? std::atoi(argv[3]) : 1000;
    if (count < 1 || every < 0) return 2;
    return Texts(count, static_cast<DWORD>(every));
  }
  if (command == "shot" && (argc == 3 || argc == 7)) {
    RECT area{};
    if (argc == 7) {
      const int x = std::atoi(argv[3]), y = std::atoi(argv[4]);
      SetRect(&area, x, y, x + std::atoi(argv[5]), y + std::atoi(argv[6]));
      if (IsRectEmpty(&area)) return 2;
    }
    return Shot(argv[2], area);
  }
  if (command == "close" && argc == 2) return Close();
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  // Plain line ends: the readers are Unix scripts (through Wine) and pipes.
  _setmode(_fileno(stdout), _O_BINARY);
  try {
    const int rc = Run(argc, argv);
    if (rc == 2) std::fputs(kUsage, stderr);
    return rc;
  } catch (const std::exception& e) {
    std::printf("BarPeek: %s\n", e.what());
    return 1;
  }
}
