// Guards the session file's reader against crashes and undefined behaviour on any text, and its
// round trip: whatever it accepts, written again, reads back the same.
#include "fuzzsupport.h"
#include "image/photofiles.h"
#include "session/sessionfile.h"

#include <QJsonDocument>
#include <QJsonObject>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), int(size));
    SessionState state;
    parseSessionFile(text, QStringLiteral("/nonexistent"), &state, nullptr);
    // Mutations rarely keep the checksum: stamped anew, the rest of the reader is reached.
    QJsonObject content = QJsonDocument::fromJson(text).object();
    content.remove(QStringLiteral("checksum"));
    content.insert(QStringLiteral("checksum"),
                   contentHash(QJsonDocument(content).toJson(QJsonDocument::Compact)));
    if (!parseSessionFile(QJsonDocument(content).toJson(), QStringLiteral("/nonexistent"), &state,
                          nullptr))
        return 0;
    SessionState again;
    if (!parseSessionFile(sessionFileText(state, QStringLiteral("/nonexistent")),
                          QStringLiteral("/nonexistent"), &again, nullptr))
        fuzzFailure("a session it wrote that it cannot read");
    if (!(again == state))
        fuzzFailure("a session that reads back otherwise");
    return 0;
}
