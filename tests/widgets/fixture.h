#pragma once

#include "platform/colorsetting.h"
#include "platform/fonts.h"
#include "platform/pointer.h"
#include "widgets/panel.h"
#include "widgets/xpbutton.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

// A shown, active window with a plain focusable widget first in the focus order (so that no
// button takes the focus at activation unless a test wants it) and a flat container panel in
// a colour of its own for the buttons.
class ButtonWindow : public ::testing::Test {
protected:
    static constexpr platform::ColorSetting kContainer = platform::ColorSetting::rgb(90, 160, 60);

    void SetUp() override {
        platform::setPointerPositionOverride(std::nullopt);
        m_window = std::make_unique<QWidget>();
        m_window->setGeometry(200, 200, 400, 300);
        focusSink = new QWidget(m_window.get());
        focusSink->setFocusPolicy(Qt::StrongFocus);
        focusSink->setGeometry(300, 250, 20, 20);
        container = new widgets::TPanel(m_window.get());
        container->setGeometry(0, 0, 300, 200);
        container->setBevels(widgets::Bevel::None, widgets::Bevel::None, 1, 0);
        container->setColor(kContainer);
    }

    void TearDown() override {
        m_window.reset();
        platform::setPointerPositionOverride(std::nullopt);
        QCoreApplication::processEvents();
    }

    widgets::TJvXPButton* addButton(QRect geometry, const QString& caption) {
        auto* button = new widgets::TJvXPButton(container);
        button->setGeometry(geometry);
        button->setCaption(caption);
        button->setFont(platform::makeFont("MS Shell Dlg 2", 11));
        return button;
    }

    void showWindow() {
        m_window->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
        settle();
    }

    // Lets the pointer tracking and the repaints run.
    static void settle() {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }

    // Parks the pointer far away from every window.
    static void pointerAway() { platform::setPointerPositionOverride(QPoint(-5000, -5000)); }

    QWidget& window() { return *m_window; }

    QWidget* focusSink = nullptr;
    widgets::TPanel* container = nullptr;

private:
    std::unique_ptr<QWidget> m_window;
};
