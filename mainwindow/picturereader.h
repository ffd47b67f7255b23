#pragma once

#include "board/picturereading.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>

class QProcess;
class QTimer;

// Reads a picture of a puzzle in a helper program of ours, so that a hostile picture can at worst
// crash or stall the helper, never the game. The window stays live meanwhile; a new picture
// replaces one still being read.
class PictureReader : public QObject {
public:
    using Done = std::function<void(const board::PictureRead&)>;

    explicit PictureReader(Done done, QObject* parent = nullptr);
    ~PictureReader() override;

    void read(const QByteArray& bytes);
    bool isReading() const { return m_process != nullptr; }

    // ZARVICK_PICTURE_READER when set; else the helper beside the program, as in the build
    // tree; else the one installed with it.
    static QString helperPath();

private:
    void finish(const board::PictureRead& read);
    void stop();

    Done m_done;
    QProcess* m_process = nullptr;
    QTimer* m_deadline = nullptr;
};
