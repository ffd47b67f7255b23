#pragma once

#include <QDialog>

// The About window: the program's name and version, its picture and its links.
class TAboutBox final : public QDialog {
public:
    TAboutBox(const QString& programVersion, QWidget* owner);
};
