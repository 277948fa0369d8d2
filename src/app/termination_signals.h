#pragma once
// A request to end the program from outside (SIGTERM from a session or
// `kill`, SIGHUP when its terminal goes, SIGINT from Ctrl+C) becomes an
// ordinary close of the main window, so that an album with unsaved changes
// asks before it is lost instead of vanishing. The signal handler only
// writes a byte to a socket pair; the event loop reads it. A second signal
// of the same kind ends the program at once, as if no handler were set.
#include <QObject>
#include <memory>

class QSocketNotifier;

namespace lumora {

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    bool IsListening() const { return notifier_ != nullptr; }

signals:
    void Requested(int signalNumber);

private:
    void ReadSignal();
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace lumora
