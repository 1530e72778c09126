#pragma once
// The bar's panel row on Win32: TDisplayPanels over the process's plug-in
// contract, with panel windows as its controls, the built-in catalogue, the
// program's pictures, and the text table through which passes reach the
// windows.
#include <windows.h>

#include "bar/BarParts.h"
#include "bar/PanelTextTable.h"
#include "bar/PanelWindows.h"
#include "bar/core/DisplayPanelCode.h"
#include "shared/VBFunctions.h"

// Control ids of the cells of the panel in slot i (1..100).
constexpr int kTextCellIdBase = 1000;
constexpr int kIconCellIdBase = 2000;

class BarPanels : public PanelRow, private PanelHost {
 public:
  // bar: the bar window (parent of the cells, receiver of WM_PANELTEXTS);
  // logAll: the bar's LogAll flag.
  BarPanels(HWND bar, const bool& logAll);
  ~BarPanels() override;

  void LoadPanels() override;
  void ShowPaused() override;
  void ClearPanels() override { list_.ClearPanels(); }
  int32_t Arrange(int32_t width) override { return list_.Arrange(width); }
  void ShowTexts() override;
  void DisableStopped(void* fn) override;
  TextGate& Gate() override { return table_; }

  int PanelCount() override { return list_.PanelCount(); }
  void UpdatePanel(int i) override { list_.UpdatePanel(i); }
  void DisableSensor(int i) override { list_.DisableSensor(i); }
  void HoldTexts() noexcept override { table_.Hold(); }
  void SendTexts() noexcept override { table_.Send(); }

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

  HWND bar_;
  const bool& logAll_;
  RegistrySettings settings_;
  PanelTextTable table_;
  PanelToolTips tips_;
  TDisplayPanels list_;
};
