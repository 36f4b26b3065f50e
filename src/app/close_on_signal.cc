#include "app/close_on_signal.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>
#include <QtGlobal>
#include <cerrno>
#include <csignal>
#include <cstring>

namespace lexmira {
namespace {

constexpr int kEndingSignals[] = {SIGTERM, SIGHUP, SIGINT};
// How often closing is tried again until the program has ended.
constexpr int kCloseAgainMs = 100;

// A signal handler may only write to a descriptor; the window closes when the
// message loop reads what it wrote.
int signal_pipe[2] = {-1, -1};

void NoteSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(signal_pipe[0], &byte, 1);
}

}  // namespace

CloseOnSignal::CloseOnSignal() {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signal_pipe) != 0) {
    // The program still runs; a signal then ends it without saving.
    qWarning("cannot watch for signals to end the program: %s", std::strerror(errno));
    return;
  }
  notifier_ = new QSocketNotifier(signal_pipe[1], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &CloseOnSignal::SignalArrived);
  close_again_.setInterval(kCloseAgainMs);
  connect(&close_again_, &QTimer::timeout, this, &CloseOnSignal::CloseWindows);
  struct sigaction action = {};
  action.sa_handler = NoteSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal : kEndingSignals) ::sigaction(signal, &action, nullptr);
}

CloseOnSignal::~CloseOnSignal() {
  if (notifier_ == nullptr) return;
  for (const int signal : kEndingSignals) std::signal(signal, SIG_DFL);
  delete notifier_;
  ::close(signal_pipe[0]);
  ::close(signal_pipe[1]);
  signal_pipe[0] = signal_pipe[1] = -1;
}

void CloseOnSignal::SignalArrived() {
  char byte;
  [[maybe_unused]] const ssize_t read = ::read(signal_pipe[1], &byte, 1);
  CloseWindows();
  // A box open during start-up runs before the window is shown: closing it
  // lets start-up go on, and the window, shown after, is closed on a later try.
  close_again_.start();
}

// Open boxes too, which would keep the program running behind the window.
void CloseOnSignal::CloseWindows() { QApplication::closeAllWindows(); }

}  // namespace lexmira
