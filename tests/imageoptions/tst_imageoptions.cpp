#include "core/imageoptions.h"

#include <QtTest>

class TestImageOptions : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
};

void TestImageOptions::parse_data()
{
    QTest::addColumn<QString>("descriptor");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("crop");
    QTest::addColumn<int>("padding");
    QTest::addColumn<int>("maxWidth");

    QTest::newRow("index only") << "3" << 3 << false << 0 << 400;
    QTest::newRow("tile form") << "3#crop=1&padding=50&maxWidth=400" << 3 << true << 50 << 400;
    QTest::newRow("free order, parser defaults")
        << "3#maxWidth=200&crop=1" << 3 << true << 0 << 200;
    QTest::newRow("crop=true is off") << "3#crop=true" << 3 << false << 0 << 400;
    QTest::newRow("crop=01 is off") << "3#crop=01" << 3 << false << 0 << 400;
    QTest::newRow("crop= 1 is off") << "3#crop= 1" << 3 << false << 0 << 400;
    QTest::newRow("keys are case-sensitive") << "3#Crop=1" << 3 << false << 0 << 400;
    QTest::newRow("letters give 0") << "3#padding=abc" << 3 << false << 0 << 400;
    QTest::newRow("no fractions") << "3#padding=7.5" << 3 << false << 0 << 400;
    QTest::newRow("negative passes") << "3#padding=-20" << 3 << false << -20 << 400;
    QTest::newRow("last occurrence wins") << "3#crop=1&crop=0" << 3 << false << 0 << 400;
    QTest::newRow("after second # ignored")
        << "3#padding=10#maxWidth=50" << 3 << false << 10 << 400;
    QTest::newRow("after second = ignored") << "3#padding=10=20" << 3 << false << 10 << 400;
    QTest::newRow("empty option text") << "3#" << 3 << false << 0 << 400;
    QTest::newRow("empty items") << "3#&&" << 3 << false << 0 << 400;
    QTest::newRow("unreadable index") << "x#crop=1" << 0 << true << 0 << 400;
    QTest::newRow("empty descriptor") << "" << 0 << false << 0 << 400;
    QTest::newRow("out of 32-bit range")
        << "4294967296#padding=2147483648" << 0 << false << 0 << 400;
    QTest::newRow("32-bit extremes") << "-1#padding=-2147483648&maxWidth=2147483647" << -1 << false
                                     << int(-2147483647 - 1) << 2147483647;
    QTest::newRow("key without value keeps field")
        << "3#crop=1&padding=30&crop&padding" << 3 << true << 30 << 400;
    QTest::newRow("unknown key skipped") << "3#zoom=2&maxWidth=100" << 3 << false << 0 << 100;
}

void TestImageOptions::parse()
{
    QFETCH(QString, descriptor);
    const ImageOptions options = parseOptions(descriptor);
    QTEST(options.index, "index");
    QTEST(options.crop, "crop");
    QTEST(options.padding, "padding");
    QTEST(options.maxWidth, "maxWidth");
}

QTEST_APPLESS_MAIN(TestImageOptions)
#include "tst_imageoptions.moc"
