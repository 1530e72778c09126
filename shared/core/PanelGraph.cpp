#include "shared/core/PanelGraph.h"

#include <algorithm>
#include <limits>

namespace {

// An empty column. A plug-in that answers this value draws nothing, as it
// would for any value below 1.
constexpr int32_t kEmpty = std::numeric_limits<int32_t>::min();

// No cell is wider: the widest window Windows 95 creates.
constexpr int32_t kWidestGraph = 32767;

}  // namespace

PanelGraph::PanelGraph(GraphScale scale, int32_t cellWidth) : scale_(scale) {
  if (scale == GraphScale::None || cellWidth <= 0) return;
  capacity_ = std::min(cellWidth, kWidestGraph);
  values_.reset(new int32_t[static_cast<size_t>(capacity_)]);
}

PanelGraph& PanelGraph::operator=(PanelGraph&& other) noexcept {
  values_ = std::move(other.values_);
  scale_ = std::exchange(other.scale_, GraphScale::None);
  capacity_ = std::exchange(other.capacity_, 0);
  count_ = std::exchange(other.count_, 0);
  next_ = std::exchange(other.next_, 0);
  return *this;
}

void PanelGraph::Push(int32_t value) {
  if (scale_ == GraphScale::Percent) value = std::min(std::max(value, 0), kPercentTop);
  Store(value);
}

void PanelGraph::PushEmpty() { Store(kEmpty); }

void PanelGraph::Store(int32_t value) {
  if (!HasGraph()) return;
  values_[next_] = value;
  next_ = next_ + 1 == capacity_ ? 0 : next_ + 1;
  if (count_ < capacity_) ++count_;
}

int32_t PanelGraph::Aged(int age) const {
  return values_[(next_ - 1 - age + capacity_) % capacity_];
}

bool PanelGraph::ValueAt(int x, int32_t& value) const {
  if (x < 0 || x >= capacity_) return false;
  const int age = capacity_ - 1 - x;  // passes since its value came
  if (age >= count_ || Aged(age) == kEmpty) return false;
  value = Aged(age);
  return true;
}

int32_t PanelGraph::Top() const {
  if (scale_ == GraphScale::Percent) return kPercentTop;
  int32_t top = 1;
  for (int age = 0; age < count_; ++age) top = std::max(top, Aged(age));
  return top;
}

int PanelGraph::ColumnHeight(int x, int height, int32_t top) const {
  int32_t value = 0;
  if (height <= 0 || top <= 0 || !ValueAt(x, value) || value <= 0) return 0;
  if (value >= top) return height;
  // value < top: the product stays below 2^62, the quotient below height.
  return static_cast<int>((static_cast<int64_t>(value) * height + top / 2) / top);
}

void PanelGraph::TakeHistory(const PanelGraph& older) {
  if (!HasGraph() || older.scale_ != scale_) return;
  const int taken = std::min(older.count_, capacity_);
  count_ = 0;
  next_ = 0;
  // Oldest first, so the newest stands at the right again.
  for (int age = taken - 1; age >= 0; --age) Store(older.Aged(age));
}

bool KeepsHistory(const GraphPlace& before, const GraphPlace& after) {
  return before.slot == after.slot && before.builtIn == after.builtIn &&
         before.pluginPath == after.pluginPath;
}
