// JPEG and GIF writers; see picture_writers.h.
#include "picture_writers.h"

#include "quantize.h"

#include <QFile>

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

extern "C" {
#include <gif_lib.h>
#include <jpeglib.h>
}

namespace quorvin::art {

namespace {

struct TJpegError {
    jpeg_error_mgr Manager;
    std::jmp_buf Jump;
};

// libjpeg reports errors by calling error_exit, which must not return; jumping back to the
// writer keeps C++ exceptions from unwinding through the C library.
[[noreturn]] void JpegErrorExit(j_common_ptr info) {
    std::longjmp(reinterpret_cast<TJpegError*>(info->err)->Jump, 1);
}

struct TFileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

} // namespace

void WriteJpeg(const QImage& source, const QString& path, int quality) {
    const QImage image = source.convertToFormat(QImage::Format_RGB888);
    std::unique_ptr<std::FILE, TFileCloser> file(std::fopen(path.toLocal8Bit().constData(), "wb"));
    if (!file) throw std::runtime_error("Cannot create " + path.toStdString());

    jpeg_compress_struct info{};
    TJpegError error{};
    info.err = jpeg_std_error(&error.Manager);
    error.Manager.error_exit = JpegErrorExit;
    if (setjmp(error.Jump)) {
        jpeg_destroy_compress(&info);
        throw std::runtime_error("Cannot write JPEG " + path.toStdString());
    }
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file.get());
    info.image_width = JDIMENSION(image.width());
    info.image_height = JDIMENSION(image.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    // Full-resolution colour: the square pictures are small and their colour edges matter.
    for (int c = 0; c < info.num_components; ++c)
        info.comp_info[c].h_samp_factor = info.comp_info[c].v_samp_factor = 1;
    info.optimize_coding = TRUE;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(image.constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
}

void WriteGif(const QImage& source, const QString& path, QRgb transparentRgb) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width(), h = image.height();
    std::vector<bool> opaque(std::size_t(w) * h);
    bool anyTransparent = false;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool o = qAlpha(image.pixel(x, y)) >= 128;
            opaque[std::size_t(y) * w + x] = o;
            anyTransparent = anyTransparent || !o;
        }
    const TQuantized q = Quantize(image, opaque, 255);
    const int transparentIndex = int(q.Palette.size());

    std::vector<GifColorType> colours(256, GifColorType{0, 0, 0});
    for (std::size_t i = 0; i < q.Palette.size(); ++i)
        colours[i] = {GifByteType(qRed(q.Palette[i])), GifByteType(qGreen(q.Palette[i])),
                      GifByteType(qBlue(q.Palette[i]))};
    colours[transparentIndex] = {GifByteType(qRed(transparentRgb)),
                                 GifByteType(qGreen(transparentRgb)),
                                 GifByteType(qBlue(transparentRgb))};

    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.toLocal8Bit().constData(), false, &error);
    if (!gif) throw std::runtime_error("Cannot create " + path.toStdString());
    auto fail = [&]() {
        const std::string reason = GifErrorString(gif->Error);
        int closeError = 0;
        EGifCloseFile(gif, &closeError);
        throw std::runtime_error("Cannot write GIF " + path.toStdString() + ": " + reason);
    };
    ColorMapObject* map = GifMakeMapObject(256, colours.data());
    EGifSetGifVersion(gif, true);
    if (EGifPutScreenDesc(gif, w, h, 8, 0, map) == GIF_ERROR) {
        GifFreeMapObject(map);
        fail();
    }
    GifFreeMapObject(map);
    if (anyTransparent) {
        GraphicsControlBlock control{};
        control.DisposalMode = DISPOSAL_UNSPECIFIED;
        control.TransparentColor = transparentIndex;
        GifByteType extension[4];
        const std::size_t length = EGifGCBToExtension(&control, extension);
        if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(length), extension) == GIF_ERROR)
            fail();
    }
    if (EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) == GIF_ERROR) fail();
    std::vector<GifPixelType> line(static_cast<std::size_t>(w));
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::size_t i = std::size_t(y) * w + x;
            line[std::size_t(x)] = opaque[i] ? q.Indexes[i] : GifPixelType(transparentIndex);
        }
        if (EGifPutLine(gif, line.data(), w) == GIF_ERROR) fail();
    }
    if (EGifCloseFile(gif, &error) == GIF_ERROR)
        throw std::runtime_error("Cannot finish GIF " + path.toStdString());
    // giflib creates its files readable by the owner only.
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                    QFile::ReadOther);
}

} // namespace quorvin::art
