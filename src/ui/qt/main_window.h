#pragma once
#include <QSessionManager>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "app/app_services.h"
#include "app/form_netrova.h"
#include "ui/qt/bottom_panel.h"
#include "ui/qt/connection_view.h"
#include "ui/qt/pm_tree_menu.h"
#include "ui/qt/top_panel.h"

namespace halvane {

// FormNetrova: the top panel, the connection view filling the middle and the bottom panel.
// Every event of its controls goes to the form's handler through HandleEvent.
class FormNetrovaWindow : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kClientWidth = 746;
  static constexpr int kClientHeight = 433;
  static constexpr int kMinimumWidth = 672;
  static constexpr int kMinimumHeight = 200;
  static constexpr const char* kCaption = "Halvane V2.5(网络连接查看器)";

  FormNetrovaWindow(TFormNetrova& form, IAppServices& services, const PixmapImageStore& smallImages,
                    QWidget* parent = nullptr);

  // Enters or leaves the stay-on-top group, keeping place and size.
  void SetTopmost(bool topmost);
  bool IsTopmost() const { return windowFlags().testFlag(Qt::WindowStaysOnTopHint); }
  void CentreOnScreen();
  // The desktop session asks the program to end: the same question as closing the window.
  void AskAtLogout(QSessionManager& manager);

  PmTreeMenu* PmTree;
  TopPanel* PTop;
  ConnectionView* VTS;
  BottomPanel* PBottom;
  QTimer* Timer1;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void ConnectControls(IAppServices& services);
  void ConnectButton(QAbstractButton* button, std::function<void()> handler);
  void ConnectMenuItem(QAction* item, std::function<void()> handler);
  void SetTabOrder();

  TFormNetrova& form_;
  bool closeApproved_ = false;
};

}  // namespace halvane
