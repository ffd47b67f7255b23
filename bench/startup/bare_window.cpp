// The floor for the start-up measurement: a bare Qt program that shows a window holding as
// many widgets as the main window, nested the same way, and nothing else.
#include <QApplication>
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
                auto* button = new QWidget(cellPanel);
                button->setGeometry(2 + 24 * (digit % 3), 3 + 24 * (digit / 3), 23, 22);
            }
        }
    }
    auto* side = new QWidget(&window);
    side->setGeometry(724, 0, 153, 721);
    for (int i = 0; i < 4 + 10; ++i)
        (new QWidget(side))->setGeometry(8, 40 * i, 100, 30);
    for (int i = 0; i < 3; ++i)
        (new QWidget(&window))->hide();
    window.show();
    return QApplication::exec();
}
