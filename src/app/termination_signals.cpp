#include "app/termination_signals.h"

#include <QSocketNotifier>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace lumora {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

// The write end is all the handler touches; it is set before the handlers
// are installed and cleared after they are removed.
volatile sig_atomic_t writeEnd = -1;
int readEnd = -1;

extern "C" void OnTerminationSignal(int signalNumber)
{
    std::signal(signalNumber, SIG_DFL);  // the next one is not caught
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    if (writeEnd >= 0)
        [[maybe_unused]] const ssize_t written = ::write(writeEnd, &byte, 1);
}

}  // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent)
{
    if (writeEnd >= 0)
        return;  // one listener a process: the handler has one socket to write to
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, ends) != 0)
        return;
    readEnd = ends[0];
    writeEnd = ends[1];
    notifier_ = new QSocketNotifier(readEnd, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::ReadSignal);
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : kSignals)
        ::sigaction(number, &action, nullptr);
}

TerminationSignals::~TerminationSignals()
{
    if (!notifier_)
        return;
    for (int number : kSignals)
        std::signal(number, SIG_DFL);
    const int write = writeEnd;
    writeEnd = -1;
    ::close(write);
    ::close(readEnd);
    readEnd = -1;
}

void TerminationSignals::ReadSignal()
{
    unsigned char byte = 0;
    while (::read(readEnd, &byte, 1) == 1)
        emit Requested(byte);
}

}  // namespace lumora
