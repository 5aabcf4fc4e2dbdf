#pragma once

#include "session/exportjob.h"
#include "session/history.h"
#include "session/importjob.h"
#include "session/pairlist.h"
#include "session/photolist.h"

#include <QObject>
#include <QQmlParserStatus>
#include <QVariant>
#include <QVariantList>

#include <memory>

class Session;

// The one native object the QML pages talk to: the face of a session. It imports photos, lists
// them as image URLs ("image://cv/<index>") and exports single images and pairs. Inside an engine
// set up for it (registerWithEngine) it shows the engine's session, which the image providers
// serve; elsewhere it keeps a session of its own.
class CvImage : public QObject, public QQmlParserStatus
{
    Q_OBJECT
    Q_INTERFACES(QQmlParserStatus)
    Q_PROPERTY(QVariantList imageArray READ imageArray NOTIFY imageArrayChanged)
    Q_PROPERTY(PhotoList *photos READ photos CONSTANT)
    Q_PROPERTY(PairList *pairs READ pairs CONSTANT)
    Q_PROPERTY(ImportJob *importer READ importer CONSTANT)
    Q_PROPERTY(ExportJob *exporter READ exporter CONSTANT)
    Q_PROPERTY(History *history READ history CONSTANT)
    // The file-name patterns of the photos it can import ("*.jpg", ...).
    Q_PROPERTY(QStringList photoPatterns READ photoPatterns CONSTANT)
    // The frames of the places photos go, as the pages set them on photos: each a map of "name"
    // and the frame's keys PhotoList::setOptions takes ("aspect", "fill", "size",
    // "frameColour").
    Q_PROPERTY(QVariantList framePresets READ framePresets CONSTANT)
    // The export's options (ExportJob::start's), saved with the session.
    Q_PROPERTY(QVariantMap exportSettings READ exportSettings WRITE setExportSettings NOTIFY
                   exportSettingsChanged)
    // The session file the session was opened from or saved as ("" for a new one), its name
    // without the folder, and whether work was done since it was saved, opened or exported.
    Q_PROPERTY(QString sessionFile READ sessionFile NOTIFY sessionFileChanged)
    Q_PROPERTY(QString sessionName READ sessionName NOTIFY sessionFileChanged)
    Q_PROPERTY(bool modified READ modified NOTIFY modifiedChanged)
    // The recovery file of a session whose process died, offered to restore ("" for none), and
    // how many photos it holds.
    Q_PROPERTY(QString recoveryFile READ recoveryFile NOTIFY recoveryFileChanged)
    Q_PROPERTY(int recoveryPhotos READ recoveryPhotos NOTIFY recoveryFileChanged)
    // Files listed already are imported again: off unless set.
    Q_PROPERTY(bool allowDuplicates MEMBER m_allowDuplicates NOTIFY allowDuplicatesChanged)

public:
    explicit CvImage(QObject *parent = nullptr);
    ~CvImage() override;

    // The image URLs of the session's photos, in order.
    QVariantList imageArray() const;
    PhotoList *photos() const;
    PairList *pairs() const;
    ImportJob *importer() const;
    ExportJob *exporter() const;
    History *history() const;
    Session *session() const { return m_session; }
    QStringList photoPatterns() const;
    QVariantList framePresets() const;

    // Decodes one file and returns once it is listed or refused. A file that cannot be decoded
    // is skipped: nothing is listed and nothing is signalled.
    Q_INVOKABLE void addImage(const QVariant &image);
    // Imports file and folder URLs (a list of URLs or texts) in the background; the photos are
    // listed in this order as they are decoded. Duplicates skipped, unless allowed or forced,
    // are told by a signal.
    Q_INVOKABLE void importUrls(const QVariant &urls, bool force = false);
    // Takes a path as it is, or a folder URL as its local path.
    Q_INVOKABLE void setExportFolder(const QVariant &folder);
    // The descriptor an image URL carries, and the image URL of a pair of them: the session's
    // keys are built and read here, not in script.
    Q_INVOKABLE QString descriptorOf(const QString &url) const;
    // The store index of the photo an image URL or a source names.
    Q_INVOKABLE int photoIndexOf(const QString &url) const;
    // style: the export options' "pairLayout", "gap" and "background".
    Q_INVOKABLE QString pairUrl(const QString &left, const QString &right,
                                const QVariantMap &style = {}) const;
    // Exports one descriptor's image; returns whether its file was written.
    Q_INVOKABLE bool save(const QVariant &uri);
    // Exports a pair of descriptors as one image; returns whether its file was written.
    Q_INVOKABLE bool saveStitched(const QVariant &uris);

    QVariantMap exportSettings() const;
    void setExportSettings(const QVariantMap &settings);
    QString sessionFile() const;
    QString sessionName() const;
    bool modified() const;
    QString recoveryFile() const { return m_recoveryFile; }
    int recoveryPhotos() const { return m_recoveryPhotos; }

    // Writes every unpaired photo, then every pair, into folder (a URL or a path) in the
    // background, with the export settings; how many of those files exist there already.
    Q_INVOKABLE void startExport(const QVariant &folder);
    Q_INVOKABLE int existingExportFiles(const QVariant &folder) const;
    // Saves the session into a file (a URL or a path, ".morvick2" added when missing) in the
    // background, told by sessionSaved().
    Q_INVOKABLE void saveSession(const QVariant &file);
    // Opens a session file: "" when it is read, otherwise why not, in a sentence. Its photos are
    // listed in the background, told by sessionOpened().
    Q_INVOKABLE QString openSession(const QVariant &file);
    // Whether a dropped or given URL names a session file rather than photos.
    Q_INVOKABLE bool isSessionFile(const QVariant &url) const;
    // Brings back the session of recoveryFile, or lets it go.
    Q_INVOKABLE void restoreRecovery();
    Q_INVOKABLE void discardRecovery();

    void classBegin() override;
    void componentComplete() override {}

signals:
    void imageArrayChanged();
    void allowDuplicatesChanged();
    // Files of a drop or a choice that were listed already and so were not imported.
    void duplicatesSkipped(const QVariantList &urls);
    void exportSettingsChanged();
    void sessionFileChanged();
    void modifiedChanged();
    void recoveryFileChanged();
    // The export's finished (ExportJob::finished), once the session counts its work as kept.
    void exportFinished(int written, int total, bool cancelled);
    // A session file's photos are listed: missing and changed name its files not found and those
    // whose content changed since it was saved.
    void sessionOpened(const QStringList &missing, const QStringList &changed);
    // A save is done: error says why it failed, in a sentence, empty when it did not.
    void sessionSaved(const QString &error);

private:
    void show(Session *session);
    // The newest recovery file of a dead process with photos in it; empty ones are let go.
    void findRecovery();

    std::unique_ptr<Session> m_own;
    Session *m_session = nullptr;
    bool m_allowDuplicates = false;
    QString m_recoveryFile;
    QString m_restoring;
    int m_recoveryPhotos = 0;
};
