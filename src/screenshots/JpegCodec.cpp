#include "screenshots/JpegCodec.h"

#include "platform/FileLookup.h"
#include "platform/PathHelpers.h"
#include "screenshots/BitmapFile.h"

#include <QSaveFile>

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE
#include <cstdlib>
#include <jpeglib.h>
#include <memory>

namespace JpegCodec {

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return: it jumps back to the
// function that started the work. Everything that jump crosses is libjpeg's own C code.
struct ErrorTrap
{
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void jumpBack(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorTrap *>(info->err)->jump, 1);
}

// Warnings (a file cut short, corrupt data) would go to stderr; the result speaks for itself.
void stayQuiet(j_common_ptr) {}

void installTrap(ErrorTrap *trap)
{
    jpeg_std_error(&trap->manager);
    trap->manager.error_exit = jumpBack;
    trap->manager.output_message = stayQuiet;
}

// A crafted progressive file can hold thousands of scans, each one a pass over the whole picture.
constexpr int MaxScans = 1000;

void limitScans(j_common_ptr info)
{
    if (info->is_decompressor && reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > MaxScans)
        jumpBack(info);
}

// The state of one run lives on the heap behind one pointer, so nothing that changes after setjmp is
// held in a local variable when the jump comes back.
struct Encoder
{
    jpeg_compress_struct info;
    ErrorTrap trap;
    unsigned char *output;
    unsigned long outputSize;
};

bool runEncoder(Encoder *e, const QImage *rgb, int quality)
{
    e->info.err = &e->trap.manager;
    installTrap(&e->trap);
    if (setjmp(e->trap.jump)) {
        jpeg_destroy_compress(&e->info);
        return false;
    }
    jpeg_create_compress(&e->info);
    jpeg_mem_dest(&e->info, &e->output, &e->outputSize);
    e->info.image_width = JDIMENSION(rgb->width());
    e->info.image_height = JDIMENSION(rgb->height());
    e->info.input_components = 3;
    e->info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&e->info);
    jpeg_set_quality(&e->info, quality, TRUE); // TRUE: baseline tables, as for a baseline file
    jpeg_start_compress(&e->info, TRUE);
    while (e->info.next_scanline < e->info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb->constScanLine(int(e->info.next_scanline)));
        jpeg_write_scanlines(&e->info, &row, 1);
    }
    jpeg_finish_compress(&e->info);
    jpeg_destroy_compress(&e->info);
    return true;
}

struct Decoder
{
    jpeg_decompress_struct info;
    ErrorTrap trap;
    jpeg_progress_mgr progress;
    QImage image;
};

bool runDecoder(Decoder *d, const QByteArray *bytes)
{
    d->info.err = &d->trap.manager;
    installTrap(&d->trap);
    if (setjmp(d->trap.jump)) {
        jpeg_destroy_decompress(&d->info);
        return false;
    }
    jpeg_create_decompress(&d->info);
    d->progress.progress_monitor = limitScans;
    d->info.progress = &d->progress;
    jpeg_mem_src(&d->info, reinterpret_cast<const unsigned char *>(bytes->constData()),
                 static_cast<unsigned long>(bytes->size()));
    jpeg_read_header(&d->info, TRUE);
    if (d->info.image_width == 0 || d->info.image_height == 0 ||
        qint64(d->info.image_width) * d->info.image_height > MaxPixels) {
        jpeg_destroy_decompress(&d->info);
        return false;
    }
    // Grey and colour pictures both come out as RGB; libjpeg refuses CMYK here, which ends as a failure.
    d->info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&d->info);
    d->image = QImage(int(d->info.output_width), int(d->info.output_height), QImage::Format_RGB888);
    if (d->image.isNull() || d->info.output_components != 3) {
        jpeg_destroy_decompress(&d->info);
        return false;
    }
    while (d->info.output_scanline < d->info.output_height) {
        JSAMPROW row = d->image.scanLine(int(d->info.output_scanline));
        jpeg_read_scanlines(&d->info, &row, 1);
    }
    jpeg_finish_decompress(&d->info);
    jpeg_destroy_decompress(&d->info);
    return true;
}

} // namespace

QByteArray encode(const QImage &picture, int quality)
{
    if (picture.isNull())
        return {};
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    auto encoder = std::make_unique<Encoder>();
    const bool ok = runEncoder(encoder.get(), &rgb, qBound(1, quality, 100));
    QByteArray result;
    if (ok)
        result = QByteArray(reinterpret_cast<const char *>(encoder->output), qsizetype(encoder->outputSize));
    std::free(encoder->output); // jpeg_mem_dest's buffer, also after a failure
    return result;
}

QImage decode(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return {};
    auto decoder = std::make_unique<Decoder>();
    if (!runDecoder(decoder.get(), &bytes))
        return {};
    return decoder->image;
}

bool convertBitmap(const QString &bitmapPath, const QString &jpegPath, int quality)
{
    QByteArray bytes;
    if (!BitmapFile::readFile(bitmapPath, &bytes))
        return false;
    const QByteArray jpeg = encode(BitmapFile::decode(bytes), quality);
    if (jpeg.isEmpty())
        return false;
    // An existing picture whose name differs only in case is replaced, as on a case-blind system.
    QString target = withJpegExtension(jpegPath);
    if (const QString existing = FileLookup::find(folderOf(target), fileNameOf(target)); !existing.isEmpty())
        target = existing;
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    out.write(jpeg);
    return out.commit();
}

QString withJpegExtension(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    const qsizetype dot = path.lastIndexOf(u'.');
    if (dot <= slash)
        return path + QStringLiteral(".jpg");
    return path.left(dot + 1) + QStringLiteral("jpg");
}

} // namespace JpegCodec
