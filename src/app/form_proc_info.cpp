#include "app/form_proc_info.h"

#include <exception>

namespace halvane {

TFormProcInfo::TFormProcInfo(IMainWindowSurface& owner, IAppServices& services)
    : owner_(owner), services_(services), surface_(owner.CreateProcInfoSurface(*this)) {}

void TFormProcInfo::SetLabel(ProcInfoLabel label, std::string& field, const std::string& caption) {
  field = caption;
  if (surface_)
    surface_->SetLabelCaption(label, caption);
}

void TFormProcInfo::SetLabExeCaption(const std::string& caption) {
  SetLabel(ProcInfoLabel::LabExe, LabExe_, caption);
}
void TFormProcInfo::SetLabExeDesCaption(const std::string& caption) {
  SetLabel(ProcInfoLabel::LabExeDes, LabExeDes_, caption);
}
void TFormProcInfo::SetLabPIDCaption(const std::string& caption) {
  SetLabel(ProcInfoLabel::LabPID, LabPID_, caption);
}
void TFormProcInfo::SetLabcompCaption(const std::string& caption) {
  SetLabel(ProcInfoLabel::Labcomp, Labcomp_, caption);
}

void TFormProcInfo::SetEPathText(const std::string& text) {
  EPath_ = text;
  if (surface_)
    surface_->SetPathText(text);
}

void TFormProcInfo::DrawIcon(int largeIconIndex) {
  iconIndex_ = largeIconIndex;
  if (surface_)
    surface_->DrawLargeIcon(largeIconIndex, kIconLeft, kIconTop);
}

void TFormProcInfo::ShowModal() {
  if (surface_)
    surface_->ShowModal();
}

void TFormProcInfo::HandleEvent(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    owner_.ShowError(error.what());
  } catch (...) {
    owner_.ShowError("Unknown error");
  }
}

// The link shows the file as the edit names it, whether or not it still exists.
void TFormProcInfo::LabLocateClick() {
  services_.ShowInFileManager(EPath_);
}

void TFormProcInfo::BTNOKClick() {
  if (surface_)
    surface_->Close();
}

// Closing, by BTNOK or the frame, frees the dialog.
void TFormProcInfo::FormClose(CloseAction& action) {
  action = CloseAction::Free;
}

}  // namespace halvane
