#pragma once
#include <string>

namespace halvane {

// The labels of the process details dialog that the main window fills.
enum class ProcInfoLabel { LabExe, LabExeDes, LabPID, Labcomp };

// What the process details dialog needs of the screen. The front end implements it; tests fake
// it. It belongs to one dialog and goes with it.
class IProcInfoSurface {
 public:
  virtual ~IProcInfoSurface() = default;
  virtual void SetLabelCaption(ProcInfoLabel label, const std::string& caption) = 0;
  virtual void SetPathText(const std::string& text) = 0;  // EPath
  // Draws image `largeIconIndex` of the main window's 32 x 32 list on Image1's picture with its
  // top-left corner at (x, y); an index without an image draws nothing.
  virtual void DrawLargeIcon(int largeIconIndex, int x, int y) = 0;
  // Shows the dialog centred on the main window and returns once it has closed.
  virtual void ShowModal() = 0;
  // Closes the dialog as its frame's close button does.
  virtual void Close() = 0;
};

}  // namespace halvane
