#pragma once

#include "infodialog.h"

// The Help window: one fixed page of texts and three pictures of the main window.
class THelpBox final : public InfoDialog {
public:
    explicit THelpBox(QWidget* owner);
};
