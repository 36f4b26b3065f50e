// Closes the program's windows, as their close boxes would, when it is asked
// to end by a signal (SIGTERM at shutdown, SIGHUP when its terminal goes,
// SIGINT from Ctrl+C), so the position is remembered as on any close.
#pragma once

#include <QObject>
#include <QTimer>

class QSocketNotifier;

namespace lexmira {

class CloseOnSignal : public QObject {
 public:
  // Installs the handlers for this process; a signal is acted on once the
  // message loop runs. One instance at a time, made after the application.
  CloseOnSignal();
  ~CloseOnSignal() override;
  CloseOnSignal(const CloseOnSignal&) = delete;
  CloseOnSignal& operator=(const CloseOnSignal&) = delete;

 private:
  void SignalArrived();
  void CloseWindows();

  QSocketNotifier* notifier_ = nullptr;
  QTimer close_again_;
};

}  // namespace lexmira
