#pragma once

#include <QDialog>

// The Help window: one fixed page of texts and pictures.
class THelpBox final : public QDialog {
public:
    explicit THelpBox(QWidget* owner);
};
