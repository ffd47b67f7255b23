#include "colorscheme.h"

#include <QApplication>
#include <QStyleFactory>

namespace platform {

QColor systemColor(SystemColor role) {
    switch (role) {
    case SystemColor::WindowText:
        return {0, 0, 0};
    case SystemColor::ButtonFace:
        return {212, 208, 200};
    case SystemColor::ButtonShadow:
        return {128, 128, 128};
    case SystemColor::ButtonHighlight:
        return {255, 255, 255};
    case SystemColor::DarkShadow:
        return {64, 64, 64};
    case SystemColor::Light:
        return {212, 208, 200};
    case SystemColor::GrayText:
        return {128, 128, 128};
    case SystemColor::Window:
        return {255, 255, 255};
    }
    return {0, 0, 0};
}

QColor resolve(ColorSetting setting) {
    if (setting.isSystem())
        return systemColor(setting.role());
    return {setting.red(), setting.green(), setting.blue()};
}

QPalette classicPalette() {
    const QColor face = systemColor(SystemColor::ButtonFace);
    const QColor text = systemColor(SystemColor::WindowText);
    QPalette p(face);
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(group, QPalette::Window, face);
        p.setColor(group, QPalette::Button, face);
        p.setColor(group, QPalette::Base, systemColor(SystemColor::Window));
        p.setColor(group, QPalette::Light, systemColor(SystemColor::ButtonHighlight));
        p.setColor(group, QPalette::Midlight, systemColor(SystemColor::Light));
        p.setColor(group, QPalette::Mid, systemColor(SystemColor::ButtonShadow));
        p.setColor(group, QPalette::Dark, systemColor(SystemColor::ButtonShadow));
        p.setColor(group, QPalette::Shadow, systemColor(SystemColor::DarkShadow));
        p.setColor(group, QPalette::WindowText, text);
        p.setColor(group, QPalette::ButtonText, text);
        p.setColor(group, QPalette::Text, text);
        p.setColor(group, QPalette::Link, QColor(0, 0, 255));
    }
    const QColor grey = systemColor(SystemColor::GrayText);
    p.setColor(QPalette::Disabled, QPalette::WindowText, grey);
    p.setColor(QPalette::Disabled, QPalette::ButtonText, grey);
    p.setColor(QPalette::Disabled, QPalette::Text, grey);
    return p;
}

void applyClassicLook(QApplication& app) {
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Windows")))
        QApplication::setStyle(style);
    QApplication::setPalette(classicPalette());
    Q_UNUSED(app);
}

} // namespace platform
