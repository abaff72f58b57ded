#include "Jpeg.h"

#include <QFile>

#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern "C" {
#include <jerror.h>
#include <jpeglib.h>
}

namespace ui {
namespace {

// Anything bigger than this is treated as corrupt rather than allocated.
constexpr std::size_t kMaxPixels = std::size_t{64} * 1024 * 1024;
constexpr JDIMENSION kMaxSide = 32768;

// libjpeg reports fatal errors through error_exit, which must not return.
// We jump back into DecodeToRgb(); nothing with a destructor lives in that
// frame, so skipping the normal unwinding is harmless.
struct ErrorManager {
    jpeg_error_mgr pub;  // must stay the first member
    std::jmp_buf jump;
};

void OnFatalError(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::longjmp(err->jump, 1);
}

void OnMessage(j_common_ptr cinfo, int level)
{
    // Negative levels are warnings about damaged data ("corrupt JPEG data",
    // "premature end of data segment"). libjpeg would paper over them with
    // grey blocks; we would rather show nothing than a half-broken picture.
    if (level < 0)
        OnFatalError(cinfo);
}

void OnOutputMessage(j_common_ptr) {}

// A source manager reading straight from the caller's buffer. Running out of
// bytes is an error: libjpeg's own memory source would insert a fake EOI marker
// and hand back a partly grey image for truncated files.
void InitSource(j_decompress_ptr) {}

boolean FillInputBuffer(j_decompress_ptr cinfo)
{
    ERREXIT(cinfo, JERR_INPUT_EOF);
    return FALSE;
}

void SkipInputData(j_decompress_ptr cinfo, long count)
{
    if (count <= 0)
        return;
    jpeg_source_mgr* src = cinfo->src;
    if (static_cast<unsigned long>(count) > src->bytes_in_buffer)
        ERREXIT(cinfo, JERR_INPUT_EOF);
    src->next_input_byte += count;
    src->bytes_in_buffer -= static_cast<std::size_t>(count);
}

void TermSource(j_decompress_ptr) {}

struct RawRgb {
    unsigned char* pixels;  // malloc'ed rows of 32-bit pixels as QImage::Format_RGB32 holds them
    int width;
    int height;
};

inline unsigned char Mul255(unsigned a, unsigned b)
{
    return static_cast<unsigned char>((a * b + 127) / 255);
}

// One pixel as QImage::Format_RGB32 keeps it in memory: 0xffRRGGBB in the machine's order.
inline void PutPixel(unsigned char* out, unsigned r, unsigned g, unsigned b)
{
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    out[0] = static_cast<unsigned char>(b);
    out[1] = static_cast<unsigned char>(g);
    out[2] = static_cast<unsigned char>(r);
    out[3] = 0xFF;
#else
    out[0] = 0xFF;
    out[1] = static_cast<unsigned char>(r);
    out[2] = static_cast<unsigned char>(g);
    out[3] = static_cast<unsigned char>(b);
#endif
}

// Grey and CMYK rows; colour rows come out of libjpeg in the right layout already.
void ConvertRow(const unsigned char* in, unsigned char* out, JDIMENSION width,
                int components, bool invertedCmyk)
{
    if (components == 1) {
        for (JDIMENSION x = 0; x < width; ++x, out += 4)
            PutPixel(out, in[x], in[x], in[x]);
        return;
    }
    for (JDIMENSION x = 0; x < width; ++x, in += 4, out += 4) {
        // Photoshop writes CMYK JPEGs with inverted values.
        const unsigned c = invertedCmyk ? in[0] : 255u - in[0];
        const unsigned m = invertedCmyk ? in[1] : 255u - in[1];
        const unsigned y = invertedCmyk ? in[2] : 255u - in[2];
        const unsigned k = invertedCmyk ? in[3] : 255u - in[3];
        PutPixel(out, Mul255(c, k), Mul255(m, k), Mul255(y, k));
    }
}

// Plain C-style decoder: everything allocated here is malloc'ed and released
// explicitly, because a longjmp may land in the setjmp branch at any point.
// Returns true on success; the caller owns out->pixels then.
bool DecodeToRgb(const unsigned char* data, std::size_t size, RawRgb* out)
{
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    jpeg_source_mgr src;
    unsigned char* volatile pixels = nullptr;
    unsigned char* volatile row = nullptr;

    std::memset(&cinfo, 0, sizeof(cinfo));
    std::memset(&src, 0, sizeof(src));
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = OnFatalError;
    err.pub.emit_message = OnMessage;
    err.pub.output_message = OnOutputMessage;

    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        std::free(pixels);
        std::free(row);
        return false;
    }

    jpeg_create_decompress(&cinfo);

    src.next_input_byte = data;
    src.bytes_in_buffer = size;
    src.init_source = InitSource;
    src.fill_input_buffer = FillInputBuffer;
    src.skip_input_data = SkipInputData;
    src.resync_to_restart = jpeg_resync_to_restart;
    src.term_source = TermSource;
    cinfo.src = &src;

    jpeg_read_header(&cinfo, TRUE);

    switch (cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE:
        cinfo.out_color_space = JCS_GRAYSCALE;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        cinfo.out_color_space = JCS_CMYK;
        break;
    default:
        // libjpeg-turbo writes the pixels straight in QImage's layout, opaque alpha included.
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
        cinfo.out_color_space = JCS_EXT_BGRA;
#else
        cinfo.out_color_space = JCS_EXT_ARGB;
#endif
        break;
    }

    jpeg_start_decompress(&cinfo);

    const JDIMENSION width = cinfo.output_width;
    const JDIMENSION height = cinfo.output_height;
    const int components = cinfo.output_components;
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide
        || static_cast<std::size_t>(width) * height > kMaxPixels
        || (components != 1 && components != 4)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    const bool direct = cinfo.out_color_space != JCS_GRAYSCALE && cinfo.out_color_space != JCS_CMYK;
    const bool invertedCmyk = cinfo.out_color_space == JCS_CMYK && cinfo.saw_Adobe_marker;

    const std::size_t outStride = static_cast<std::size_t>(width) * 4;
    pixels = static_cast<unsigned char*>(std::malloc(outStride * height));
    if (!direct)
        row = static_cast<unsigned char*>(std::malloc(static_cast<std::size_t>(width) * components));
    if (pixels == nullptr || (!direct && row == nullptr)) {
        jpeg_destroy_decompress(&cinfo);
        std::free(pixels);
        std::free(row);
        return false;
    }

    while (cinfo.output_scanline < height) {
        const JDIMENSION y = cinfo.output_scanline;
        JSAMPROW rows[1] = {direct ? pixels + outStride * y : row};
        if (jpeg_read_scanlines(&cinfo, rows, 1) != 1) {
            // Only a suspending source can return zero lines; ours never
            // suspends, so treat it as damage.
            jpeg_destroy_decompress(&cinfo);
            std::free(pixels);
            std::free(row);
            return false;
        }
        if (!direct)
            ConvertRow(row, pixels + outStride * y, width, components, invertedCmyk);
    }

    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    std::free(row);

    out->pixels = pixels;
    out->width = static_cast<int>(width);
    out->height = static_cast<int>(height);
    return true;
}

}  // namespace

QImage DecodeJpeg(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return {};

    RawRgb raw{nullptr, 0, 0};
    if (!DecodeToRgb(reinterpret_cast<const unsigned char*>(bytes.constData()),
                     static_cast<std::size_t>(bytes.size()), &raw))
        return {};

    // The image takes the decoded rows over as they are and frees them when it goes.
    QImage image(raw.pixels, raw.width, raw.height, raw.width * 4, QImage::Format_RGB32,
                 [](void* pixels) { std::free(pixels); }, raw.pixels);
    if (image.isNull())
        std::free(raw.pixels);
    return image;
}

QImage LoadJpeg(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return DecodeJpeg(file.readAll());
}

}  // namespace ui
