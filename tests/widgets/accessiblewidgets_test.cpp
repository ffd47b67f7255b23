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
        {"Check for Stragglers", "Check for Stragglers"},
        {"&Easy", "Easy"},
        {"Fish && Chips", "Fish & Chips"},
        {"a&&&b", "a&b"},
        {"&&", "&"},
        {"trailing&", "trailing"},
        {"", ""},
    };
    for (const auto& [caption, name] : cases) {
        button->setCaption(QString::fromLatin1(caption));
        EXPECT_EQ(accessible()->text(QAccessible::Name), QString::fromLatin1(name)) << caption;
    }
    button->setCaption(QStringLiteral("Fish && Chips"));
    button->setShowAccelChar(false);
    EXPECT_EQ(accessible()->text(QAccessible::Name), "Fish && Chips");
    EXPECT_EQ(accessible()->role(), QAccessible::Button);
}

TEST_F(AccessibleButton, pressedWhileSpaceIsHeldAndUnavailableWhileDisabled) {
    EXPECT_TRUE(accessible()->state().focusable);
    QTest::keyPress(button, Qt::Key_Space);
    EXPECT_TRUE(accessible()->state().pressed);
    QTest::keyRelease(button, Qt::Key_Space);
    EXPECT_FALSE(accessible()->state().pressed);
    button->setEnabled(false);
    EXPECT_TRUE(accessible()->state().disabled);
}

TEST_F(AccessibleButton, thePressActionClicksOnceOnceTheCallerHasItsAnswer) {
    press();
    EXPECT_EQ(clicks, 0);
    settle();
    EXPECT_EQ(clicks, 1);
    button->setEnabled(false);
    press();
    settle();
    EXPECT_EQ(clicks, 1);
}

} // namespace
