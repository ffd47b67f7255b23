#include "crossing.h"
#include "faces.h"
#include "fixture.h"
#include "pixels.h"

#include <QDialog>
#include <QKeyEvent>
#include <QTimer>

namespace {

using widgets::TJvXPButton;

// Pointer positions come from the synthetic mouse events here, as from real ones.
class ButtonBehaviour : public ButtonWindow {
protected:
    void SetUp() override {
        ButtonWindow::SetUp();
        a = addButton({10, 10, 73, 25}, QStringLiteral("Undo"));
        b = addButton({110, 10, 73, 25}, QStringLiteral("Blank"));
        a->setOnClick([this] { ++clicksA; });
        b->setOnClick([this] { ++clicksB; });
        b->setOnMouseEnter([this] { ++entersB; });
        showWindow();
    }

    // Moves the pointer with no button held, as the window system reports it.
    void hoverAt(QWidget* over, QPoint at) {
        QTest::mouseMove(over, at);
        settle();
    }

    // A point of b in a's coordinates, for events that a's capture receives.
    QPoint bCentreFromA() const { return a->mapFromGlobal(b->mapToGlobal(QPoint(36, 12))); }

    static QRgb ringPixel(TJvXPButton* button) { return shot(*button).pixel(1, 12) | 0xff000000u; }

    TJvXPButton* a = nullptr;
    TJvXPButton* b = nullptr;
    int clicksA = 0;
    int clicksB = 0;
    int entersB = 0;
};

TEST_F(ButtonBehaviour, pressDragOffAndBackThenReleaseClicksOnce) {
    hoverAt(a, QPoint(36, 12));
    ASSERT_TRUE(a->isHovered());
    QTest::mousePress(a, Qt::LeftButton, {}, QPoint(36, 12));
    settle();
    EXPECT_TRUE(a->isPressed());
    EXPECT_TRUE(a->hasFocus());
    EXPECT_TRUE(pixelIs(shot(*a), 1, 12, faces::kPressed[11])) << "pressed look";

    QTest::mouseMove(a, QPoint(-40, 12));
    settle();
    EXPECT_FALSE(a->isHovered());
    EXPECT_TRUE(pixelIs(shot(*a), 1, 12, faces::kFocus[11])) << "blue ring while off";

    QTest::mouseMove(a, QPoint(30, 10));
    settle();
    EXPECT_TRUE(a->isHovered());
    EXPECT_TRUE(pixelIs(shot(*a), 1, 12, faces::kPressed[11])) << "pressed look when back";

    QTest::mouseRelease(a, Qt::LeftButton, {}, QPoint(30, 10));
    settle();
    EXPECT_EQ(clicksA, 1);
    EXPECT_FALSE(a->isPressed());
    EXPECT_TRUE(pixelIs(shot(*a), 1, 12, faces::kHover[11])) << "orange ring after release";
}

TEST_F(ButtonBehaviour, releaseOutsideRunsNoClickAndLeavesTheBlueRing) {
    QTest::mousePress(a, Qt::LeftButton, {}, QPoint(36, 12));
    QTest::mouseMove(a, QPoint(36, 60));
    settle();
    QTest::mouseRelease(a, Qt::LeftButton, {}, QPoint(36, 60));
    settle();
    EXPECT_EQ(clicksA, 0);
    EXPECT_FALSE(a->isPressed());
    EXPECT_FALSE(a->isHovered());
    EXPECT_TRUE(a->isFocused());
    EXPECT_TRUE(pixelIs(shot(*a), 1, 12, faces::kFocus[11]));
}

TEST_F(ButtonBehaviour, whileCapturedOnlyThePressedButtonHearsOfThePointer) {
    QTest::mousePress(a, Qt::LeftButton, {}, QPoint(36, 12));
    QTest::mouseMove(a, bCentreFromA());
    settle();
    EXPECT_FALSE(a->isHovered());
    EXPECT_FALSE(b->isHovered()) << "b was told of the pointer during a's capture";
    EXPECT_EQ(entersB, 0);
    // Back onto a, then onto b and released there before the tracking has looked again.
    QTest::mouseMove(a, QPoint(36, 12));
    settle();
    ASSERT_TRUE(a->isHovered());
    QTest::mouseMove(a, bCentreFromA());
    QTest::mouseRelease(a, Qt::LeftButton, {}, bCentreFromA());
    // At once, without another pointer movement or a pass of the event loop.
    EXPECT_TRUE(b->isHovered());
    EXPECT_TRUE(pixelIs(shot(*b), 1, 12, faces::kHover[11])) << "b has no orange ring";
    settle();
    EXPECT_EQ(entersB, 1) << "b was told of the pointer twice";
    EXPECT_EQ(clicksA, 0);
    EXPECT_EQ(clicksB, 0);
}

TEST_F(ButtonBehaviour, leavingTheWindowEndsTheHoverAtOnceAndEnteringOverTheButtonRestoresIt) {
    // The last mouse event stays on a: only the window's leave says the pointer has gone.
    hoverAt(a, QPoint(36, 12));
    ASSERT_TRUE(a->isHovered());
    ASSERT_TRUE(pixelIs(shot(*a), 1, 12, faces::kHover[11]));

    leaveWindow(window());
    EXPECT_FALSE(a->isHovered()) << "still hovered after the window's leave";
    EXPECT_TRUE(pixelIs(shot(*a), 1, 12, faces::kBackground[11])) << "orange ring kept";

    enterWindowAt(window(), a->mapToGlobal(QPoint(30, 10)));
    EXPECT_TRUE(a->isHovered());
    EXPECT_TRUE(pixelIs(shot(*a), 1, 12, faces::kHover[11])) << "no orange ring on return";
    // Coming back elsewhere in the window hovers nothing.
    leaveWindow(window());
    enterWindowAt(window(), window().mapToGlobal(QPoint(350, 280)));
    EXPECT_FALSE(a->isHovered());
    EXPECT_FALSE(b->isHovered());
}

TEST_F(ButtonBehaviour, whileCapturedAWindowLeaveAndEnterReachOnlyThePressedButton) {
    QTest::mousePress(a, Qt::LeftButton, {}, QPoint(36, 12));
    settle();
    ASSERT_TRUE(a->isHovered());
    leaveWindow(window());
    EXPECT_FALSE(a->isHovered());
    EXPECT_TRUE(pixelIs(shot(*a), 1, 12, faces::kFocus[11])) << "blue ring while off";
    enterWindowAt(window(), b->mapToGlobal(QPoint(36, 12)));
    EXPECT_FALSE(b->isHovered()) << "b was told of the pointer during a's capture";
    EXPECT_EQ(entersB, 0);
    enterWindowAt(window(), a->mapToGlobal(QPoint(36, 12)));
    EXPECT_TRUE(a->isHovered());
    EXPECT_TRUE(pixelIs(shot(*a), 1, 12, faces::kPressed[11])) << "pressed look when back";
}

TEST_F(ButtonBehaviour, holdingSpaceShowsThePressedLookAndClicksOnceOnRelease) {
    a->setFocus();
    settle();
    QTest::keyPress(a, Qt::Key_Space);
    // A held key repeats as release and press pairs marked as repeats.
    for (int i = 0; i < 3; ++i) {
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "),
                          true);
        QApplication::sendEvent(a, &release);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
        QApplication::sendEvent(a, &press);
    }
    EXPECT_TRUE(a->isPressed());
    EXPECT_TRUE(pixelIs(shot(*a), 1, 12, faces::kPressed[11]));
    EXPECT_EQ(clicksA, 0);
    QTest::keyRelease(a, Qt::Key_Space);
    EXPECT_EQ(clicksA, 1);
    EXPECT_FALSE(a->isPressed());
}

TEST_F(ButtonBehaviour, enterClicksTheFocusedButtonOnEveryRepeat) {
    a->setFocus();
    settle();
    QTest::keyClick(a, Qt::Key_Return);
    QTest::keyPress(a, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(clicksA, 2);
    EXPECT_EQ(clicksB, 0);
}

TEST_F(ButtonBehaviour, defaultButtonTakesEnterAndShowsItsRingOnlyWhileNoXPControlHasFocus) {
    focusSink->setFocus();
    settle();
    b->setDefault(true);
    EXPECT_TRUE(pixelIs(shot(*b), 1, 12, faces::kFocus[11])) << "default button without ring";
    QTest::keyClick(focusSink, Qt::Key_Return);
    EXPECT_EQ(clicksB, 1);

    a->setFocus();
    settle();
    EXPECT_FALSE(b->isFramed());
    QTest::keyClick(a, Qt::Key_Return);
    EXPECT_EQ(clicksA, 1);
    EXPECT_EQ(clicksB, 1);
}

TEST_F(ButtonBehaviour, escapeClicksTheCancelButtonWithoutModifiersOnly) {
    b->setCancel(true);
    focusSink->setFocus();
    settle();
    QTest::keyClick(focusSink, Qt::Key_Escape, Qt::ShiftModifier);
    EXPECT_EQ(clicksB, 0);
    QTest::keyClick(focusSink, Qt::Key_Escape);
    EXPECT_EQ(clicksB, 1);
    EXPECT_EQ(clicksA, 0);
}

TEST_F(ButtonBehaviour, acceleratorClicksWithAltOrWhenTypedOnTheFocusedButton) {
    b->setCaption(QStringLiteral("&Go"));
    a->setFocus();
    settle();
    QTest::keyClick(a, Qt::Key_G);
    EXPECT_EQ(clicksB, 0) << "a plain letter reached an unfocused button";
    QTest::keyClick(a, Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(clicksB, 1);
    b->setFocus();
    settle();
    QTest::keyClick(b, Qt::Key_G);
    EXPECT_EQ(clicksB, 2);
    b->setShowAccelChar(false);
    QTest::keyClick(b, Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(clicksB, 2);
    EXPECT_EQ(clicksA, 0);
}

TEST_F(ButtonBehaviour, aClickMovesTheBlueRingAndAFocusChangeEndsAPress) {
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(36, 12));
    settle();
    EXPECT_TRUE(b->isFocused());
    EXPECT_TRUE(a->hasXPFocus());
    QTest::keyPress(a, Qt::Key_Space); // presses a and gives it the focus
    ASSERT_TRUE(a->isPressed());
    EXPECT_TRUE(a->isFocused());
    EXPECT_FALSE(b->isFocused());
    focusSink->setFocus();
    settle();
    EXPECT_FALSE(a->isPressed());
    EXPECT_FALSE(a->isFocused());
    EXPECT_FALSE(b->hasXPFocus());
}

TEST_F(ButtonBehaviour, clickHandlerOpeningAModalWindowRunsWhileStillPressed) {
    bool pressedDuringHandler = false;
    bool modalRan = false;
    a->setOnClick([&] {
        pressedDuringHandler = a->isPressed();
        QDialog dialog(&window());
        QTimer::singleShot(0, &dialog, [&] {
            modalRan = true;
            dialog.accept();
        });
        dialog.exec();
    });
    QTest::mouseClick(a, Qt::LeftButton, {}, QPoint(36, 12));
    EXPECT_TRUE(modalRan);
    EXPECT_TRUE(pressedDuringHandler);
    EXPECT_FALSE(a->isPressed());
}

TEST_F(ButtonBehaviour, clickWritesTheModalResultIntoItsDialog) {
    QDialog dialog(&window());
    auto* ok = new TJvXPButton(&dialog);
    ok->setModalResult(2);
    int result = -1;
    QTimer::singleShot(0, ok, [ok] { ok->click(); });
    result = dialog.exec();
    EXPECT_EQ(result, 2);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(ButtonBehaviour, disabledButtonDropsItsRingAndIgnoresKeys) {
    a->setFocus();
    settle();
    hoverAt(a, QPoint(36, 12));
    a->setEnabled(false);
    settle();
    EXPECT_FALSE(a->isFramed());
    EXPECT_TRUE(pixelIs(shot(*a), 1, 12, faces::kBackground[11]));
    QTest::keyClick(&window(), Qt::Key_Return);
    EXPECT_EQ(clicksA, 0);
}

// The window gives the focus to its first focusable control, in focus order, when shown.
TEST(WindowFocus, firstFocusableButtonInFocusOrderGetsTheFocusAndItsRing) {
    QWidget window;
    window.setGeometry(600, 100, 300, 100);
    auto* hidden = new TJvXPButton(&window);
    hidden->hide();
    auto* plain = new QWidget(&window); // never takes the focus
    plain->setGeometry(0, 0, 10, 10);
    auto* later = new TJvXPButton(&window);
    later->setGeometry(100, 10, 73, 25);
    auto* undo = new TJvXPButton(&window);
    undo->setGeometry(10, 10, 73, 25);
    QWidget::setTabOrder(undo, later);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QCoreApplication::processEvents();
    EXPECT_TRUE(undo->hasFocus());
    EXPECT_TRUE(undo->isFocused());
    EXPECT_TRUE(later->hasXPFocus());
    EXPECT_TRUE(pixelIs(shot(*undo), 1, 12, faces::kFocus[11]));
    EXPECT_TRUE(pixelIs(shot(*later), 1, 12, faces::kBackground[11]));
}

} // namespace
