#pragma once
// Control ids of the hardware monitoring dialog (every control has its own).
namespace lm78_ids {
enum {
  OKBtn = 1,      // IDOK
  CancelBtn = 2,  // IDCANCEL: the default button and the Esc button
  AutoDetectBtn = 1600,
  Picture,
  IntroLabel,
  SystemGroup,
  HardwareLabel,
  HardwareCombo,
  MbTypeLabel,
  MbTypeCombo,
  CPUGroup,
  CPUCombo,
  CoreVoltLabel,
  CoreVoltEdit,
  CoreVoltUnit,
  CoreVoltMinus,
  CoreVoltPlus,
  FanGroup,
  // Per fan n (0-2): a label and the buttons "None", "Type 1" ... "Type 3".
  Fan1Label = 1620,
  Fan1NoneRadio,
  Fan1Type1Radio,
  Fan1Type2Radio,
  Fan1Type3Radio,
  TempGroup = 1640,
  CompLabel,
  // Per temperature n (0-3): the switch, the compensation edit, "-" and "+".
  TempCheck1 = 1650,
  TempCompEdit1,
  TempCompMinus1,
  TempCompPlus1,
};
constexpr int FanStride = 5;
constexpr int TempStride = 4;

inline int FanLabel(int fan) { return Fan1Label + fan * FanStride; }
inline int FanRadio(int fan, int type) { return Fan1NoneRadio + fan * FanStride + type; }
inline int TempCheck(int n) { return TempCheck1 + n * TempStride; }
inline int TempCompEdit(int n) { return TempCompEdit1 + n * TempStride; }
inline int TempCompMinus(int n) { return TempCompMinus1 + n * TempStride; }
inline int TempCompPlus(int n) { return TempCompPlus1 + n * TempStride; }
}  // namespace lm78_ids
