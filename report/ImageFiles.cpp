#include "report/ImageFiles.h"

#include <QFile>
#include <QFileInfo>

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <vector>

#include <gif_lib.h>
#include <jpeglib.h>

namespace {

struct GifReadCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

// libjpeg reports fatal errors through a callback that must not return: it jumps back to the reader.
struct JpegErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void JpegErrorExit(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegErrorManager*>(info->err)->jump, 1);
}

// Decodes an open JPEG file into an RGB32 image. Kept apart from the setjmp so that no object with a
// destructor lives in the frame that longjmp leaves.
bool DecodeJpeg(jpeg_decompress_struct& info, QImage& image) {
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    image = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB32);
    if (image.isNull()) return false;
    std::vector<JSAMPLE> row(size_t(info.output_width) * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[1] = {row.data()};
        const int y = int(info.output_scanline);
        jpeg_read_scanlines(&info, rows, 1);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (unsigned x = 0; x < info.output_width; ++x)
            out[x] = qRgb(row[x * 3], row[x * 3 + 1], row[x * 3 + 2]);
    }
    jpeg_finish_decompress(&info);
    return true;
}

} // namespace

QImage ReadGifFile(const QString& path) {
    int error = 0;
    std::unique_ptr<GifFileType, GifReadCloser> gif(
        DGifOpenFileName(QFile::encodeName(path).constData(), &error));
    if (!gif || DGifSlurp(gif.get()) != GIF_OK || gif->ImageCount < 1) return {};
    const SavedImage& frame = gif->SavedImages[0];
    const ColorMapObject* map = frame.ImageDesc.ColorMap ? frame.ImageDesc.ColorMap : gif->SColorMap;
    const int w = frame.ImageDesc.Width, h = frame.ImageDesc.Height;
    if (!map || w <= 0 || h <= 0) return {};
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int y = 0; y < h; ++y) {
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int index = frame.RasterBits[size_t(y) * w + x];
            if (index >= map->ColorCount) continue;
            const GifColorType& c = map->Colors[index];
            out[x] = qRgb(c.Red, c.Green, c.Blue);
        }
    }
    return image;
}

QImage ReadJpegFile(const QString& path) {
    FILE* file = std::fopen(QFile::encodeName(path).constData(), "rb");
    if (!file) return {};
    jpeg_decompress_struct info{};
    JpegErrorManager err{};
    info.err = jpeg_std_error(&err.base);
    err.base.error_exit = JpegErrorExit;
    QImage image;
    bool ok = false;
    if (setjmp(err.jump) == 0) {
        jpeg_create_decompress(&info);
        jpeg_stdio_src(&info, file);
        ok = DecodeJpeg(info, image);
    }
    jpeg_destroy_decompress(&info);
    std::fclose(file);
    return ok ? image : QImage();
}

QImage ReadLogoFile(const QString& path) {
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == QLatin1String("jpg")) return ReadJpegFile(path);
    if (ext == QLatin1String("gif")) return ReadGifFile(path);
    return QImage(path, "BMP");
}

bool WriteGifFile(const QImage& source, const QString& path, QString* error, TGifCreate create) {
    auto fail = [error](const QString& why) {
        if (error) *error = why;
        return false;
    };
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int w = image.width(), h = image.height();
    if (w <= 0 || h <= 0) return fail(QStringLiteral("empty image"));
    const size_t n = size_t(w) * h;
    std::vector<GifByteType> red(n), green(n), blue(n), raster(n);
    for (int y = 0; y < h; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const size_t i = size_t(y) * w + x;
            red[i] = GifByteType(qRed(in[x]));
            green[i] = GifByteType(qGreen(in[x]));
            blue[i] = GifByteType(qBlue(in[x]));
        }
    }
    int colors = 256;
    std::unique_ptr<ColorMapObject, void (*)(ColorMapObject*)> map(GifMakeMapObject(256, nullptr),
                                                                   GifFreeMapObject);
    if (!map || GifQuantizeBuffer(unsigned(w), unsigned(h), &colors, red.data(), green.data(), blue.data(),
                                  raster.data(), map->Colors) != GIF_OK)
        return fail(QStringLiteral("colour reduction failed"));

    int code = 0;
    // giflib's existence test opens with O_EXCL, which also refuses a symbolic link, even a dangling one.
    GifFileType* gif =
        EGifOpenFileName(QFile::encodeName(path).constData(), create == TGifCreate::NewFileOnly, &code);
    if (!gif) return fail(QString::fromLatin1(GifErrorString(code)));
    bool ok = EGifPutScreenDesc(gif, w, h, 8, 0, map.get()) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < h; ++y)
        ok = EGifPutLine(gif, raster.data() + size_t(y) * w, w) == GIF_OK;
    const int lineError = gif->Error;
    if (EGifCloseFile(gif, &code) != GIF_OK && ok) {
        ok = false;
        return fail(QString::fromLatin1(GifErrorString(code)));
    }
    return ok ? true : fail(QString::fromLatin1(GifErrorString(lineError)));
}
