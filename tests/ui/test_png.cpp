#include "ui/Png.h"

#include <gtest/gtest.h>
#include <png.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <cstring>
#include <random>
#include <vector>

static void InitPngResources() { Q_INIT_RESOURCE(resources); }

namespace {

constexpr int kW = 13;  // odd sizes catch row-stride mistakes
constexpr int kH = 7;

// The colour each pixel of the test picture has, as straight (not premultiplied) ARGB.
QRgb Expected(int x, int y, bool grey, bool alpha) {
  const int v = (x * 37 + y * 91) % 256;
  const int a = alpha ? (x * 19 + y * 53) % 256 : 255;
  return grey ? qRgba(v, v, v, a) : qRgba(v, (v * 7 + 40) % 256, 255 - v, a);
}

// Encodes the test picture with libpng in the given layout: grey or colour, with or without
// alpha, as a palette picture or not.
QByteArray Encode(bool grey, bool alpha, bool palette) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = kW;
  image.height = kH;
  image.format = PNG_FORMAT_RGBA;
  std::vector<unsigned char> rgba;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      const QRgb c = Expected(x, y, grey, alpha);
      rgba.insert(rgba.end(), {static_cast<unsigned char>(qRed(c)), static_cast<unsigned char>(qGreen(c)),
                               static_cast<unsigned char>(qBlue(c)), static_cast<unsigned char>(qAlpha(c))});
    }
  std::vector<unsigned char> pixels;
  std::vector<unsigned char> colormap;
  if (palette) {
    // One palette entry per pixel (kW * kH < 256), so the colours stay exact.
    image.format = PNG_FORMAT_RGBA | PNG_FORMAT_FLAG_COLORMAP;
    image.colormap_entries = kW * kH;
    colormap = rgba;
    for (int i = 0; i < kW * kH; ++i) pixels.push_back(static_cast<unsigned char>(i));
  } else if (grey) {
    image.format = alpha ? PNG_FORMAT_GA : PNG_FORMAT_GRAY;
    for (std::size_t i = 0; i < rgba.size(); i += 4) {
      pixels.push_back(rgba[i]);
      if (alpha) pixels.push_back(rgba[i + 3]);
    }
  } else {
    image.format = alpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    for (std::size_t i = 0; i < rgba.size(); i += 4) {
      pixels.insert(pixels.end(), rgba.begin() + static_cast<long>(i), rgba.begin() + static_cast<long>(i) + 3);
      if (alpha) pixels.push_back(rgba[i + 3]);
    }
  }
  png_alloc_size_t size = 0;
  const void* map = colormap.empty() ? nullptr : colormap.data();
  EXPECT_TRUE(png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, map)) << image.message;
  QByteArray bytes(static_cast<qsizetype>(size), '\0');
  EXPECT_TRUE(png_image_write_to_memory(&image, bytes.data(), &size, 0, pixels.data(), 0, map)) << image.message;
  return bytes;
}

struct Layout {
  const char* name;
  bool grey, alpha, palette;
};

class PngLayouts : public testing::TestWithParam<Layout> {};

TEST_P(PngLayouts, DecodeGivesEveryPixelExactly) {
  const Layout l = GetParam();
  const QImage image = ui::DecodePng(Encode(l.grey, l.alpha, l.palette));
  ASSERT_FALSE(image.isNull());
  ASSERT_EQ(image.size(), QSize(kW, kH));
  ASSERT_EQ(image.format(), QImage::Format_ARGB32);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x)
      ASSERT_EQ(image.pixel(x, y), Expected(x, y, l.grey, l.alpha)) << "at " << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Png, PngLayouts,
                         testing::Values(Layout{"rgb", false, false, false}, Layout{"rgba", false, true, false},
                                         Layout{"grey", true, false, false}, Layout{"grey_alpha", true, true, false},
                                         Layout{"palette", false, true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Png, DamagedOrForeignDataGivesNullImage) {
  const QByteArray good = Encode(false, true, false);
  ASSERT_FALSE(ui::DecodePng(good).isNull());
  EXPECT_TRUE(ui::DecodePng(QByteArray()).isNull());
  EXPECT_TRUE(ui::DecodePng(good.left(8)).isNull());  // the signature alone
  for (qsizetype n = 9; n < good.size() - 12; n += 7)  // cut anywhere before the end chunk
    EXPECT_TRUE(ui::DecodePng(good.left(n)).isNull()) << "cut at " << n << " of " << good.size();
  EXPECT_TRUE(ui::DecodePng(QByteArray("\xFF\xD8\xFF\xE0 a JPEG start", 16)).isNull());

  // Flipped bytes inside the picture data break its checksum.
  std::mt19937 rng(7);
  for (int i = 0; i < 30; ++i) {
    QByteArray bad = good;
    const qsizetype at = 40 + static_cast<qsizetype>(rng() % static_cast<unsigned>(good.size() - 52));
    bad[at] = static_cast<char>(bad[at] ^ 0x5A);
    const QImage image = ui::DecodePng(bad);
    if (!image.isNull()) {
      EXPECT_EQ(image.size(), QSize(kW, kH)) << "flipped byte " << at;
    }
  }
}

TEST(Png, LoadsFilesAndResources) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath(QStringLiteral("p.png"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(Encode(true, false, false));
  file.close();
  EXPECT_EQ(ui::LoadPng(path).size(), QSize(kW, kH));
  EXPECT_TRUE(ui::LoadPng(dir.filePath(QStringLiteral("missing.png"))).isNull());

  InitPngResources();
  for (const char* name : {":/tab_buttons.png", ":/tab_phonebook.png", ":/tab_setting.png", ":/tab_monitor.png",
                           ":/tab_service.png"})
    EXPECT_EQ(ui::LoadPng(QString::fromLatin1(name)).size(), QSize(40, 40)) << name;
  for (const char* name : {":/glyph_run.png", ":/glyph_stop.png", ":/arrow_left.png"})
    EXPECT_FALSE(ui::LoadPng(QString::fromLatin1(name)).isNull()) << name;
}

}  // namespace
