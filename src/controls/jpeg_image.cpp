#include "controls/jpeg_image.h"

#include <fmt/format.h>
#include <jpeglib.h>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
// The message codes (JWRN_JPEG_EOF) are an enum of jerror.h.
#include <jerror.h>

#include "platform/error/app_error.h"
#include "platform/fs/file_ops.h"
#include "platform/fs/line_file.h"

namespace tarvel::controls {
namespace {

// Larger than any window of the skin by far; a header claiming more is refused before any
// memory is taken for it.
constexpr JDIMENSION kMaxSide = 8192;

// libjpeg reports fatal errors through error_exit, which must not return. It jumps back to the
// setjmp of the call in progress with the library's message kept; no C++ object with a
// destructor lives between the setjmp and the library frames.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    bool truncated;
};

void ErrorExit(j_common_ptr info) {
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

void QuietOutput(j_common_ptr) {}

// Warnings are not shown; a stream that ends early is remembered, because libjpeg would fill the
// rest of the picture with grey and call it a success.
void NoteWarning(j_common_ptr info, int level) {
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF) {
        reinterpret_cast<ErrorManager*>(info->err)->truncated = true;
    }
}

// Owns one decompressor for the duration of a decode.
class Decompressor {
  public:
    Decompressor() {
        info_.err = jpeg_std_error(&errors_.pub);
        errors_.pub.error_exit = ErrorExit;
        errors_.pub.output_message = QuietOutput;
        errors_.pub.emit_message = NoteWarning;
        errors_.message[0] = '\0';
    }
    ~Decompressor() {
        if (created_)
            jpeg_destroy_decompress(&info_);
    }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;

    // Returns false with message() set when libjpeg failed.
    bool Run(const std::string& bytes, QImage& out) {
        if (setjmp(errors_.jump) != 0)
            return false;
        jpeg_create_decompress(&info_);
        created_ = true;
        jpeg_mem_src(&info_, reinterpret_cast<const unsigned char*>(bytes.data()),
                     static_cast<unsigned long>(bytes.size()));
        jpeg_read_header(&info_, TRUE);
        if (info_.image_width > kMaxSide || info_.image_height > kMaxSide) {
            std::snprintf(errors_.message, sizeof errors_.message, "picture too large (%ux%u)",
                          info_.image_width, info_.image_height);
            return false;
        }
        info_.out_color_space = JCS_EXT_BGRX;  // the byte order of QImage::Format_RGB32
        jpeg_start_decompress(&info_);
        out = QImage(static_cast<int>(info_.output_width), static_cast<int>(info_.output_height),
                     QImage::Format_RGB32);
        if (out.isNull()) {
            std::snprintf(errors_.message, sizeof errors_.message, "out of memory");
            return false;
        }
        while (info_.output_scanline < info_.output_height) {
            JSAMPROW row = out.scanLine(static_cast<int>(info_.output_scanline));
            jpeg_read_scanlines(&info_, &row, 1);
        }
        if (errors_.truncated) {
            std::snprintf(errors_.message, sizeof errors_.message, "the data ends early");
            return false;
        }
        jpeg_finish_decompress(&info_);
        return true;
    }

    const char* message() const { return errors_.message; }

  private:
    jpeg_decompress_struct info_{};
    ErrorManager errors_{};
    bool created_ = false;
};

class Compressor {
  public:
    Compressor() {
        info_.err = jpeg_std_error(&errors_.pub);
        errors_.pub.error_exit = ErrorExit;
        errors_.pub.output_message = QuietOutput;
        errors_.message[0] = '\0';
    }
    ~Compressor() {
        if (created_)
            jpeg_destroy_compress(&info_);
        std::free(buffer_);
    }
    Compressor(const Compressor&) = delete;
    Compressor& operator=(const Compressor&) = delete;

    bool Run(const QImage& rgb32, int quality) {
        if (setjmp(errors_.jump) != 0)
            return false;
        jpeg_create_compress(&info_);
        created_ = true;
        jpeg_mem_dest(&info_, &buffer_, &size_);
        info_.image_width = static_cast<JDIMENSION>(rgb32.width());
        info_.image_height = static_cast<JDIMENSION>(rgb32.height());
        info_.input_components = 4;
        info_.in_color_space = JCS_EXT_BGRX;
        jpeg_set_defaults(&info_);
        jpeg_set_quality(&info_, quality, TRUE);
        for (int c = 0; c < info_.num_components; ++c) {
            info_.comp_info[c].h_samp_factor = 1;
            info_.comp_info[c].v_samp_factor = 1;
        }
        jpeg_start_compress(&info_, TRUE);
        while (info_.next_scanline < info_.image_height) {
            auto* row =
                const_cast<JSAMPLE*>(rgb32.constScanLine(static_cast<int>(info_.next_scanline)));
            jpeg_write_scanlines(&info_, &row, 1);
        }
        jpeg_finish_compress(&info_);
        return true;
    }

    std::string bytes() const { return std::string(reinterpret_cast<const char*>(buffer_), size_); }
    const char* message() const { return errors_.message; }

  private:
    jpeg_compress_struct info_{};
    ErrorManager errors_{};
    unsigned char* buffer_ = nullptr;
    unsigned long size_ = 0;
    bool created_ = false;
};

}  // namespace

QImage DecodeJpeg(const std::string& bytes, const std::string& name) {
    if (bytes.empty())
        throw AppError(fmt::format("Cannot read picture \"{}\": empty file", name));
    QImage image;
    Decompressor decoder;
    if (!decoder.Run(bytes, image)) {
        throw AppError(fmt::format("Cannot read picture \"{}\": {}", name, decoder.message()));
    }
    return image;
}

QImage LoadJpeg(const std::string& path) {
    return DecodeJpeg(fs::ReadFile(path), path);
}

std::string EncodeJpeg(const QImage& image, int quality) {
    if (image.isNull())
        throw AppError("Cannot encode an empty picture as JPEG");
    const QImage rgb32 = image.convertToFormat(QImage::Format_RGB32);
    Compressor encoder;
    if (!encoder.Run(rgb32, quality)) {
        throw AppError(fmt::format("Cannot encode JPEG: {}", encoder.message()));
    }
    return encoder.bytes();
}

void SaveJpeg(const QImage& image, const std::string& path, int quality) {
    const std::string folder = fs::FolderOf(path);
    if (!folder.empty())
        fs::CreateDirectories(folder);
    fs::ReplaceFile(path, EncodeJpeg(image, quality));
}

}  // namespace tarvel::controls
