#include "app/form_netrova.h"

#include <exception>
#include <filesystem>

#include "app/settings_file.h"
#include "app/system_program.h"
#include "connlist/pathless_texts.h"

namespace halvane {
namespace {

constexpr int kLargeIconSize = 32;
constexpr const char* kHelpFileName = "NetrovaHelp.html";
constexpr const char* kUnknownError = "Unknown error";

// The text up to its first NUL, as a fixed buffer of the system would hand it over.
std::string UpToNul(const std::string& text) {
  return text.substr(0, text.find('\0'));
}

}  // namespace

TFormNetrova::TFormNetrova(IMainWindowSurface& surface, IAppServices& services, IconBackends icons,
                           std::string homeUrl, std::string updateUrl,
                           std::unique_ptr<IBackgroundRunner> runner)
    : surface_(surface),
      services_(services),
      FSmallIcons(icons.systemIcons, icons.smallImages),
      FLargeIcons(icons.systemIcons, icons.largeImages),
      homeUrl_(std::move(homeUrl)),
      updateUrl_(std::move(updateUrl)),
      snapshot_(services.Tables(), services.Identity()),
      alive_(std::make_shared<TFormNetrova*>(this)),
      runner_(runner ? std::move(runner) : MakeInlineRunner()) {}

TFormNetrova::~TFormNetrova() {
  // A completion already posted finds the form gone; the read in flight ends before the
  // snapshot it writes does.
  alive_.reset();
  runner_->Wait();
}

void TFormNetrova::HandleEvent(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    surface_.ShowError(error.what());
  } catch (...) {
    surface_.ShowError(kUnknownError);
  }
}

// ---- Creation and closing

void TFormNetrova::FormCreate() {
  HandleEvent([this] {
    try {
      RunCreationSteps();
    } catch (...) {
      // The window opens with what was done; its options work as after a normal start.
      FCreating = false;
      throw;
    }
  });
}

void TFormNetrova::RunCreationSteps() {
  FHomeUrl = homeUrl_;
  FUpdateUrl = updateUrl_;
  FCreating = true;
  FExeDir = ProgramDirectory(services_.ProgramFilePath());
  FSysDirUpper = AsciiUpper(UpToNul(services_.SystemDirectory()));
  FSysProgramDirsUpper.clear();
  for (const std::string& dir : services_.SystemProgramDirectories())
    FSysProgramDirsUpper.push_back(AsciiUpper(dir));
  // The option handlers run from here; the one of CBShowLocal sees FCreating and leaves the
  // rows alone, because the view is only set up by the next step.
  LoadSettings();
  ClearRows();
  FLargeIcons.SetHeight(kLargeIconSize);
  FLargeIcons.SetWidth(kLargeIconSize);
  // FSmallIcons keeps the default 16 x 16 and serves the view's process column.
  SetTexts();
  // The list gives path-less processes the descriptions just set.
  list_ = std::make_unique<ConnectionList>(snapshot_, VTS_, static_cast<IListWindow&>(*this),
                                           PathlessDescriptions{FDescSystem, FDescIdle});
  services_.Identity().EnableDebugPrivilege();
  list_->FillConnectionList();
  ReleaseMergedSnapshot();
  surface_.ViewChanged();
  FCreating = false;
}

void TFormNetrova::ClearRows() {
  while (ListRow* row = VTS_.FirstRow())
    VTS_.DeleteRow(row);
}

void TFormNetrova::SetTexts() {
  FMsgSystemProcess = "系统进程，不能结束。";
  FTextNotEnabled = "未启用";
  FMsgConfirmExit = "您确认要退出网络连接查看器?";
  FMsgCannotEnd = "无法结束进程!";
  FDescSystem = kDescSystemText;
  FDescIdle = kDescIdleText;
  FMsgConfirmEndSystem = "这是系统进程，结束该进程可能引起系统无法运行，仍要结束?";
}

bool TFormNetrova::FormCloseQuery() {
  return surface_.AskYesNo(FMsgConfirmExit, MessageIcon::Question, /*defaultNo=*/false);
}

void TFormNetrova::FormClose() {
  // The window goes, and its timer with it.
  closed_ = true;
  refreshRequested_ = false;
  if (Timer1Enabled)
    StopTimer();
}

std::string TFormNetrova::ProgramDirectory(const std::string& programFile) {
  // The separators of a program path: "/" everywhere, and the platform's own where it differs.
  static constexpr char kSeparators[] = {
      '/', static_cast<char>(std::filesystem::path::preferred_separator), '\0'};
  const std::size_t last = programFile.find_last_of(kSeparators);
  return last == std::string::npos ? std::string() : programFile.substr(0, last + 1);
}

// ---- The list window

bool TFormNetrova::ShowLocalChecked() const {
  return CBShowLocal;
}

void TFormNetrova::SetNetCount(const std::string& text) {
  LabNetCount = text;
  surface_.SetNetCountText(text);
}

void TFormNetrova::SetAppCount(const std::string& text) {
  LabAppCount = text;
  surface_.SetAppCountText(text);
}

// ---- Links

void TFormNetrova::BTNHelpClick() {
  // The program's directory is taken again from its own file name.
  services_.OpenDocument(ProgramDirectory(services_.ProgramFilePath()) + kHelpFileName);
}

void TFormNetrova::BTNHomePageClick() {
  services_.OpenUrl(FHomeUrl);
}

void TFormNetrova::BTNUpdateClick() {
  services_.OpenUrl(FUpdateUrl);
}

// ---- State the front end draws from

ConnectionViewModel& TFormNetrova::VTS() {
  return VTS_;
}
const RowMenuState& TFormNetrova::PmTreeState() const {
  return PmTree;
}
TImageListEx& TFormNetrova::SmallIcons() {
  return FSmallIcons;
}
TImageListEx& TFormNetrova::LargeIcons() {
  return FLargeIcons;
}
bool TFormNetrova::RefreshEnabled() const {
  return BTNRefreshEnabled;
}
bool TFormNetrova::TimerRunning() const {
  return Timer1Enabled;
}
bool TFormNetrova::Topmost() const {
  return topmost_;
}
bool TFormNetrova::ColumnVisible(int column) const {
  return columns_.IsVisible(column);
}
const std::string& TFormNetrova::AppCountText() const {
  return LabAppCount;
}
const std::string& TFormNetrova::NetCountText() const {
  return LabNetCount;
}
const std::string& TFormNetrova::SettingsFilePath() const {
  return settingsFile_;
}

}  // namespace halvane
