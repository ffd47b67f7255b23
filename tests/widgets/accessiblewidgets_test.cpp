// The command button as an assistive technology sees it: its name, its states and the press
// action, which must click as Space does.
#include "fixture.h"
#include "widgets/accessiblewidgets.h"

#include <QAccessible>
#include <QAccessibleActionInterface>

namespace {

class AccessibleButton : public ButtonWindow {
protected:
    void SetUp() override {
        QAccessible::installFactory(widgets::accessibleWidget);
        ButtonWindow::SetUp();
        button = addButton({10, 10, 73, 25}, QStringLiteral("Easy"));
        button->setOnClick([this] { ++clicks; });
        showWindow();
    }
    void TearDown() override {
        ButtonWindow::TearDown();
        QAccessible::removeFactory(widgets::accessibleWidget);
    }
    QAccessibleInterface* accessible() { return QAccessible::queryAccessibleInterface(button); }
    void press() {
        accessible()->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    }

    widgets::TJvXPButton* button = nullptr;
    int clicks = 0;
};

TEST_F(AccessibleButton, namedByItsCaptionWithoutTheAcceleratorMark) {
    const std::pair<const char*, const char*> cases[] = {
        {"&Easy", "Easy"}, {"Fish && Chips", "Fish & Chips"}, {"a&&&b", "a&b"}, {"end&", "end"}};
    for (const auto& [caption, name] : cases) {
        button->setCaption(QString::fromLatin1(caption));
        EXPECT_EQ(accessible()->text(QAccessible::Name), QString::fromLatin1(name)) << caption;
    }
    button->setShowAccelChar(false);
    EXPECT_EQ(accessible()->text(QAccessible::Name), "end&");
}

TEST_F(AccessibleButton, pressedAsSpaceHoldsItAndPressedByItsActionOnceTheCallerHasItsAnswer) {
    QTest::keyPress(button, Qt::Key_Space);
    EXPECT_TRUE(accessible()->state().pressed);
    QTest::keyRelease(button, Qt::Key_Space);
    EXPECT_FALSE(accessible()->state().pressed);
    press();
    EXPECT_EQ(clicks, 1);
    settle();
    EXPECT_EQ(clicks, 2);
    button->setEnabled(false);
    press();
    settle();
    EXPECT_EQ(clicks, 2);
}

} // namespace
