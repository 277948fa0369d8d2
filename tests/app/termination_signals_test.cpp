#include "app/termination_signals.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <csignal>

namespace lumora {
namespace {

sighandler_t HandlerOf(int number)
{
    struct sigaction current {};
    ::sigaction(number, nullptr, &current);
    return current.sa_handler;
}

TEST(TerminationSignals, ASignalBecomesARequestInTheEventLoopAndTheNextOneIsNotCaught)
{
    std::vector<int> requests;
    {
        TerminationSignals listener;
        ASSERT_TRUE(listener.IsListening());
        EXPECT_FALSE(TerminationSignals().IsListening());  // one listener a process
        QObject::connect(&listener, &TerminationSignals::Requested,
                         [&requests](int number) { requests.push_back(number); });
        EXPECT_NE(HandlerOf(SIGTERM), SIG_DFL);
        ::raise(SIGTERM);  // the program goes on: the handler only takes note
        QElapsedTimer waited;
        waited.start();
        while (requests.empty() && waited.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        EXPECT_EQ(requests, std::vector<int>{SIGTERM});
        EXPECT_EQ(HandlerOf(SIGTERM), SIG_DFL);  // a second SIGTERM ends the program
        EXPECT_NE(HandlerOf(SIGHUP), SIG_DFL);
    }
    EXPECT_EQ(HandlerOf(SIGHUP), SIG_DFL);
    EXPECT_EQ(HandlerOf(SIGINT), SIG_DFL);
    EXPECT_TRUE(TerminationSignals().IsListening());  // free again
}

}  // namespace
}  // namespace lumora
