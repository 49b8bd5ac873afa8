#include "report/ImageFiles.h"

#include "storage/RegularFile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <csetjmp>
#include <cstring>
#include <memory>
#include <vector>

#include <fcntl.h>
#include <gif_lib.h>
#include <jpeglib.h>
#include <unistd.h>

namespace {

struct GifReadCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

// Bytes read by a decoder from memory, front to back.
struct TByteSource {
    QByteArrayView Bytes;
    qsizetype Pos = 0;
};

int ReadGifBytes(GifFileType* gif, GifByteType* out, int wanted) {
    auto* source = static_cast<TByteSource*>(gif->UserData);
    const qsizetype n = std::min<qsizetype>(wanted, source->Bytes.size() - source->Pos);
    std::memcpy(out, source->Bytes.data() + source->Pos, size_t(n));
    source->Pos += n;
    return int(n);
}

int WriteGifBytes(GifFileType* gif, const GifByteType* bytes, int count) {
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(bytes), count);
    return count;
}

// True when a picture of w x h pixels is one a logo may be; otherwise the reason goes to *reason.
bool LogoSizeAllowed(long long w, long long h, QString* reason) {
    if (w > 0 && h > 0 && w <= MaxLogoSide && h <= MaxLogoSide) return true;
    if (reason && w > 0 && h > 0)
        *reason =
            QStringLiteral("it declares %1 x %2 pixels, more than %3 a side").arg(w).arg(h).arg(MaxLogoSide);
    return false;
}

bool SkipGifExtension(GifFileType* gif) {
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) != GIF_OK) return false;
    while (block)
        if (DGifGetExtensionNext(gif, &block) != GIF_OK) return false;
    return true;
}

// The rows of the image just described, in file order: an interlaced image comes in four passes.
std::vector<int> GifRowOrder(int height, bool interlaced) {
    std::vector<int> rows;
    if (!interlaced) {
        for (int y = 0; y < height; ++y)
            rows.push_back(y);
        return rows;
    }
    constexpr int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int y = start[pass]; y < height; y += step[pass])
            rows.push_back(y);
    return rows;
}

QImage DecodeGifFrame(GifFileType* gif, QString* reason) {
    if (DGifGetImageDesc(gif) != GIF_OK) return {};
    const GifImageDesc& desc = gif->Image;
    if (!LogoSizeAllowed(desc.Width, desc.Height, reason)) return {};
    const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
    if (!map) return {};
    QImage image(desc.Width, desc.Height, QImage::Format_RGB32);
    if (image.isNull()) return {}; // no memory for it: nothing may be written into it
    image.fill(Qt::white);
    std::vector<GifPixelType> line(size_t(desc.Width));
    for (int y : GifRowOrder(desc.Height, desc.Interlace)) {
        if (DGifGetLine(gif, line.data(), desc.Width) != GIF_OK) return {};
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < desc.Width; ++x) {
            if (line[size_t(x)] >= map->ColorCount) continue;
            const GifColorType& c = map->Colors[line[size_t(x)]];
            out[x] = qRgb(c.Red, c.Green, c.Blue);
        }
    }
    return image;
}

// libjpeg reports fatal errors through a callback that must not return: it jumps back to the reader.
struct JpegErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void JpegErrorExit(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegErrorManager*>(info->err)->jump, 1);
}

// Warnings about damaged data are not for the user's terminal.
void JpegNoMessage(j_common_ptr) {}

// Decodes the JPEG source into an RGB32 image. libjpeg's error exit may jump out of this function and
// the caller's frame below its setjmp, so no object with a destructor lives in either: the row buffer
// comes from libjpeg's own pool, which jpeg_destroy_decompress frees.
bool DecodeJpegRows(jpeg_decompress_struct& info, QImage& image, QString* reason) {
    jpeg_read_header(&info, TRUE);
    if (!LogoSizeAllowed(info.image_width, info.image_height, reason)) return false;
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    image = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB32);
    if (image.isNull()) return false;
    JSAMPARRAY rows = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                                 info.output_width * 3, 1);
    const JSAMPLE* row = rows[0];
    while (info.output_scanline < info.output_height) {
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

QImage DecodeGif(QByteArrayView bytes, QString* reason) {
    TByteSource source{bytes};
    int error = 0;
    std::unique_ptr<GifFileType, GifReadCloser> gif(DGifOpen(&source, ReadGifBytes, &error));
    if (!gif) return {};
    GifRecordType type = TERMINATE_RECORD_TYPE;
    do {
        if (DGifGetRecordType(gif.get(), &type) != GIF_OK) return {};
        if (type == IMAGE_DESC_RECORD_TYPE) return DecodeGifFrame(gif.get(), reason);
        if (type == EXTENSION_RECORD_TYPE && !SkipGifExtension(gif.get())) return {};
    } while (type != TERMINATE_RECORD_TYPE);
    return {};
}

QImage DecodeJpeg(QByteArrayView bytes, QString* reason) {
    if (bytes.isEmpty()) return {};
    jpeg_decompress_struct info{};
    JpegErrorManager err{};
    info.err = jpeg_std_error(&err.base);
    err.base.error_exit = JpegErrorExit;
    err.base.output_message = JpegNoMessage;
    QImage image;
    bool ok = false;
    if (setjmp(err.jump) == 0) {
        jpeg_create_decompress(&info);
        jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
                     (unsigned long)bytes.size());
        ok = DecodeJpegRows(info, image, reason);
    }
    jpeg_destroy_decompress(&info);
    return ok ? image : QImage();
}

QImage DecodeBmp(QByteArrayView bytes, QString* reason) {
    QByteArray data = bytes.toByteArray();
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "BMP");
    reader.setAutoDetectImageFormat(false); // a PNG named .bmp is not read as a PNG
    const QSize size = reader.size();
    if (!LogoSizeAllowed(size.width(), size.height(), reason)) return {};
    return reader.read();
}

QImage ReadLogoFile(const QString& path, QString* reason) {
    QFile file;
    if (!OpenRegularFile(file, path, reason)) return {};
    if (file.size() > MaxLogoFileBytes) {
        if (reason) *reason = QStringLiteral("it is larger than %1 MB").arg(MaxLogoFileBytes >> 20);
        return {};
    }
    const QByteArray bytes = ReadAtMost(file, MaxLogoFileBytes);
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == QLatin1String("jpg")) return DecodeJpeg(bytes, reason);
    if (ext == QLatin1String("gif")) return DecodeGif(bytes, reason);
    return DecodeBmp(bytes, reason);
}

// giflib's quantizer keeps 5 bits of each primary and averages them back as multiples of 8, so its
// brightest level is 248: white pages came out #F8F8F8. Its levels spread over 0..255 again.
void SpreadQuantizedLevels(ColorMapObject& map, int count) {
    auto spread = [](GifByteType v) { return GifByteType(std::min(255, (v * 255 + 124) / 248)); };
    for (int i = 0; i < count; ++i) {
        GifColorType& c = map.Colors[i];
        c.Red = spread(c.Red);
        c.Green = spread(c.Green);
        c.Blue = spread(c.Blue);
    }
}

QByteArray EncodeGif(const QImage& source, QString* error) {
    auto fail = [error](const QString& why) {
        if (error) *error = why;
        return QByteArray();
    };
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int w = image.width(), h = image.height();
    if (w <= 0 || h <= 0 || w > 65535 || h > 65535)
        return fail(QStringLiteral("image size not possible in GIF"));
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
    SpreadQuantizedLevels(*map, map->ColorCount);

    QByteArray bytes;
    int code = 0;
    GifFileType* gif = EGifOpen(&bytes, WriteGifBytes, &code);
    if (!gif) return fail(QString::fromLatin1(GifErrorString(code)));
    bool ok = EGifPutScreenDesc(gif, w, h, 8, 0, map.get()) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < h; ++y)
        ok = EGifPutLine(gif, raster.data() + size_t(y) * w, w) == GIF_OK;
    if (!ok) code = gif->Error;
    if (EGifCloseFile(gif, ok ? &code : nullptr) != GIF_OK) ok = false;
    return ok ? bytes : fail(QString::fromLatin1(GifErrorString(code)));
}

bool WriteGifFile(const QImage& image, const QString& path, QString* error, TGifCreate create) {
    const QByteArray bytes = EncodeGif(image, error);
    if (bytes.isEmpty()) return false;
    if (create == TGifCreate::NewFileOnly) {
        // O_EXCL also refuses a symbolic link, even a dangling one.
        const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        QFile file;
        if (fd >= 0 && file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle) &&
            file.write(bytes) == bytes.size() && file.flush())
            return true;
        if (error) *error = fd < 0 ? QString::fromLocal8Bit(std::strerror(errno)) : file.errorString();
        if (fd >= 0 && !file.isOpen()) ::close(fd);
        return false;
    }
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) return true;
    if (error) *error = file.errorString();
    return false;
}
