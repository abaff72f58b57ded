// Draws every picture the program ships in resources/: the device photos, the
// green arrows, the tab icons and the small button glyphs. Everything is
// painted from code, so the pictures can be regenerated at any time:
//
//   cmake -S tools -B /tmp/pics && cmake --build /tmp/pics
//   QT_QPA_PLATFORM=offscreen /tmp/pics/make_pictures resources/
//
// The output is deterministic (fixed random seeds), so regenerating without
// changing this file gives the same pictures.

#include <QConicalGradient>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <random>
#include <vector>

extern "C" {
#include <jpeglib.h>
}

namespace {

constexpr double kPi = 3.14159265358979323846;

QString g_outDir;
int g_failures = 0;

// ---------------------------------------------------------------- output ---

bool WriteJpeg(const QImage& source, const QString& path, int quality)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB888);
    std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (file == nullptr)
        return false;

    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, file);
    cinfo.image_width = static_cast<JDIMENSION>(image.width());
    cinfo.image_height = static_cast<JDIMENSION>(image.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    cinfo.optimize_coding = TRUE;
    // Full-resolution chroma: the pictures are small and carry engraved text.
    for (int i = 0; i < cinfo.num_components; ++i) {
        cinfo.comp_info[i].h_samp_factor = 1;
        cinfo.comp_info[i].v_samp_factor = 1;
    }
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<uchar*>(image.constScanLine(static_cast<int>(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return std::fclose(file) == 0;
}

void SaveJpeg(const QImage& image, const QString& name)
{
    const QString path = QDir(g_outDir).filePath(name);
    if (!WriteJpeg(image, path, 90)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        ++g_failures;
    } else {
        std::printf("%-24s %dx%d\n", qPrintable(name), image.width(), image.height());
    }
}

void SavePng(const QImage& image, const QString& name)
{
    const QString path = QDir(g_outDir).filePath(name);
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        ++g_failures;
    } else {
        std::printf("%-24s %dx%d\n", qPrintable(name), image.width(), image.height());
    }
}

QImage Transparent(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// --------------------------------------------------------------- helpers ---

QColor Mix(const QColor& a, const QColor& b, double t)
{
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t),
                            static_cast<float>(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

QColor WithAlpha(QColor c, int alpha)
{
    c.setAlpha(alpha);
    return c;
}

// Three box blurs in a row approximate a gaussian; used for soft shadows.
void BlurAlpha(QImage& image, int radius)
{
    const int w = image.width();
    const int h = image.height();
    std::vector<int> a(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x)
            a[static_cast<size_t>(y) * w + x] = qAlpha(line[x]);
    }
    std::vector<int> tmp(a.size());
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                int sum = 0;
                for (int k = -radius; k <= radius; ++k)
                    sum += a[static_cast<size_t>(y) * w + std::clamp(x + k, 0, w - 1)];
                tmp[static_cast<size_t>(y) * w + x] = sum / (2 * radius + 1);
            }
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                int sum = 0;
                for (int k = -radius; k <= radius; ++k)
                    sum += tmp[static_cast<size_t>(std::clamp(y + k, 0, h - 1)) * w + x];
                a[static_cast<size_t>(y) * w + x] = sum / (2 * radius + 1);
            }
    }
    for (int y = 0; y < h; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x)
            line[x] = qRgba(0, 0, 0, a[static_cast<size_t>(y) * w + x]);
    }
}

// Paints a soft shadow of `shape` (offset by `offset`) onto the painter.
void DropShadow(QPainter& p, const QPainterPath& shape, QPointF offset, int blur, int alpha)
{
    QImage shadow(p.device()->width(), p.device()->height(), QImage::Format_ARGB32_Premultiplied);
    shadow.fill(Qt::transparent);
    {
        QPainter sp(&shadow);
        sp.setRenderHint(QPainter::Antialiasing);
        sp.setPen(Qt::NoPen);
        sp.setBrush(QColor(0, 0, 0, alpha));
        sp.drawPath(shape.translated(offset));
    }
    BlurAlpha(shadow, blur);
    p.drawImage(0, 0, shadow);
}

// Text engraved into metal: a light edge below, the cut itself above it.
void EngraveText(QPainter& p, const QRectF& box, const QString& text, const QFont& font,
                 const QColor& cut, const QColor& edge)
{
    QPainterPath path;
    const QFontMetricsF fm(font);
    const double width = fm.horizontalAdvance(text);
    path.addText(box.center().x() - width / 2, box.center().y() + fm.capHeight() / 2, font, text);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(edge);
    p.drawPath(path.translated(0, 0.9));
    p.setBrush(WithAlpha(cut.darker(130), cut.alpha()));
    p.drawPath(path.translated(0, -0.5));
    p.setBrush(cut);
    p.drawPath(path);
    p.restore();
}

void EngravePath(QPainter& p, const QPainterPath& path, const QColor& cut, const QColor& edge)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(edge);
    p.drawPath(path.translated(0, 0.9));
    p.setBrush(cut);
    p.drawPath(path);
    p.restore();
}

// ---------------------------------------------------------------- glyphs ---

// A hand bell centred on `c`, roughly `s` pixels tall.
QPainterPath BellPath(QPointF c, double s)
{
    const double x = c.x();
    const double y = c.y();
    const double top = y - 0.40 * s;
    const double lip = y + 0.24 * s;
    QPainterPath body;
    body.moveTo(x - 0.44 * s, lip);
    body.cubicTo(x - 0.34 * s, lip - 0.06 * s, x - 0.30 * s, y + 0.02 * s, x - 0.30 * s, y - 0.10 * s);
    body.cubicTo(x - 0.30 * s, top - 0.02 * s, x + 0.30 * s, top - 0.02 * s, x + 0.30 * s, y - 0.10 * s);
    body.cubicTo(x + 0.30 * s, y + 0.02 * s, x + 0.34 * s, lip - 0.06 * s, x + 0.44 * s, lip);
    body.lineTo(x + 0.44 * s, lip + 0.07 * s);
    body.lineTo(x - 0.44 * s, lip + 0.07 * s);
    body.closeSubpath();
    QPainterPath clapper;
    clapper.addEllipse(QPointF(x, lip + 0.15 * s), 0.10 * s, 0.09 * s);
    QPainterPath knob;
    knob.addEllipse(QPointF(x, top - 0.03 * s), 0.07 * s, 0.07 * s);
    return body.united(clapper).united(knob);
}

// Head and shoulders, centred on `c`, roughly `s` pixels tall.
QPainterPath PersonPath(QPointF c, double s)
{
    const double x = c.x();
    const double y = c.y();
    QPainterPath head;
    head.addEllipse(QPointF(x, y - 0.20 * s), 0.17 * s, 0.18 * s);
    QPainterPath body;
    body.moveTo(x - 0.36 * s, y + 0.42 * s);
    body.cubicTo(x - 0.36 * s, y + 0.02 * s, x - 0.20 * s, y + 0.03 * s, x, y + 0.03 * s);
    body.cubicTo(x + 0.20 * s, y + 0.03 * s, x + 0.36 * s, y + 0.02 * s, x + 0.36 * s, y + 0.42 * s);
    body.closeSubpath();
    return head.united(body);
}

// ---------------------------------------------------------- device photo ---

struct Finish {
    QColor light;      // upper left of the plate, where the light falls
    QColor base;
    QColor dark;       // lower right
    double brush;      // strength of the brushed-metal streaks
    QColor engraveCut;
    QColor engraveEdge;
    QColor screw;
    QColor bezel;      // metal ring around the call buttons
    QColor face;       // the push surface
    QColor ring;       // illuminated ring between bezel and face
    QColor glyph;
    QColor led;
    QString label;
    double labelSize;
    double labelSpacing;
};

Finish SilverFinish()
{
    Finish f;
    f.light = QColor(236, 238, 240);
    f.base = QColor(196, 199, 203);
    f.dark = QColor(150, 153, 158);
    f.brush = 9.0;
    f.engraveCut = QColor(70, 74, 80);
    f.engraveEdge = QColor(255, 255, 255, 200);
    f.screw = QColor(205, 207, 210);
    f.bezel = QColor(215, 218, 222);
    f.face = QColor(188, 192, 197);
    f.ring = QColor(40, 140, 255);
    f.glyph = QColor(60, 64, 70);
    f.led = QColor(40, 220, 60);
    f.label = QStringLiteral("KEL");
    f.labelSize = 22;
    f.labelSpacing = 3;
    return f;
}

Finish AnthraciteFinish()
{
    Finish f;
    f.light = QColor(98, 102, 108);
    f.base = QColor(64, 67, 72);
    f.dark = QColor(36, 38, 42);
    f.brush = 6.0;
    f.engraveCut = QColor(196, 200, 206);
    f.engraveEdge = QColor(10, 10, 12, 200);
    f.screw = QColor(80, 83, 88);
    f.bezel = QColor(120, 124, 130);
    f.face = QColor(44, 46, 50);
    f.ring = QColor(255, 150, 30);
    f.glyph = QColor(210, 214, 220);
    f.led = QColor(40, 220, 60);
    f.label = QStringLiteral("KEL F");
    f.labelSize = 19;
    f.labelSpacing = 2;
    return f;
}

Finish BrassFinish()
{
    Finish f;
    f.light = QColor(242, 228, 190);
    f.base = QColor(212, 188, 136);
    f.dark = QColor(160, 134, 86);
    f.brush = 8.0;
    f.engraveCut = QColor(92, 70, 34);
    f.engraveEdge = QColor(255, 250, 230, 200);
    f.screw = QColor(214, 196, 150);
    f.bezel = QColor(226, 210, 168);
    f.face = QColor(200, 178, 126);
    f.ring = QColor(255, 240, 200);
    f.glyph = QColor(90, 68, 32);
    f.led = QColor(40, 220, 60);
    f.label = QStringLiteral("GSM Orv");
    f.labelSize = 15;
    f.labelSpacing = 1;
    return f;
}

// Adds brushed-metal streaks inside `shape`: every column gets its own slight
// brightness offset plus some fine grain, like a vertically brushed sheet.
void BrushMetal(QImage& image, const QPainterPath& shape, double strength, unsigned seed)
{
    QImage mask(image.size(), QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    {
        QPainter mp(&mask);
        mp.setRenderHint(QPainter::Antialiasing);
        mp.setPen(Qt::NoPen);
        mp.setBrush(Qt::black);
        mp.drawPath(shape);
    }
    std::mt19937 rng(seed);
    std::normal_distribution<double> gauss(0.0, 1.0);
    const int w = image.width();
    const int h = image.height();
    std::vector<double> column(static_cast<size_t>(w));
    for (double& v : column)
        v = gauss(rng);
    // a little smoothing so the streaks are not pure pixel noise
    std::vector<double> smooth(column.size());
    for (int x = 0; x < w; ++x)
        smooth[static_cast<size_t>(x)] = 0.5 * column[static_cast<size_t>(x)]
            + 0.25 * column[static_cast<size_t>(std::max(0, x - 1))]
            + 0.25 * column[static_cast<size_t>(std::min(w - 1, x + 1))];
    // slow variation along the streaks
    std::vector<double> drift(static_cast<size_t>(w));
    for (double& v : drift)
        v = gauss(rng) * 0.05;

    for (int y = 0; y < h; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const QRgb* m = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const int coverage = qAlpha(m[x]);
            if (coverage == 0)
                continue;
            const double wave = std::sin(y * drift[static_cast<size_t>(x)]) * 0.4;
            const double delta = (smooth[static_cast<size_t>(x)] + wave) * strength
                + gauss(rng) * strength * 0.35;
            const double d = delta * coverage / 255.0;
            const QRgb px = line[x];
            line[x] = qRgb(std::clamp(static_cast<int>(std::lround(qRed(px) + d)), 0, 255),
                           std::clamp(static_cast<int>(std::lround(qGreen(px) + d)), 0, 255),
                           std::clamp(static_cast<int>(std::lround(qBlue(px) + d)), 0, 255));
        }
    }
}

void DrawScrew(QPainter& p, QPointF c, const Finish& f, double angle)
{
    p.save();
    p.setPen(Qt::NoPen);
    // countersink
    QLinearGradient sink(c + QPointF(-5, -5), c + QPointF(5, 5));
    sink.setColorAt(0, f.dark.darker(140));
    sink.setColorAt(1, f.light);
    p.setBrush(sink);
    p.drawEllipse(c, 5.6, 5.6);
    // head
    QRadialGradient head(c + QPointF(-1.5, -1.8), 6);
    head.setColorAt(0, f.screw.lighter(130));
    head.setColorAt(0.6, f.screw);
    head.setColorAt(1, f.screw.darker(150));
    p.setBrush(head);
    p.drawEllipse(c, 4.4, 4.4);
    // Phillips cross
    p.translate(c);
    p.rotate(angle);
    QPen edge(WithAlpha(Qt::white, 110), 1.6, Qt::SolidLine, Qt::RoundCap);
    p.setPen(edge);
    p.drawLine(QPointF(-2.6, 0.5), QPointF(2.6, 0.5));
    p.drawLine(QPointF(0.5, -2.6), QPointF(0.5, 2.6));
    QPen slot(f.screw.darker(260), 1.3, Qt::SolidLine, Qt::RoundCap);
    p.setPen(slot);
    p.drawLine(QPointF(-2.6, 0), QPointF(2.6, 0));
    p.drawLine(QPointF(0, -2.6), QPointF(0, 2.6));
    p.restore();
}

void DrawHole(QPainter& p, QPointF c, double r, const Finish& f)
{
    // a drilled hole: dark inside, a lit lower rim, a shaded upper rim
    p.setPen(Qt::NoPen);
    p.setBrush(WithAlpha(Qt::white, f.base.lightness() > 128 ? 150 : 60));
    p.drawEllipse(c + QPointF(0, 0.6), r, r);
    QRadialGradient inside(c + QPointF(0, -0.4 * r), r * 1.2);
    inside.setColorAt(0, QColor(8, 8, 10));
    inside.setColorAt(1, QColor(40, 40, 44));
    p.setBrush(inside);
    p.drawEllipse(c, r, r);
}

void DrawLed(QPainter& p, QPointF c, const QColor& colour)
{
    p.save();
    p.setPen(Qt::NoPen);
    QRadialGradient glow(c, 9);
    glow.setColorAt(0, WithAlpha(colour, 120));
    glow.setColorAt(1, WithAlpha(colour, 0));
    p.setBrush(glow);
    p.drawEllipse(c, 9, 9);
    p.setBrush(QColor(30, 30, 30));
    p.drawEllipse(c, 3.6, 3.6);
    QRadialGradient lens(c + QPointF(-0.8, -0.8), 3.2);
    lens.setColorAt(0, colour.lighter(170));
    lens.setColorAt(0.5, colour);
    lens.setColorAt(1, colour.darker(160));
    p.setBrush(lens);
    p.drawEllipse(c, 2.8, 2.8);
    p.setBrush(WithAlpha(Qt::white, 220));
    p.drawEllipse(c + QPointF(-0.9, -1.0), 0.9, 0.8);
    p.restore();
}

void DrawCallButton(QPainter& p, QPointF c, double r, const Finish& f, const QPainterPath& glyph)
{
    p.save();
    p.setPen(Qt::NoPen);

    // shadow of the raised bezel on the plate
    QPainterPath outline;
    outline.addEllipse(c, r, r);
    DropShadow(p, outline, QPointF(1.5, 2.5), 2, 90);

    // raised bezel: lit from the upper left
    QLinearGradient bezel(c + QPointF(-r, -r), c + QPointF(r, r));
    bezel.setColorAt(0, f.bezel.lighter(125));
    bezel.setColorAt(0.5, f.bezel);
    bezel.setColorAt(1, f.bezel.darker(160));
    p.setBrush(bezel);
    p.drawEllipse(c, r, r);
    // a thin specular line running around the bezel
    QConicalGradient sheen(c, 135);
    sheen.setColorAt(0.0, WithAlpha(Qt::white, 200));
    sheen.setColorAt(0.25, WithAlpha(Qt::white, 30));
    sheen.setColorAt(0.5, WithAlpha(Qt::black, 60));
    sheen.setColorAt(0.75, WithAlpha(Qt::white, 30));
    sheen.setColorAt(1.0, WithAlpha(Qt::white, 200));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QBrush(sheen), 1.2));
    p.drawEllipse(c, r - 0.8, r - 0.8);
    p.setPen(Qt::NoPen);

    // illuminated ring
    const double ringR = r * 0.80;
    QRadialGradient halo(c, ringR + 2);
    halo.setColorAt(0.80, WithAlpha(f.ring, 0));
    halo.setColorAt(0.92, WithAlpha(f.ring.lighter(130), 255));
    halo.setColorAt(1.0, WithAlpha(f.ring, 0));
    p.setBrush(QColor(20, 22, 26));
    p.drawEllipse(c, ringR, ringR);
    p.setBrush(halo);
    p.drawEllipse(c, ringR + 2, ringR + 2);

    // push surface: slightly concave, so lit from the lower right
    const double faceR = r * 0.70;
    QLinearGradient face(c + QPointF(-faceR, -faceR), c + QPointF(faceR, faceR));
    face.setColorAt(0, f.face.darker(118));
    face.setColorAt(0.55, f.face);
    face.setColorAt(1, f.face.lighter(118));
    p.setBrush(face);
    p.drawEllipse(c, faceR, faceR);
    QRadialGradient sheen(c + QPointF(-faceR * 0.35, -faceR * 0.45), faceR * 0.9);
    sheen.setColorAt(0, WithAlpha(Qt::white, 70));
    sheen.setColorAt(1, WithAlpha(Qt::white, 0));
    p.setBrush(sheen);
    p.drawEllipse(c, faceR, faceR);

    const QColor edge = f.face.lightness() > 128 ? WithAlpha(Qt::white, 170) : WithAlpha(Qt::black, 170);
    EngravePath(p, glyph, f.glyph, edge);
    p.restore();
}

QImage DrawDevice(const Finish& f, int buttons, unsigned seed)
{
    constexpr int W = 150;
    constexpr int H = 330;
    QImage image(W, H, QImage::Format_ARGB32_Premultiplied);

    // studio backdrop
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient bg(0, 0, 0, H);
        bg.setColorAt(0, QColor(250, 250, 251));
        bg.setColorAt(1, QColor(226, 227, 230));
        p.fillRect(image.rect(), bg);
        QRadialGradient vignette(W * 0.45, H * 0.40, H * 0.75);
        vignette.setColorAt(0.6, WithAlpha(Qt::black, 0));
        vignette.setColorAt(1.0, WithAlpha(Qt::black, 28));
        p.fillRect(image.rect(), vignette);
    }

    const QRectF plate(14, 8, 120, 310);
    QPainterPath plateShape;
    plateShape.addRoundedRect(plate, 13, 13);

    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        DropShadow(p, plateShape, QPointF(4, 6), 4, 120);
        DropShadow(p, plateShape, QPointF(1, 1.5), 1, 70);
        QLinearGradient metal(plate.topLeft(), plate.bottomRight());
        metal.setColorAt(0, f.light);
        metal.setColorAt(0.45, f.base);
        metal.setColorAt(1, f.dark);
        p.setPen(Qt::NoPen);
        p.setBrush(metal);
        p.drawPath(plateShape);
        // soft diagonal reflection of a studio light
        QLinearGradient band(plate.topLeft(), plate.bottomRight());
        band.setColorAt(0.20, WithAlpha(Qt::white, 0));
        band.setColorAt(0.32, WithAlpha(Qt::white, 60));
        band.setColorAt(0.44, WithAlpha(Qt::white, 0));
        band.setColorAt(0.70, WithAlpha(Qt::white, 0));
        band.setColorAt(0.76, WithAlpha(Qt::white, 30));
        band.setColorAt(0.82, WithAlpha(Qt::white, 0));
        p.setBrush(band);
        p.drawPath(plateShape);
    }

    BrushMetal(image, plateShape, f.brush, seed);

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // bevelled edge
    {
        QLinearGradient rim(plate.topLeft(), plate.bottomRight());
        rim.setColorAt(0, WithAlpha(Qt::white, 230));
        rim.setColorAt(0.5, WithAlpha(Qt::white, 40));
        rim.setColorAt(1, WithAlpha(Qt::black, 130));
        p.setPen(QPen(QBrush(rim), 1.8));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(plate.adjusted(1, 1, -1, -1), 12, 12);
        QLinearGradient inner(plate.topLeft(), plate.bottomRight());
        inner.setColorAt(0, WithAlpha(Qt::black, 50));
        inner.setColorAt(1, WithAlpha(Qt::white, 90));
        p.setPen(QPen(QBrush(inner), 1.0));
        p.drawRoundedRect(plate.adjusted(3, 3, -3, -3), 10, 10);
        p.setPen(QPen(WithAlpha(Qt::black, 110), 0.8));
        p.drawRoundedRect(plate.adjusted(0.2, 0.2, -0.2, -0.2), 13, 13);
    }

    // screws
    std::mt19937 rng(seed * 7 + 3);
    std::uniform_real_distribution<double> angle(0, 90);
    const double sx = 11;
    const double sy = 11;
    DrawScrew(p, plate.topLeft() + QPointF(sx, sy), f, angle(rng));
    DrawScrew(p, plate.topRight() + QPointF(-sx, sy), f, angle(rng));
    DrawScrew(p, plate.bottomLeft() + QPointF(sx, -sy), f, angle(rng));
    DrawScrew(p, plate.bottomRight() + QPointF(-sx, -sy), f, angle(rng));

    const double cx = plate.center().x();

    // engraved name
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(static_cast<int>(f.labelSize));
    font.setLetterSpacing(QFont::AbsoluteSpacing, f.labelSpacing);
    EngraveText(p, QRectF(plate.left(), 30, plate.width(), 22), f.label, font, f.engraveCut, f.engraveEdge);

    // microphone hole and status LED
    DrawHole(p, QPointF(cx - 20, 66), 1.7, f);
    DrawLed(p, QPointF(cx + 20, 66), f.led);

    // speaker grille: a grid of drilled holes
    {
        const int cols = 7;
        const int rows = 7;
        const double pitch = 8.0;
        const double top = 84;
        for (int row = 0; row < rows; ++row)
            for (int col = 0; col < cols; ++col) {
                const QPointF c(cx + (col - (cols - 1) / 2.0) * pitch, top + row * pitch);
                // round off the corners of the grid
                const double dx = (col - (cols - 1) / 2.0) / ((cols - 1) / 2.0);
                const double dy = (row - (rows - 1) / 2.0) / ((rows - 1) / 2.0);
                if (dx * dx + dy * dy > 1.6)
                    continue;
                DrawHole(p, c, 2.0, f);
            }
    }

    if (buttons == 1) {
        DrawCallButton(p, QPointF(cx, 226), 34, f, BellPath(QPointF(cx, 225), 30));
    } else {
        const double r = 28;
        const QPointF a(cx + 6, 186);
        const QPointF b(cx + 6, 258);
        DrawCallButton(p, a, r, f, PersonPath(a, 26));
        DrawCallButton(p, b, r, f, PersonPath(b, 26));
        QFont small(QStringLiteral("DejaVu Sans"));
        small.setBold(true);
        small.setPixelSize(13);
        EngraveText(p, QRectF(plate.left() + 6, a.y() - 8, 18, 16), QStringLiteral("A"), small, f.engraveCut, f.engraveEdge);
        EngraveText(p, QRectF(plate.left() + 6, b.y() - 8, 18, 16), QStringLiteral("B"), small, f.engraveCut, f.engraveEdge);
    }
    p.end();
    return image.convertToFormat(QImage::Format_RGB888);
}

// ----------------------------------------------------------------- arrow ---

QImage DrawArrowLeft(const QColor& fill, const QColor& outline)
{
    QImage image = Transparent(48, 24);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath arrow;
    arrow.moveTo(2.0, 12.0);
    arrow.lineTo(19.0, 2.0);
    arrow.lineTo(19.0, 7.5);
    arrow.lineTo(44.0, 7.5);
    arrow.quadTo(46.0, 7.5, 46.0, 9.5);
    arrow.lineTo(46.0, 14.5);
    arrow.quadTo(46.0, 16.5, 44.0, 16.5);
    arrow.lineTo(19.0, 16.5);
    arrow.lineTo(19.0, 22.0);
    arrow.closeSubpath();
    QLinearGradient g(0, 2, 0, 22);
    g.setColorAt(0, fill.lighter(135));
    g.setColorAt(0.5, fill);
    g.setColorAt(1, fill.darker(120));
    p.setBrush(g);
    p.setPen(QPen(outline, 1.4, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawPath(arrow);
    // a glossy highlight along the upper half
    p.setPen(Qt::NoPen);
    p.setBrush(WithAlpha(Qt::white, 70));
    QPainterPath gloss;
    gloss.moveTo(6.0, 11.0);
    gloss.lineTo(18.0, 4.5);
    gloss.lineTo(18.0, 9.0);
    gloss.lineTo(44.0, 9.0);
    gloss.lineTo(44.0, 11.0);
    gloss.closeSubpath();
    p.drawPath(gloss);
    return image;
}

// ------------------------------------------------------------- tab icons ---

QImage DrawTabButtons()
{
    QImage image = Transparent(40, 40);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(20, 20);
    p.setPen(Qt::NoPen);
    QLinearGradient bezel(2, 2, 38, 38);
    bezel.setColorAt(0, QColor(245, 246, 248));
    bezel.setColorAt(0.5, QColor(190, 194, 200));
    bezel.setColorAt(1, QColor(110, 114, 120));
    p.setBrush(bezel);
    p.drawEllipse(c, 18.5, 18.5);
    p.setPen(QPen(QColor(90, 94, 100), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 18.5, 18.5);
    p.setPen(Qt::NoPen);
    QRadialGradient halo(c, 16);
    halo.setColorAt(0.78, QColor(30, 90, 200));
    halo.setColorAt(0.9, QColor(90, 180, 255));
    halo.setColorAt(1.0, QColor(30, 90, 200));
    p.setBrush(halo);
    p.drawEllipse(c, 15.5, 15.5);
    QLinearGradient face(6, 6, 34, 34);
    face.setColorAt(0, QColor(170, 174, 180));
    face.setColorAt(1, QColor(236, 238, 241));
    p.setBrush(face);
    p.drawEllipse(c, 12.5, 12.5);
    EngravePath(p, BellPath(QPointF(20, 19.5), 17), QColor(50, 56, 66), WithAlpha(Qt::white, 180));
    return image;
}

QImage DrawTabPhonebook()
{
    QImage image = Transparent(40, 40);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // pages seen from the side
    p.setPen(QPen(QColor(150, 150, 140), 0.8));
    p.setBrush(QColor(250, 248, 240));
    p.drawRoundedRect(QRectF(10.5, 4.5, 24, 32), 2, 2);
    p.setPen(QPen(QColor(205, 200, 185), 0.6));
    for (double x = 31.5; x <= 34; x += 1.2)
        p.drawLine(QPointF(x, 6), QPointF(x, 35));
    // alphabet tabs
    const QColor tabs[] = {QColor(230, 70, 60), QColor(250, 190, 40), QColor(70, 180, 80), QColor(60, 140, 230)};
    for (int i = 0; i < 4; ++i) {
        p.setPen(QPen(tabs[i].darker(140), 0.6));
        p.setBrush(tabs[i]);
        p.drawRoundedRect(QRectF(32.5, 7.5 + i * 6.5, 4.5, 5), 1.2, 1.2);
    }
    // cover
    QLinearGradient cover(5, 3, 32, 37);
    cover.setColorAt(0, QColor(70, 130, 210));
    cover.setColorAt(1, QColor(25, 70, 150));
    p.setPen(QPen(QColor(20, 50, 110), 1.0));
    p.setBrush(cover);
    p.drawRoundedRect(QRectF(6.5, 3.5, 25, 33), 2.5, 2.5);
    // spine
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 50, 110, 150));
    p.drawRect(QRectF(7, 4, 4, 32));
    // rings
    p.setPen(QPen(QColor(120, 124, 130), 1.6, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 4; ++i) {
        const double y = 8.5 + i * 7.5;
        p.drawLine(QPointF(4.0, y), QPointF(10.0, y));
    }
    p.setPen(QPen(QColor(235, 238, 242), 0.7, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 4; ++i) {
        const double y = 8.0 + i * 7.5;
        p.drawLine(QPointF(4.5, y), QPointF(9.5, y));
    }
    // contact on the cover
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 235));
    p.drawPath(PersonPath(QPointF(20.5, 18.5), 17));
    p.setBrush(QColor(255, 255, 255, 160));
    p.drawRoundedRect(QRectF(14, 29, 13, 2), 1, 1);
    return image;
}

QPainterPath GearPath(QPointF c, double outer, double inner, double hole, int teeth)
{
    QPainterPath gear;
    const int steps = teeth * 4;
    for (int i = 0; i <= steps; ++i) {
        // each tooth: two points on the tip circle, two on the root circle
        const double a = (i * 2.0 * kPi) / steps - kPi / 2;
        const double r = (i % 4 == 0 || i % 4 == 1) ? outer : inner;
        const QPointF pt(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
        if (i == 0)
            gear.moveTo(pt);
        else
            gear.lineTo(pt);
    }
    gear.closeSubpath();
    QPainterPath body;
    body.addEllipse(c, inner + 0.5, inner + 0.5);
    QPainterPath center;
    center.addEllipse(c, hole, hole);
    return gear.united(body).subtracted(center);
}

QImage DrawTabSetting()
{
    QImage image = Transparent(40, 40);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // big gear
    const QPainterPath big = GearPath(QPointF(17, 17), 15.5, 11.5, 5.0, 9);
    QLinearGradient steel(2, 2, 32, 32);
    steel.setColorAt(0, QColor(150, 170, 200));
    steel.setColorAt(1, QColor(50, 70, 110));
    p.setPen(QPen(QColor(35, 50, 85), 1.0));
    p.setBrush(steel);
    p.drawPath(big);
    p.setPen(QPen(QColor(255, 255, 255, 90), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(17, 17), 8.5, 8.5);
    // small gear in mesh with it
    const QPainterPath small = GearPath(QPointF(30.5, 30.5), 8.5, 6.0, 2.6, 7);
    QLinearGradient brass(22, 22, 39, 39);
    brass.setColorAt(0, QColor(250, 200, 90));
    brass.setColorAt(1, QColor(190, 120, 30));
    p.setPen(QPen(QColor(120, 75, 15), 1.0));
    p.setBrush(brass);
    p.drawPath(small);
    return image;
}

QImage DrawTabMonitor()
{
    QImage image = Transparent(40, 40);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // stand
    QLinearGradient stand(0, 30, 0, 38);
    stand.setColorAt(0, QColor(120, 124, 130));
    stand.setColorAt(1, QColor(70, 74, 80));
    p.setPen(Qt::NoPen);
    p.setBrush(stand);
    p.drawRect(QRectF(17, 29, 6, 5));
    p.drawRoundedRect(QRectF(10, 33.5, 20, 3.5), 1.5, 1.5);
    // frame
    QLinearGradient frame(0, 4, 0, 31);
    frame.setColorAt(0, QColor(95, 100, 108));
    frame.setColorAt(1, QColor(45, 48, 54));
    p.setPen(QPen(QColor(30, 32, 36), 1.0));
    p.setBrush(frame);
    p.drawRoundedRect(QRectF(1.5, 4.5, 37, 26), 2.5, 2.5);
    // screen
    QLinearGradient screen(0, 7, 0, 28);
    screen.setColorAt(0, QColor(20, 40, 60));
    screen.setColorAt(1, QColor(8, 18, 30));
    p.setPen(Qt::NoPen);
    p.setBrush(screen);
    p.drawRect(QRectF(4, 7, 32, 20.5));
    // text lines
    p.setPen(QPen(QColor(150, 200, 255, 200), 1.2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(6, 10), QPointF(20, 10));
    p.drawLine(QPointF(6, 13), QPointF(15, 13));
    p.drawLine(QPointF(23, 10), QPointF(33, 10));
    // waveform
    QPainterPath wave;
    for (int i = 0; i <= 56; ++i) {
        const double x = 5.5 + i * 0.52;
        const double y = 21.0 - std::sin(i * 0.45) * 4.0 * std::exp(-std::pow((i - 28) / 22.0, 2));
        if (i == 0)
            wave.moveTo(x, y);
        else
            wave.lineTo(x, y);
    }
    p.setPen(QPen(QColor(60, 240, 110, 90), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(wave);
    p.setPen(QPen(QColor(120, 255, 150), 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(wave);
    // power LED
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 230, 90));
    p.drawEllipse(QPointF(34, 29), 0.8, 0.8);
    return image;
}

QPainterPath WrenchPath()
{
    // drawn horizontally, jaw on the left; rotated by the caller
    QPainterPath head;
    head.addEllipse(QPointF(0, 0), 8.5, 8.5);
    QPainterPath handle;
    handle.addRoundedRect(QRectF(2, -3.2, 30, 6.4), 3.2, 3.2);
    QPainterPath jaw;
    jaw.addRect(QRectF(-10, -3.4, 8.5, 6.8));
    QPainterPath hole;
    hole.addEllipse(QPointF(27.5, 0), 1.6, 1.6);
    return head.united(handle).subtracted(jaw).subtracted(hole);
}

QImage DrawTabService()
{
    QImage image = Transparent(40, 40);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QTransform t;
    t.translate(9.5, 9.5);
    t.rotate(45);
    const QPainterPath wrench = t.map(WrenchPath());
    QLinearGradient steel(4, 4, 36, 36);
    steel.setColorAt(0, QColor(230, 233, 238));
    steel.setColorAt(0.5, QColor(160, 166, 176));
    steel.setColorAt(1, QColor(95, 100, 110));
    p.setPen(QPen(QColor(55, 60, 70), 1.1));
    p.setBrush(steel);
    p.drawPath(wrench);
    // red grip on the handle
    QPainterPath grip;
    grip.addRoundedRect(QRectF(16, -3.6, 17, 7.2), 3.6, 3.6);
    p.setPen(QPen(QColor(120, 20, 20), 1.0));
    QLinearGradient red(20, 20, 38, 38);
    red.setColorAt(0, QColor(235, 80, 70));
    red.setColorAt(1, QColor(170, 30, 30));
    p.setBrush(red);
    p.drawPath(t.map(grip));
    return image;
}

// ---------------------------------------------------------------- glyphs ---

QImage Glyph(const std::function<void(QPainter&)>& paint)
{
    QImage image = Transparent(16, 16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paint(p);
    return image;
}

QBrush Vertical(const QColor& top, const QColor& bottom, double y0 = 0, double y1 = 16)
{
    QLinearGradient g(0, y0, 0, y1);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return QBrush(g);
}

void DrawChip(QPainter& p, const QRectF& body)
{
    // legs on whole pixel rows so they stay crisp at 16 x 16
    p.setPen(QPen(QColor(110, 115, 122), 1.0, Qt::SolidLine, Qt::FlatCap));
    for (double y = std::floor(body.top()) + 1.5; y < body.bottom(); y += 2.0) {
        p.drawLine(QPointF(body.left() - 2.5, y), QPointF(body.left(), y));
        p.drawLine(QPointF(body.right(), y), QPointF(body.right() + 2.5, y));
    }
    p.setPen(QPen(QColor(10, 10, 12), 1.0));
    p.setBrush(Vertical(QColor(90, 94, 100), QColor(30, 32, 36), body.top(), body.bottom()));
    p.drawRect(body);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 220, 220));
    p.drawEllipse(body.topLeft() + QPointF(2.0, 2.0), 0.8, 0.8);
}

// Arrow with its point at `tip`, pointing up (dir = -1) or down (dir = +1).
void DrawVerticalArrow(QPainter& p, QPointF tip, double length, int dir, const QColor& colour)
{
    QPainterPath a;
    const double head = 4.0;
    const double half = 3.8;
    const double shaft = 1.4;
    a.moveTo(tip);
    a.lineTo(tip.x() - half, tip.y() - dir * head);
    a.lineTo(tip.x() - shaft, tip.y() - dir * head);
    a.lineTo(tip.x() - shaft, tip.y() - dir * length);
    a.lineTo(tip.x() + shaft, tip.y() - dir * length);
    a.lineTo(tip.x() + shaft, tip.y() - dir * head);
    a.lineTo(tip.x() + half, tip.y() - dir * head);
    a.closeSubpath();
    p.setPen(QPen(colour.darker(170), 0.8, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(Vertical(colour.lighter(130), colour));
    p.drawPath(a);
}

void DrawFloppy(QPainter& p, const QRectF& r)
{
    QPainterPath body;
    body.moveTo(r.topLeft());
    body.lineTo(r.right() - 2.5, r.top());
    body.lineTo(r.right(), r.top() + 2.5);
    body.lineTo(r.bottomRight());
    body.lineTo(r.bottomLeft());
    body.closeSubpath();
    p.setPen(QPen(QColor(20, 50, 110), 0.9));
    p.setBrush(Vertical(QColor(80, 130, 220), QColor(35, 80, 170), r.top(), r.bottom()));
    p.drawPath(body);
    const double w = r.width();
    const double h = r.height();
    // metal shutter
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 205, 212));
    p.drawRect(QRectF(r.left() + w * 0.25, r.top() + 0.5, w * 0.45, h * 0.32));
    p.setBrush(QColor(60, 70, 90));
    p.drawRect(QRectF(r.left() + w * 0.52, r.top() + 1.3, w * 0.1, h * 0.2));
    // label
    p.setBrush(QColor(250, 250, 250));
    p.drawRect(QRectF(r.left() + w * 0.17, r.top() + h * 0.52, w * 0.66, h * 0.42));
}

void DrawFolder(QPainter& p, const QRectF& r, bool open)
{
    const double tab = r.width() * 0.4;
    QPainterPath back;
    back.moveTo(r.left(), r.bottom());
    back.lineTo(r.left(), r.top() + 1);
    back.quadTo(r.left(), r.top(), r.left() + 1, r.top());
    back.lineTo(r.left() + tab, r.top());
    back.lineTo(r.left() + tab + 1.5, r.top() + 2);
    back.lineTo(r.right(), r.top() + 2);
    back.lineTo(r.right(), r.bottom());
    back.closeSubpath();
    p.setPen(QPen(QColor(150, 100, 10), 0.8));
    p.setBrush(QColor(225, 170, 50));
    p.drawPath(back);
    QPainterPath front;
    if (open) {
        front.moveTo(r.left(), r.bottom());
        front.lineTo(r.left() + 2.5, r.top() + 5);
        front.lineTo(r.right() + 1.5, r.top() + 5);
        front.lineTo(r.right() - 1, r.bottom());
    } else {
        front.addRect(QRectF(r.left(), r.top() + 4, r.width(), r.height() - 4));
    }
    front.closeSubpath();
    p.setBrush(Vertical(QColor(255, 222, 110), QColor(240, 180, 50), r.top() + 4, r.bottom()));
    p.drawPath(front);
}

void DrawBellGlyph(QPainter& p)
{
    const QPainterPath bell = BellPath(QPointF(8, 7.6), 14);
    p.setPen(QPen(QColor(140, 95, 10), 0.9));
    QLinearGradient gold(2, 1, 14, 14);
    gold.setColorAt(0, QColor(255, 235, 130));
    gold.setColorAt(1, QColor(215, 150, 20));
    p.setBrush(gold);
    p.drawPath(bell);
}

// --------------------------------------------------------------- resources -

void WriteQrc(const QStringList& names)
{
    const QString path = QDir(g_outDir).filePath(QStringLiteral("resources.qrc"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        ++g_failures;
        return;
    }
    QByteArray text = "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/\">\n";
    for (const QString& name : names)
        text += "    <file>" + name.toUtf8() + "</file>\n";
    text += "</qresource>\n</RCC>\n";
    file.write(text);
}

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    g_outDir = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(g_outDir)) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }

    QStringList names;
    auto jpeg = [&names](const QImage& image, const QString& name) {
        SaveJpeg(image, name);
        names << name;
    };
    auto png = [&names](const QImage& image, const QString& name) {
        SavePng(image, name);
        names << name;
    };

    // device photos
    jpeg(DrawDevice(SilverFinish(), 1, 11), QStringLiteral("kel1.jpg"));
    jpeg(DrawDevice(AnthraciteFinish(), 1, 12), QStringLiteral("kelf1.jpg"));
    jpeg(DrawDevice(BrassFinish(), 1, 13), QStringLiteral("kell1.jpg"));
    jpeg(DrawDevice(SilverFinish(), 2, 21), QStringLiteral("kel2.jpg"));
    jpeg(DrawDevice(AnthraciteFinish(), 2, 22), QStringLiteral("kelf2.jpg"));
    jpeg(DrawDevice(BrassFinish(), 2, 23), QStringLiteral("kell2.jpg"));

    // arrows
    png(DrawArrowLeft(QColor(0x20, 0xB0, 0x20), QColor(0x0E, 0x60, 0x0E)), QStringLiteral("arrow_left.png"));
    png(DrawArrowLeft(QColor(0x2C, 0xA0, 0x44), QColor(0x12, 0x56, 0x22)), QStringLiteral("arrow_left_f.png"));

    // tab icons
    png(DrawTabButtons(), QStringLiteral("tab_buttons.png"));
    png(DrawTabPhonebook(), QStringLiteral("tab_phonebook.png"));
    png(DrawTabSetting(), QStringLiteral("tab_setting.png"));
    png(DrawTabMonitor(), QStringLiteral("tab_monitor.png"));
    png(DrawTabService(), QStringLiteral("tab_service.png"));

    // button glyphs
    png(Glyph([](QPainter& p) {
            QPainterPath t;
            t.moveTo(4, 2);
            t.lineTo(14, 8);
            t.lineTo(4, 14);
            t.closeSubpath();
            p.setPen(QPen(QColor(10, 100, 10), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(Vertical(QColor(110, 230, 110), QColor(30, 160, 30)));
            p.drawPath(t);
        }),
        QStringLiteral("glyph_run.png"));
    png(Glyph([](QPainter& p) {
            p.setPen(QPen(QColor(130, 10, 10), 1.0));
            p.setBrush(Vertical(QColor(250, 110, 100), QColor(200, 30, 30)));
            p.drawRoundedRect(QRectF(3.5, 3.5, 9, 9), 1.5, 1.5);
        }),
        QStringLiteral("glyph_stop.png"));
    png(Glyph([](QPainter& p) {
            DrawChip(p, QRectF(4.5, 9.5, 7, 6));
            DrawVerticalArrow(p, QPointF(8, 9.5), 9, +1, QColor(40, 120, 230));
        }),
        QStringLiteral("glyph_device_save.png"));
    png(Glyph([](QPainter& p) {
            DrawChip(p, QRectF(4.5, 9.5, 7, 6));
            DrawVerticalArrow(p, QPointF(8, 0.5), 10, -1, QColor(40, 170, 60));
        }),
        QStringLiteral("glyph_device_load.png"));
    png(Glyph([](QPainter& p) { DrawFloppy(p, QRectF(1.5, 1.5, 13, 13)); }), QStringLiteral("glyph_pc_save.png"));
    png(Glyph([](QPainter& p) { DrawFolder(p, QRectF(1, 3, 13, 11), true); }), QStringLiteral("glyph_pc_load.png"));
    png(Glyph([](QPainter& p) {
            QPainterPath plus;
            plus.addRect(QRectF(6, 2, 4, 12));
            plus.addRect(QRectF(2, 6, 12, 4));
            plus.setFillRule(Qt::WindingFill);
            plus = plus.simplified();
            p.setPen(QPen(QColor(10, 100, 10), 1.0));
            p.setBrush(Vertical(QColor(110, 230, 110), QColor(30, 160, 30)));
            p.drawPath(plus);
        }),
        QStringLiteral("glyph_insert.png"));
    png(Glyph([](QPainter& p) {
            QPainterPath cross;
            cross.addRect(QRectF(6, 1, 4, 14));
            cross.addRect(QRectF(1, 6, 14, 4));
            cross.setFillRule(Qt::WindingFill);
            cross = QTransform().translate(8, 8).rotate(45).translate(-8, -8).map(cross.simplified());
            p.setPen(QPen(QColor(130, 10, 10), 1.0));
            p.setBrush(Vertical(QColor(250, 110, 100), QColor(200, 30, 30)));
            p.drawPath(cross);
        }),
        QStringLiteral("glyph_delete.png"));
    png(Glyph([](QPainter& p) {
            p.setPen(QPen(QColor(90, 60, 30), 3.0, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(10, 10), QPointF(14, 14));
            QRadialGradient glass(QPointF(5.5, 5), 6);
            glass.setColorAt(0, QColor(240, 250, 255));
            glass.setColorAt(1, QColor(150, 200, 240));
            p.setPen(QPen(QColor(60, 66, 76), 1.6));
            p.setBrush(glass);
            p.drawEllipse(QPointF(6.5, 6.5), 4.8, 4.8);
        }),
        QStringLiteral("glyph_find.png"));
    png(Glyph([](QPainter& p) {
            p.setPen(QPen(QColor(120, 120, 120), 0.8));
            p.setBrush(QColor(255, 255, 255));
            p.drawRect(QRectF(1.5, 0.5, 9, 11));
            p.setPen(QPen(QColor(80, 80, 90), 1.0));
            for (double y = 2.5; y < 11; y += 2)
                p.drawLine(QPointF(3, y), QPointF(9, y));
            DrawFloppy(p, QRectF(7.5, 7.5, 8, 8));
        }),
        QStringLiteral("glyph_savelog.png"));
    png(Glyph([](QPainter& p) {
            DrawFolder(p, QRectF(0.5, 5, 13, 10), false);
            p.setPen(QPen(QColor(120, 120, 120), 0.8));
            p.setBrush(QColor(255, 255, 255));
            p.drawRect(QRectF(5.5, 0.5, 10, 11));
            for (int i = 0; i < 4; ++i) {
                const double y = 2.5 + i * 2.5;
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(40, 110, 220));
                p.drawRect(QRectF(7, y - 0.5, 2, 1));
                p.setPen(QPen(QColor(80, 80, 90), 1.0));
                p.drawLine(QPointF(10, y), QPointF(14, y));
            }
        }),
        QStringLiteral("glyph_loadlist.png"));
    png(Glyph([](QPainter& p) {
            // an eraser lying at an angle, with a sweep line under it
            QTransform t;
            t.translate(8, 7.5);
            t.rotate(-35);
            QPainterPath body;
            body.addRoundedRect(QRectF(-6.5, -3.2, 13, 6.4), 1.2, 1.2);
            QPainterPath sleeve;
            sleeve.addRect(QRectF(-1.0, -3.2, 7.5, 6.4));
            p.setPen(QPen(QColor(120, 60, 70), 0.8));
            p.setBrush(Vertical(QColor(255, 190, 200), QColor(230, 120, 140)));
            p.drawPath(t.map(body));
            p.setBrush(Vertical(QColor(120, 170, 240), QColor(40, 90, 190)));
            p.drawPath(t.map(body.intersected(sleeve)));
            p.setPen(QPen(QColor(100, 100, 110), 1.0, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(1.5, 14.5), QPointF(14.5, 14.5));
        }),
        QStringLiteral("glyph_clear.png"));
    png(Glyph([](QPainter& p) {
            DrawChip(p, QRectF(4.5, 0.5, 7, 6));
            DrawVerticalArrow(p, QPointF(8, 6.5), 9, -1, QColor(40, 170, 60));
        }),
        QStringLiteral("glyph_upgrade.png"));
    png(Glyph([](QPainter& p) {
            for (int i = 0; i < 4; ++i) {
                const double h = 4 + i * 3.5;
                p.setPen(QPen(QColor(10, 90, 20), 0.8));
                p.setBrush(Vertical(QColor(110, 220, 110), QColor(30, 150, 40), 15.5 - h, 15.5));
                p.drawRect(QRectF(1.5 + i * 3.6, 15.5 - h, 2.6, h));
            }
        }),
        QStringLiteral("glyph_signal.png"));
    png(Glyph([](QPainter& p) { DrawBellGlyph(p); }), QStringLiteral("glyph_ring.png"));

    WriteQrc(names);
    return g_failures == 0 ? 0 : 1;
}
