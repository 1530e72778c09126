#include "bar/BarPanels.h"

#include "shared/Globals.h"
#include "sensors/BuiltInPass.h"
#include "sensors/BuiltInsCode.h"
#include "shared/Common.h"
#include "shared/win32/Window.h"

BarPanels::BarPanels(HWND bar, const bool& logAll)
    : bar_(bar), logAll_(logAll), tips_(bar), list_(*this, Contract()) {
  table_.SetWindow(bar);
}

BarPanels::~BarPanels() { table_.SetWindow(nullptr); }

void BarPanels::LoadPanels() {
  list_.LoadPanels();
  // The built-in sensors hand out values only for panels that graph them.
  WantGraphValues(list_.GraphsShown());
}

void BarPanels::ShowPaused() {
  list_.ShowPaused();
  ShowTexts();
}

void BarPanels::DisableStopped(void* fn) {
  list_.DisableStopped(fn);
  ShowTexts();
}

void BarPanels::ShowTexts() {
  PanelTextTable::Text texts[kMaxPanels];
  const int n = table_.Take(texts);
  for (int i = 0; i < n; ++i) {
    const PanelTextTable::Text& t = texts[i];
    // Texts of a list that has been rebuilt since are stale.
    if (t.Generation != list_.Generation() || t.Slot > list_.Count()) continue;
    list_.Items(t.Slot).ShowReading(t.Chars, t.Columns);
  }
}

TBuiltInSensor BarPanels::BuiltInSensor(int32_t number) { return ::BuiltInSensor(number); }
bool BarPanels::StoppedResponding(const void* fn) { return PluginLoader().StoppedResponding(fn); }

BitmapHandle BarPanels::LoadPanelImage(int32_t number) {
  const std::string name = "PANELIMAGE" + IntToText(number);
  return LoadBitmapA(ThisModule(), name.c_str());
}

void BarPanels::DeleteBitmap(BitmapHandle bitmap) {
  DeleteObject(static_cast<HBITMAP>(bitmap));
}

std::unique_ptr<PanelView> BarPanels::CreateView(int slot, const std::string& hint,
                                                 BitmapHandle bitmap, int32_t width,
                                                 const PanelGraph& graph) {
  std::unique_ptr<PanelWindows> view(new PanelWindows(bar_, tips_, settings_, hint,
                                                      static_cast<HBITMAP>(bitmap), width, graph));
  SetWindowLongPtrA(view->TextCell(), GWLP_ID, kTextCellIdBase + slot);
  SetWindowLongPtrA(view->IconCell(), GWLP_ID, kIconCellIdBase + slot);
  return std::unique_ptr<PanelView>(view.release());
}

void BarPanels::ShowError(const std::string& message, const std::string& code,
                          const std::string& description) {
  ::ShowError(message, code, description);
}

std::optional<int32_t> BarPanels::TakeBuiltInValue() { return TakeGraphValue(); }

void BarPanels::PublishText(uint32_t generation, int slot, const char* text, size_t length,
                            bool fromPass, GraphColumn column) {
  table_.Publish(generation, slot, text, length, fromPass, column);
}

void BarPanels::LogLine(const std::string& text) { ::LogLine(text); }
