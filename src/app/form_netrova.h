#pragma once
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/app_services.h"
#include "app/background_runner.h"
#include "app/window_surface.h"
#include "connlist/connection_list.h"
#include "snapshot/connection_snapshot.h"
#include "view/column_options.h"
#include "view/columns.h"
#include "view/connection_view_model.h"
#include "view/image_list_ex.h"
#include "view/row_menu.h"

namespace halvane {

struct IconBackends {
  ISystemIcons& systemIcons;
  IImageStore& smallImages;
  IImageStore& largeImages;
};

// The main window's behaviour, apart from any toolkit: the front end draws from its state and
// forwards every event to it through HandleEvent.
class TFormNetrova : private IListWindow {
 public:
  static constexpr int kTimerIntervalMs = 10000;

  // A refresh reads the tables through `runner` and merges them when the read posts back to the
  // GUI thread; with a ThreadRunner the window stays responsive while the tables are read. The
  // first fill, at creation, reads on the GUI thread.
  TFormNetrova(IMainWindowSurface& surface, IAppServices& services, IconBackends icons,
               std::string homeUrl, std::string updateUrl,
               std::unique_ptr<IBackgroundRunner> runner = MakeInlineRunner());
  ~TFormNetrova() override;
  TFormNetrova(const TFormNetrova&) = delete;
  TFormNetrova& operator=(const TFormNetrova&) = delete;

  // Form events
  void FormCreate();      // the twelve steps; errors inside go to surface.ShowError (the
                          // default error box) and the remaining steps are skipped
  bool FormCloseQuery();  // asks FMsgConfirmExit Yes/No; true = may close
  void FormClose();       // the window goes: a read still in flight is merged nowhere
  // Every event from the front end goes through HandleEvent, so an error escaping a handler
  // reaches the default error box (IMainWindowSurface::ShowError) and the program goes on.
  void HandleEvent(const std::function<void()>& handler);
  // Check boxes: the user's click (new state) and a change of state from code. Both run the
  // box's click handler when the state changes (a click always changes it).
  void OptionBoxClicked(OptionBox box, bool checked);
  void SetOptionChecked(OptionBox box, bool checked);
  bool OptionChecked(OptionBox box) const;
  // Buttons and timer. BTNRefreshClick starts the read of the tables and returns; the merge
  // follows on the GUI thread. A request while a refresh runs is kept (one at most) and runs
  // right after it.
  void BTNRefreshClick();
  void Timer1Timer();
  void BTNHelpClick();
  void BTNHomePageClick();
  void BTNUpdateClick();
  void CBShowLocalClick();
  void CBAutoRefreshClick();
  void CBAlwaysTopClick();
  void CBShowInfoClick();
  // Row commands, on the view's focused row. A click performed for a menu item (the double
  // click, the end-process button) does nothing while the last menu preparation left the item
  // disabled; the menu itself offers only enabled items.
  void NProcInfoClick();
  void NEndProcClick();
  void NCopyClick();
  void NLocateClick();
  void NPropertyClick();
  void VTSDblClick();
  void BTNEndProClick();
  // View handlers
  std::string VTSGetText(ListRow* row, int column);
  int VTSGetImageIndex(ListRow* row, int column);  // own index into FSmallIcons, or -1
  void VTSHeaderClick(int clickedColumn);          // -1: pressed and released on different captions
  bool VTSGetPopupMenu(ListRow* row);              // true: pop PmTree up at the pointer
  bool VTSColumnClick(int column);                 // true: pop PmTree up at the pointer
  // State the front end draws from
  ConnectionViewModel& VTS();
  const RowMenuState& PmTreeState() const;
  TImageListEx& SmallIcons();
  TImageListEx& LargeIcons();
  bool RefreshEnabled() const;
  bool RefreshRunning() const { return refreshRunning_; }  // from the read to the end of the merge
  bool TimerRunning() const;
  bool Topmost() const;
  bool ColumnVisible(int column) const;
  const std::string& AppCountText() const;
  const std::string& NetCountText() const;
  const std::string& SettingsFilePath() const;

  // The texts the window shows and the directories it found at creation.
  const std::string& ExeDir() const { return FExeDir; }
  const std::string& SysDirUpper() const { return FSysDirUpper; }
  const std::vector<std::string>& SysProgramDirsUpper() const { return FSysProgramDirsUpper; }
  const std::string& MsgSystemProcess() const { return FMsgSystemProcess; }
  const std::string& TextNotEnabled() const { return FTextNotEnabled; }
  const std::string& MsgConfirmExit() const { return FMsgConfirmExit; }
  const std::string& MsgCannotEnd() const { return FMsgCannotEnd; }
  const std::string& DescSystem() const { return FDescSystem; }
  const std::string& DescIdle() const { return FDescIdle; }
  const std::string& MsgConfirmEndSystem() const { return FMsgConfirmEndSystem; }
  const std::string& HomeUrl() const { return FHomeUrl; }
  const std::string& UpdateUrl() const { return FUpdateUrl; }
  bool Creating() const { return FCreating; }
  // The mirror field of an option: what SaveSetting writes.
  bool Mirror(OptionBox box) const;

 private:
  // IListWindow: what the connection list reads from and writes to the window.
  bool ShowLocalChecked() const override;
  void SetNetCount(const std::string& text) override;
  void SetAppCount(const std::string& text) override;

  void RunCreationSteps();
  void ClearRows();
  void SetTexts();
  bool& CheckBox(OptionBox box);
  void ChangeCheckBox(OptionBox box, bool checked);
  void RunClickHandler(OptionBox box);
  void LoadSettings();
  void ApplyLoadedSettings();
  void SaveSetting(int tag);
  void EnableRefresh(bool enabled);
  void StartTimer();
  void StopTimer();
  void AfterRefresh();
  void ReleaseMergedSnapshot();
  void StartTableRead();
  void FinishRefresh(const std::exception_ptr& readError);
  void MergeReadTables(const std::exception_ptr& readError);
  static std::string ProgramDirectory(const std::string& programFile);
  TMyRec* FocusedRecord();
  bool IsSystemProgramPath(const std::string& path) const;

  IMainWindowSurface& surface_;
  IAppServices& services_;

  // The window's own fields.
  bool FCreating = false;
  std::string FExeDir;
  bool FShowLocal = false;  // the four mirrors are set by LoadSettings
  bool FAutoRefresh = false;
  bool FAlwaysTop = false;
  bool FShowInfo = false;
  TImageListEx FSmallIcons;
  TImageListEx FLargeIcons;
  std::string FMsgSystemProcess;
  std::string FTextNotEnabled;
  std::string FMsgConfirmExit;
  std::string FMsgCannotEnd;
  std::string FDescSystem;
  std::string FDescIdle;
  std::string FMsgConfirmEndSystem;
  std::string FHomeUrl;
  std::string FSysDirUpper;
  std::string FUpdateUrl;
  // Beside FSysDirUpper, the platform's other directories of system programs, upper-cased.
  std::vector<std::string> FSysProgramDirsUpper;

  // The controls of the layout, in their initial states.
  bool CBShowLocal = true;
  bool CBAutoRefresh = false;
  bool CBAlwaysTop = true;
  bool CBShowInfo = false;
  bool BTNRefreshEnabled = true;
  bool Timer1Enabled = false;
  bool topmost_ = true;  // stay-on-top from creation
  ColumnOptions columns_;
  std::string LabAppCount = "0";
  std::string LabNetCount = "0";
  ConnectionViewModel VTS_;
  RowMenuState PmTree;

  const std::string homeUrl_;
  const std::string updateUrl_;
  std::string settingsFile_;
  ConnectionSnapshot snapshot_;
  std::unique_ptr<ConnectionList> list_;  // made once the path-less descriptions are set

  // The refresh in flight. The worker writes only the snapshot's arrays and the list's pairing
  // of the rows noted at the start, and only while the read runs; it reads the rows' fields,
  // which only a merge changes. The rows and every other field belong to the GUI thread.
  bool refreshRunning_ = false;
  bool refreshRequested_ = false;  // asked for while one ran
  bool closed_ = false;
  std::shared_ptr<TFormNetrova*> alive_;       // a posted completion holds it weakly
  std::unique_ptr<IBackgroundRunner> runner_;  // last: destroyed first, ending the read in flight
};

}  // namespace halvane
