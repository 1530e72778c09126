#pragma once
// One refresh pass: every panel fetches its sensor text, then every warning
// tests its threshold (portable). Its rule for errors and faults, and the
// first readings: docs/ARCHITECTURE.md, "Threads".

// What a pass walks: slots 1..Count, in order.
class RefreshPanels {
 public:
  virtual ~RefreshPanels() = default;
  virtual int PanelCount() = 0;
  // Fetches and publishes the text of panel i; may raise.
  virtual void UpdatePanel(int i) = 0;
  // Panel i has no function from now on.
  virtual void DisableSensor(int i) = 0;
  // Around the panels of a pass: their texts go to the window together, once
  // the last panel is done (or the pass ended early), not one by one.
  virtual void HoldTexts() noexcept {}
  virtual void SendTexts() noexcept {}
};

class RefreshWarnings {
 public:
  virtual ~RefreshWarnings() = default;
  virtual int WarningCount() = 0;
  // One evaluation of warning i (may alert); may raise.
  virtual void CheckWarning(int i) = 0;
  virtual void DisableCheck(int i) = 0;
};

// Never raises.
void RefreshCycle(RefreshPanels& panels, RefreshWarnings& warnings) noexcept;
void FirstReadings(RefreshPanels& panels) noexcept;

