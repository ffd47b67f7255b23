#pragma once

#include "linelist.h"
#include "platform/colorsetting.h"

#include <string>
#include <string_view>

namespace board {

// What the board needs of one control of the main window: a cell panel or a candidate button.
class BoardControl {
public:
    virtual std::string_view controlName() const = 0;
    virtual std::string caption() const = 0;
    virtual void setCaption(std::string_view caption) = 0;
    virtual bool isShown() const = 0;
    virtual void setShown(bool shown) = 0;
    virtual platform::ColorSetting fontColor() const = 0;
    virtual void setFontColor(platform::ColorSetting color) = 0;
    virtual int fontPointSize() const = 0;
    virtual void setFontPointSize(int points) = 0;

protected:
    ~BoardControl() = default;
};

// What the board needs of the main window that owns the controls.
class BoardHost {
public:
    // The control whose name equals name without regard to letter case, or nullptr.
    virtual BoardControl* controlByName(std::string_view name) = 0;
    virtual LineList& moveLog() = 0;
    virtual LineList& redoLog() = 0;
    virtual void beep() = 0;
    virtual void startHintTimer() = 0;
    virtual void stopHintTimer() = 0;

protected:
    ~BoardHost() = default;
};

} // namespace board
