#include "image/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {
void install(QCoreApplication *application, const QLocale &locale, const QString &name,
             const QString &folder)
{
    auto *translator = new QTranslator(application);
    if (translator->load(locale, name, QStringLiteral("_"), folder))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}
} // namespace

void installTranslations(QCoreApplication *application, const QLocale &locale)
{
    // The .qm files are compiled into this static library.
    Q_INIT_RESOURCE(translations);
    const QString ours = QStringLiteral(":/translations");
    // The last installed is asked first.
    install(application, QLocale(QLocale::English), QStringLiteral("morvick2"), ours);
    install(application, locale, QStringLiteral("qtbase"),
            QLibraryInfo::location(QLibraryInfo::TranslationsPath));
    if (locale.language() != QLocale::English)
        install(application, locale, QStringLiteral("morvick2"), ours);
}
