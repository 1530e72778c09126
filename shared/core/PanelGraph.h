#pragma once
// The history graph behind a panel's text (portable): a fixed ring of the
// panel's last values, one a pass, and how tall each column of the cell is.
// The ring holds as many values as the text cell is wide in pixels and is
// allocated once, when the panel is created: a pass only overwrites its
// oldest value. The drawing asks for the scale once (Top) and then for each
// column's height; column 0 is the cell's left edge, the newest value stands
// at the right, and columns no pass has reached yet are empty.
#include <cstdint>
#include <memory>
#include <string>
#include <utility>

// "Settings" value: "TRUE" shows the graphs, anything else does not.
constexpr const char* kPanelGraphsSetting = "PanelGraphs";

// How a panel's values are scaled. A panel whose reading is no quantity (a
// time, a date, a screen size) and a plug-in without SensorValue have none.
enum class GraphScale {
  None,
  Percent,  // a fixed 0-100 scale; values outside are clamped
  Largest,  // to the largest value in the ring, at least 1
};

constexpr int32_t kPercentTop = 100;

class PanelGraph {
 public:
  // No graph: nothing allocated, Push does nothing.
  PanelGraph() = default;
  // One value per pixel of the text cell's width (at most 32767, the widest
  // cell); none for a width of 0 or less, or for GraphScale::None.
  PanelGraph(GraphScale scale, int32_t cellWidth);
  PanelGraph(const PanelGraph&) = delete;
  PanelGraph& operator=(const PanelGraph&) = delete;
  // A graph moved from has none.
  PanelGraph(PanelGraph&& other) noexcept { *this = std::move(other); }
  PanelGraph& operator=(PanelGraph&& other) noexcept;

  bool HasGraph() const { return capacity_ > 0; }
  GraphScale Scale() const { return scale_; }
  int Capacity() const { return capacity_; }
  // Values pushed (empty columns included), at most Capacity.
  int Count() const { return count_; }

  // The value of one pass; allocates nothing.
  void Push(int32_t value);
  // A pass that gave no value (the reading is switched off or unknown): an
  // empty column.
  void PushEmpty();
  void Clear() { count_ = 0; }

  // The value column x shows; false for an empty column or x outside.
  bool ValueAt(int x, int32_t& value) const;
  // The value a full column stands for: 100 for percent values, else the
  // largest value in the ring, at least 1.
  int32_t Top() const;
  // Pixels of column x in a graph height pixels tall, rounded to the
  // nearest pixel: 0 for an empty column and for values of 0 or below.
  int ColumnHeight(int x, int height, int32_t top) const;

  // The newest values of an older ring of the same scale, as many as fit:
  // the history a reload keeps (see KeepsHistory).
  void TakeHistory(const PanelGraph& older);

 private:
  void Store(int32_t value);
  // The value pushed `age` passes before the newest.
  int32_t Aged(int age) const;

  std::unique_ptr<int32_t[]> values_;
  GraphScale scale_ = GraphScale::None;
  int capacity_ = 0;
  int count_ = 0;
  int next_ = 0;  // where the next value goes
};

// Where a panel stands and what it shows, as far as its history goes: its
// slot in the list, and either a built-in sensor's number or a plug-in's
// path.
struct GraphPlace {
  int slot = 0;
  int32_t builtIn = 0;     // 1-24; 0 for a plug-in
  std::string pluginPath;  // the plug-in's file, for a plug-in
};

// A reload keeps a panel's history when it stays in the same slot with the
// same sensor; every other panel starts empty.
bool KeepsHistory(const GraphPlace& before, const GraphPlace& after);
