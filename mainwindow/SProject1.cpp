#include "SUnit1.h"
#include "accessibleboard.h"
#include "infowindows/AboutUnit1.h"
#include "infowindows/HelpUnit1.h"
#include "platform/colorscheme.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Names the installed desktop entry, so that a Wayland shell pairs the window with it.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.zarvick"));
    platform::applyClassicLook(app);
    accessibility::install();

    TForm1 Form1;
    TAboutBox AboutBox(Form1.programVersion(), &Form1);
    THelpBox HelpBox(&Form1);
    Form1.setInfoWindows(&AboutBox, &HelpBox);

    Form1.placeCentred();
    Form1.show();
    return QApplication::exec();
}
