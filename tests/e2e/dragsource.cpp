// A program to drag from, for picture_paste.sh: a window that, when pressed, drags a file's
// address (`e2e_dragsource file PATH`) or a picture's bytes (`e2e_dragsource image/png PATH`),
// as a file manager or a web browser does.
#include <QApplication>
#include <QDrag>
#include <QFile>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace {

class DragSource : public QWidget {
public:
    DragSource(QString kind, QString path) : m_kind(std::move(kind)), m_path(std::move(path)) {}

protected:
    void mousePressEvent(QMouseEvent*) override {
        auto* data = new QMimeData;
        if (m_kind == QLatin1String("file")) {
            data->setUrls({QUrl::fromLocalFile(m_path)});
        } else {
            QFile file(m_path);
            if (file.open(QIODevice::ReadOnly))
                data->setData(m_kind, file.readAll());
        }
        auto* drag = new QDrag(this);
        drag->setMimeData(data);
        drag->exec(Qt::CopyAction);
    }

private:
    QString m_kind, m_path;
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 3)
        return 2;
    DragSource source(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
    source.setWindowTitle(QStringLiteral("Drag source"));
    source.resize(160, 120);
    source.show();
    return QApplication::exec();
}
