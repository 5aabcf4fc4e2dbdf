// A window that starts a drag of the files listed in a file (one URL a line) when pressed: lets
// tools/screenshots drop photos on Morvick2 the way a file manager does.
#include <QDrag>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QRasterWindow>
#include <QUrl>

class DragSource : public QRasterWindow
{
public:
    explicit DragSource(const QList<QUrl> &urls) : m_urls(urls) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter(this).fillRect(QRect(QPoint(0, 0), size()), Qt::darkCyan);
    }
    void mousePressEvent(QMouseEvent *) override
    {
        auto *data = new QMimeData;
        data->setUrls(m_urls);
        auto *drag = new QDrag(this);
        drag->setMimeData(data);
        drag->exec(Qt::CopyAction);
    }

private:
    QList<QUrl> m_urls;
};

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    QFile list(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString());
    if (!list.open(QIODevice::ReadOnly))
        return 2;
    QList<QUrl> urls;
    for (const QByteArray &line : list.readAll().split('\n'))
        if (!line.trimmed().isEmpty())
            urls << QUrl(QString::fromUtf8(line.trimmed()));
    DragSource source(urls);
    source.setFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    source.setGeometry(20, 300, 100, 100);
    source.show();
    return app.exec();
}
