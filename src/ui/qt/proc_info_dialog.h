#pragma once
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <functional>

#include "app/form_proc_info.h"
#include "ui/qt/glyph_button.h"
#include "ui/qt/icon_backends.h"

namespace halvane {

// A label used as a link: blue, underlined, the hand cursor; a left click runs `onClick`.
class LinkLabel : public QLabel {
 public:
  LinkLabel(const QString& caption, QWidget* parent);
  std::function<void()> onClick;

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

// TFormProcInfo on the screen: a fixed-size dialog whose controls lie at their places on one
// panel. It draws what the form puts into it and hands its clicks and its closing to the form.
class ProcInfoDialog : public QDialog, public IProcInfoSurface {
  Q_OBJECT
 public:
  static inline const QColor kPanelColour{236, 245, 248};
  static inline const QColor kLineColour{196, 211, 219};
  static inline const QColor kPathColour{235, 235, 235};
  static inline const ButtonColours kOkColours{{209, 218, 238}, {106, 141, 244}, {255, 199, 60}};

  // `largeImages` holds the 32 x 32 icons; null draws none.
  ProcInfoDialog(TFormProcInfo& form, const PixmapImageStore* largeImages, QWidget* owner);

  void SetLabelCaption(ProcInfoLabel label, const std::string& caption) override;
  void SetPathText(const std::string& text) override;
  void DrawLargeIcon(int largeIconIndex, int x, int y) override;
  void ShowModal() override;
  void Close() override;

  const QPixmap& Picture() const { return picture_; }

  QWidget* Panel1;
  QLabel* Image1;
  QLabel* LabExe;
  QLabel* LabExeDes;
  QLabel* LabPID;
  QLabel* Labcomp;
  QFrame* Shape1;
  QLabel* Label5;
  QLineEdit* EPath;
  LinkLabel* LabLocate;
  QFrame* Shape2;
  GlyphButton* BTNOK;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildControls();
  QLabel* Label(ProcInfoLabel label) const;

  TFormProcInfo& form_;
  const PixmapImageStore* largeImages_;
  QPixmap picture_;  // Image1's picture, 32 x 32, transparent where nothing is drawn
};

}  // namespace halvane
