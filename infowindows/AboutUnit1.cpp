#include "AboutUnit1.h"

TAboutBox::TAboutBox(const QString& programVersion, QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(306, 247);
    Q_UNUSED(programVersion);
}
