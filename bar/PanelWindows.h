#pragma once
// The panels on screen (main thread): their cells, the texts handed to them,
// and the panel row that puts both together.
//
// The windows of a panel: the icon cell (22 x 22, raised bevel, silver, the
// 16 x 16 picture at 3, 3) and the text cell (22 high, lowered bevel, button
// face, the text centred in the panel font). Both are children of the bar
// window and carry the panel's tool tip. The text cell's window text is
// exactly the text it shows, so other programs (screen readers) read it with
// WM_GETTEXT.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "bar/core/DisplayPanelCode.h"
#include "bar/core/RefreshLoop.h"
#include "shared/VBFunctions.h"
#include "shared/core/SettingsSource.h"
#include "shared/win32/Handle.h"

// Class of both cells (and of the bar's settings button).
constexpr const char* kPanelClassName = "TPanel";

// The tool tips of the bar's cells: one tool-tip control for the bar. The
// cells relay their mouse messages to it themselves: letting the control
// subclass every cell would put a window-property lookup into every message
// a cell gets, a text change and its repaint included.
class PanelToolTips {
 public:
  explicit PanelToolTips(HWND bar);
  ~PanelToolTips();
  PanelToolTips(const PanelToolTips&) = delete;
  PanelToolTips& operator=(const PanelToolTips&) = delete;
  void Add(HWND cell, const std::string& text);
  void Remove(HWND cell);
  HWND Handle() const { return tips_; }

 private:
  HWND bar_;
  HWND tips_ = nullptr;
};

// An icon cell of class "TPanel" at (x, y) with that control id: 22 x 22,
// raised bevel, silver, the 16 x 16 picture (not owned) at 3, 3; nullptr on
// failure.
HWND CreateIconCell(HWND parent, HBITMAP picture, int x, int y, int id);

class PanelWindows : public PanelView {
 public:
  // Builds both cells of the panel in that slot; takes the bitmap whatever
  // happens, and draws graph (which outlives the cells) behind the text.
  // Raises CvlError when a window cannot be created.
  PanelWindows(HWND bar, PanelToolTips& tips, SettingsSource& settings, int slot,
               const std::string& hint, HBITMAP bitmap, int32_t width, const PanelGraph& graph);
  ~PanelWindows() override;

  void SetPosition(int x, int y) override;
  int TextWidth() const override;
  void SetHint(const std::string& hint) override;
  bool ShowText(const char* text) override;
  void Redraw() override;


 private:
  PanelToolTips& tips_;
  GdiObject<HBITMAP> picture_;
  GdiObject<HFONT> font_;
  HWND icon_ = nullptr;
  HWND text_ = nullptr;
  int width_ = 0;
  char shown_[82] = "";
};

// Posted to the bar window when texts are waiting.
constexpr UINT WM_PANELTEXTS = WM_USER + 160;

// How panel texts travel from the display thread to the panels' windows: a
// fixed 80-character place per slot under a lock, one WM_PANELTEXTS per pass
// at most, nothing allocated, no writer waiting for the window; also the gate
// that mutes a pass once the user has paused (docs/ARCHITECTURE.md,
// "Threads, and how a text reaches its panel").
class PanelTextTable : public TextGate {
 public:
  static constexpr int kTextPlace = 80;  // characters; a sensor text is at most 80

  struct Text {
    uint32_t Generation;
    int Slot;
    char Chars[kTextPlace + 1];  // NUL-terminated copy
    HeldColumns Columns;         // the columns handed over with it, oldest first
  };

  PanelTextTable() = default;
  PanelTextTable(const PanelTextTable&) = delete;
  PanelTextTable& operator=(const PanelTextTable&) = delete;

  // The window that receives WM_PANELTEXTS (nullptr: none, texts only wait).
  void SetWindow(HWND window);
  // Any thread. Slot 1..100; longer texts are cut to 80 characters. A text
  // of a pass (fromPass) is dropped while the gate is closed. A column joins
  // those not taken yet (HeldColumns).
  void Publish(uint32_t generation, int slot, const char* text, size_t length, bool fromPass,
               GraphColumn column = {});
  // The calling thread's texts wait in the table until it calls Send, which
  // posts one message when any text is waiting. Another thread's texts are
  // posted as before (a given-up thread never comes back to Send).
  void Hold();
  void Send();
  // TextGate, under the display thread's lock.
  void Open() override;
  void Close() override;
  // Main thread: copies every changed place into out (kMaxPanels entries)
  // and answers how many; the places count as unchanged afterwards.
  int Take(Text* out);
  // Messages posted so far (one per batch of changes).
  long PostedCount();

 private:
  struct Place {
    char Chars[kTextPlace];
    uint8_t Length;
    bool Changed;
    uint32_t Generation;
    HeldColumns Columns;  // not taken yet
  };

  // Under the lock: the window to post to now, if any.
  HWND ToPost();
  void PostTo(HWND window);

  CriticalSection lock_;
  Place places_[kMaxPanels] = {};
  bool pending_ = false;
  bool waiting_ = false;  // a place is marked changed
  DWORD holder_ = 0;      // the thread whose texts wait for Send
  bool open_ = true;
  HWND window_ = nullptr;
  long posted_ = 0;
};

// Control ids of the cells of the panel in slot i (1..100).
constexpr int kTextCellIdBase = 1000;
constexpr int kIconCellIdBase = 2000;

// The bar's panel row on Win32: TDisplayPanels over the process's plug-in
// contract, with panel windows as its controls, the built-in catalogue, the
// program's pictures, and the text table through which passes reach the
// windows.
class BarPanels : private PanelHost {
 public:
  // bar: the bar window (parent of the cells, receiver of WM_PANELTEXTS);
  // logAll: the bar's LogAll flag.
  BarPanels(HWND bar, const bool& logAll);
  ~BarPanels() override;

  // Reloads the panels from the registry.
  void LoadPanels();
  void ShowPaused();
  // Main thread: shows the texts that passes have handed over.
  void ShowTexts();
  // Main thread, while no pass runs: every panel of fn shows "Error" from
  // now on, its tool tip saying that it stopped responding.
  void DisableStopped(void* fn);

  TDisplayPanels& List() { return list_; }
  PanelTextTable& Texts() { return table_; }

 private:
  // PanelHost.
  TBuiltInSensor BuiltInSensor(int32_t number) override;
  bool StoppedResponding(const void* fn) override;
  BitmapHandle LoadPanelImage(int32_t number) override;
  void DeleteBitmap(BitmapHandle bitmap) override;
  std::unique_ptr<PanelView> CreateView(int slot, const std::string& hint, BitmapHandle bitmap,
                                        int32_t width, const PanelGraph& graph) override;
  void ShowError(const std::string& message, const std::string& code,
                 const std::string& description) override;
  std::optional<int32_t> TakeBuiltInValue() override;
  void PublishText(uint32_t generation, int slot, const char* text, size_t length, bool fromPass,
                   GraphColumn column) override;
  bool LogAll() override { return logAll_; }
  void LogLine(const std::string& text) override;
  void HoldTexts() noexcept override { table_.Hold(); }
  void SendTexts() noexcept override { table_.Send(); }

  HWND bar_;
  const bool& logAll_;
  RegistrySettings settings_;
  PanelTextTable table_;
  PanelToolTips tips_;
  TDisplayPanels list_;
};
