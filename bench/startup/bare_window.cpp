// The floor for the start-up measurement: a bare Qt program that shows a window holding as
// many widgets as the main window, nested the same way, drawn by Qt's own widgets: labels for
// the candidates (each shows its digit, as any window of this kind must draw text), plain
// widgets for cells and blocks, group boxes and push buttons on the side.
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.setFixedSize(876, 722);
    auto* grid = new QWidget(&window);
    grid->setGeometry(0, 0, 721, 721);
    for (int block = 0; block < 9; ++block) {
        auto* blockPanel = new QWidget(grid);
        blockPanel->setGeometry(5 + 238 * (block % 3), 5 + 237 * (block / 3), 241, 241);
        auto* client = new QWidget(blockPanel);
        client->setGeometry(2, 2, 237, 237);
        for (int cell = 0; cell < 9; ++cell) {
            auto* cellPanel = new QWidget(client);
            cellPanel->setGeometry(76 * (cell % 3), 76 * (cell / 3), 78, 78);
            for (int digit = 0; digit < 9; ++digit) {
                auto* button = new QLabel(QString::number(digit + 1), cellPanel);
                button->setGeometry(2 + 24 * (digit % 3), 3 + 24 * (digit / 3), 23, 22);
            }
        }
    }
    auto* side = new QWidget(&window);
    side->setGeometry(724, 0, 153, 721);
    for (int i = 0; i < 4; ++i) {
        auto* box = new QGroupBox(QStringLiteral("Box"), side);
        box->setGeometry(8, 180 * i, 137, 170);
        for (int j = 0; j < (i == 0 ? 1 : 3); ++j)
            (new QPushButton(QStringLiteral("Command"), box))
                ->setGeometry(12, 24 + 40 * j, 113, 25);
    }
    for (int i = 0; i < 3; ++i)
        (new QWidget(&window))->hide();
    window.show();
    return QApplication::exec();
}
