#include "cli/batchrun.h"

#include "cli/sessionexport.h"
#include "session/memorygate.h"

#include "image/decode.h"
#include "image/detection.h"
#include "image/exportnames.h"
#include "image/framing.h"
#include "image/objectdetection.h"
#include "image/pair.h"
#include "image/raw.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThreadPool>

#include <mutex>
#include <utility>

namespace {
// The context of the tool's own texts.
struct Cli
{
    Q_DECLARE_TR_FUNCTIONS(Cli)
};

struct Output
{
    QVector<int> inputs;
    QString stem;
};

QVector<Output> plan(const BatchOptions &options)
{
    QVector<bool> paired(options.inputs.size(), false);
    for (const BatchOptions::Pair &pair : options.pairs)
        paired[pair.left] = paired[pair.right] = true;
    QVector<QVector<int>> photos;
    for (int i = 0; i < options.inputs.size(); ++i)
        if (!paired.at(i))
            photos.append(QVector<int>{i});
    for (const BatchOptions::Pair &pair : options.pairs)
        photos.append(QVector<int>{pair.left, pair.right});
    const QStringList stems = exportStems(photos, options.originalNames,
                                          [&options](int i) { return options.inputs.at(i); });
    QVector<Output> outputs;
    for (int k = 0; k < photos.size(); ++k)
        outputs.append({photos.at(k), stems.at(k)});
    return outputs;
}

// Messages and progress from the workers, one line at a time.
class Reporter
{
public:
    Reporter(std::FILE *messages, bool terminal, bool quiet, int photos)
        : m_messages(messages), m_terminal(terminal), m_quiet(quiet), m_photos(photos)
    {
        m_clock.start();
    }

    void message(const QString &text)
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        // A progress line being redrawn is ended first.
        if (m_terminal && m_progressShown)
            std::fputc('\n', m_messages);
        m_progressShown = false;
        std::fprintf(m_messages, "morvick2-cli: %s\n", qPrintable(text));
        std::fflush(m_messages);
    }

    void done(int photos)
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_done += photos;
        if (m_quiet)
            return;
        const double elapsed = m_clock.elapsed() / 1000.0;
        const double left = m_done > 0 ? elapsed / m_done * (m_photos - m_done) : 0.0;
        const QString progress =
            Cli::tr("%1/%n photo(s), %2 s left", "", m_photos).arg(m_done).arg(left, 0, 'f', 1);
        std::fprintf(m_messages, "%s%s%s", m_terminal ? "\r\033[K" : "", qPrintable(progress),
                     m_terminal ? "" : "\n");
        if (m_terminal && m_done == m_photos)
            std::fputc('\n', m_messages);
        m_progressShown = m_terminal && m_done < m_photos;
        std::fflush(m_messages);
    }

private:
    std::mutex m_mutex;
    std::FILE *m_messages;
    bool m_terminal;
    bool m_quiet;
    int m_photos;
    int m_done = 0;
    bool m_progressShown = false;
    QElapsedTimer m_clock;
};

// What an output's work holds at its height: each photo decoded, detection's buffers (twice the
// photo) or the joined picture and its encoding; a RAW file's decode holds LibRaw's sensor data
// and working image (10 bytes a pixel) beside it. A header that tells no size is guessed from
// the file, photos shrinking about tenfold.
qint64 workingBytes(const std::vector<QByteArray> &files)
{
    qint64 bytes = 0;
    for (const QByteArray &file : files) {
        // A header beyond the limit is refused before any pixel is decoded; the bound keeps the
        // sum from overflowing.
        const qint64 raw = std::min(rawDeclaredPixels(file), maxPhotoPixels);
        const qint64 pixels = raw > 0 ? raw : std::min(declaredPixels(file), maxPhotoPixels);
        bytes += 3 * (pixels > 0 ? 3 * pixels : 10 * qint64(file.size())) + 10 * raw;
    }
    return bytes;
}
} // namespace

int runBatch(const BatchOptions &options, std::FILE *messages, bool terminal)
{
    if (!options.session.isEmpty())
        return exportSession(options.session, options.output, options.force, options.quiet,
                             messages);
    Reporter reporter(messages, terminal, options.quiet, int(options.inputs.size()));
    const QVector<Output> outputs = plan(options);
    const QDir folder(options.output);
    const QString extension = QLatin1Char('.') + options.format.extension();
    if (!QDir().mkpath(options.output) || !QFileInfo(options.output).isDir()) {
        reporter.message(Cli::tr("cannot make the folder %1").arg(options.output));
        return 1;
    }
    if (!options.force) {
        QStringList existing;
        for (const Output &output : outputs)
            if (QFileInfo::exists(folder.filePath(output.stem + extension)))
                existing << output.stem + extension;
        if (!existing.isEmpty()) {
            reporter.message(Cli::tr("nothing written: %n file(s) are already in %1 (--force "
                                     "replaces them):\n  %2",
                                     "", existing.size())
                                 .arg(options.output, existing.join(QStringLiteral("\n  "))));
            return 1;
        }
    }

    MemoryGate gate(options.budget);
    std::mutex failedMutex;
    bool failed = false;
    QThreadPool pool;
    pool.setMaxThreadCount(options.jobs);
    for (const Output &output : outputs) {
        pool.start([&, output] {
            std::vector<cv::Mat> halves;
            std::vector<PhotoMetadata> sources;
            bool readable = true;
            std::vector<QByteArray> files;
            for (const int input : output.inputs)
                files.push_back(readPhotoFile(options.inputs.at(input)));
            const MemoryGate::Pass pass(gate, workingBytes(files));
            for (size_t i = 0; i < files.size(); ++i) {
                const int input = output.inputs.at(int(i));
                QString why;
                // Written all the same, as the window imports it: the user is told.
                if (const QString damage = fileDamage(files[i]); !damage.isEmpty())
                    reporter.message(
                        Cli::tr("warning: %1: %2").arg(options.inputs.at(input), damage));
                sources.push_back(readMetadata(files[i]));
                const cv::Mat photo = decodeImage(std::exchange(files[i], {}), &why);
                if (photo.empty()) {
                    reporter.message(
                        why.isEmpty()
                            ? Cli::tr("cannot read %1").arg(options.inputs.at(input))
                            : Cli::tr("cannot read %1: %2").arg(options.inputs.at(input), why));
                    readable = false;
                    continue;
                }
                const auto detected = [&] {
                    if (options.image.detector == Detector::Edges)
                        return detectObjectBox(photo);
                    const ObjectDetection found =
                        detectObjectInCopy(reducedCopy(photo), photo.size());
                    if (const QString doubt = objectDoubt(found); !doubt.isEmpty())
                        reporter.message(
                            Cli::tr("warning: %1: %2").arg(options.inputs.at(input), doubt));
                    return found.box;
                };
                const cv::Rect box = options.image.crop
                                         ? cropBox(options.image, photo.size(), detected)
                                         : cv::Rect();
                halves.push_back(processPhoto(photo, options.image, box));
            }
            bool written = false;
            if (readable) {
                const ExportPicture picture = exportPicture(std::move(halves), sources,
                                                            options.pairStyle, options.format.srgb);
                written = exportImage(picture.image, options.output, output.stem, options.format,
                                      picture.metadata);
                if (!written)
                    reporter.message(
                        Cli::tr("cannot write %1").arg(folder.filePath(output.stem + extension)));
            }
            if (!written) {
                const std::lock_guard<std::mutex> lock(failedMutex);
                failed = true;
            }
            reporter.done(int(output.inputs.size()));
        });
    }
    pool.waitForDone();
    return failed ? 1 : 0;
}
