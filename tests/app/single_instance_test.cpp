#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include "gui/help/help_window.h"
#include "app/single_instance.h"

namespace lumora {
namespace {

TEST(SingleProgram, ASecondStartHandsItsFilesToTheFirst)
{
    const QString key = QString("lumora-test-%1").arg(QCoreApplication::applicationPid());
    SingleInstance second(key);
    EXPECT_FALSE(second.HandOverToRunningInstance({"a.qza"}, 100));  // nobody listens yet

    SingleInstance first(key);
    ASSERT_TRUE(first.Listen());
    QStringList received;
    QObject::connect(&first, &SingleInstance::FilesRequested,
                     [&](const QStringList& paths) { received = paths; });
    ASSERT_TRUE(second.HandOverToRunningInstance({"/albums/été.qza", "photo.jpg"}));
    QElapsedTimer clock;
    clock.start();
    while (received.isEmpty() && clock.elapsed() < 3000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_EQ(received.size(), 2);
    EXPECT_EQ(received[0], "/albums/été.qza");
    EXPECT_TRUE(received[1].endsWith("/photo.jpg"));  // made absolute by the sender
    EXPECT_TRUE(received[1].startsWith('/'));
}

TEST(SingleProgram, OneChannelPerUserAndDisplay)
{
    const QString local = SingleInstance::KeyFor(1000, ":0", "");
    EXPECT_EQ(SingleInstance::KeyFor(1000, ":0.1", ""), local);  // another screen, same session
    EXPECT_NE(SingleInstance::KeyFor(1000, ":1", ""), local);    // a second login
    EXPECT_NE(SingleInstance::KeyFor(1001, ":0", ""), local);    // another user
    EXPECT_NE(SingleInstance::KeyFor(1000, ":0", "wayland-0"), local);
    EXPECT_NE(SingleInstance::KeyFor(1000, "", "wayland-1"), SingleInstance::KeyFor(1000, "", "wayland-0"));
    // Remote displays and socket paths still make one plain name.
    const QString remote = SingleInstance::KeyFor(1000, "host.example:10.0", "/run/user/1000/wayland-0");
    EXPECT_FALSE(remote.contains('/'));
    EXPECT_FALSE(remote.contains(':'));
    EXPECT_NE(remote, SingleInstance::KeyFor(1000, "host.example:11.0", "/run/user/1000/wayland-0"));
}

TEST(HelpGuide, ComesWithTheProgram)
{
    const QString guide = HelpWindow::GuideText();
    EXPECT_TRUE(guide.startsWith("# Lumora"));
    EXPECT_TRUE(guide.contains("Préférences"));
}

}  // namespace
}  // namespace lumora
