#include "support/testimages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <vector>

cv::Mat plainImage(int width, int height, const cv::Vec3b &rgb)
{
    return cv::Mat(height, width, CV_8UC3, cv::Scalar(rgb[0], rgb[1], rgb[2]));
}

cv::Mat objectImage(const cv::Size &size, const cv::Rect &object, const cv::Vec3b &background,
                    const cv::Vec3b &foreground)
{
    cv::Mat image = plainImage(size.width, size.height, background);
    image(object).setTo(cv::Scalar(foreground[0], foreground[1], foreground[2]));
    return image;
}

QByteArray encoded(const char *extension, const cv::Mat &fileOrder)
{
    std::vector<uchar> bytes;
    if (!cv::imencode(extension, fileOrder, bytes))
        return {};
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), int(bytes.size()));
}

QString writeImageFile(const QString &folder, const QString &name, const cv::Mat &rgb)
{
    cv::Mat bgr;
    cv::cvtColor(rgb, bgr, cv::COLOR_RGB2BGR);
    const QByteArray bytes = encoded(('.' + QFileInfo(name).suffix()).toLatin1().constData(), bgr);
    return bytes.isEmpty() ? QString() : writeFile(QDir(folder).filePath(name), bytes);
}

QString writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return path;
}

cv::Mat readPng(const QString &path)
{
    cv::Mat image = cv::imread(QFile::encodeName(path).toStdString(), cv::IMREAD_UNCHANGED);
    if (image.type() == CV_8UC3)
        cv::cvtColor(image, image, cv::COLOR_BGR2RGB);
    return image;
}

bool samePixels(const cv::Mat &a, const cv::Mat &b)
{
    if (a.size() != b.size() || a.type() != b.type())
        return false;
    return a.empty() || cv::norm(a, b, cv::NORM_INF) == 0;
}
