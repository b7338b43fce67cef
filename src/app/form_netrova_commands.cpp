#include "app/app_urls.h"
#include "app/form_netrova.h"
#include "app/form_proc_info.h"
#include "app/row_report.h"
#include "app/str_to_int.h"
#include "app/system_program.h"
#include "view/columns.h"

namespace halvane {

// The row commands of the menu PmTree. Each works on the view's focused row and does nothing
// without one.

namespace {
constexpr int kFilePathColumn = 10;
}  // namespace

TMyRec* TFormNetrova::FocusedRecord() {
  return VTS_.RecordOf(VTS_.FocusedRow());
}

bool TFormNetrova::IsSystemProgramPath(const std::string& path) const {
  return IsSystemProgram(path, {FSysDirUpper}) || IsSystemProgram(path, FSysProgramDirsUpper);
}

void TFormNetrova::NProcInfoClick() {
  const TMyRec* rec = FocusedRecord();
  if (rec == nullptr || rec->ProcessPath.empty())
    return;
  auto dialog = std::make_unique<TFormProcInfo>(surface_, services_);
  dialog->SetLabExeCaption(rec->ProcessName.str());
  dialog->SetLabExeDesCaption(rec->Description + "  ");
  dialog->SetLabPIDCaption("PID:" + rec->PID);
  dialog->SetLabcompCaption(rec->Company + " ");
  dialog->SetEPathText(rec->ProcessPath.str());
  dialog->DrawIcon(FLargeIcons.IconIndexForFile(rec->ProcessPath.str()));
  // The dialog holds its own copies: a refresh while it is open cannot reach into it.
  dialog->ShowModal();
  // Closing set the dialog's close action to free it; it goes as the modal showing ends.
}

void TFormNetrova::NEndProcClick() {
  const TMyRec* rec = FocusedRecord();
  if (rec == nullptr)
    return;
  if (rec->ProcessPath.empty()) {
    surface_.ShowMessage(FMsgSystemProcess);
    return;
  }
  // A timer refresh may free the row while the question is open: the texts are taken now.
  const std::string pidText = rec->PID.str();
  const std::string programPath = rec->ProcessPath.str();
  rec = nullptr;
  if (IsSystemProgramPath(programPath) &&
      !surface_.AskYesNo(FMsgConfirmEndSystem, MessageIcon::Question, /*defaultNo=*/true))
    return;
  // The record always holds decimal digits; anything else ends the command with an error.
  const auto pid = static_cast<std::uint32_t>(StrToInt(pidText));
  // A PID that now runs another program is left alone.
  if (services_.TerminateProcess(pid, programPath) == TerminateResult::CannotEnd) {
    surface_.ShowMessage(FMsgCannotEnd);
    return;
  }
  BTNRefreshClick();
}

void TFormNetrova::NCopyClick() {
  const TMyRec* rec = FocusedRecord();
  if (rec == nullptr)
    return;
  // Line 13 names the product's web site as built in, not the home page the window opens.
  services_.CopyTextToClipboard(RowReport(*rec, DefaultHomeUrl()));
}

void TFormNetrova::NLocateClick() {
  const TMyRec* rec = FocusedRecord();
  if (rec == nullptr)
    return;
  // A missing program file, or a directory of that name, gives nothing, not even a message.
  if (services_.IsRegularFile(rec->ProcessPath.str()))
    services_.ShowInFileManager(rec->ProcessPath.str());
}

void TFormNetrova::NPropertyClick() {
  ListRow* row = VTS_.FocusedRow();
  if (row == nullptr)
    return;
  // The file path column shows the program file, as given to the desktop.
  services_.ShowFileProperties(VTSGetText(row, kFilePathColumn));
}

void TFormNetrova::VTSDblClick() {
  if (PmTree.NProcInfo)
    NProcInfoClick();
}

void TFormNetrova::BTNEndProClick() {
  if (PmTree.NEndProc)
    NEndProcClick();
}

}  // namespace halvane
