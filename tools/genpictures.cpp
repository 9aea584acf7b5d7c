// Draws the program's pictures: the splash picture, the window icon and the
// toolbar icons of the browser window, plus the resource file that lists them.
// Usage: genpictures OUTDIR      (the shipped copies are kept in assets/)
//        genpictures --icons DIR (the application icon for the desktop's icon
//                                 theme, run by the build for the package)
//
// Everything is drawn from vector shapes with QPainter, so the output depends on
// nothing but this file and is the same on every run and every machine (colours
// are unpremultiplied here, not by Qt). No text is drawn, so no font is needed and
// no QGuiApplication either. tests/tst_pictures.cpp checks assets/ against it.
//
//   splash.png            215 x 299, 256-colour indexed, shown on the black splash window
//   lexoria.png           256 x 256 window icon; lexoria-32.png and lexoria-16.png
//   tb-<name>.png         24 x 24 toolbar icon; tb-<name>@2x.png is the 48 x 48 one
//   assets.qrc            every file above under the prefix /assets
//
// With --icons, DIR receives the application icon at the sizes of the hicolor
// theme: <N>x<N>/apps/example.velaria.Lexoria.png for N from 16 to 256.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <unordered_map>
#include <vector>

namespace {

// ---------------------------------------------------------------------------
// Shape helpers

QPainterPath polygon(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    bool first = true;
    for (const QPointF& p : points) {
        if (first)
            path.moveTo(p);
        else
            path.lineTo(p);
        first = false;
    }
    path.closeSubpath();
    return path;
}

QPainterPath rect(double x, double y, double w, double h)
{
    QPainterPath path;
    path.addRect(QRectF(x, y, w, h));
    return path;
}

QPainterPath roundRect(double x, double y, double w, double h, double r)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(x, y, w, h), r, r);
    return path;
}

QPainterPath circle(double cx, double cy, double r)
{
    QPainterPath path;
    path.addEllipse(QPointF(cx, cy), r, r);
    return path;
}

QColor mix(const QColor& a, const QColor& b, double t)
{
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t),
                            float(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

// ---------------------------------------------------------------------------
// Reduction to 256 colours: a median-cut palette refined by a few k-means
// rounds, then serpentine Floyd-Steinberg dithering. Pure black is always
// palette entry 0 and stays exactly black, so the picture's background melts
// into the black window around it.

struct Rgb {
    double r, g, b;
};

constexpr double WeightR = 3, WeightG = 4, WeightB = 2;

double distance(const Rgb& a, const Rgb& b)
{
    const double dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
    return WeightR * dr * dr + WeightG * dg * dg + WeightB * db * db;
}

struct Bin {
    Rgb colour;
    double weight;
};

std::vector<Rgb> medianCut(std::vector<Bin> bins, int count)
{
    struct Box {
        std::vector<Bin> bins;
        double spread = 0;
        int axis = 0;
    };
    auto channel = [](const Rgb& c, int axis) { return axis == 0 ? c.r : axis == 1 ? c.g : c.b; };
    auto measure = [&](Box& box) {
        double w = 0, mean[3] = {0, 0, 0};
        for (const Bin& b : box.bins) {
            w += b.weight;
            for (int a = 0; a < 3; ++a)
                mean[a] += channel(b.colour, a) * b.weight;
        }
        double var[3] = {0, 0, 0};
        for (int a = 0; a < 3; ++a)
            mean[a] /= w;
        for (const Bin& b : box.bins)
            for (int a = 0; a < 3; ++a) {
                const double d = channel(b.colour, a) - mean[a];
                var[a] += d * d * b.weight;
            }
        const double weights[3] = {WeightR, WeightG, WeightB};
        box.axis = 0;
        for (int a = 1; a < 3; ++a)
            if (var[a] * weights[a] > var[box.axis] * weights[box.axis])
                box.axis = a;
        box.spread = box.bins.size() < 2 ? -1 : var[0] * WeightR + var[1] * WeightG + var[2] * WeightB;
    };

    std::vector<Box> boxes(1);
    boxes[0].bins = std::move(bins);
    measure(boxes[0]);
    while (int(boxes.size()) < count) {
        auto widest = std::max_element(boxes.begin(), boxes.end(),
                                       [](const Box& a, const Box& b) { return a.spread < b.spread; });
        if (widest->spread <= 0)
            break;
        const int axis = widest->axis;
        std::sort(widest->bins.begin(), widest->bins.end(), [&](const Bin& a, const Bin& b) {
            return channel(a.colour, axis) < channel(b.colour, axis);
        });
        double total = 0;
        for (const Bin& b : widest->bins)
            total += b.weight;
        double running = 0;
        std::size_t cut = 1;
        for (; cut < widest->bins.size() - 1; ++cut) {
            running += widest->bins[cut - 1].weight;
            if (running >= total / 2)
                break;
        }
        Box upper;
        upper.bins.assign(widest->bins.begin() + long(cut), widest->bins.end());
        widest->bins.resize(cut);
        measure(*widest);
        measure(upper);
        boxes.push_back(std::move(upper));
    }

    std::vector<Rgb> palette;
    for (const Box& box : boxes) {
        Rgb sum{0, 0, 0};
        double w = 0;
        for (const Bin& b : box.bins) {
            sum.r += b.colour.r * b.weight;
            sum.g += b.colour.g * b.weight;
            sum.b += b.colour.b * b.weight;
            w += b.weight;
        }
        palette.push_back({sum.r / w, sum.g / w, sum.b / w});
    }
    return palette;
}

int nearest(const std::vector<Rgb>& palette, const Rgb& c)
{
    int best = 0;
    double bestDistance = distance(palette[0], c);
    for (int i = 1; i < int(palette.size()); ++i) {
        const double d = distance(palette[std::size_t(i)], c);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

QImage toIndexed(const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int w = image.width(), h = image.height();

    std::unordered_map<QRgb, double> histogram;
    for (int y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x)
            if (qRed(line[x]) || qGreen(line[x]) || qBlue(line[x]))
                histogram[line[x] & 0xffffff] += 1;
    }
    std::vector<Bin> bins;
    for (const auto& [rgb, weight] : histogram)
        bins.push_back({{double(qRed(rgb)), double(qGreen(rgb)), double(qBlue(rgb))}, weight});
    std::sort(bins.begin(), bins.end(), [](const Bin& a, const Bin& b) {
        return qRgb(int(a.colour.r), int(a.colour.g), int(a.colour.b)) <
               qRgb(int(b.colour.r), int(b.colour.g), int(b.colour.b));
    });

    std::vector<Rgb> palette = medianCut(bins, 255);
    for (int round = 0; round < 6; ++round) {
        std::vector<Rgb> sums(palette.size(), {0, 0, 0});
        std::vector<double> weights(palette.size(), 0);
        for (const Bin& b : bins) {
            const auto i = std::size_t(nearest(palette, b.colour));
            sums[i].r += b.colour.r * b.weight;
            sums[i].g += b.colour.g * b.weight;
            sums[i].b += b.colour.b * b.weight;
            weights[i] += b.weight;
        }
        for (std::size_t i = 0; i < palette.size(); ++i)
            if (weights[i] > 0)
                palette[i] = {sums[i].r / weights[i], sums[i].g / weights[i], sums[i].b / weights[i]};
    }
    for (Rgb& c : palette)
        c = {std::round(c.r), std::round(c.g), std::round(c.b)};
    palette.insert(palette.begin(), Rgb{0, 0, 0});

    QImage result(w, h, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (const Rgb& c : palette)
        table.append(qRgb(int(c.r), int(c.g), int(c.b)));
    result.setColorTable(table);

    std::unordered_map<int, int> cache;
    std::vector<Rgb> current(std::size_t(w) + 2, {0, 0, 0}), next(std::size_t(w) + 2, {0, 0, 0});
    for (int y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        uchar* out = result.scanLine(y);
        const bool leftToRight = y % 2 == 0;
        std::fill(next.begin(), next.end(), Rgb{0, 0, 0});
        for (int step = 0; step < w; ++step) {
            const int x = leftToRight ? step : w - 1 - step;
            const QRgb px = line[x];
            const std::size_t at = std::size_t(x) + 1;
            if (!(qRed(px) || qGreen(px) || qBlue(px))) {
                out[x] = 0;   // black stays black; its share of the error is dropped
                continue;
            }
            Rgb want{std::clamp(qRed(px) + current[at].r, 0.0, 255.0),
                     std::clamp(qGreen(px) + current[at].g, 0.0, 255.0),
                     std::clamp(qBlue(px) + current[at].b, 0.0, 255.0)};
            const int key = (int(want.r) << 16) | (int(want.g) << 8) | int(want.b);
            auto hit = cache.find(key);
            const int index = hit != cache.end() ? hit->second : cache[key] = nearest(palette, want);
            out[x] = uchar(index);
            const Rgb& got = palette[std::size_t(index)];
            const Rgb err{want.r - got.r, want.g - got.g, want.b - got.b};
            const std::size_t ahead = leftToRight ? at + 1 : at - 1;
            const std::size_t behind = leftToRight ? at - 1 : at + 1;
            auto spread = [](Rgb& to, const Rgb& e, double f) {
                to.r += e.r * f;
                to.g += e.g * f;
                to.b += e.b * f;
            };
            spread(current[ahead], err, 7.0 / 16);
            spread(next[behind], err, 3.0 / 16);
            spread(next[at], err, 5.0 / 16);
            spread(next[ahead], err, 1.0 / 16);
        }
        std::swap(current, next);
    }
    return result;
}

// ---------------------------------------------------------------------------
// The splash picture: a sandstone temple front crowned by a golden scale of
// justice, lit warmly from the left against the black of the window.

namespace warm {
const QColor GoldLight(255, 250, 190);
const QColor Gold(255, 214, 64);
const QColor GoldMid(232, 160, 28);
const QColor GoldDark(150, 86, 14);
const QColor StoneLight(255, 232, 176);
const QColor Stone(238, 184, 104);
const QColor StoneMid(206, 140, 70);
const QColor StoneDark(128, 70, 28);
const QColor StoneDeep(70, 36, 14);
const QColor Shadow(40, 20, 8);
} // namespace warm

// A horizontal gradient across a round object lit from the upper left.
QLinearGradient roundLit(double x0, double x1, const QColor& light, const QColor& body, const QColor& dark)
{
    QLinearGradient g(x0, 0, x1, 0);
    g.setColorAt(0.0, mix(body, dark, 0.25));
    g.setColorAt(0.22, light);
    g.setColorAt(0.55, body);
    g.setColorAt(1.0, dark);
    return g;
}

QLinearGradient vertical(double y0, double y1, const QColor& top, const QColor& bottom)
{
    QLinearGradient g(0, y0, 0, y1);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

void column(QPainter& p, double cx, double top, double bottom, double w)
{
    using namespace warm;
    const double capital = 8, base = 6;
    // The shaft narrows a little towards the top.
    const double shaftTop = top + capital, shaftBottom = bottom - base;
    const double wTop = w * 0.86;
    QPainterPath shaft = polygon({{cx - wTop / 2, shaftTop}, {cx + wTop / 2, shaftTop}, {cx + w / 2, shaftBottom},
                                  {cx - w / 2, shaftBottom}});
    p.fillPath(shaft, roundLit(cx - w / 2, cx + w / 2, StoneLight, Stone, StoneDark));
    // Flutes: soft darker grooves with a light edge beside each.
    for (double f : {0.2, 0.4, 0.6, 0.8}) {
        const double xt = cx - wTop / 2 + wTop * f, xb = cx - w / 2 + w * f;
        p.setPen(QPen(QColor(110, 58, 20, 90), 1.0));
        p.drawLine(QPointF(xt, shaftTop + 1), QPointF(xb, shaftBottom - 1));
    }
    // Capital: a swelling echinus under a square abacus.
    QPainterPath echinus;
    echinus.moveTo(cx - wTop / 2, top + capital);
    echinus.quadTo(cx - w / 2 - 3, top + capital - 1, cx - w / 2 - 3, top + 3);
    echinus.lineTo(cx + w / 2 + 3, top + 3);
    echinus.quadTo(cx + w / 2 + 3, top + capital - 1, cx + wTop / 2, top + capital);
    echinus.closeSubpath();
    p.fillPath(echinus, roundLit(cx - w / 2 - 3, cx + w / 2 + 3, StoneLight, Stone, StoneDark));
    p.fillPath(rect(cx - w / 2 - 4, top, w + 8, 3), roundLit(cx - w / 2 - 4, cx + w / 2 + 4, StoneLight, Stone, StoneMid));
    // Base: a torus over a plinth.
    p.fillPath(roundRect(cx - w / 2 - 2, bottom - base, w + 4, 3, 1.5),
               roundLit(cx - w / 2 - 2, cx + w / 2 + 2, StoneLight, Stone, StoneDark));
    p.fillPath(rect(cx - w / 2 - 3, bottom - 3, w + 6, 3), roundLit(cx - w / 2 - 3, cx + w / 2 + 3, StoneLight, StoneMid, StoneDark));
}

void scaleOfJustice(QPainter& p, double cx, double baseY, double beamY, double halfSpan, double panDrop, double panHalf)
{
    using namespace warm;
    // Pillar.
    const double pillarTop = beamY - 4;
    QPainterPath pillar = polygon({{cx - 2.2, pillarTop}, {cx + 2.2, pillarTop}, {cx + 3.5, baseY - 10}, {cx - 3.5, baseY - 10}});
    p.fillPath(pillar, roundLit(cx - 3.5, cx + 3.5, GoldLight, Gold, GoldDark));
    // Foot: two stepped blocks standing on the apex.
    p.fillPath(roundRect(cx - 7, baseY - 10, 14, 4, 1), roundLit(cx - 7, cx + 7, GoldLight, Gold, GoldDark));
    p.fillPath(roundRect(cx - 10, baseY - 6, 20, 6, 1.5), roundLit(cx - 10, cx + 10, GoldLight, GoldMid, GoldDark));
    // Collar where the pillar meets the foot.
    p.fillPath(roundRect(cx - 5, baseY - 14, 10, 3, 1), roundLit(cx - 5, cx + 5, GoldLight, Gold, GoldDark));

    // Beam: thick at the pivot, thinning to knobs at both ends.
    const double lx = cx - halfSpan, rx = cx + halfSpan;
    QPainterPath beam;
    beam.moveTo(lx, beamY - 1.2);
    beam.quadTo(cx, beamY - 5.5, cx, beamY - 3);
    beam.quadTo(cx, beamY - 5.5, rx, beamY - 1.2);
    beam.lineTo(rx, beamY + 1.2);
    beam.quadTo(cx, beamY + 0.5, cx, beamY + 3);
    beam.quadTo(cx, beamY + 0.5, lx, beamY + 1.2);
    beam.closeSubpath();
    p.fillPath(beam, vertical(beamY - 5, beamY + 3, GoldLight, GoldMid));
    for (double x : {lx, rx}) {
        QRadialGradient knob(x - 1, beamY - 1.2, 3.5);
        knob.setColorAt(0, GoldLight);
        knob.setColorAt(0.6, Gold);
        knob.setColorAt(1, GoldDark);
        p.fillPath(circle(x, beamY, 3), knob);
    }
    // Finial and pivot.
    QRadialGradient finialLight(cx - 2, beamY - 16, 7);
    finialLight.setColorAt(0, GoldLight);
    finialLight.setColorAt(0.5, Gold);
    finialLight.setColorAt(1, GoldDark);
    p.fillPath(circle(cx, beamY - 13, 5), finialLight);
    p.fillPath(polygon({{cx - 1.5, beamY - 17}, {cx, beamY - 25}, {cx + 1.5, beamY - 17}}), QColor(255, 230, 120));
    QRadialGradient pivotLight(cx - 1.5, beamY - 1.5, 6);
    pivotLight.setColorAt(0, GoldLight);
    pivotLight.setColorAt(0.5, Gold);
    pivotLight.setColorAt(1, GoldDark);
    p.fillPath(circle(cx, beamY, 4.5), pivotLight);
    p.fillPath(circle(cx, beamY, 1.6), GoldDark);

    // Pans on three cords each.
    for (double px : {lx, rx}) {
        const double rimY = beamY + panDrop;
        p.setPen(QPen(QColor(255, 224, 110), 1.1));
        p.drawLine(QPointF(px, beamY + 2.5), QPointF(px - panHalf + 1.5, rimY));
        p.drawLine(QPointF(px, beamY + 2.5), QPointF(px + panHalf - 1.5, rimY));
        p.setPen(QPen(QColor(214, 150, 40), 1.1));
        p.drawLine(QPointF(px, beamY + 2.5), QPointF(px, rimY - 1));
        p.setPen(Qt::NoPen);
        QPainterPath bowl;
        bowl.moveTo(px - panHalf, rimY);
        bowl.cubicTo(px - panHalf * 0.8, rimY + 14, px + panHalf * 0.8, rimY + 14, px + panHalf, rimY);
        bowl.closeSubpath();
        p.fillPath(bowl, roundLit(px - panHalf, px + panHalf, GoldLight, Gold, GoldDark));
        QPainterPath rim;
        rim.addEllipse(QPointF(px, rimY), panHalf, 2.2);
        p.fillPath(rim, vertical(rimY - 2.2, rimY + 2.2, GoldMid, GoldLight));
        p.fillPath(circle(px, beamY + 3, 1.6), Gold);
    }
}

QImage drawSplash()
{
    using namespace warm;
    constexpr int W = 215, H = 299;
    QImage image(W, H, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);

    const double cx = W / 2.0;

    // A warm glow behind the temple that fades to pure black well inside the edges.
    {
        QRadialGradient glow(cx, 180, 1);
        glow.setColorAt(0, QColor(120, 62, 16, 150));
        glow.setColorAt(0.45, QColor(70, 34, 8, 80));
        glow.setColorAt(1, QColor(0, 0, 0, 0));
        p.save();
        p.translate(cx, 180);
        p.scale(104, 110);
        p.translate(-cx, -180);
        p.fillRect(QRectF(0, 0, W, H), glow);
        p.restore();
        QRadialGradient halo(cx, 45, 1);
        halo.setColorAt(0, QColor(255, 220, 90, 90));
        halo.setColorAt(0.4, QColor(200, 140, 30, 35));
        halo.setColorAt(1, QColor(0, 0, 0, 0));
        p.save();
        p.translate(cx, 45);
        p.scale(70, 44);
        p.translate(-cx, -45);
        p.fillRect(QRectF(0, 0, W, H), halo);
        p.restore();
    }

    // Geometry of the front.
    const double apexY = 118, corniceY = 154, friezeY = 162, architraveY = 171, capitalY = 180;
    const double stylobateY = 250, stepH = 9;
    const double wallL = 52, wallR = W - 52;   // from outer column to outer column

    // Shadowed cella wall with the lit doorway.
    p.fillPath(rect(wallL, capitalY, wallR - wallL, stylobateY - capitalY), vertical(capitalY, stylobateY, StoneDeep, Shadow));
    {
        const double dw = 24, dTop = 198;
        QPainterPath frame = rect(cx - dw / 2 - 4, dTop - 4, dw + 8, stylobateY - dTop + 4);
        p.fillPath(frame, vertical(dTop - 4, stylobateY, StoneMid, StoneDark));
        QLinearGradient light(0, dTop, 0, stylobateY);
        light.setColorAt(0, QColor(255, 236, 150));
        light.setColorAt(0.5, QColor(255, 190, 80));
        light.setColorAt(1, QColor(236, 130, 40));
        p.fillPath(rect(cx - dw / 2, dTop, dw, stylobateY - dTop), light);
        p.fillPath(rect(cx - 0.5, dTop, 1, stylobateY - dTop), QColor(190, 110, 40, 160));
    }

    // Columns: four, the middle pair framing the door.
    const double colW = 17;
    for (double x : {52.0, 84.0, W - 84.0, W - 52.0})
        column(p, x, capitalY, stylobateY, colW);

    // Entablature: architrave, frieze with triglyphs, cornice with dentils.
    const double entL = 28, entR = W - 28;
    p.fillPath(rect(entL, architraveY, entR - entL, capitalY - architraveY), vertical(architraveY, capitalY, StoneLight, StoneMid));
    p.fillPath(rect(entL, architraveY + 4, entR - entL, 1), QColor(150, 86, 34, 140));
    p.fillPath(rect(entL, friezeY, entR - entL, architraveY - friezeY), vertical(friezeY, architraveY, Stone, StoneMid));
    for (double x = entL + 4; x < entR - 6; x += 12.4) {
        p.fillPath(rect(x, friezeY + 1.5, 6, architraveY - friezeY - 3), QColor(150, 84, 30));
        p.fillPath(rect(x + 2, friezeY + 1.5, 0.8, architraveY - friezeY - 3), QColor(90, 46, 16));
        p.fillPath(rect(x + 3.6, friezeY + 1.5, 0.8, architraveY - friezeY - 3), QColor(90, 46, 16));
    }
    const double corL = 20, corR = W - 20;
    p.fillPath(rect(corL, corniceY, corR - corL, friezeY - corniceY), vertical(corniceY, friezeY, StoneLight, StoneMid));
    p.fillPath(rect(corL, corniceY, corR - corL, 1.2), QColor(255, 240, 120));
    for (double x = corL + 2; x < corR - 2; x += 4.5)
        p.fillPath(rect(x, friezeY - 3, 2.5, 2.2), QColor(140, 76, 26));

    // Pediment: raking cornice around a shadowed tympanum.
    QPainterPath pediment = polygon({{corL - 2, corniceY}, {cx, apexY}, {corR + 2, corniceY}});
    p.fillPath(pediment, vertical(apexY, corniceY, StoneLight, Stone));
    QPainterPath tympanum = polygon({{corL + 14, corniceY - 2}, {cx, apexY + 7}, {corR - 14, corniceY - 2}});
    p.fillPath(tympanum, vertical(apexY, corniceY, StoneDark, StoneMid));
    QPainterPath rakeTop;
    rakeTop.moveTo(corL - 2, corniceY);
    rakeTop.lineTo(cx, apexY);
    rakeTop.lineTo(corR + 2, corniceY);
    p.strokePath(rakeTop, QPen(QColor(255, 240, 120), 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));

    // A golden medallion in the tympanum.
    {
        const double my = 142, r = 7.5;
        QRadialGradient ring(cx - 2, my - 2, r + 2);
        ring.setColorAt(0, GoldLight);
        ring.setColorAt(0.5, Gold);
        ring.setColorAt(1, GoldDark);
        p.fillPath(circle(cx, my, r), ring);
        p.fillPath(circle(cx, my, r - 2.2), vertical(my - r, my + r, GoldDark, StoneDark));
        // An eight-point rosette.
        QPainterPath rosette;
        for (int k = 0; k < 8; ++k) {
            const double a = k * M_PI / 4;
            const double ox = std::cos(a) * 3.2, oy = std::sin(a) * 3.2;
            rosette.addEllipse(QPointF(cx + ox, my + oy), 1.2, 1.2);
        }
        p.fillPath(rosette, Gold);
        p.fillPath(circle(cx, my, 1.3), GoldLight);
    }

    // Three steps, tread lit and riser in shade.
    for (int i = 0; i < 3; ++i) {
        const double y = stylobateY + i * stepH, inset = 26 - i * 8;
        p.fillPath(rect(inset, y, W - 2 * inset, stepH), vertical(y, y + stepH, StoneMid, StoneDark));
        p.fillPath(rect(inset, y, W - 2 * inset, 2.2), vertical(y, y + 2.2, StoneLight, Stone));
    }
    {
        const double dw = 24, bottom = stylobateY + 3 * stepH;
        QPainterPath spill = polygon({{cx - dw / 2, stylobateY}, {cx + dw / 2, stylobateY}, {cx + dw / 2 + 12, bottom}, {cx - dw / 2 - 12, bottom}});
        QLinearGradient spillLight(0, stylobateY, 0, bottom);
        spillLight.setColorAt(0, QColor(255, 226, 130, 130));
        spillLight.setColorAt(1, QColor(255, 200, 100, 0));
        p.fillPath(spill, spillLight);
    }
    // The ground: a fading reflection line.
    {
        const double y = stylobateY + 3 * stepH + 1;
        QLinearGradient line(0, 0, W, 0);
        line.setColorAt(0, QColor(0, 0, 0, 0));
        line.setColorAt(0.5, QColor(255, 220, 90, 200));
        line.setColorAt(1, QColor(0, 0, 0, 0));
        p.fillPath(rect(6, y, W - 12, 1.2), line);
    }

    scaleOfJustice(p, cx, apexY + 2, 50, 78, 50, 22);
    p.end();
    return image;
}

// ---------------------------------------------------------------------------
// The window icon: the same motif on a dark rounded tile, drawn afresh at each
// size with coarser detail for the small ones.

QImage drawAppIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    const double s = size / 256.0;
    p.scale(s, s);
    const bool small = size <= 32;
    const double px = 1 / s;   // one device pixel in drawing units
    using namespace warm;

    // The tile.
    const QRectF tile(8, 8, 240, 240);
    QRadialGradient ground(128, 110, 170);
    ground.setColorAt(0, QColor(92, 50, 18));
    ground.setColorAt(1, QColor(26, 14, 6));
    const double border = std::max(10.0, px);
    p.fillPath(roundRect(tile.x(), tile.y(), tile.width(), tile.height(), 48), QColor(150, 92, 24));
    p.fillPath(roundRect(tile.x() + border, tile.y() + border, tile.width() - 2 * border, tile.height() - 2 * border,
                         48 - border),
               ground);
    if (!small) {
        QPainterPath inner = roundRect(tile.x() + border, tile.y() + border, tile.width() - 2 * border,
                                       tile.height() - 2 * border, 48 - border);
        p.strokePath(inner, QPen(QColor(255, 214, 90, 120), 3));
    }

    // The temple.
    const double cx = 128;
    const double apexY = small ? 104 : 110, corniceY = 148, capY = 160, stylY = 200;
    QPainterPath pediment = polygon({{40, corniceY}, {cx, apexY}, {216, corniceY}});
    p.fillPath(pediment, vertical(apexY, corniceY, StoneLight, Stone));
    if (!small)
        p.fillPath(polygon({{70, corniceY - 5}, {cx, apexY + 14}, {186, corniceY - 5}}), vertical(apexY, corniceY, StoneDark, StoneMid));
    p.fillPath(rect(44, corniceY, 168, capY - corniceY), vertical(corniceY, capY, StoneLight, StoneMid));
    p.fillPath(rect(54, capY, 148, stylY - capY), QColor(50, 26, 10));
    const double cw = small ? 26 : 20;
    for (double x : {70.0, 107.0, 149.0, 186.0}) {
        const double c = x;
        p.fillPath(rect(c - cw / 2, capY, cw, stylY - capY), roundLit(c - cw / 2, c + cw / 2, StoneLight, Stone, StoneDark));
        if (!small)
            p.fillPath(rect(c - cw / 2 - 4, capY, cw + 8, 5), StoneLight);
    }
    p.fillPath(rect(40, stylY, 176, 12), vertical(stylY, stylY + 12, StoneLight, StoneMid));
    p.fillPath(rect(30, stylY + 12, 196, 14), vertical(stylY + 12, stylY + 26, Stone, StoneDark));

    // The scale over it.
    const double beamY = small ? 58 : 62, half = small ? 86 : 84, drop = small ? 40 : 42, panHalf = small ? 28 : 26;
    const double pillarW = small ? 16 : 11;
    p.fillPath(rect(cx - pillarW / 2, beamY, pillarW, apexY - beamY), roundLit(cx - pillarW / 2, cx + pillarW / 2, GoldLight, Gold, GoldDark));
    p.fillPath(roundRect(cx - 16, apexY - 10, 32, 10, 3), roundLit(cx - 16, cx + 16, GoldLight, Gold, GoldDark));
    const double beamT = small ? 16 : 9;
    p.fillPath(roundRect(cx - half - 4, beamY - beamT / 2, 2 * half + 8, beamT, beamT / 2), vertical(beamY - beamT / 2, beamY + beamT / 2, GoldLight, GoldMid));
    QRadialGradient knob(cx - 4, beamY - 22, 14);
    knob.setColorAt(0, GoldLight);
    knob.setColorAt(0.6, Gold);
    knob.setColorAt(1, GoldDark);
    p.fillPath(circle(cx, beamY - 16, small ? 14 : 11), knob);
    for (double x : {cx - half, cx + half}) {
        const double rim = beamY + drop;
        const double cord = std::max(small ? 12.0 : 3.0, px);
        QPen pen(QColor(255, 226, 120), cord, Qt::SolidLine, Qt::RoundCap);
        p.setPen(pen);
        p.drawLine(QPointF(x, beamY), QPointF(x - panHalf + 4, rim));
        p.drawLine(QPointF(x, beamY), QPointF(x + panHalf - 4, rim));
        p.setPen(Qt::NoPen);
        QPainterPath bowl;
        bowl.moveTo(x - panHalf, rim);
        bowl.cubicTo(x - panHalf * 0.8, rim + 26, x + panHalf * 0.8, rim + 26, x + panHalf, rim);
        bowl.closeSubpath();
        p.fillPath(bowl, roundLit(x - panHalf, x + panHalf, GoldLight, Gold, GoldDark));
        if (!small) {
            QPainterPath rimPath;
            rimPath.addEllipse(QPointF(x, rim), panHalf, 4);
            p.fillPath(rimPath, vertical(rim - 4, rim + 4, GoldMid, GoldLight));
        }
    }
    p.end();
    return image;
}

// At 16 pixels the motif is redrawn on the pixel grid: a beam with two pans,
// a two-pixel pillar and a temple front of pediment, four columns and a step.
QImage drawAppIcon16()
{
    using namespace warm;
    QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.fillPath(roundRect(0, 0, 16, 16, 3.5), QColor(150, 92, 24));
    QRadialGradient ground(8, 7, 10);
    ground.setColorAt(0, QColor(92, 50, 18));
    ground.setColorAt(1, QColor(30, 16, 6));
    p.fillPath(roundRect(1, 1, 14, 14, 2.5), ground);

    const QColor bright(255, 226, 110);
    // Scale: finial, beam, pillar, cords and pans.
    p.fillRect(QRectF(7, 1.5, 2, 1.5), Gold);
    p.fillRect(QRectF(2, 3, 12, 1), bright);
    p.fillRect(QRectF(7, 4, 2, 3), Gold);
    for (double x : {4.0, 12.0}) {
        p.setPen(QPen(QColor(230, 170, 60), 0.8));
        p.drawLine(QPointF(x, 4), QPointF(x - 1.8, 6));
        p.drawLine(QPointF(x, 4), QPointF(x + 1.8, 6));
        p.setPen(Qt::NoPen);
        p.fillPath(polygon({{x - 2.5, 6}, {x + 2.5, 6}, {x + 1.2, 7.6}, {x - 1.2, 7.6}}), bright);
    }
    // Temple.
    p.fillPath(polygon({{2, 10}, {8, 7}, {14, 10}}), StoneLight);
    p.fillRect(QRectF(3, 10, 10, 1), Stone);
    p.fillRect(QRectF(3, 11, 10, 2), QColor(50, 26, 10));
    for (int x : {3, 6, 9, 12})
        p.fillRect(QRectF(x, 11, 1, 2), StoneLight);
    p.fillRect(QRectF(2, 13, 12, 1), Stone);
    p.end();
    return image;
}

// ---------------------------------------------------------------------------
// Toolbar icons. Each is drawn on a 24-unit grid with a one-unit dark outline;
// outlines sit on half units so that they fall on whole pixels at 24 and at
// 48 pixels. The palette is shared by all of them.

namespace tb {
const QColor Ink(43, 54, 68);
const QColor Paper(255, 255, 255);
const QColor PaperShade(214, 222, 230);
const QColor Rule(150, 164, 178);
const QColor Blue(47, 127, 208);
const QColor BlueDark(31, 92, 160);
const QColor LightBlue(156, 208, 247);
const QColor Red(224, 72, 72);
const QColor Amber(245, 184, 46);
const QColor Yellow(255, 218, 74);
const QColor Green(67, 160, 71);
const QColor LightGreen(165, 214, 167);
const QColor PaleGreen(205, 234, 206);
const QColor Orange(239, 125, 49);
const QColor Brick(208, 94, 56);
const QColor Wood(230, 192, 136);
const QColor Brown(156, 98, 58);
const QColor Slate(95, 115, 134);
const QColor Steel(170, 184, 198);
const QColor Purple(142, 108, 201);
const QColor Stone(238, 230, 212);
const QColor StoneShade(176, 164, 142);
const QColor Terracotta(226, 140, 84);
const QColor Dark(52, 65, 78);
} // namespace tb

void shape(QPainter& p, const QPainterPath& path, const QBrush& fill, double outline = 1.0)
{
    p.fillPath(path, fill);
    if (outline > 0)
        p.strokePath(path, QPen(tb::Ink, outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

void line(QPainter& p, QPointF a, QPointF b, const QColor& colour, double width = 1.0)
{
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(a, b);
    p.setPen(Qt::NoPen);
}

void iconElimina(QPainter& p)
{
    using namespace tb;
    shape(p, polygon({{4.5, 2.5}, {13.5, 2.5}, {18.5, 7.5}, {18.5, 21.5}, {4.5, 21.5}}), Paper);
    shape(p, polygon({{13.5, 2.5}, {13.5, 7.5}, {18.5, 7.5}}), PaperShade);
    p.fillRect(QRectF(7, 9, 9, 1), Rule);
    p.fillRect(QRectF(7, 12, 6, 1), Rule);
    p.fillRect(QRectF(7, 15, 4, 1), Rule);
    shape(p, circle(17, 17, 5.5), Red);
    line(p, {15, 15}, {19, 19}, Paper, 1.8);
    line(p, {19, 15}, {15, 19}, Paper, 1.8);
}

void iconStampa(QPainter& p)
{
    using namespace tb;
    shape(p, rect(6.5, 2.5, 11, 7), Paper);
    p.fillRect(QRectF(8, 5, 8, 1), Rule);
    shape(p, roundRect(2.5, 8.5, 19, 9, 2), Slate);
    p.fillPath(roundRect(3.5, 9.5, 17, 3, 1), Steel);
    p.fillPath(rect(5.5, 13.5, 13, 2), Dark);
    shape(p, rect(6.5, 14.5, 11, 7), Paper);
    p.fillRect(QRectF(8, 17, 8, 1), Rule);
    p.fillRect(QRectF(8, 19, 5, 1), Rule);
    p.fillPath(circle(18.5, 11, 1), QColor(120, 230, 120));
}

void iconMenu(QPainter& p)
{
    using namespace tb;
    const QColor tiles[] = {Blue, Orange, Green, Purple};
    const QPointF at[] = {{2.5, 2.5}, {12.5, 2.5}, {2.5, 12.5}, {12.5, 12.5}};
    for (int i = 0; i < 4; ++i)
        shape(p, roundRect(at[i].x(), at[i].y(), 9, 9, 2), tiles[i]);
    // A house on the first tile, list rows on the others.
    p.fillPath(polygon({{3.8, 7.4}, {7, 4.2}, {10.2, 7.4}}), Paper);
    p.fillPath(rect(5, 7, 4, 3), Paper);
    p.fillPath(rect(6.5, 8, 1, 2), Blue);
    for (int i = 1; i < 4; ++i) {
        p.fillRect(QRectF(at[i].x() + 2.5, at[i].y() + 2.5, 4, 1), Paper);
        p.fillRect(QRectF(at[i].x() + 2.5, at[i].y() + 5.5, 4, 1), Paper);
    }
}

void iconEdilizia(QPainter& p)
{
    using namespace tb;
    // The building going up: a brick wall with a stepped top.
    shape(p, polygon({{10.5, 21.5}, {10.5, 14.5}, {16.5, 14.5}, {16.5, 17.5}, {21.5, 17.5}, {21.5, 21.5}}), Brick);
    p.fillRect(QRectF(11, 17.5, 5.5, 0.8), QColor(255, 210, 190));
    p.fillRect(QRectF(11, 19.5, 10, 0.8), QColor(255, 210, 190));
    p.fillRect(QRectF(13.3, 15, 0.8, 2.5), QColor(255, 210, 190));
    p.fillRect(QRectF(15.6, 18.3, 0.8, 1.2), QColor(255, 210, 190));
    p.fillRect(QRectF(19, 18.3, 0.8, 1.2), QColor(255, 210, 190));
    // The tower crane.
    shape(p, rect(5.5, 5.5, 3, 16), Amber);
    QPainterPath lattice;
    lattice.moveTo(5.5, 5.5);
    for (int i = 1; i <= 5; ++i)
        lattice.lineTo(i % 2 ? 8.5 : 5.5, 5.5 + i * 3.2);
    p.strokePath(lattice, QPen(Ink, 0.7));
    shape(p, rect(1.5, 3.5, 21, 2), Amber);
    shape(p, polygon({{5.5, 3.5}, {7, 0.8}, {8.5, 3.5}}), Amber);
    shape(p, rect(1.5, 5.5, 3, 2.5), Slate);
    line(p, {17.5, 5.5}, {17.5, 9.5}, Ink, 0.8);
    shape(p, rect(15.5, 9.5, 4, 3), Brick);
    line(p, {0.5, 21.5}, {23.5, 21.5}, Ink, 1.0);
}

void iconUrbanistica(QPainter& p)
{
    using namespace tb;
    const QPainterPath left = polygon({{2.5, 5.5}, {8.5, 3.5}, {8.5, 19.5}, {2.5, 21.5}});
    const QPainterPath middle = polygon({{8.5, 3.5}, {15.5, 5.5}, {15.5, 21.5}, {8.5, 19.5}});
    const QPainterPath right = polygon({{15.5, 5.5}, {21.5, 3.5}, {21.5, 19.5}, {15.5, 21.5}});
    p.fillPath(left, LightGreen);
    p.fillPath(middle, PaleGreen);
    p.fillPath(right, LightGreen);
    p.save();
    p.setClipPath(left.united(middle).united(right));
    line(p, {1, 15.5}, {23, 11}, Paper, 2.2);
    line(p, {10.5, 2}, {12.5, 23}, Paper, 2.2);
    // Blocks between the roads.
    p.fillPath(rect(4, 8, 3, 3), Terracotta);
    p.fillPath(rect(4, 17, 3, 2.5), Terracotta);
    p.fillPath(rect(13.5, 15.5, 4, 3), Terracotta);
    p.restore();
    p.strokePath(left.united(middle).united(right), QPen(Ink, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    line(p, {8.5, 3.5}, {8.5, 19.5}, Ink, 0.8);
    line(p, {15.5, 5.5}, {15.5, 21.5}, Ink, 0.8);
    // A pin on the map.
    QPainterPath pin;
    pin.moveTo(18, 13.5);
    pin.cubicTo(16.8, 11.5, 15, 10, 15, 8);
    pin.arcTo(QRectF(15, 5, 6, 6), 180, -180);
    pin.cubicTo(21, 10, 19.2, 11.5, 18, 13.5);
    pin.closeSubpath();
    shape(p, pin, Red);
    p.fillPath(circle(18, 8, 1.1), Paper);
}

void iconEspropriazioni(QPainter& p)
{
    using namespace tb;
    shape(p, roundRect(2.5, 7.5, 14, 14, 1.5), LightGreen);
    QPen dashed(Red, 1.0, Qt::CustomDashLine, Qt::FlatCap);
    dashed.setDashPattern({2, 1.5});
    p.strokePath(rect(4.5, 9.5, 10, 10), dashed);
    shape(p, polygon({{6.5, 14.5}, {9.5, 11.5}, {12.5, 14.5}}), Red, 0.8);
    shape(p, rect(7.5, 14.5, 4, 3.5), Paper, 0.8);
    // The arrow carrying it away.
    p.save();
    p.translate(17, 7);
    p.rotate(-45);
    shape(p, polygon({{-6, -1.6}, {1, -1.6}, {1, -4.5}, {6.5, 0}, {1, 4.5}, {1, 1.6}, {-6, 1.6}}), Orange);
    p.restore();
}

void iconProfessionisti(QPainter& p)
{
    using namespace tb;
    QPainterPath square = polygon({{3.5, 3.5}, {3.5, 20.5}, {20.5, 20.5}});
    square.addPath(polygon({{7, 11}, {7, 17}, {13, 17}}));
    square.setFillRule(Qt::OddEvenFill);
    shape(p, square, QColor(86, 168, 228));
    for (double y : {7.0, 10.0, 13.0, 16.0})
        line(p, {3.5, y}, {5, y}, Ink, 0.7);
    for (double x : {8.0, 11.0, 14.0, 17.0})
        line(p, {x, 20.5}, {x, 19}, Ink, 0.7);
    // The compass.
    line(p, {16, 4}, {12.5, 13.5}, Ink, 2.4);
    line(p, {16, 4}, {20.5, 13.5}, Ink, 2.4);
    line(p, {16, 4}, {12.5, 13.5}, Steel, 1.0);
    line(p, {16, 4}, {20.5, 13.5}, Steel, 1.0);
    line(p, {20.2, 12.8}, {20.6, 14.2}, Amber, 1.2);
    shape(p, circle(16, 3.5, 1.8), Slate, 0.8);
}

void iconCondominio(QPainter& p)
{
    using namespace tb;
    shape(p, rect(4.5, 3.5, 15, 18), Terracotta);
    shape(p, rect(3.5, 1.5, 17, 2), Brown);
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col)
            p.fillRect(QRectF(6 + col * 3.3, 5 + row * 3.2, 2, 2), LightBlue);
    p.fillRect(QRectF(6, 17.8, 2, 2), LightBlue);
    p.fillRect(QRectF(15.9, 17.8, 2, 2), LightBlue);
    shape(p, rect(10.5, 17.5, 3, 4), Brown, 0.8);
}

void iconEnti(QPainter& p)
{
    using namespace tb;
    line(p, {12, 7}, {12, 0.8}, Ink, 1.0);
    p.fillRect(QRectF(12.5, 1, 2, 3.6), Green);
    p.fillRect(QRectF(14.5, 1, 2, 3.6), Paper);
    p.fillRect(QRectF(16.5, 1, 2, 3.6), Red);
    p.strokePath(rect(12.5, 1, 6, 3.6), QPen(Ink, 0.7));
    shape(p, rect(3.5, 12.5, 17, 7), StoneShade);
    for (double x : {5.0, 9.0, 13.0, 17.0})
        shape(p, rect(x + 0.5, 13, 1.5, 6), Paper, 0.8);
    shape(p, polygon({{2.5, 10.5}, {12, 5.5}, {21.5, 10.5}}), Stone);
    shape(p, rect(3.5, 10.5, 17, 2), Stone);
    shape(p, rect(2.5, 19.5, 19, 2), Stone);
}

void iconImprese(QPainter& p)
{
    using namespace tb;
    // A builder's hard hat: dome, ridge and brim.
    QPainterPath dome;
    dome.moveTo(4.5, 15.5);
    dome.arcTo(QRectF(4.5, 4.5, 15, 22), 180, -180);
    dome.closeSubpath();
    shape(p, dome, Yellow);
    QPainterPath shine;
    shine.arcMoveTo(QRectF(6.5, 6.5, 11, 18), 150);
    shine.arcTo(QRectF(6.5, 6.5, 11, 18), 150, 22);
    p.strokePath(shine, QPen(Paper, 1.2, Qt::SolidLine, Qt::RoundCap));
    shape(p, roundRect(10.5, 4.2, 3, 11.3, 1.2), Amber, 0.8);
    shape(p, roundRect(1.5, 15.5, 21, 3, 1.5), Amber);
    p.fillRect(QRectF(6, 19, 12, 1), QColor(0, 0, 0, 40));
}

void iconColore(QPainter& p)
{
    using namespace tb;
    QPainterPath palette;
    palette.addEllipse(QRectF(2.5, 4.5, 19, 15));
    palette = palette.subtracted(circle(8, 15.2, 1.8));
    QPainterPath notch;
    notch.addEllipse(QRectF(12, 15, 6.5, 6.5));
    palette = palette.subtracted(notch);
    shape(p, palette, Wood);
    shape(p, circle(7, 10, 1.8), Red, 0.7);
    shape(p, circle(11.5, 7.6, 1.8), Yellow, 0.7);
    shape(p, circle(16, 8, 1.8), Blue, 0.7);
    shape(p, circle(18, 12.5, 1.8), Green, 0.7);
}

void iconGuida(QPainter& p)
{
    using namespace tb;
    shape(p, rect(6.5, 4.5, 13, 17), Paper);
    shape(p, roundRect(4.5, 2.5, 14, 17, 1.2), Blue);
    p.fillPath(rect(5, 3, 2, 16), BlueDark);
    QPainterPath question;
    const QRectF arc(10, 5.5, 5.5, 5.5);
    question.arcMoveTo(arc, 160);
    question.arcTo(arc, 160, -235);
    question.lineTo(12.75, 12.6);
    p.strokePath(question, QPen(Paper, 1.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.fillPath(circle(12.75, 15.6, 1.15), Paper);
}

void iconSuggerimenti(QPainter& p)
{
    using namespace tb;
    for (auto [a, b] : std::initializer_list<std::pair<QPointF, QPointF>>{
             {{1.5, 9}, {3.5, 9}}, {{20.5, 9}, {22.5, 9}}, {{3.8, 2.3}, {5.3, 3.8}}, {{20.2, 2.3}, {18.7, 3.8}}})
        line(p, a, b, Orange, 1.3);
    QPainterPath glass = circle(12, 9, 6.2);
    glass = glass.united(polygon({{8.3, 12.5}, {9.5, 16.5}, {14.5, 16.5}, {15.7, 12.5}}));
    shape(p, glass, Yellow);
    QPainterPath shine;
    shine.arcMoveTo(QRectF(8, 5, 8, 8), 110);
    shine.arcTo(QRectF(8, 5, 8, 8), 110, 55);
    p.strokePath(shine, QPen(Paper, 1.2, Qt::SolidLine, Qt::RoundCap));
    line(p, {10.5, 16.3}, {11.2, 12.5}, Amber, 0.8);
    line(p, {13.5, 16.3}, {12.8, 12.5}, Amber, 0.8);
    shape(p, roundRect(9.5, 16.5, 5, 4, 1), Steel);
    line(p, {9.8, 18.5}, {14.2, 18.5}, Ink, 0.7);
    shape(p, roundRect(10.8, 20.5, 2.4, 1.6, 0.8), Slate, 0.7);
}

void iconSupporto(QPainter& p)
{
    using namespace tb;
    const QPainterPath ring = circle(12, 12, 9.5).subtracted(circle(12, 12, 4.5));
    p.fillPath(ring, Paper);
    for (int k = 0; k < 4; ++k) {
        QPainterPath slice;
        slice.moveTo(12, 12);
        slice.arcTo(QRectF(1, 1, 22, 22), 45 + 90 * k - 22.5, 45);
        slice.closeSubpath();
        p.fillPath(ring.intersected(slice), Red);
    }
    p.strokePath(circle(12, 12, 9.5), QPen(Ink, 1.0));
    p.strokePath(circle(12, 12, 4.5), QPen(Ink, 1.0));
    // Rope ties on the white quarters.
    for (int k = 0; k < 4; ++k) {
        const double a = k * M_PI / 2;
        line(p, {12 + std::cos(a) * 5.5, 12 + std::sin(a) * 5.5}, {12 + std::cos(a) * 8.5, 12 + std::sin(a) * 8.5},
             Steel, 1.0);
    }
}

void iconInformazioni(QPainter& p)
{
    using namespace tb;
    shape(p, circle(12, 12, 9.5), Blue);
    p.fillPath(circle(12, 7, 1.6), Paper);
    p.fillPath(roundRect(10.8, 10, 2.4, 8, 0.5), Paper);
    p.fillPath(rect(9.8, 10, 2, 1.2), Paper);
    p.fillPath(rect(9.8, 16.8, 4.4, 1.2), Paper);
}

void iconUscita(QPainter& p)
{
    using namespace tb;
    shape(p, rect(3.5, 2.5, 11, 19), Dark);
    p.fillPath(rect(4, 19, 10, 2), QColor(255, 226, 140));
    shape(p, polygon({{3.5, 2.5}, {9.5, 4.5}, {9.5, 19.5}, {3.5, 21.5}}), Brown);
    p.fillPath(circle(8.2, 12.5, 0.9), Amber);
    shape(p, polygon({{10.5, 10.5}, {15.5, 10.5}, {15.5, 7}, {21.5, 12}, {15.5, 17}, {15.5, 13.5}, {10.5, 13.5}}), Green);
}

struct ToolbarIcon {
    const char* name;
    void (*paint)(QPainter&);
};

constexpr ToolbarIcon ToolbarIcons[] = {
    {"elimina", iconElimina},
    {"stampa", iconStampa},
    {"menu", iconMenu},
    {"edilizia", iconEdilizia},
    {"urbanistica", iconUrbanistica},
    {"espropriazioni", iconEspropriazioni},
    {"professionisti", iconProfessionisti},
    {"condominio", iconCondominio},
    {"enti", iconEnti},
    {"imprese", iconImprese},
    {"colore", iconColore},
    {"guida", iconGuida},
    {"suggerimenti", iconSuggerimenti},
    {"supporto", iconSupporto},
    {"informazioni", iconInformazioni},
    {"uscita", iconUscita},
};

QImage drawToolbarIcon(const ToolbarIcon& icon, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.scale(size / 24.0, size / 24.0);
    icon.paint(p);
    p.end();
    return image;
}

// ---------------------------------------------------------------------------

// PNG keeps colours unpremultiplied. Qt's own conversion rounds them differently
// with the processor's vector instructions, so it is done here in integers: the
// same pixels on every machine, and premultiplied again they are exactly the drawing.
QImage straightAlpha(const QImage& image)
{
    if (image.format() != QImage::Format_ARGB32_Premultiplied)
        return image;
    QImage out(image.size(), QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int a = qAlpha(in[x]);
            const auto channel = [a](int c) { return std::min(255, (c * 255 + a / 2) / a); };
            line[x] = a == 0     ? 0
                      : a == 255 ? in[x]
                                 : qRgba(channel(qRed(in[x])), channel(qGreen(in[x])), channel(qBlue(in[x])), a);
        }
    }
    return out;
}

bool save(const QImage& image, const QDir& dir, const QString& name, QStringList& written)
{
    const QString path = dir.filePath(name);
    if (!straightAlpha(image).save(path, "PNG")) {
        std::fprintf(stderr, "genpictures: cannot write %s\n", qPrintable(path));
        return false;
    }
    written << name;
    return true;
}

bool writeResourceFile(const QDir& dir, const QStringList& files)
{
    QFile qrc(dir.filePath(QStringLiteral("assets.qrc")));
    if (!qrc.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        std::fprintf(stderr, "genpictures: cannot write %s\n", qPrintable(qrc.fileName()));
        return false;
    }
    QTextStream out(&qrc);
    out << "<!DOCTYPE RCC>\n<!-- Written by tools/genpictures together with the pictures it lists. -->\n"
           "<RCC version=\"1.0\">\n<qresource prefix=\"/assets\">\n";
    for (const QString& f : files)
        out << "    <file>" << f << "</file>\n";
    out << "</qresource>\n</RCC>\n";
    return out.status() == QTextStream::Ok;
}

// The application icon at any size: drawn on the pixel grid at 16, else scaled.
QImage drawAppIconAt(int size) { return size == 16 ? drawAppIcon16() : drawAppIcon(size); }

// The desktop's icon theme looks the icon up by the application's id at each size.
int writeThemeIcons(const QString& root)
{
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QDir dir(QStringLiteral("%1/%2x%2/apps").arg(root).arg(size));
        QStringList written;
        if (!dir.mkpath(QStringLiteral(".")) ||
            !save(drawAppIconAt(size), dir, QStringLiteral("example.velaria.Lexoria.png"), written))
            return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && QLatin1String(argv[1]) == QLatin1String("--icons"))
        return writeThemeIcons(QString::fromLocal8Bit(argv[2]));
    if (argc != 2) {
        std::fprintf(stderr, "usage: genpictures OUTDIR | genpictures --icons DIR\n");
        return 2;
    }
    QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "genpictures: cannot create %s\n", argv[1]);
        return 1;
    }

    QStringList written;
    bool ok = save(toIndexed(drawSplash()), dir, QStringLiteral("splash.png"), written);
    ok = ok && save(drawAppIcon(256), dir, QStringLiteral("lexoria.png"), written);
    ok = ok && save(drawAppIcon(32), dir, QStringLiteral("lexoria-32.png"), written);
    ok = ok && save(drawAppIcon16(), dir, QStringLiteral("lexoria-16.png"), written);
    for (const ToolbarIcon& icon : ToolbarIcons) {
        const QString base = QStringLiteral("tb-") + QLatin1String(icon.name);
        ok = ok && save(drawToolbarIcon(icon, 24), dir, base + QStringLiteral(".png"), written);
        ok = ok && save(drawToolbarIcon(icon, 48), dir, base + QStringLiteral("@2x.png"), written);
    }
    ok = ok && writeResourceFile(dir, written);
    if (!ok)
        return 1;
    std::printf("genpictures: wrote %lld pictures and assets.qrc into %s\n", qlonglong(written.size()), argv[1]);
    return 0;
}
