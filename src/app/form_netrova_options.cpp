#include "app/form_netrova.h"
#include "app/ini_file.h"
#include "app/settings_file.h"
#include "app/settings_value.h"

namespace halvane {
namespace {

// GetPrivateProfileString's buffer: a longer value is cut to this size less its NUL.
constexpr std::size_t kValueBufferSize = 2048;

bool ReadOption(const IniFile& file, OptionBox box, bool defaultOn) {
  std::string value =
      file.ReadString(kSettingsSection, SettingKeyForTag(static_cast<int>(box))).value_or("");
  if (value.size() > kValueBufferSize - 1)
    value.resize(kValueBufferSize - 1);
  return SettingIsOn(value, defaultOn);
}

}  // namespace

// ---- Check boxes

bool& TFormNetrova::CheckBox(OptionBox box) {
  switch (box) {
    case OptionBox::ShowLocal:
      return CBShowLocal;
    case OptionBox::AutoRefresh:
      return CBAutoRefresh;
    case OptionBox::AlwaysTop:
      return CBAlwaysTop;
    case OptionBox::ShowInfo:
      break;
  }
  return CBShowInfo;
}

bool TFormNetrova::OptionChecked(OptionBox box) const {
  return const_cast<TFormNetrova*>(this)->CheckBox(box);
}

bool TFormNetrova::Mirror(OptionBox box) const {
  switch (box) {
    case OptionBox::ShowLocal:
      return FShowLocal;
    case OptionBox::AutoRefresh:
      return FAutoRefresh;
    case OptionBox::AlwaysTop:
      return FAlwaysTop;
    case OptionBox::ShowInfo:
      break;
  }
  return FShowInfo;
}

void TFormNetrova::OptionBoxClicked(OptionBox box, bool checked) {
  ChangeCheckBox(box, checked);
}

void TFormNetrova::SetOptionChecked(OptionBox box, bool checked) {
  ChangeCheckBox(box, checked);
}

// A box set to a new state, by a click or from code, runs its click handler; a box set to the
// state it has fires nothing.
void TFormNetrova::ChangeCheckBox(OptionBox box, bool checked) {
  bool& state = CheckBox(box);
  if (state == checked)
    return;
  state = checked;
  surface_.ShowChecked(box, checked);
  RunClickHandler(box);
}

void TFormNetrova::RunClickHandler(OptionBox box) {
  switch (box) {
    case OptionBox::ShowLocal:
      return CBShowLocalClick();
    case OptionBox::AutoRefresh:
      return CBAutoRefreshClick();
    case OptionBox::AlwaysTop:
      return CBAlwaysTopClick();
    case OptionBox::ShowInfo:
      return CBShowInfoClick();
  }
}

// Each handler: the mirror from the box, the saved value from the mirror, then the effect. A
// refused save ends the handler before the effect.

void TFormNetrova::CBShowLocalClick() {
  FShowLocal = CBShowLocal;
  SaveSetting(static_cast<int>(OptionBox::ShowLocal));
  // While the window is created the view is not set up yet; the first fill reads the box.
  if (!FCreating)
    BTNRefreshClick();
}

void TFormNetrova::CBAutoRefreshClick() {
  FAutoRefresh = CBAutoRefresh;
  SaveSetting(static_cast<int>(OptionBox::AutoRefresh));
  if (CBAutoRefresh) {
    // During a refresh the timer stays stopped; the refresh starts it as it ends.
    if (!refreshRunning_)
      StartTimer();
  } else {
    StopTimer();
  }
}

void TFormNetrova::CBAlwaysTopClick() {
  FAlwaysTop = CBAlwaysTop;
  SaveSetting(static_cast<int>(OptionBox::AlwaysTop));
  topmost_ = CBAlwaysTop;
  surface_.SetTopmost(CBAlwaysTop);
}

void TFormNetrova::CBShowInfoClick() {
  FShowInfo = CBShowInfo;
  SaveSetting(static_cast<int>(OptionBox::ShowInfo));
  const std::uint16_t options = CBShowInfo ? kShownColumnOptions : kHiddenColumnOptions;
  for (int column = kFirstFileInfoColumn; column <= kLastFileInfoColumn; ++column) {
    columns_.SetOptions(column, options);
    surface_.SetColumnVisible(column, CBShowInfo);
  }
}

// ---- Settings file

void TFormNetrova::LoadSettings() {
  settingsFile_ = ChooseSettingsFile(FExeDir, services_.UserConfigDirectory());
  {
    const IniFile file(settingsFile_);
    FShowLocal = ReadOption(file, OptionBox::ShowLocal, true);
    FAutoRefresh = ReadOption(file, OptionBox::AutoRefresh, false);
    FAlwaysTop = ReadOption(file, OptionBox::AlwaysTop, true);
    FShowInfo = ReadOption(file, OptionBox::ShowInfo, false);
  }
  try {
    ApplyLoadedSettings();
  } catch (...) {
    // Dropped without a message; the options after the failing one stay as the layout has them.
  }
}

// Only values that differ from the layout's initial states are applied; setting the box runs
// its handler, which writes the value back.
void TFormNetrova::ApplyLoadedSettings() {
  if (!FShowLocal)
    SetOptionChecked(OptionBox::ShowLocal, false);
  if (FAutoRefresh)
    SetOptionChecked(OptionBox::AutoRefresh, true);
  if (!FAlwaysTop)
    SetOptionChecked(OptionBox::AlwaysTop, false);
  if (FShowInfo)
    SetOptionChecked(OptionBox::ShowInfo, true);
}

void TFormNetrova::SaveSetting(int tag) {
  const char* key = SettingKeyForTag(tag);
  if (key == nullptr)
    return;
  const bool on = Mirror(static_cast<OptionBox>(tag));
  // A window whose creation stopped before LoadSettings finds its file now.
  if (settingsFile_.empty()) {
    settingsFile_ = ChooseSettingsFile(FExeDir, services_.UserConfigDirectory());
  }
  if (!IniFile(settingsFile_).WriteString(kSettingsSection, key, SettingText(on))) {
    throw SettingsWriteError(settingsFile_);
  }
}

}  // namespace halvane
