#include "JpegImage.h"

#include "base/Exceptions.h"

#include <QLoggingCategory>

#include <cstdio>
#include <memory>
#include <string>

#include <jpeglib.h>

namespace kelmora::about {

namespace {

Q_LOGGING_CATEGORY(lcJpeg, "kelmora.about.jpeg", QtWarningMsg)

// Larger pictures are refused rather than allocated.
constexpr JDIMENSION kMaxSide = 16384;

// libjpeg reports a fatal error by calling error_exit, which must not return.
// Ours throws. The exception passes libjpeg's C frames, which carry unwind
// tables (the platform ABI's default) and need no cleanup, and unwinds every
// C++ frame on the way, such as readLines with its row buffer; the Decoder's
// destructor then releases libjpeg's state. A longjmp would skip destructors.
struct Decoder {
    jpeg_decompress_struct info {};
    jpeg_error_mgr errors {};
    bool created = false;

    Decoder() = default;
    Decoder(const Decoder &) = delete;
    Decoder &operator=(const Decoder &) = delete;
    ~Decoder()
    {
        if (created)
            jpeg_destroy_decompress(&info);
    }
};

[[noreturn]] void onError(j_common_ptr info)
{
    char message[JMSG_LENGTH_MAX] = {};
    (*info->err->format_message)(info, message);
    throw Exception(std::string("JPEG error: ") + message);
}

void onMessage(j_common_ptr info)
{
    // Warnings (a truncated file, extra bytes) do not stop the decoder.
    char text[JMSG_LENGTH_MAX];
    (*info->err->format_message)(info, text);
    qCDebug(lcJpeg, "%s", text);
}

// Adobe writes CMYK JPEGs inverted; either way this is the plain conversion.
void cmykToRgb(const JSAMPLE *in, uchar *out, JDIMENSION width, bool inverted)
{
    for (JDIMENSION x = 0; x < width; ++x, in += 4, out += 3) {
        const int c = inverted ? in[0] : 255 - in[0];
        const int m = inverted ? in[1] : 255 - in[1];
        const int y = inverted ? in[2] : 255 - in[2];
        const int k = inverted ? in[3] : 255 - in[3];
        out[0] = uchar(c * k / 255);
        out[1] = uchar(m * k / 255);
        out[2] = uchar(y * k / 255);
    }
}

void readLines(Decoder &d, QImage &image)
{
    const bool cmyk = d.info.out_color_space == JCS_CMYK;
    std::unique_ptr<JSAMPLE[]> row(cmyk ? new JSAMPLE[std::size_t(d.info.output_width) * 4] : nullptr);
    while (d.info.output_scanline < d.info.output_height) {
        uchar *line = image.scanLine(int(d.info.output_scanline));
        JSAMPROW target = cmyk ? row.get() : line;
        if (jpeg_read_scanlines(&d.info, &target, 1) != 1)
            break;
        if (cmyk)
            cmykToRgb(row.get(), line, d.info.output_width, d.info.saw_Adobe_marker);
    }
}

} // namespace

QImage decodeJpeg(const QByteArray &data)
{
    Decoder d;
    d.info.err = jpeg_std_error(&d.errors);
    d.errors.error_exit = onError;
    d.errors.output_message = onMessage;

    jpeg_create_decompress(&d.info);
    d.created = true;
    jpeg_mem_src(&d.info, reinterpret_cast<const unsigned char *>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&d.info, TRUE);
    const J_COLOR_SPACE source = d.info.jpeg_color_space;
    d.info.out_color_space = (source == JCS_CMYK || source == JCS_YCCK) ? JCS_CMYK : JCS_RGB;
    if (d.info.image_width > kMaxSide || d.info.image_height > kMaxSide)
        throw Exception("JPEG error: the picture is too large");
    jpeg_start_decompress(&d.info);
    QImage image(int(d.info.output_width), int(d.info.output_height), QImage::Format_RGB888);
    if (image.isNull())
        throw Exception("JPEG error: not enough memory for the picture");
    image.fill(Qt::black);
    readLines(d, image);
    jpeg_finish_decompress(&d.info);
    return image;
}

} // namespace kelmora::about
