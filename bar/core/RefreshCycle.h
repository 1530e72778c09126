#pragma once
// One refresh pass: every panel fetches its sensor text, then every warning
// tests its threshold (portable).
//
// An error anywhere abandons the rest of the pass silently. A processor fault
// inside a sensor or check function (PluginFault) also takes that function
// out of service: from then on its panel shows "Error" and its warning never
// fires, exactly as for an entry that never had a function. Without that, one
// broken plug-in would stop every later panel and every warning (an
// overheating alert included) at every pass for as long as the bar runs.
// A function that stopped responding (PluginHang) counts as such a fault.
//
// The first readings of a freshly loaded list are taken panel by panel, as
// each panel's own: an error leaves only that panel without text until the
// next pass, a fault shows "Error" at once; no warning is checked.

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

