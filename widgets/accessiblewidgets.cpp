#include "accessiblewidgets.h"

#include "image.h"
#include "label.h"
#include "panel.h"
#include "xpbutton.h"

#include <QAccessibleWidget>
#include <QTimer>

namespace widgets {

namespace {

// A name set on the widget itself wins over the one its control would give.
QString nameOr(const QWidget* widget, const QString& own) {
    return widget->accessibleName().isEmpty() ? own : widget->accessibleName();
}

class XPButtonAccessible final : public QAccessibleWidget {
public:
    explicit XPButtonAccessible(TJvXPButton* button)
        : QAccessibleWidget(button, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        const QString caption = button()->caption();
        return nameOr(button(), button()->showAccelChar() ? withoutAccelerator(caption) : caption);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.pressed = button()->isPressed();
        return s;
    }

    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& name) override {
        if (name != pressAction()) {
            QAccessibleWidget::doAction(name);
            return;
        }
        if (!button()->isEnabled() || !button()->isVisible())
            return;
        // Clicked once the caller has had its answer: a handler that opens a modal window would
        // otherwise hold the request open until the window closes.
        QTimer::singleShot(0, button(), [b = button()] { b->click(); });
    }

    QStringList keyBindingsForAction(const QString& name) const override {
        if (name == pressAction())
            return {QStringLiteral("Space")};
        return QAccessibleWidget::keyBindingsForAction(name);
    }

private:
    TJvXPButton* button() const { return static_cast<TJvXPButton*>(widget()); }
};

class GroupBoxAccessible final : public QAccessibleWidget {
public:
    explicit GroupBoxAccessible(TGroupBox* box) : QAccessibleWidget(box, QAccessible::Grouping) {}

    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        return nameOr(widget(), static_cast<const TGroupBox*>(widget())->caption().trimmed());
    }
};

// A label is read as text; one with a click handler is a link that the press action follows.
class LabelAccessible final : public QAccessibleWidget {
public:
    explicit LabelAccessible(TLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QAccessible::Role role() const override {
        return label()->isLink() ? QAccessible::Link : QAccessible::StaticText;
    }

    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        return nameOr(label(), label()->text());
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.linked = label()->isLink();
        return s;
    }

    QStringList actionNames() const override {
        return label()->isLink() ? QStringList{pressAction()} : QStringList{};
    }

    void doAction(const QString& name) override {
        if (name == pressAction() && label()->isLink() && label()->isVisible())
            label()->click();
    }

    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    TLabel* label() const { return static_cast<TLabel*>(widget()); }
};

} // namespace

QAccessibleInterface* accessibleWidget(const QString&, QObject* object) {
    if (object == nullptr || !object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (auto* button = dynamic_cast<TJvXPButton*>(widget))
        return new XPButtonAccessible(button);
    if (auto* box = dynamic_cast<TGroupBox*>(widget))
        return new GroupBoxAccessible(box);
    if (auto* label = dynamic_cast<TLabel*>(widget))
        return new LabelAccessible(label);
    // A picture says what it shows through the name its window gives it.
    if (auto* image = dynamic_cast<TImage*>(widget))
        return new QAccessibleWidget(image, QAccessible::Graphic);
    return nullptr;
}

QString withoutAccelerator(const QString& caption) {
    QString name;
    name.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] != u'&') {
            name += caption[i];
        } else if (i + 1 < caption.size() && caption[i + 1] == u'&') {
            name += u'&';
            ++i;
        }
    }
    return name;
}

} // namespace widgets
