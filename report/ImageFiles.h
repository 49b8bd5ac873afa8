#pragma once
// Picture files of the report: the logo readers (JPEG through libjpeg, GIF through giflib, anything
// else as a Windows bitmap) and the GIF writer of exported and mailed pages.
#include <QImage>
#include <QString>

// The first image of a GIF file, or a null image when the file cannot be read.
QImage ReadGifFile(const QString& path);
// A baseline or progressive JPEG file, or a null image when it cannot be read.
QImage ReadJpegFile(const QString& path);
// A logo by its extension, compared without regard to case: ".jpg" as JPEG, ".gif" as GIF, any other
// as a Windows bitmap. A null image when the file does not load.
QImage ReadLogoFile(const QString& path);

// How a GIF file is created: over whatever the path names, or only as a new file, so that nothing is
// written through a file or link that is already there.
enum class TGifCreate { Replace, NewFileOnly };
// Writes the image as one GIF image reduced to 256 colours by giflib's quantizer. Returns false with
// the reason in error when the file cannot be written.
bool WriteGifFile(const QImage& image, const QString& path, QString* error = nullptr,
                  TGifCreate create = TGifCreate::Replace);
