#include "infodialog.h"

#include "platform/titlebar.h"
#include "widgets/label.h"

#include <QKeyEvent>
#include <QPushButton>

InfoDialog::InfoDialog(QWidget* owner, const QString& caption, QSize clientSize, const QFont& font)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                         Qt::MSWindowsFixedSizeDialogHint) {
    setWindowTitle(caption);
    platform::useOwnTitleBarWhereNeeded(this);
    platform::setFixedClientSize(this, clientSize);
    setFont(font);
    setModal(true);
}

void InfoDialog::keyPressEvent(QKeyEvent* event) {
    // Escape would reject the dialog; these windows close only by "OK", Enter or the title bar.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void InfoDialog::showEvent(QShowEvent* event) {
    platform::placeCentred(this);
    QDialog::showEvent(event);
}

QPushButton* InfoDialog::addOkButton(const QRect& geometry) {
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setGeometry(geometry);
    ok->setDefault(true);
    ok->setAutoDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { done(QDialog::Accepted); });
    return ok;
}

widgets::TLabel* InfoDialog::addLabel(QWidget* parent, const char* name, const QString& text,
                                      const QRect& geometry, bool wordWrap) {
    auto* label = new widgets::TLabel(parent, text, wordWrap);
    label->setObjectName(QString::fromLatin1(name));
    label->place(geometry);
    return label;
}
