#include "bar/StartUpParts.h"

#include "bar/BarFormCode.h"
#include "bar/Globals.h"
#include "shared/VBFunctions.h"

namespace {

class EmptyPanelRow : public PanelRow {
 public:
  void LoadPanels() override {}
  void ShowPaused() override {}
  void ClearPanels() override {}
};

class EmptyWarningList : public WarningList {
 public:
  void LoadWarnings() override {}
};

class SettingsOnlyThread : public DisplayThread {
 public:
  void Pause() override { ++pauses_; }
  void Resume() override {
    if (pauses_ > 0) --pauses_;
  }
  bool Paused() const override { return pauses_ > 0; }
  void SetInterval(int32_t ms) override { interval_ = ms; }
  void SetPriority(int priority) override { priority_ = priority; }
  void Stop() override {}

 private:
  int pauses_ = 0;
  int32_t interval_ = 1000;
  int priority_ = 0;
};

// Height of the window while no panel row lays itself out.
constexpr int kPlainClientHeight = 34;

}  // namespace

std::unique_ptr<PanelRow> StartUpParts::CreatePanels(TBarForm&) {
  return std::unique_ptr<PanelRow>(new EmptyPanelRow);
}

std::unique_ptr<WarningList> StartUpParts::CreateWarnings(TBarForm&) {
  return std::unique_ptr<WarningList>(new EmptyWarningList);
}

std::unique_ptr<DisplayThread> StartUpParts::CreateDisplayThread(PanelRow&, WarningList&) {
  return std::unique_ptr<DisplayThread>(new SettingsOnlyThread);
}

std::unique_ptr<BarPlacement> StartUpParts::CreatePlacement(TBarForm& bar) {
  return std::unique_ptr<BarPlacement>(new PlainPlacement(bar));
}

void PlainPlacement::SetBarPosition(TBarPosition p) {
  if (p == bpNone) p = bar_.Position;
  bar_.Position = p;
  const HWND hwnd = bar_.Handle();
  static const UINT kItems[] = {BarTopMenu, BarFloatMenu, BarBottomMenu, MinimiseMenu};
  const char* word = nullptr;
  switch (p) {
    case bpTop:
    case bpBottom: {
      const MonitorRect m = MonitorRectOf(hwnd);
      RECT frame = {0, 0, 0, kPlainClientHeight};
      AdjustWindowRectEx(&frame, GetWindowLongA(hwnd, GWL_STYLE), FALSE,
                         GetWindowLongA(hwnd, GWL_EXSTYLE));
      const int height = frame.bottom - frame.top;
      const int top = p == bpTop ? m.Top : m.Top + m.Height - height;
      SetWindowPos(hwnd, nullptr, m.Left, top, m.Width, height, SWP_NOZORDER | SWP_NOACTIVATE);
      ShowWindow(hwnd, SW_SHOWNA);
      word = p == bpTop ? "TOP" : "BOTTOM";
      break;
    }
    case bpFloating:
      ShowWindow(hwnd, SW_SHOWNA);
      word = "FLOATING";
      break;
    case bpMinimised:
      ShowWindow(hwnd, SW_HIDE);
      word = "MINIMISED";
      break;
    default:
      return;
  }
  for (UINT item : kItems) bar_.SetChecked(item, false);
  bar_.SetChecked(kItems[p - 1], true);
  SaveSetting(kAppName, "Settings", "BarPosition", word);
}
