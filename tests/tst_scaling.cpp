// clsResize and the twips conversion, driven through small windows wired the
// way the program's windows are: the load step creates the scaler and sizes
// the window to the screen, the resize handler rescales the controls.

#include "scaling/clsresize.h"
#include "scaling/linecontrol.h"
#include "scaling/twips.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <QTest>

#include <memory>
#include <type_traits>

using namespace scaling;

namespace {

// What the window looks like at its recorded size: surface and controls in pixels,
// the line's end points in twips.
struct Design {
    QSize surface;
    QList<QRect> rects;
    QLineF line; // twips
};

template <class Base>
class TestForm : public Base {
public:
    static constexpr bool IsMainWindow = std::is_same_v<Base, QMainWindow>;

    TestForm()
    {
        surface = this;
        if constexpr (IsMainWindow) {
            QMenu* file = this->menuBar()->addMenu(QStringLiteral("&File"));
            file->addAction(QStringLiteral("&Apri"));
            file->addSeparator();
            file->addAction(QStringLiteral("&Esci"));
            surface = new QWidget;
            this->setCentralWidget(surface);
        } else {
            // A component without a position on the window comes first.
            new QDialog(this);
        }
        Command1 = new QPushButton(QStringLiteral("OK"), surface);
        placeTwips(Command1, 600, 450, 1800, 510);
        Text1 = new QLineEdit(surface);
        placeTwips(Text1, 3000, 1500, 2400, 1200);
        Line1 = new LineControl(300, 3600, 5700, 4200, surface);
        // Bars placed on the window, not laid out by a QMainWindow: along the
        // top and the bottom edge, full width, as in the program's windows.
        Toolbar1 = new QToolBar(surface);
        Toolbar1->addAction(QStringLiteral("Apri"));
        Toolbar1->addAction(QStringLiteral("Esci"));
        placeTwips(Toolbar1, 0, 0, 6000, 390);
        StatusBar1 = new QStatusBar(surface);
        StatusBar1->setSizeGripEnabled(false);
        StatusBar1->addWidget(new QLabel(QStringLiteral("Pronto.")), 1);
        placeTwips(StatusBar1, 0, 4200, 6000, 300);
        setSurfaceSize(QSize(pixelsFromTwipsX(this, 6000), pixelsFromTwipsY(this, 4500)));
    }

    void Form_Load()
    {
        scaler = std::make_unique<clsResize>();
        scaler->SourceForm(this);
        scaler->SizeFormToScreen(75);
        setOuterHeightTwips(this, 6825);
        setOuterWidthTwips(this, 9600);
    }

    // The client area the controls are designed on.
    void setSurfaceSize(QSize size)
    {
        if constexpr (IsMainWindow)
            size.rheight() += this->menuBar()->heightForWidth(size.width());
        this->resize(size);
    }

    Design design() const
    {
        return {surface->size(),
                {Command1->geometry(), Text1->geometry(), Toolbar1->geometry(), StatusBar1->geometry()},
                {Line1->x1(), Line1->y1(), Line1->x2(), Line1->y2()}};
    }

    std::unique_ptr<clsResize> scaler;
    QWidget* surface;
    QPushButton* Command1;
    QLineEdit* Text1;
    LineControl* Line1;
    QToolBar* Toolbar1;
    QStatusBar* StatusBar1;

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        Base::resizeEvent(event);
        Form_Resize();
    }
    void changeEvent(QEvent* event) override
    {
        if (event->type() == QEvent::WindowStateChange)
            Form_Resize();
        Base::changeEvent(event);
    }

private:
    void Form_Resize()
    {
        if (scaler)
            scaler->ResizeControls();
    }
};

using Form = TestForm<QWidget>;
using MainForm = TestForm<QMainWindow>;

QRect scaled(const QRect& r, double h, double v, FollowedValues f = {})
{
    return {f.left ? qRound(r.x() * h) : r.x(), f.top ? qRound(r.y() * v) : r.y(),
            f.width ? qRound(r.width() * h) : r.width(), f.height ? qRound(r.height() * v) : r.height()};
}

QLineF scaled(const QLineF& l, double h, double v, FollowedValues f = {})
{
    return {f.left ? l.x1() * h : l.x1(), f.top ? l.y1() * v : l.y1(), f.width ? l.x2() * h : l.x2(),
            f.height ? l.y2() * v : l.y2()};
}

void compareLine(const LineControl* line, const QLineF& expected)
{
    QCOMPARE(line->x1(), expected.x1());
    QCOMPARE(line->y1(), expected.y1());
    QCOMPARE(line->x2(), expected.x2());
    QCOMPARE(line->y2(), expected.y2());
}

template <class F>
void verifyScaled(const F& form, const Design& design, double h, double v)
{
    QCOMPARE(form.Command1->geometry(), scaled(design.rects[0], h, v));
    QCOMPARE(form.Text1->geometry(), scaled(design.rects[1], h, v));
    QCOMPARE(form.Toolbar1->geometry(), scaled(design.rects[2], h, v));
    QCOMPARE(form.StatusBar1->geometry(), scaled(design.rects[3], h, v));
    compareLine(form.Line1, scaled(design.line, h, v));
}

// Conversions round to whole pixels, so twips agree to half a pixel.
bool sameTwips(double actual, double expected, double twipsPerPixel)
{
    return qAbs(actual - expected) <= twipsPerPixel / 2;
}

} // namespace

Q_DECLARE_METATYPE(scaling::FollowedValues)

class TestScaling : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { setScreenSizeTwipsOverride(std::nullopt); }

    void followsWindow_data();
    void followsWindow();
    void firstResizeControlsOnlyCaptures();
    void minimisedWindowLeftAlone();
    void tags_data();
    void tags();
    void sizeFormToScreen_data();
    void sizeFormToScreen();
    void drawingSuspendedWhileControlsMove();
    void mainWindowWithMenu_data();
    void mainWindowWithMenu();
    void lineSizesToItsEndPoints();
    void mainWindowBarsAreNotControls();
};

void TestScaling::followsWindow_data()
{
    QTest::addColumn<double>("horizontal");
    QTest::addColumn<double>("vertical");
    QTest::newRow("same size, recorded geometry") << 1.0 << 1.0;
    QTest::newRow("width doubled") << 2.0 << 1.0;
    QTest::newRow("height doubled") << 1.0 << 2.0;
    QTest::newRow("halved") << 0.5 << 0.5;
    QTest::newRow("narrowed") << 0.6 << 1.0;
    QTest::newRow("wider and shorter") << 1.5 << 0.75;
}

// After the load step has moved everything, each size puts every control at
// its recorded geometry times the factors, whatever came before.
void TestScaling::followsWindow()
{
    QFETCH(double, horizontal);
    QFETCH(double, vertical);
    Form form;
    const Design design = form.design();
    form.Form_Load();
    form.show();
    QVERIFY(form.Command1->geometry() != design.rects[0]);

    form.setSurfaceSize(QSize(qRound(design.surface.width() * horizontal),
                              qRound(design.surface.height() * vertical)));
    verifyScaled(form, design, horizontal, vertical);
    // The bars keep to their edges at full width, to the pixel.
    const QSize surface = form.surface->size();
    QVERIFY(qAbs(form.Toolbar1->geometry().top()) <= 1);
    QVERIFY(qAbs(form.Toolbar1->width() - surface.width()) <= 1);
    QVERIFY(qAbs(form.StatusBar1->geometry().bottom() + 1 - surface.height()) <= 1);
    QVERIFY(qAbs(form.StatusBar1->width() - surface.width()) <= 1);
}

void TestScaling::firstResizeControlsOnlyCaptures()
{
    Form form;
    const Design design = form.design();
    clsResize scaler;
    scaler.SourceForm(&form);
    form.resize(800, 600);

    scaler.ResizeControls();
    verifyScaled(form, design, 1, 1);

    form.resize(1600, 300);
    scaler.ResizeControls();
    verifyScaled(form, design, 2, 0.5);
}

void TestScaling::minimisedWindowLeftAlone()
{
    Form form;
    const Design design = form.design();
    form.Form_Load();
    form.show();
    form.setSurfaceSize(design.surface);

    form.setWindowState(Qt::WindowMinimized);
    form.setSurfaceSize(design.surface * 2);
    verifyScaled(form, design, 1, 1);

    form.setWindowState(Qt::WindowNoState);
    QCOMPARE(form.size(), design.surface * 2);
    verifyScaled(form, design, 2, 2);
}

void TestScaling::tags_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<bool>("line");
    QTest::addColumn<FollowedValues>("follow");
    const FollowedValues all;
    const FollowedValues leftTop{true, true, false, false};
    const FollowedValues none{false, false, false, false};
    QTest::newRow("@LT") << "@LT" << false << leftTop;
    QTest::newRow("@lt") << "@lt" << false << leftTop;
    QTest::newRow("@L,T with other text") << "@ left, top" << false << leftTop;
    QTest::newRow("@ alone") << "@" << false << none;
    QTest::newRow("word") << "pulsante" << false << all;
    QTest::newRow("letters after a word") << "x@LT" << false << all;
    QTest::newRow("empty") << "" << false << all;
    QTest::newRow("line, empty") << "" << true << all;
    QTest::newRow("line, @lt: first point") << "@lt" << true << leftTop;
    QTest::newRow("line, @WH: second point") << "@WH" << true << FollowedValues{false, false, true, true};
    QTest::newRow("line, @ alone") << "@" << true << none;
}

void TestScaling::tags()
{
    QFETCH(QString, tag);
    QFETCH(bool, line);
    QFETCH(FollowedValues, follow);
    Form form;
    QWidget* tagged = line ? static_cast<QWidget*>(form.Line1) : form.Command1;
    tagged->setProperty("Tag", tag);
    const Design design = form.design();
    form.Form_Load();
    form.show();

    form.setSurfaceSize(QSize(design.surface.width() * 2, design.surface.height() * 3 / 2));
    if (line) {
        compareLine(form.Line1, scaled(design.line, 2, 1.5, follow));
        QCOMPARE(form.Command1->geometry(), scaled(design.rects[0], 2, 1.5));
    } else {
        QCOMPARE(form.Command1->geometry(), scaled(design.rects[0], 2, 1.5, follow));
        QCOMPARE(form.Text1->geometry(), scaled(design.rects[1], 2, 1.5));
    }
}

void TestScaling::sizeFormToScreen_data()
{
    QTest::addColumn<bool>("shown");
    QTest::newRow("hidden, nominal frame") << false;
    QTest::newRow("shown") << true;
}

void TestScaling::sizeFormToScreen()
{
    QFETCH(bool, shown);
    setScreenSizeTwipsOverride(QSizeF(15360, 11520));
    Form form;
    const Design design = form.design();
    if (shown)
        form.show();
    // Wired as in the load step: when shown, the window's resize handler
    // rescales from inside SizeFormToScreen.
    form.scaler = std::make_unique<clsResize>();
    form.scaler->SourceForm(&form);

    form.scaler->SizeFormToScreen(75);
    const double tx = twipsPerPixelX(&form);
    const double ty = twipsPerPixelY(&form);
    QVERIFY2(sameTwips(topTwips(&form), 1440, ty), qPrintable(QString::number(topTwips(&form))));
    QVERIFY2(sameTwips(leftTwips(&form), 1920, tx), qPrintable(QString::number(leftTwips(&form))));
    QVERIFY2(sameTwips(outerHeightTwips(&form), 8640, ty), qPrintable(QString::number(outerHeightTwips(&form))));
    QVERIFY2(sameTwips(outerWidthTwips(&form), 11520, tx), qPrintable(QString::number(outerWidthTwips(&form))));
    if (!shown) {
        // The nominal frame of a window not yet framed.
        QCOMPARE(form.height(), pixelsFromTwipsY(&form, 8640) - 27);
        QCOMPARE(form.width(), pixelsFromTwipsX(&form, 11520) - 8);
    }
    // The controls follow in the end, also where no resize event reaches the
    // window because it is hidden.
    const double h = double(form.width()) / design.surface.width();
    const double v = double(form.height()) / design.surface.height();
    QCOMPARE(form.Command1->geometry(), scaled(design.rects[0], h, v));
}

void TestScaling::drawingSuspendedWhileControlsMove()
{
    Form form;
    form.Form_Load();
    form.show();
    QList<bool> drawingWhileMoving;
    struct Probe : QObject {
        Form* form;
        QList<bool>* seen;
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::Move || e->type() == QEvent::Resize)
                seen->append(form->updatesEnabled());
            return false;
        }
    } probe;
    probe.form = &form;
    probe.seen = &drawingWhileMoving;
    form.Command1->installEventFilter(&probe);

    form.resize(form.size() * 2);
    QVERIFY(!drawingWhileMoving.isEmpty());
    QVERIFY(!drawingWhileMoving.contains(true));
    QVERIFY(form.updatesEnabled());
    QVERIFY(form.Command1->updatesEnabled());
}

void TestScaling::mainWindowWithMenu_data()
{
    QTest::addColumn<bool>("shown");
    QTest::newRow("hidden") << false;
    QTest::newRow("shown") << true;
}

// The central widget is the scale surface (menu bar excluded); Qt lays out a
// hidden window only when shown, so the hidden case needs its own care. The
// menu entries come first in the control collection and must not stop it.
void TestScaling::mainWindowWithMenu()
{
    QFETCH(bool, shown);
    MainForm form;
    form.layout()->activate(); // measure the window as it would be shown
    const Design design = form.design();
    QCOMPARE(design.surface, QSize(pixelsFromTwipsX(&form, 6000), pixelsFromTwipsY(&form, 4500)));
    QVERIFY(controlsOf(&form).first()->inherits("QAction"));

    form.Form_Load();
    if (shown)
        form.show();
    form.setSurfaceSize(design.surface * 2);
    if (!shown)
        form.scaler->ResizeControls(); // a hidden window gets no resize event
    verifyScaled(form, design, 2, 2);

    form.show();
    QCOMPARE(form.centralWidget()->size(), design.surface * 2);
    verifyScaled(form, design, 2, 2);
}

void TestScaling::lineSizesToItsEndPoints()
{
    QWidget parent;
    LineControl line(300, 3000, 1500, 1500, &parent);
    line.setPenWidth(3);
    const QRect span(QPoint(pixelsFromTwipsX(&line, 300), pixelsFromTwipsY(&line, 1500)),
                     QPoint(pixelsFromTwipsX(&line, 1500), pixelsFromTwipsY(&line, 3000)));
    QVERIFY(line.geometry().contains(span));
    QVERIFY(line.geometry().width() <= span.width() + 2 * line.penWidth());
    QVERIFY(line.geometry().height() <= span.height() + 2 * line.penWidth());
}

// A QMainWindow places its own status bar and tool bars; the scaler must not
// fight it over them, with or without a central widget.
void TestScaling::mainWindowBarsAreNotControls()
{
    for (const bool central : {false, true}) {
        QMainWindow form;
        if (central)
            form.setCentralWidget(new QWidget);
        QStatusBar* status = form.statusBar();
        QToolBar* tools = form.addToolBar(QStringLiteral("Strumenti"));
        const QList<QObject*> controls = controlsOf(&form);
        QVERIFY(!controls.contains(status));
        QVERIFY(!controls.contains(tools));
    }
}

QTEST_MAIN(TestScaling)
#include "tst_scaling.moc"
