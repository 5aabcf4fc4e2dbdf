// Guards the translations: the German one is installed from the locale and renders plurals for
// one and for several, English plurals have their forms, and no translation drops or invents a
// placeholder of its source.
#include "image/translations.h"

#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <QtTest>

namespace {
// The placeholders of a text, %1 to %99 and %n, each as often as it occurs.
QStringList placeholders(const QString &text)
{
    QStringList found;
    auto matches = QRegularExpression(QStringLiteral("%(\\d+|n)")).globalMatch(text);
    while (matches.hasNext())
        found << matches.next().captured();
    found.sort();
    return found;
}

// Removes every translator installed so far.
void uninstallAll()
{
    for (QTranslator *translator : QCoreApplication::instance()->findChildren<QTranslator *>()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}
} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { uninstallAll(); }
    void plurals_data();
    void plurals();
    void placeholdersKept_data();
    void placeholdersKept();
};

void TestTranslations::plurals_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("photos");
    QTest::addColumn<QString>("skipped");
    QTest::newRow("German, one") << "de_DE" << 1 << "1 Foto"
                                 << "1 Foto ist schon in der Sitzung und wurde nicht noch "
                                    "einmal hinzugefügt.";
    QTest::newRow("Austrian German, five") << "de_AT" << 5 << "5 Fotos"
                                           << "5 Fotos sind schon in der Sitzung und wurden "
                                              "nicht noch einmal hinzugefügt.";
    // No translation of its own: English, plurals included.
    QTest::newRow("Finnish, five")
        << "fi_FI" << 5 << "5 photos"
        << "5 photos are in the session already and were not added again.";
}

void TestTranslations::plurals()
{
    QFETCH(QString, locale);
    QFETCH(int, count);
    installTranslations(QCoreApplication::instance(), QLocale(locale));
    QTEST(QCoreApplication::translate("main", "%n photo(s)", nullptr, count), "photos");
    QTEST(QCoreApplication::translate(
              "main", "%n photo(s) are in the session already and were not added again.", nullptr,
              count),
          "skipped");
}

void TestTranslations::placeholdersKept_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("translation");
    QFile file(QStringLiteral(MORVICK2_TRANSLATIONS "/morvick2_de.ts"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QString source;
    bool numerus = false;
    int row = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("message"))
            numerus = xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
        else if (xml.name() == QLatin1String("source"))
            source = xml.readElementText();
        // A plural's forms are its translation's children, each a whole text.
        else if (xml.name() ==
                 (numerus ? QLatin1String("numerusform") : QLatin1String("translation")))
            QTest::addRow("%d", row++) << source << xml.readElementText();
    }
    QVERIFY(!xml.hasError());
    QVERIFY(row > 150);
}

void TestTranslations::placeholdersKept()
{
    QFETCH(QString, source);
    QFETCH(QString, translation);
    QVERIFY2(placeholders(translation) == placeholders(source), qPrintable(translation));
}

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
