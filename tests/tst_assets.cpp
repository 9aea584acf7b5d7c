// The compiled-in pictures: the splash picture is the indexed 215 x 299 one the
// black splash window expects, the window icon exists at each of its sizes, and
// every toolbar command has its own icon at 24 and 48 pixels.

#include "assets/assets.h"

#include <QImage>
#include <QtTest>

namespace {

const char* const ToolbarNames[] = {
    "elimina",    "stampa",  "menu",   "edilizia", "urbanistica", "espropriazioni", "professionisti", "condominio",
    "enti",       "imprese", "colore", "guida",    "suggerimenti", "supporto",      "informazioni",   "uscita",
};

QImage loadToolbarIcon(const char* name, bool twice)
{
    return QImage(QStringLiteral(":/assets/tb-%1%2.png").arg(QLatin1String(name), twice ? QStringLiteral("@2x") : QString()));
}

} // namespace

class TestAssets : public QObject {
    Q_OBJECT

private slots:
    void splash()
    {
        // Loaded without any set-up call: linking the library registers the pictures.
        const QImage image(QStringLiteral(":/assets/splash.png"));
        QCOMPARE(image.size(), QSize(215, 299));
        QCOMPARE(image.format(), QImage::Format_Indexed8);
        QVERIFY(image.colorCount() <= 256);
        // The picture sits on the black window: its edges are exactly black.
        for (int x = 0; x < image.width(); ++x) {
            QCOMPARE(image.pixel(x, 0), qRgb(0, 0, 0));
            QCOMPARE(image.pixel(x, image.height() - 1), qRgb(0, 0, 0));
        }
        for (int y = 0; y < image.height(); ++y) {
            QCOMPARE(image.pixel(0, y), qRgb(0, 0, 0));
            QCOMPARE(image.pixel(image.width() - 1, y), qRgb(0, 0, 0));
        }
    }

    void windowIcon_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("side");
        QTest::newRow("256") << QStringLiteral(":/assets/lexoria.png") << 256;
        QTest::newRow("32") << QStringLiteral(":/assets/lexoria-32.png") << 32;
        QTest::newRow("16") << QStringLiteral(":/assets/lexoria-16.png") << 16;
    }
    void windowIcon()
    {
        QFETCH(QString, path);
        QFETCH(int, side);
        const QImage image(path);
        QCOMPARE(image.size(), QSize(side, side));
        QVERIFY(image.hasAlphaChannel());
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    }

    // The window icon every window gets: the two small sizes, already decoded.
    void applicationWindowIcon()
    {
        const QIcon icon = Assets::windowIcon();
        QCOMPARE(icon.availableSizes(), (QList<QSize>{QSize(16, 16), QSize(32, 32)}));
        QCOMPARE(icon.pixmap(QSize(32, 32)).size(), QSize(32, 32));
    }

    // One icon per toolbar command, made once and shared by every toolbar.
    void toolbarIconsAreShared()
    {
        for (const char* name : ToolbarNames) {
            const QIcon first = Assets::toolbarIcon(name);
            QVERIFY2(!first.isNull(), name);
            QCOMPARE(first.pixmap(QSize(24, 24)).size(), QSize(24, 24));
            QCOMPARE(Assets::toolbarIcon(name).cacheKey(), first.cacheKey());
        }
        QCOMPARE(Assets::toolbarIcon("stampa", "document-print").cacheKey(),
                 Assets::toolbarIcon("stampa", "document-print").cacheKey());
    }

    void toolbarIcon_data()
    {
        QTest::addColumn<QString>("name");
        for (const char* name : ToolbarNames)
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void toolbarIcon()
    {
        QFETCH(QString, name);
        const QByteArray n = name.toLatin1();
        for (bool twice : {false, true}) {
            const QImage image = loadToolbarIcon(n.constData(), twice);
            const int side = twice ? 48 : 24;
            QCOMPARE(image.size(), QSize(side, side));
            QVERIFY(image.hasAlphaChannel());
            QCOMPARE(qAlpha(image.pixel(0, 0)), 0);   // drawn on a transparent ground
        }
    }

    void toolbarIconsDiffer()
    {
        for (bool twice : {false, true}) {
            std::vector<std::pair<const char*, QImage>> icons;
            for (const char* name : ToolbarNames)
                icons.emplace_back(name, loadToolbarIcon(name, twice));
            for (std::size_t i = 0; i < icons.size(); ++i)
                for (std::size_t j = i + 1; j < icons.size(); ++j)
                    QVERIFY2(icons[i].second != icons[j].second,
                             qPrintable(QStringLiteral("%1 and %2").arg(QLatin1String(icons[i].first),
                                                                        QLatin1String(icons[j].first))));
        }
    }
};

QTEST_MAIN(TestAssets)
#include "tst_assets.moc"
