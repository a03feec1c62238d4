// JPEG and GIF decoding; see picture_codec.h.
#include "picture_codec.h"

#include "picture_error.h"

#include <QFile>

#include <algorithm>
#include <csetjmp>
#include <cstring>

extern "C" {
#include <gif_lib.h>
#include <jpeglib.h>
}

namespace quorvin {

namespace {

QByteArray ReadWhole(const QString& fileName) {
    QFile file(fileName);
    if (!file.exists()) throw TPictureError(fileName, QStringLiteral("the file does not exist"));
    if (!file.open(QIODevice::ReadOnly)) throw TPictureError(fileName, file.errorString());
    return file.readAll();
}

struct TJpegError {
    jpeg_error_mgr Manager;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
    bool Corrupt; // libjpeg warned about damaged data (a truncated file, for instance)
};

// libjpeg's error_exit must not return; the decoder jumps back and raises the error there, so
// no C++ exception unwinds through the C library.
[[noreturn]] void JpegErrorExit(j_common_ptr info) {
    auto* error = reinterpret_cast<TJpegError*>(info->err);
    info->err->format_message(info, error->Message);
    std::longjmp(error->Jump, 1);
}

// libjpeg only warns about damaged data and goes on with made-up pixels; such a picture is
// as broken as one it cannot read at all.
void JpegMessage(j_common_ptr info, int level) {
    auto* error = reinterpret_cast<TJpegError*>(info->err);
    if (level < 0 && !error->Corrupt) {
        info->err->format_message(info, error->Message);
        error->Corrupt = true;
    }
}

struct TGifSource {
    const QByteArray* Data;
    qsizetype Offset;
};

int ReadGifBytes(GifFileType* gif, GifByteType* buffer, int length) {
    auto* source = static_cast<TGifSource*>(gif->UserData);
    const qsizetype n = std::min<qsizetype>(length, source->Data->size() - source->Offset);
    std::memcpy(buffer, source->Data->constData() + source->Offset, std::size_t(n));
    source->Offset += n;
    return int(n);
}

} // namespace

QImage DecodeJpeg(const QString& fileName) {
    const QByteArray data = ReadWhole(fileName);
    jpeg_decompress_struct info{};
    TJpegError error{};
    info.err = jpeg_std_error(&error.Manager);
    error.Manager.error_exit = JpegErrorExit;
    error.Manager.emit_message = JpegMessage;
    QImage image; // declared before setjmp, so longjmp leaves it in a defined state
    if (setjmp(error.Jump)) {
        jpeg_destroy_decompress(&info);
        throw TPictureError(fileName, QString::fromLocal8Bit(error.Message));
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    // Decode straight into QImage's RGB32 layout: 0xffRRGGBB in native byte order.
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    info.out_color_space = JCS_EXT_BGRX;
#else
    info.out_color_space = JCS_EXT_XRGB;
#endif
    jpeg_start_decompress(&info);
    image = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB32);
    if (image.isNull()) {
        jpeg_destroy_decompress(&info);
        throw TPictureError(fileName, QStringLiteral("the picture is too large"));
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    if (error.Corrupt) throw TPictureError(fileName, QString::fromLocal8Bit(error.Message));
    return image;
}

QImage DecodeGif(const QString& fileName) {
    const QByteArray data = ReadWhole(fileName);
    TGifSource source{&data, 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&source, ReadGifBytes, &error);
    if (!gif) throw TPictureError(fileName, QString::fromLatin1(GifErrorString(error)));
    auto fail = [&](const QString& reason) {
        int closeError = 0;
        DGifCloseFile(gif, &closeError);
        throw TPictureError(fileName, reason);
    };
    if (DGifSlurp(gif) == GIF_ERROR) fail(QString::fromLatin1(GifErrorString(gif->Error)));
    if (gif->ImageCount < 1) fail(QStringLiteral("the file holds no image"));

    const SavedImage& frame = gif->SavedImages[0];
    const ColorMapObject* map =
        frame.ImageDesc.ColorMap ? frame.ImageDesc.ColorMap : gif->SColorMap;
    if (!map) fail(QStringLiteral("the file has no colour table"));
    GraphicsControlBlock control{};
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    DGifSavedExtensionToGCB(gif, 0, &control);
    const int transparent = control.TransparentColor;

    auto colourOf = [&](int index) -> QRgb {
        if (index < 0 || index >= map->ColorCount) return qRgb(0, 0, 0);
        const GifColorType& c = map->Colors[index];
        return qRgba(c.Red, c.Green, c.Blue, index == transparent ? 0 : 255);
    };
    const int width = std::max(gif->SWidth, frame.ImageDesc.Left + frame.ImageDesc.Width);
    const int height = std::max(gif->SHeight, frame.ImageDesc.Top + frame.ImageDesc.Height);
    QImage image(width, height,
                 transparent == NO_TRANSPARENT_COLOR ? QImage::Format_RGB32
                                                     : QImage::Format_ARGB32);
    if (image.isNull()) fail(QStringLiteral("the picture is too large"));
    // Outside the first image the logical screen shows its background: transparent when the
    // file has a transparent colour.
    image.fill(transparent == NO_TRANSPARENT_COLOR ? colourOf(gif->SBackGroundColor)
                                                   : colourOf(transparent));
    for (int y = 0; y < frame.ImageDesc.Height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(frame.ImageDesc.Top + y));
        const GifByteType* raster = frame.RasterBits + std::size_t(y) * frame.ImageDesc.Width;
        for (int x = 0; x < frame.ImageDesc.Width; ++x)
            line[frame.ImageDesc.Left + x] = colourOf(raster[x]);
    }
    DGifCloseFile(gif, &error);
    return image;
}

} // namespace quorvin
