#include "TestSupport.h"

#include "platform/ErrorHandler.h"
#include "platform/MessageBoxSink.h"
#include "platform/Messages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// What the box showed, then the button pressed in it.
struct Seen
{
    QString caption;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QList<QMessageBox::StandardButton> buttons;
};

void answer(Seen &seen, QMessageBox::StandardButton press)
{
    QTimer::singleShot(0, [&seen, press] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = {box->windowTitle(), box->text(), box->textFormat(), box->icon(), {}};
        for (QAbstractButton *button : box->buttons())
            seen.buttons.append(box->standardButton(button));
        box->button(press)->click();
    });
}

// A file name holding "<" or "&" was shown as markup.
TEST(MessageBox, ShowsTheTextAsItIsAndTellsWhichButtonWasPressed)
{
    MessageBoxSink boxes;
    const QString text = "<b>Tetris</b> & Dr. Mario.gb";
    const struct
    {
        const char *label;
        std::function<bool()> call;
        QMessageBox::StandardButton press;
        bool result;
        QMessageBox::Icon icon;
        QList<QMessageBox::StandardButton> buttons;
    } cases[] = {
        {"yes", [&] { return boxes.confirm(text); }, QMessageBox::Yes, true, QMessageBox::Question,
         {QMessageBox::Yes, QMessageBox::No}},
        {"no", [&] { return boxes.confirm(text); }, QMessageBox::No, false, QMessageBox::Question,
         {QMessageBox::Yes, QMessageBox::No}},
        {"show", [&] { boxes.show(text); return false; }, QMessageBox::Ok, false, QMessageBox::NoIcon,
         {QMessageBox::Ok}},
        {"error", [&] { boxes.error(text); return false; }, QMessageBox::Ok, false, QMessageBox::Critical,
         {QMessageBox::Ok}},
    };
    for (const auto &c : cases) {
        Seen seen;
        answer(seen, c.press);
        EXPECT_EQ(c.call(), c.result) << c.label;
        EXPECT_EQ(seen.caption, "Cartling") << c.label;
        EXPECT_EQ(seen.text, text) << c.label;
        EXPECT_EQ(seen.format, Qt::PlainText) << c.label;
        EXPECT_EQ(seen.icon, c.icon) << c.label;
        EXPECT_EQ(seen.buttons, c.buttons) << c.label;
    }
}

// Without a hook of its own, an error the program cannot work past is shown, then ends the event loop with
// status 1.
TEST(RunEnd, AnErrorThatEndsTheRunIsShownThenEndsTheEventLoop)
{
    RecordingMessages recorded;
    setMessageSink(&recorded);
    QTimer::singleShot(0, [] { endRun("No se puede seguir"); });
    QTimer::singleShot(10000, [] { QCoreApplication::exit(99); }); // a run that never ends fails, not hangs
    EXPECT_EQ(QCoreApplication::exec(), 1);
    EXPECT_EQ(recorded.errors, QStringList{"No se puede seguir"});
    setMessageSink(nullptr);
}

// Before the windows are up (and in tools without any) messages go to standard error, and a question that no
// one can answer is answered no.
TEST(Messages, WithoutBoxesTheyGoToStandardErrorAndAQuestionIsAnsweredNo)
{
    setMessageSink(nullptr);
    testing::internal::CaptureStderr();
    const bool yes = messages().confirm(QString::fromUtf8("¿Borrar Tetris.gb?"));
    messages().show("Hecho");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Cartling: ¿Borrar Tetris.gb?\nCartling: Hecho\n");
    EXPECT_FALSE(yes);
}

} // namespace
