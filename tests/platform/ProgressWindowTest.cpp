#include "TestSupport.h"

#include "platform/FontWarmUp.h"
#include "platform/ProgressWindow.h"
#include "platform/SessionBusWarmUp.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QFile>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

TEST(ProgressWindow, AppearsOnlyForLongWorkAndItsButtonCancels)
{
    QWidget main;
    main.show();
    {
        ProgressWindow quick(&main, "Quick");
        const Progress progress = quick.progress();
        for (int done = 0; done <= 3; ++done)
            EXPECT_TRUE(progress(done, 3));
        ASSERT_NE(main.findChild<QProgressDialog *>(), nullptr);
        EXPECT_FALSE(main.findChild<QProgressDialog *>()->isVisible());
    }
    EXPECT_EQ(main.findChild<QProgressDialog *>(), nullptr);

    ProgressWindow slow(&main, "Slow");
    const Progress progress = slow.progress();
    ASSERT_NE(main.findChild<QProgressDialog *>(), nullptr);
    QElapsedTimer clock;
    clock.start();
    int done = 0;
    while (clock.elapsed() < 1500 && !main.findChild<QProgressDialog *>()->isVisible()) {
        ASSERT_TRUE(progress(done++ % 100, 100));
        QThread::msleep(20);
    }
    auto *dialog = main.findChild<QProgressDialog *>("ProgressWindow"); // by its name, as accessibility tools see it
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(dialog->isVisible());
    EXPECT_GE(clock.elapsed(), 400);
    EXPECT_EQ(dialog->maximum(), 100);

    // The end of the work takes the window away, so closing messages stand alone.
    EXPECT_TRUE(progress(100, 100));
    EXPECT_FALSE(dialog->isVisible());

    ASSERT_TRUE(progress(50, 100));
    ASSERT_TRUE(dialog->isVisible());
    // A window of its own (the codes dialog) once stored a title that the work then overwrote.
    QWidget other;
    auto *store = new QPushButton("Cambiar", &other);
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
    bool stored = false;
    QObject::connect(store, &QPushButton::clicked, [&stored] { stored = true; });
    QTest::mouseClick(other.windowHandle(), Qt::LeftButton, {}, store->geometry().center());
    EXPECT_FALSE(stored);
    QTest::mouseClick(dialog->findChild<QAbstractButton *>(), Qt::LeftButton);
    EXPECT_FALSE(progress(51, 100));
    EXPECT_TRUE(slow.cancelled());
}

// The font warm-up ends with its object, also where start-up ends before waiting for it: a thread left running
// at its end would end the program.
TEST(FontWarmUp, EndsWithItsObjectWhetherOrNotItWasWaitedFor)
{
    {
        FontWarmUp notWaited;
    }
    FontWarmUp waited;
    waited.finish();
    waited.finish();
}

// The session bus is reached ahead only where Qt's screen-reader bridge will ask for it, and the thread ends
// with its object. The bus named here does not exist, so the attempt fails at once and starts none.
TEST(SessionBusWarmUp, StartsOnlyWhereQtHasTheBridgeAndEndsWithItsObject)
{
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const ScopedEnvironment bus("DBUS_SESSION_BUS_ADDRESS",
                                "unix:path=" + QFile::encodeName(temp.filePath(QStringLiteral("no-bus"))));
    const std::pair<const char *, bool> cases[] = {{"xcb", true},      {"wayland", true}, {"wayland-egl", true},
                                                   {"offscreen", false}, {"minimal", false}, {"", false}};
    for (const auto &[platform, starts] : cases) {
        const SessionBusWarmUp warmUp{QString::fromLatin1(platform)};
        EXPECT_EQ(warmUp.started(), starts) << platform;
    }
    EXPECT_FALSE(SessionBusWarmUp().started()) << "the tests run offscreen";
}

} // namespace
