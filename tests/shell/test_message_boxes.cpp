#include "AppGlobals.h"
#include "MessageBoxes.h"
#include "ShellTestEnvironment.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

namespace {

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::Question;
    QMessageBox::StandardButtons buttons;
    Qt::TextFormat format = Qt::RichText;
};

// Shows the box and, once it is up, records it and lets press() end it.
MessageAnswer showAndAnswer(const QString& text, MessageButtons buttons, SeenBox& seen,
                            const std::function<void(QMessageBox&)>& press)
{
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons(), box->textFormat()};
        press(*box);
    });
    return ShowMessageBox(text, buttons);
}

class MessageBoxTest : public ::testing::Test {
protected:
    void SetUp() override { TestApplication(); }
    void TearDown() override { ResetGlobals(); }
};

}  // namespace

TEST_F(MessageBoxTest, PlainBoxTitledVantoraWithOk)
{
    SeenBox seen;
    MessageAnswer answer = showAndAnswer("Problems stablishing connection<b>x</b>", MessageButtons::Ok, seen,
                                         [](QMessageBox& box) { box.button(QMessageBox::Ok)->click(); });
    EXPECT_EQ(answer, MessageAnswer::Ok);
    EXPECT_EQ(seen.title, "Vantora");
    EXPECT_EQ(seen.text, "Problems stablishing connection<b>x</b>");
    EXPECT_EQ(seen.format, Qt::PlainText);
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

TEST_F(MessageBoxTest, OkCancelAnswersTheButtonPressed)
{
    SeenBox seen;
    EXPECT_EQ(showAndAnswer("Sure?", MessageButtons::OkCancel, seen,
                            [](QMessageBox& box) { box.button(QMessageBox::Cancel)->click(); }),
              MessageAnswer::Cancel);
    EXPECT_EQ(seen.buttons, QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(showAndAnswer("Sure?", MessageButtons::OkCancel, seen,
                            [](QMessageBox& box) { box.button(QMessageBox::Ok)->click(); }),
              MessageAnswer::Ok);
    EXPECT_EQ(showAndAnswer("Sure?", MessageButtons::OkCancel, seen, [](QMessageBox& box) { box.reject(); }),
              MessageAnswer::Cancel);
}

TEST_F(MessageBoxTest, InstalledHandlerShowsCoreMessages)
{
    InstallMessageBoxes();
    SeenBox seen;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen.text = box->text();
        box->button(QMessageBox::Cancel)->click();
    });
    EXPECT_EQ(ShowMessage("From core", MessageButtons::OkCancel), MessageAnswer::Cancel);
    EXPECT_EQ(seen.text, "From core");
    SetMessageHandler(nullptr);
}
