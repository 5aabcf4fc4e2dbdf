#include "session/cvimage.h"

#include "image/framepresets.h"
#include "image/imageoptions.h"
#include "image/photofiles.h"
#include "session/session.h"

#include <QColor>
#include <QQmlEngine>
#include <QUrl>

CvImage::CvImage(QObject *parent) : QObject(parent), m_own(std::make_unique<Session>())
{
    show(m_own.get());
}

CvImage::~CvImage() = default;

void CvImage::classBegin()
{
    // The properties are read only after this: the pages never see the session of our own.
    QQmlEngine *engine = qmlEngine(this);
    Session *shared =
        engine ? engine->findChild<Session *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (!shared)
        return;
    disconnect(m_session->photos(), nullptr, this, nullptr);
    show(shared);
    m_own.reset();
}

void CvImage::show(Session *session)
{
    m_session = session;
    connect(session->photos(), &PhotoList::countChanged, this, &CvImage::imageArrayChanged);
}

QVariantList CvImage::imageArray() const
{
    return m_session->photos()->imageUrls();
}

PairList *CvImage::pairs() const
{
    return m_session->pairs();
}

PhotoList *CvImage::photos() const
{
    return m_session->photos();
}

ImportJob *CvImage::importer() const
{
    return m_session->importer();
}

ExportJob *CvImage::exporter() const
{
    return m_session->exporter();
}

QVariantList CvImage::framePresets() const
{
    QVariantList presets;
    for (const FramePreset &preset : ::framePresets())
        presets << QVariantMap{
            {QStringLiteral("name"), preset.name},
            {QStringLiteral("aspect"), aspectText(preset.aspect)},
            {QStringLiteral("fill"), preset.fill},
            {QStringLiteral("size"), sizeText(preset.size)},
            {QStringLiteral("frameColour"),
             QColor(preset.colour[0], preset.colour[1], preset.colour[2]).name()}};
    return presets;
}

QStringList CvImage::photoPatterns() const
{
    return photoFilePatterns();
}

History *CvImage::history() const
{
    return m_session->history();
}

void CvImage::addImage(const QVariant &image)
{
    m_session->addImage(image);
}

void CvImage::importUrls(const QVariant &urls, bool force)
{
    QVariantList skipped;
    for (const QString &path : m_session->importUrls(urls, force || m_allowDuplicates))
        skipped << QUrl::fromLocalFile(path);
    if (!skipped.isEmpty())
        emit duplicatesSkipped(skipped);
}

void CvImage::setExportFolder(const QVariant &folder)
{
    m_session->setExportFolder(folder);
}

QString CvImage::descriptorOf(const QString &url) const
{
    return descriptorOfUrl(url);
}

int CvImage::photoIndexOf(const QString &url) const
{
    return parseOptions(descriptorOfUrl(url)).index;
}

QString CvImage::pairUrl(const QString &left, const QString &right, const QVariantMap &style) const
{
    return ::pairUrl(left, right, pairStyleOf(style));
}

bool CvImage::save(const QVariant &uri)
{
    return m_session->save(uri.toString());
}

bool CvImage::saveStitched(const QVariant &uris)
{
    const QStringList descriptors = uris.toStringList();
    return descriptors.size() >= 2 && m_session->saveStitched(descriptors.at(0), descriptors.at(1));
}
