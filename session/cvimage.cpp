#include "session/cvimage.h"

#include "image/framepresets.h"
#include "image/imageoptions.h"
#include "image/photofiles.h"
#include "session/session.h"

#include <QColor>
#include <QFileInfo>
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
    disconnect(m_session, nullptr, this, nullptr);
    show(shared);
    m_own.reset();
    findRecovery();
}

void CvImage::show(Session *session)
{
    m_session = session;
    connect(session->photos(), &PhotoList::countChanged, this, &CvImage::imageArrayChanged);
    connect(session, &Session::exportSettingsChanged, this, &CvImage::exportSettingsChanged);
    connect(session, &Session::filePathChanged, this, &CvImage::sessionFileChanged);
    connect(session, &Session::modifiedChanged, this, &CvImage::modifiedChanged);
    connect(session, &Session::opened, this, &CvImage::sessionOpened);
    connect(session, &Session::exportFinished, this, &CvImage::exportFinished);
    connect(session, &Session::saved, this,
            [this](const QString &, const QString &error) { emit sessionSaved(error); });
    // A recovery file is let go once its photos are listed again: a crash before that finds it
    // still there.
    connect(session, &Session::opened, this, [this] {
        if (!m_restoring.isEmpty())
            Autosave::discard(std::exchange(m_restoring, QString()));
    });
}

void CvImage::findRecovery()
{
    if (m_session->recoveryFolder().isEmpty())
        return;
    for (const QString &file : Autosave::abandoned(m_session->recoveryFolder())) {
        SessionState state;
        if (readSessionFile(file, &state, nullptr) && !state.photos.isEmpty()) {
            m_recoveryFile = file;
            m_recoveryPhotos = int(state.photos.size());
            emit recoveryFileChanged();
            return;
        }
        // Nothing in it to restore, or nothing readable: kept no longer.
        Autosave::discard(file);
    }
}

void CvImage::restoreRecovery()
{
    const QString file = m_recoveryFile;
    if (file.isEmpty() || !m_session->openFile(file, nullptr, true))
        return;
    m_restoring = file;
    m_recoveryFile.clear();
    emit recoveryFileChanged();
}

void CvImage::discardRecovery()
{
    Autosave::discard(m_recoveryFile);
    m_recoveryFile.clear();
    emit recoveryFileChanged();
}

QVariantMap CvImage::exportSettings() const
{
    return m_session->exportSettings();
}

void CvImage::setExportSettings(const QVariantMap &settings)
{
    m_session->setExportSettings(settings);
}

QString CvImage::sessionFile() const
{
    return m_session->filePath();
}

QString CvImage::sessionName() const
{
    return QFileInfo(m_session->filePath()).completeBaseName();
}

bool CvImage::modified() const
{
    return m_session->modified();
}

void CvImage::startExport(const QVariant &folder)
{
    m_session->startExport(folder);
}

int CvImage::existingExportFiles(const QVariant &folder) const
{
    return m_session->existingExportFiles(folder);
}

namespace {
QString pathOf(const QVariant &file)
{
    const QString local = localPathFromUrl(file);
    return local.isEmpty() ? file.toString() : local;
}
} // namespace

void CvImage::saveSession(const QVariant &file)
{
    QString path = pathOf(file);
    if (!path.endsWith(sessionFileSuffix))
        path += sessionFileSuffix;
    m_session->saveFileInBackground(path);
}

QString CvImage::openSession(const QVariant &file)
{
    QString why;
    return m_session->openFile(pathOf(file), &why) ? QString() : why;
}

bool CvImage::isSessionFile(const QVariant &url) const
{
    return pathOf(url).endsWith(sessionFileSuffix);
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
