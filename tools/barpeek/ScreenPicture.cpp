#include "tools/barpeek/ScreenPicture.h"

#include "shared/win32/Handle.h"

bool CaptureScreen(RECT area, RgbImage& image) {
  if (IsRectEmpty(&area))
    SetRect(&area, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  const int w = area.right - area.left, h = area.bottom - area.top;
  if (w <= 0 || h <= 0) return false;

  HDC screen = GetDC(nullptr);
  if (!screen) return false;
  bool ok = false;
  HDC memory = CreateCompatibleDC(screen);
  if (memory) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    GdiObject<HBITMAP> bitmap(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bitmap.Get() && bits) {
      {
        SelectedObject selected(memory, bitmap.Get());
        ok = BitBlt(memory, 0, 0, w, h, screen, area.left, area.top, SRCCOPY) != FALSE;
      }
      GdiFlush();
      if (ok) {
        // Rows of a DIB are padded to four bytes and hold blue, green, red.
        const size_t stride = (static_cast<size_t>(w) * 3 + 3) & ~static_cast<size_t>(3);
        image.Width = static_cast<uint32_t>(w);
        image.Height = static_cast<uint32_t>(h);
        image.Pixels.resize(static_cast<size_t>(w) * h * 3);
        const auto* source = static_cast<const uint8_t*>(bits);
        for (int y = 0; y < h; ++y)
          for (int x = 0; x < w; ++x) {
            const uint8_t* in = source + y * stride + x * 3;
            uint8_t* out = &image.Pixels[(static_cast<size_t>(y) * w + x) * 3];
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
          }
      }
    }
    DeleteDC(memory);
  }
  ReleaseDC(nullptr, screen);
  return ok;
}
