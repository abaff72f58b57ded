#include "ui/Jpeg.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

extern "C" {
#include <jpeglib.h>
}

// The resources live in a static library; make sure its object is linked in.
static void InitPictureResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace {

// Encodes raw pixels (1 or 3 components per pixel, tightly packed) with libjpeg.
QByteArray EncodeJpeg(const std::vector<unsigned char>& pixels, int width, int height,
                      int components, bool progressive, int quality = 92)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = components;
    cinfo.in_color_space = components == 1 ? JCS_GRAYSCALE : components == 4 ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    if (progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    const std::size_t stride = static_cast<std::size_t>(width) * components;
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<unsigned char*>(pixels.data() + stride * cinfo.next_scanline);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray bytes(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    std::free(buffer);
    return bytes;
}

constexpr int kWidth = 64;
constexpr int kHeight = 48;

// 16 x 16 blocks of flat, clearly different colours.
QColor BlockColour(int x, int y)
{
    static const QColor colours[] = {
        QColor(220, 30, 30), QColor(30, 200, 40), QColor(20, 40, 230), QColor(250, 250, 250),
        QColor(10, 10, 10),  QColor(240, 200, 20), QColor(0, 180, 200), QColor(128, 128, 128),
        QColor(150, 60, 200), QColor(255, 140, 0), QColor(90, 60, 30),  QColor(200, 220, 255),
    };
    return colours[(y / 16) * (kWidth / 16) + x / 16];
}

std::vector<unsigned char> BlockPixels()
{
    std::vector<unsigned char> pixels;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const QColor c = BlockColour(x, y);
            pixels.push_back(static_cast<unsigned char>(c.red()));
            pixels.push_back(static_cast<unsigned char>(c.green()));
            pixels.push_back(static_cast<unsigned char>(c.blue()));
        }
    return pixels;
}

QByteArray BlockJpeg()
{
    return EncodeJpeg(BlockPixels(), kWidth, kHeight, 3, false);
}

double MeanAbsDiff(const QImage& a, const QImage& b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q))
                + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
}

}  // namespace

TEST(Jpeg, ColourRoundTripBaselineAndProgressive)
{
    for (const bool progressive : {false, true}) {
        SCOPED_TRACE(progressive ? "progressive" : "baseline");
        const QByteArray bytes = EncodeJpeg(BlockPixels(), kWidth, kHeight, 3, progressive);
        const QImage image = ui::DecodeJpeg(bytes);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.width(), kWidth);
        EXPECT_EQ(image.height(), kHeight);
        EXPECT_TRUE(image.format() == QImage::Format_RGB888 || image.format() == QImage::Format_RGB32);

        double sum = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const QColor want = BlockColour(x, y);
                const QColor got = image.pixelColor(x, y);
                sum += std::abs(want.red() - got.red()) + std::abs(want.green() - got.green())
                    + std::abs(want.blue() - got.blue());
            }
        EXPECT_LT(sum / (3.0 * kWidth * kHeight), 8.0);

        // the middle of each block carries its colour, not a neighbour's
        for (int by = 0; by < kHeight / 16; ++by)
            for (int bx = 0; bx < kWidth / 16; ++bx) {
                const QColor want = BlockColour(bx * 16, by * 16);
                const QColor got = image.pixelColor(bx * 16 + 8, by * 16 + 8);
                EXPECT_NEAR(got.red(), want.red(), 12) << bx << "," << by;
                EXPECT_NEAR(got.green(), want.green(), 12) << bx << "," << by;
                EXPECT_NEAR(got.blue(), want.blue(), 12) << bx << "," << by;
            }
    }
}

TEST(Jpeg, GrayscaleComesBackAsEqualRgbChannels)
{
    constexpr int w = 40;
    constexpr int h = 24;
    std::vector<unsigned char> gray;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            gray.push_back(static_cast<unsigned char>(x < w / 2 ? 40 : 210));
    const QImage image = ui::DecodeJpeg(EncodeJpeg(gray, w, h, 1, false));
    ASSERT_FALSE(image.isNull());
    ASSERT_EQ(image.size(), QSize(w, h));
    EXPECT_TRUE(image.format() == QImage::Format_RGB888 || image.format() == QImage::Format_RGB32);
    double err = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const QRgb p = image.pixel(x, y);
            ASSERT_EQ(qRed(p), qGreen(p));
            ASSERT_EQ(qGreen(p), qBlue(p));
            err += std::abs(qRed(p) - gray[static_cast<std::size_t>(y * w + x)]);
        }
    EXPECT_LT(err / (w * h), 6.0);
}

// CMYK as Adobe writes it (values inverted: 255 is no ink), in 16 x 16 blocks; each block's
// centre must come back as the colour the values mean, red, green and blue in their places.
TEST(Jpeg, AdobeCmykComesBackAsItsColours)
{
    struct Block {
        unsigned char c, m, y, k;
    };
    const Block blocks[] = {{220, 30, 30, 255}, {30, 200, 40, 200}, {20, 40, 230, 255}, {250, 250, 250, 128}};
    constexpr int w = 64, h = 16;
    std::vector<unsigned char> pixels;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Block& b = blocks[x / 16];
            pixels.insert(pixels.end(), {b.c, b.m, b.y, b.k});
        }
    const QImage image = ui::DecodeJpeg(EncodeJpeg(pixels, w, h, 4, false, 98));
    ASSERT_FALSE(image.isNull());
    ASSERT_EQ(image.size(), QSize(w, h));
    for (int i = 0; i < 4; ++i) {
        const Block& b = blocks[i];
        const QRgb p = image.pixel(i * 16 + 8, 8);
        EXPECT_NEAR(qRed(p), b.c * b.k / 255, 8) << "block " << i;
        EXPECT_NEAR(qGreen(p), b.m * b.k / 255, 8) << "block " << i;
        EXPECT_NEAR(qBlue(p), b.y * b.k / 255, 8) << "block " << i;
        EXPECT_EQ(qAlpha(p), 255);
    }
}

TEST(Jpeg, EveryTruncationIsRejected)
{
    for (const bool progressive : {false, true}) {
        const QByteArray whole = EncodeJpeg(BlockPixels(), kWidth, kHeight, 3, progressive);
        ASSERT_FALSE(ui::DecodeJpeg(whole).isNull());
        const qsizetype step = std::max<qsizetype>(1, whole.size() / 80);
        std::vector<qsizetype> lengths;
        for (qsizetype n = 1; n < whole.size(); n += step)
            lengths.push_back(n);
        lengths.push_back(whole.size() / 2);
        lengths.push_back(whole.size() - 2);  // just the end-of-image marker missing
        lengths.push_back(whole.size() - 1);
        for (const qsizetype n : lengths)
            EXPECT_TRUE(ui::DecodeJpeg(whole.left(n)).isNull())
                << (progressive ? "progressive" : "baseline") << " cut at " << n << " of " << whole.size();
    }
}

TEST(Jpeg, GarbageAndEmptyInputGiveNullImage)
{
    EXPECT_TRUE(ui::DecodeJpeg(QByteArray()).isNull());
    EXPECT_TRUE(ui::DecodeJpeg(QByteArray("\xFF\xD8", 2)).isNull());
    EXPECT_TRUE(ui::LoadJpeg(QStringLiteral(":/no_such_picture.jpg")).isNull());

    std::mt19937 rng(1234);
    std::uniform_int_distribution<int> byte(0, 255);
    for (const int size : {1, 3, 16, 100, 1000, 20000}) {
        QByteArray noise(size, '\0');
        for (char& c : noise)
            c = static_cast<char>(byte(rng));
        EXPECT_TRUE(ui::DecodeJpeg(noise).isNull()) << "noise of " << size << " bytes";
        // the same noise behind a start-of-image marker gets past the signature check
        EXPECT_TRUE(ui::DecodeJpeg(QByteArray("\xFF\xD8", 2) + noise).isNull())
            << "SOI + noise of " << size << " bytes";
    }

    // Damage inside the compressed data must never crash; if libjpeg finds nothing
    // wrong with it, the picture at least has the right size.
    const QByteArray good = BlockJpeg();
    for (int i = 0; i < 40; ++i) {
        QByteArray bad = good;
        const qsizetype at = good.size() / 3 + (i * 37) % (good.size() / 2);
        bad[at] = static_cast<char>(bad[at] ^ static_cast<char>(1 + byte(rng) % 255));
        const QImage image = ui::DecodeJpeg(bad);
        if (!image.isNull()) {
            EXPECT_EQ(image.size(), QSize(kWidth, kHeight));
        }
    }
}

TEST(Jpeg, LoadsFromFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("blocks.jpg"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(BlockJpeg());
    file.close();

    const QImage image = ui::LoadJpeg(path);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(kWidth, kHeight));
    EXPECT_TRUE(ui::LoadJpeg(dir.filePath(QStringLiteral("missing.jpg"))).isNull());
}

TEST(Jpeg, AllDevicePhotosDecodeAndDiffer)
{
    InitPictureResources();
    const QStringList names = {
        QStringLiteral(":/kel1.jpg"),  QStringLiteral(":/kelf1.jpg"), QStringLiteral(":/kell1.jpg"),
        QStringLiteral(":/kel2.jpg"),  QStringLiteral(":/kelf2.jpg"), QStringLiteral(":/kell2.jpg"),
    };
    std::vector<QImage> photos;
    for (const QString& name : names) {
        QImage image = ui::LoadJpeg(name);
        ASSERT_FALSE(image.isNull()) << name.toStdString();
        EXPECT_EQ(image.size(), QSize(150, 330)) << name.toStdString();
        photos.push_back(image.convertToFormat(QImage::Format_RGB888));
    }
    for (std::size_t i = 0; i < photos.size(); ++i)
        for (std::size_t j = i + 1; j < photos.size(); ++j)
            EXPECT_GT(MeanAbsDiff(photos[i], photos[j]), 6.0)
                << names[static_cast<qsizetype>(i)].toStdString() << " vs "
                << names[static_cast<qsizetype>(j)].toStdString();
}
