#include "picturereader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>

#include <utility>

namespace {

// The helper limits its own memory and processor time; this bounds the wall-clock time, which
// a helper stopped by a signal or blocked on something would otherwise not.
constexpr int kDeadlineMs = 20'000;
// Its answer is two short lines; a helper that says more is not answering.
constexpr qint64 kMaxAnswerBytes = 4096;

board::PictureRead failure(const char* problem) {
    board::PictureRead read;
    read.problem = problem;
    return read;
}

} // namespace

PictureReader::PictureReader(Done done, QObject* parent)
    : QObject(parent), m_done(std::move(done)) {}

PictureReader::~PictureReader() {
    // Going with the window: a helper still reading is ended and reaped here, not left behind.
    if (m_process != nullptr) {
        m_process->kill();
        m_process->waitForFinished(1000);
    }
    stop();
}

QString PictureReader::helperPath() {
    const QString fromEnvironment = qEnvironmentVariable("ZARVICK_PICTURE_READER");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    const QString programDir = QCoreApplication::applicationDirPath();
    const QString beside = programDir + QStringLiteral("/zarvick-read-picture");
    if (QFileInfo(beside).isExecutable())
        return beside;
    // /usr/games/zarvick finds /usr/libexec/zarvick/, and a plain install in bin/ its libexec/.
    return QDir::cleanPath(programDir + QStringLiteral("/../libexec/zarvick/zarvick-read-picture"));
}

void PictureReader::stop() {
    delete m_deadline;
    m_deadline = nullptr;
    if (m_process == nullptr)
        return;
    QProcess* process = std::exchange(m_process, nullptr);
    process->disconnect(this);
    process->kill();
    // A killed helper is reaped once it has gone, not waited for here.
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    if (process->state() == QProcess::NotRunning)
        process->deleteLater();
}

void PictureReader::finish(const board::PictureRead& read) {
    stop();
    m_done(read);
}

void PictureReader::read(const QByteArray& bytes) {
    stop();
    m_process = new QProcess(this);
    m_process->setProgram(helperPath());
    m_process->setStandardErrorFile(QProcess::nullDevice());
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            finish(failure("The picture cannot be read: its reader, zarvick-read-picture, "
                           "is missing."));
    });
    connect(m_process, &QProcess::readyReadStandardOutput, this, [this] {
        if (m_process->bytesAvailable() > kMaxAnswerBytes)
            finish(failure("The picture could not be read."));
    });
    connect(m_process, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
        if (status != QProcess::NormalExit || code != 0)
            return finish(failure("The picture could not be read."));
        const QByteArray answer = m_process->readAllStandardOutput();
        finish(board::readPictureAnswer(
            std::string_view(answer.constData(), std::size_t(answer.size()))));
    });
    m_deadline = new QTimer(this);
    m_deadline->setSingleShot(true);
    connect(m_deadline, &QTimer::timeout, this,
            [this] { finish(failure("Reading the picture took too long and was given up.")); });
    m_deadline->start(kDeadlineMs);
    m_process->start(QIODevice::ReadWrite);
    if (m_process == nullptr) // it could not start, and that has been said
        return;
    // Written from the event loop as the helper takes it: a pipe holds only 64 KiB.
    m_process->write(bytes);
    m_process->closeWriteChannel();
}
