#pragma once
// Picture files of the report: the logo readers (GIF through giflib, JPEG through libjpeg, Windows
// bitmaps through Qt) and the GIF writer of exported and mailed pages. A logo comes from a folder users
// fill, so its file is opened as a regular file only, its size is capped and a picture that declares
// more pixels than a logo needs is refused before anything is allocated for it.
#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QString>

// The largest logo file read [bytes] and the largest side of a logo picture [pixels].
constexpr qint64 MaxLogoFileBytes = 4 * 1024 * 1024;
constexpr int MaxLogoSide = 4000;

// The first image of a GIF file's bytes, or a null image (with the reason in *reason when it declares
// too many pixels).
QImage DecodeGif(QByteArrayView bytes, QString* reason = nullptr);
// A baseline or progressive JPEG file's bytes, or a null image.
QImage DecodeJpeg(QByteArrayView bytes, QString* reason = nullptr);
// A Windows bitmap file's bytes, or a null image.
QImage DecodeBmp(QByteArrayView bytes, QString* reason = nullptr);

// A logo file by its extension, compared without regard to case: ".jpg" as JPEG, ".gif" as GIF, any
// other as a Windows bitmap. A null image when the file does not load; *reason then says why when the
// file was refused (not a regular file, too large, too many pixels) rather than merely undecodable.
QImage ReadLogoFile(const QString& path, QString* reason = nullptr);

// The image as GIF file bytes, reduced to 256 colours by giflib's quantizer with its levels spread over
// the full 0..255 range, so white stays white. Empty, with the reason in *error, on failure.
QByteArray EncodeGif(const QImage& image, QString* error = nullptr);
// How a GIF file is created: over whatever the path names, or only as a new file, so that nothing is
// written through a file or link that is already there.
enum class TGifCreate { Replace, NewFileOnly };
// Writes EncodeGif's bytes with the usual mode (the umask's). Replace writes through a save file, so a
// failed write leaves any earlier file as it was and a link at the path is replaced, not followed;
// NewFileOnly refuses a path where anything, even a dangling link, already is. False with the reason
// in *error.
bool WriteGifFile(const QImage& image, const QString& path, QString* error = nullptr,
                  TGifCreate create = TGifCreate::Replace);
