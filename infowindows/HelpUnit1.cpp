#include "HelpUnit1.h"

THelpBox::THelpBox(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("HelpBox"));
    setWindowTitle(QStringLiteral("Help!"));
    setFixedSize(750, 549);
}
