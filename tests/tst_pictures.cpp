// The pictures kept in assets/ and their resource file against the generator
// that draws them (tools/genpictures).

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kAssets = QStringLiteral(LEXORIA_SOURCE_DIR "/assets");

// Pixels as the program paints them. Straight-alpha colours in a PNG may differ by
// one level where Qt's rounding follows the processor; premultiplied they are the
// drawing itself, so two pictures of one drawing compare equal here and no others.
QRgb painted(const QImage& image, int x, int y) { return qPremultiply(image.pixel(x, y)); }

} // namespace

class TestPictures : public QObject {
    Q_OBJECT

    QTemporaryDir out_;
    QStringList generated_;

private slots:
    void initTestCase()
    {
        QVERIFY(out_.isValid());
        QProcess gen;
        gen.start(QStringLiteral(LEXORIA_TOOLS_DIR "/genpictures"), {out_.path()});
        QVERIFY2(gen.waitForFinished(-1), qPrintable(gen.errorString()));
        QCOMPARE(gen.exitStatus(), QProcess::NormalExit);
        QVERIFY2(gen.exitCode() == 0, gen.readAllStandardError().constData());
        generated_ = QDir(out_.path()).entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name);
        QVERIFY(!generated_.isEmpty());
    }

    void everyKeptPictureIsGenerated()
    {
        QCOMPARE(QDir(kAssets).entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name), generated_);
    }

    void resourceFileMatches()
    {
        QFile generated(out_.filePath(QStringLiteral("assets.qrc")));
        QFile kept(kAssets + QStringLiteral("/assets.qrc"));
        QVERIFY(generated.open(QIODevice::ReadOnly));
        QVERIFY2(kept.open(QIODevice::ReadOnly), qPrintable(kept.fileName()));
        QVERIFY2(generated.readAll() == kept.readAll(),
                 "assets/assets.qrc differs from the generator's; regenerate it");
    }

    void pictureMatches_data()
    {
        QTest::addColumn<QString>("name");
        for (const QString& name : std::as_const(generated_))
            QTest::newRow(qPrintable(name)) << name;
    }

    void pictureMatches()
    {
        QFETCH(QString, name);
        const QImage generated(out_.filePath(name), "PNG");
        const QImage kept(kAssets + QLatin1Char('/') + name, "PNG");
        QVERIFY(!generated.isNull());
        QVERIFY2(!kept.isNull(), qPrintable(QStringLiteral("assets/%1 is missing or unreadable").arg(name)));
        QCOMPARE(kept.size(), generated.size());
        QCOMPARE(kept.format(), generated.format());
        QCOMPARE(kept.colorTable(), generated.colorTable());
        for (int y = 0; y < kept.height(); ++y)
            for (int x = 0; x < kept.width(); ++x)
                if (painted(kept, x, y) != painted(generated, x, y))
                    QFAIL(qPrintable(QStringLiteral("assets/%1 differs from the generator's at (%2, %3): #%4, drawn "
                                                    "#%5; regenerate it")
                                         .arg(name)
                                         .arg(x)
                                         .arg(y)
                                         .arg(painted(kept, x, y), 8, 16, QLatin1Char('0'))
                                         .arg(painted(generated, x, y), 8, 16, QLatin1Char('0'))));
    }
};

QTEST_GUILESS_MAIN(TestPictures)
#include "tst_pictures.moc"
