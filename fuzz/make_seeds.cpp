// Writes small image files of every kind the import meets, as the import target's seeds.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <opencv2/imgcodecs.hpp>

#include <vector>

namespace {
void write(const QDir &dir, const QString &name, const QByteArray &bytes)
{
    QFile file(dir.filePath(name));
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

QByteArray encoded(const char *extension, const cv::Mat &image)
{
    std::vector<uchar> bytes;
    cv::imencode(extension, image, bytes);
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), int(bytes.size()));
}
} // namespace

int main(int argc, char **argv)
{
    if (argc != 2)
        return 2;
    QDir dir;
    dir.mkpath(QString::fromLocal8Bit(argv[1]));
    dir.setPath(QString::fromLocal8Bit(argv[1]));
    cv::Mat colour(6, 8, CV_8UC3, cv::Scalar(255, 0, 0));
    colour.at<cv::Vec3b>(2, 3) = cv::Vec3b(0, 0, 255);
    write(dir, "colour.png", encoded(".png", colour));
    write(dir, "colour.jpg", encoded(".jpg", colour));
    write(dir, "colour.bmp", encoded(".bmp", colour));
    write(dir, "colour.tiff", encoded(".tiff", colour));
    write(dir, "colour.webp", encoded(".webp", colour));
    write(dir, "grey.png", encoded(".png", cv::Mat(5, 7, CV_8UC1, cv::Scalar(9))));
    write(dir, "alpha.png", encoded(".png", cv::Mat(4, 4, CV_8UC4, cv::Scalar(1, 2, 3, 4))));
    write(dir, "deep.png", encoded(".png", cv::Mat(4, 4, CV_16UC3, cv::Scalar(1, 2000, 60000))));
    write(dir, "grey.pgm", encoded(".pgm", cv::Mat(3, 3, CV_8UC1, cv::Scalar(200))));
    const QByteArray jpeg = encoded(".jpg", colour);
    const QByteArray exif = QByteArray::fromHex("ffe10022") + QByteArray("Exif\0\0", 6) +
                            QByteArray::fromHex("49492a00080000000100120103000100000006000000"
                                                "00000000");
    write(dir, "turned.jpg", jpeg.left(2) + exif + jpeg.mid(2));
    write(dir, "half.jpg", jpeg.left(jpeg.size() / 2));
    write(dir, "text.png", "not an image\n");
    return 0;
}
