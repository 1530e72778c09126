#pragma once
// Control ids of the library's dialogs. Every control has its own id (never
// the anonymous 0xFFFF), so tools and tests can find each one.

namespace about_ids {
enum {
  Panel1 = 1001,
  Image1,
  Label1,
  CVLVersion,
  Label8,
  NoticeLabel,
  HeadLabel,
  Panel2,
  NameLabel,
  VersionLabel,
  CopyLabel,
  AboutLabel,
  GroupBox1,
  Label9,
  OKButton = 1,  // IDOK: Enter closes the box
  SysButton = 1020,
};
}  // namespace about_ids

namespace settings_ids {
enum {
  OKBtn = 1,       // IDOK
  CancelBtn = 2,   // IDCANCEL: the default button and the Esc button
  ApplyBtn = 1100,
  Tabs,
  // General
  UpdateGroup = 1110,
  UpdateLabel,
  UpdateCombo,
  StartupGroup,
  StartupCheck,
  SplashCheck,
  HotKeyGroup,
  HotKeyLabel,
  HotKeyCombo,
  LogGroup,
  AllLogRadio,
  WarningLogRadio,
  NoLogRadio,
  PauseGroup,
  HiddenLogCheck,
  // Position
  BarPosGroup = 1140,
  TopPosRadio,
  BottomPosRadio,
  FloatPosRadio,
  MinimisePosRadio,
  VisibilityGroup,
  OnTopCheck,
  AutoHideCheck,
  AppearGroup,
  AppearPic,
  // Appearance
  ColourGroup = 1160,
  ColourLabel,
  NoColorRadio,
  SolidRadio,
  ShadeRadio,
  ShadePanel,
  ShadeAmountLabel,
  ShadeAmount,
  FontGroup,
  FontLabel,
  FontPanel,
  FontSelectBtn,
  SeparatorGroup,
  SeparatorLabel,
  SeparatorCombo,
  GraphGroup,
  PanelGraphsCheck,
  // Sensors
  SensorsText = 1180,
  SensorList,
  SensorAddBtn,
  SensorRemoveBtn,
  MoveUpBtn,
  MoveDownBtn,
  WidthGroup,
  WidthMinusBtn,
  WidthPlusBtn,
  // Warnings
  WarningsText = 1200,
  WarningList,
  WarningAddBtn,
  WarningRemoveBtn,
  ValueGroup,
  ValueMinusBtn,
  ValuePlusBtn,
  AudioGroup,
  AudioCheck,
  // Plugins
  PluginsText = 1220,
  PluginUrl,
  PluginList,
  PluginSettingsBtn,
  PluginRemoveBtn,
  PluginInstallBtn,
  // Advanced
  PriorityGroup = 1240,
  BaseProirityLabel,
  BaseProirityCombo,
  ThreadGroup,
  SettingHeading,
  LevelHeading,
  MainProirityLabel,
  MainProirityCombo,
  MainPriorityText,
  TimerProirityLabel,
  TimerProirityCombo,
  TimerPriorityText,
  Label12,
  ResizeGroup,
  AutoResizeCheck,
  LM75SetBtn,
  // Group box icons
  FirstGroupIcon = 1300,
};
}  // namespace settings_ids

// The hardware monitoring dialog.
namespace lm78_ids {
enum {
  OKBtn = settings_ids::OKBtn,  // as in the settings dialog: Cancel is the default
  CancelBtn = settings_ids::CancelBtn,
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

namespace add_ids {
enum {
  TopLabel = 1401,
  List,
  OKBtn,      // not IDOK: the add dialogs have no default button
  CancelBtn,  // not IDCANCEL: nor a cancel button
};
}  // namespace add_ids

// The command of a TUrlLabel's "Copy" menu item (sent to the label itself).
constexpr int kUrlLabelCopyCommand = 1501;
