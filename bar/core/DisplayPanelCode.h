#pragma once
// The panels of the bar (portable): TDisplayPanel, one sensor with its icon
// cell and text cell, and TDisplayPanels, the list of up to 100 of them loaded
// from the registry and laid out in rows. The controls and the way a text
// reaches them are the host's (PanelHost): the list only decides.
//
// One refresh pass (RefreshCycle): every panel fetches its sensor text, then
// every warning tests its threshold. Its rule for errors and faults, and the
// first readings: docs/ARCHITECTURE.md, "Threads".
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "shared/core/PanelGraph.h"
#include "sensors/core/BuiltInCatalogue.h"
#include "shared/core/PluginOperations.h"

constexpr int kMaxPanels = 100;

// The warnings as a pass checks them: slots 1..WarningCount, in order.
class RefreshWarnings {
 public:
  virtual ~RefreshWarnings() = default;
  virtual int WarningCount() = 0;
  // One evaluation of warning i (may alert); may raise.
  virtual void CheckWarning(int i) = 0;
  virtual void DisableCheck(int i) = 0;
};

// Geometry of the row, in pixels.
constexpr int kPanelTextOffset = 27;  // text cell: icon cell (22) + gap (5)
constexpr int kPanelGap = 6;
constexpr int kFirstRowLeft = 30;     // room for the settings button at (3, 3)
constexpr int kRowLeft = 3;
constexpr int kRowTop = 3;
constexpr int kRowPitch = 27;
constexpr int kOneRowBarHeight = 34;
constexpr int kExtraRowHeight = 28;

// Text shown by a panel without a function, and by every panel while paused.
constexpr const char* kErrorText = "Error";
constexpr const char* kPausedText = "------";
// Added to the tool tip of a panel whose function stopped responding.
constexpr const char* kStoppedTip = " (stopped responding)";

// The column a pass adds to a panel's graph, handed over with its text.
struct GraphColumn {
  enum Kind : uint8_t {
    None,          // no column: the panel has no graph, or the text is the bar's own
    Empty,         // a pass without a value
    Value,         // the pass's value
    OutOfService,  // the graph is gone for good; the text goes on
  };
  Kind kind = None;
  int32_t value = 0;
};

// The columns of one panel handed over and not shown yet. The window may fall
// a few passes behind, yet every pass is one column: up to kHeld wait, past
// that the oldest goes. Nothing follows the end of a graph.
struct HeldColumns {
  static constexpr int kHeld = 8;
  GraphColumn columns[kHeld];
  int count = 0;
  void Add(GraphColumn column);
};

// What a panel graphs. The list fills it in only while "PanelGraphs" is on.
struct PanelGraphSource {
  GraphPlace place;  // its slot is the panel's own
  GraphScale scale = GraphScale::None;
  TSensorValue valueFn = nullptr;  // a plug-in's SensorValue; none for a built-in
};

// The controls of one panel (main thread only). Destroying the view destroys
// the controls and the bitmap the view was given.
class PanelView {
 public:
  virtual ~PanelView() = default;
  // Icon cell at (x, y), text cell at (x + 27, y).
  virtual void SetPosition(int x, int y) = 0;
  virtual int TextWidth() const = 0;
  virtual void SetHint(const std::string& hint) = 0;
  // Shows the text unless the cell shows it already; true when it drew the
  // cell (the graph with it).
  virtual bool ShowText(const char* text) = 0;
  // Draws the text cell again: its graph changed, its text did not.
  virtual void Redraw() = 0;
};

// What panels need from the bar besides the plug-in contract.
class PanelHost {
 public:
  virtual ~PanelHost() = default;
  // RangeCheckError outside 1-24.
  virtual TBuiltInSensor BuiltInSensor(int32_t number) = 0;
  // A call into fn stopped responding once: fn is out of service for good.
  virtual bool StoppedResponding(const void* fn) = 0;
  // The picture "PANELIMAGE<number>" of the program, or none.
  virtual BitmapHandle LoadPanelImage(int32_t number) = 0;
  virtual void DeleteBitmap(BitmapHandle bitmap) = 0;
  // The controls of the panel in slot `slot`, parented to the bar; they take
  // the bitmap (also when they fail) and draw the graph (which outlives
  // them) behind the text. Reads the font settings afresh. May raise.
  virtual std::unique_ptr<PanelView> CreateView(int slot, const std::string& hint,
                                                BitmapHandle bitmap, int32_t width,
                                                const PanelGraph& graph) = 0;
  virtual void ShowError(const std::string& message, const std::string& code,
                         const std::string& description) = 0;

  // Any thread; neither allocates. The value the built-in sensor function
  // just called on this thread handed out with its text (none: it gave none).
  virtual std::optional<int32_t> TakeBuiltInValue() = 0;
  // Hands the text of slot `slot` of list `generation` to the text cell,
  // with the column a graphed panel adds; the main thread shows both later,
  // never inside this call. A column is handed over even when the text did
  // not change. A text of a pass (fromPass) is dropped once the user has
  // paused (TextGate); the bar's own ("------", "Error" of a function taken
  // out of service) always shows.
  virtual void PublishText(uint32_t generation, int slot, const char* text, size_t length,
                           bool fromPass, GraphColumn column) = 0;
  // Around the panels of a pass: their texts go to the window together, once
  // the last panel is done (or the pass ended early), not one by one.
  virtual void HoldTexts() noexcept {}
  virtual void SendTexts() noexcept {}
  virtual bool LogAll() = 0;
  virtual void LogLine(const std::string& text) = 0;
};

class TDisplayPanel {
 public:
  // Builds the controls, and the graph's ring when graph has a scale and the
  // cell a width. The first reading is the display thread's (see
  // FirstReadings): no sensor function is called on the main thread.
  TDisplayPanel(PanelHost& host, PluginContract& contract, uint32_t generation, int slot,
                TSensorFunction sensorFunc,
                const std::string& hint, BitmapHandle bitmap, int32_t width,
                const PanelGraphSource& graph = {});
  TDisplayPanel(const TDisplayPanel&) = delete;
  TDisplayPanel& operator=(const TDisplayPanel&) = delete;

  void SetPosition(int x, int y) { view_->SetPosition(x, y); }
  int PanelSpan() const { return kPanelTextOffset + view_->TextWidth(); }
  // Fetches the text, and for a graphed panel its value right after it, and
  // hands both over; with LogAll, logs the text. A fault in SensorValue takes
  // only the graph out of service. May raise.
  void UpdateText();
  // Main thread: shows a text handed over, adding its columns to the graph.
  void ShowReading(const char* text, const HeldColumns& held);
  // Main thread: "------".
  void ShowPaused();
  // Main thread: the function stopped responding; "Error" from now on, no
  // graph, and the tool tip says why.
  void StoppedResponding();
  // Main thread: the panel's SensorValue stopped responding; its graph goes.
  void GraphStoppedResponding();
  const std::string& Hint() const { return hint_; }
  const GraphPlace& Place() const { return place_; }
  // Main thread.
  PanelGraph& Graph() { return graph_; }

  TSensorFunction SensorFunc;
  TSensorValue ValueFunc;

 private:
  GraphColumn ReadColumn();

  PanelHost& host_;
  PluginContract& contract_;
  uint32_t generation_;
  int slot_;
  std::string hint_;
  GraphPlace place_;
  bool columns_;       // the pass hands a column over (display thread)
  PanelGraph graph_;   // main thread; before view_, which draws it
  std::unique_ptr<PanelView> view_;
};

class TDisplayPanels {
 public:
  // Sensor functions, plug-in or built in, are called through the contract,
  // and the list is read from its settings.
  // Destroying the list destroys the views; the libraries stay for whoever
  // owns the table.
  TDisplayPanels(PanelHost& host, PluginContract& contract) : host_(host), contract_(contract) {}
  TDisplayPanels(const TDisplayPanels&) = delete;
  TDisplayPanels& operator=(const TDisplayPanels&) = delete;

  int Count() const { return static_cast<int>(items_.size()); }
  // Slot 1..Count; RangeCheckError otherwise.
  TDisplayPanel& Items(int index);
  // A new panel in slot Count + 1; RangeCheckError past 100 (the bitmap is
  // freed). A function that stopped responding before is not taken.
  void AddPanel(TSensorFunction sensorFunc, const std::string& hint, BitmapHandle bitmap,
                int32_t width, PanelGraphSource graph = {});
  // Rebuilds the list from the registry; a load error empties it ("06."),
  // skipped plug-ins are reported once after the list ("07."). With
  // "PanelGraphs" "TRUE" the panels graph what they can, and a panel that
  // stays in its slot with the same sensor keeps its history.
  void LoadPanels();
  // Whether the list was loaded with the graphs on.
  bool GraphsShown() const { return graphsShown_; }
  // Destroys every panel and releases the plug-in libraries.
  void ClearPanels();
  // Positions the panels for a bar of width w; answers the bar height.
  int Arrange(int w);
  void ShowPaused();
  // Main thread, while no pass runs: every panel of fn shows "Error", and
  // every graph of fn (a SensorValue) goes.
  void DisableStopped(const void* fn);
  // Changes whenever the list is rebuilt: texts of an older list are ignored.
  uint32_t Generation() const { return generation_; }

  // What a pass walks: slots 1..Count, in order.
  void HoldTexts() noexcept { host_.HoldTexts(); }
  void SendTexts() noexcept { host_.SendTexts(); }

 private:
  void LoadEntry(int index, bool& pluginFailed);

  PanelHost& host_;
  PluginContract& contract_;
  uint32_t generation_ = 1;
  bool graphsShown_ = false;
  std::vector<std::unique_ptr<TDisplayPanel>> items_;
};

// One pass over the panels (their sensor functions), then the warnings; the
// first readings of a fresh list. Never raise.
void RefreshCycle(TDisplayPanels& panels, RefreshWarnings& warnings) noexcept;
void FirstReadings(TDisplayPanels& panels) noexcept;
