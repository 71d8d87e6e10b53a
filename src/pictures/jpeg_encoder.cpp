#include "pictures/jpeg_encoder.h"

#include "text/cp1251.h"
#include "text/error.h"

// jpeglib.h needs size_t and FILE declared before it.
#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

#include <memory>
#include <stdexcept>

namespace quarbel {
namespace {

// The JPEG library reports a fatal error by calling error_exit, which by default ends the
// process. Ours jumps back to Compress instead.
struct ErrorManager {
  jpeg_error_mgr base; // first, so that the library's pointer to it is a pointer to us
  std::jmp_buf back;
};

[[noreturn]] void JumpBack(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->back, 1);
}

void IgnoreMessage(j_common_ptr) {}

struct FreeDeleter {
  void operator()(unsigned char* p) const { std::free(p); }
};

// Everything the library touches lives in the caller's frame, so that nothing here needs
// unwinding when the library jumps back, and the output buffer is still known afterwards.
struct Compression {
  jpeg_compress_struct cinfo;
  ErrorManager errors;
  unsigned char* buffer;
  unsigned long size;
};

// Compresses into job.buffer (allocated by the library with malloc). Returns false after a
// library error; either way the caller frees job.buffer. Holds no C++ objects, since
// longjmp would skip their destructors.
bool Compress(Compression& job, const RgbImage& image, int quality) {
  job.cinfo.err = jpeg_std_error(&job.errors.base);
  job.errors.base.error_exit = JumpBack;
  job.errors.base.output_message = IgnoreMessage;
  if (setjmp(job.errors.back)) {
    jpeg_destroy_compress(&job.cinfo);
    return false;
  }
  jpeg_create_compress(&job.cinfo);
  jpeg_mem_dest(&job.cinfo, &job.buffer, &job.size);

  job.cinfo.image_width = static_cast<JDIMENSION>(image.width);
  job.cinfo.image_height = static_cast<JDIMENSION>(image.height);
  job.cinfo.input_components = 3;
  job.cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&job.cinfo);
  jpeg_set_quality(&job.cinfo, quality, TRUE);
  job.cinfo.optimize_coding = TRUE; // Huffman tables fitted to the picture, still baseline
  jpeg_start_compress(&job.cinfo, TRUE);

  const std::size_t stride = static_cast<std::size_t>(image.width) * 3;
  while (job.cinfo.next_scanline < job.cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(image.pixels.data() + job.cinfo.next_scanline * stride);
    jpeg_write_scanlines(&job.cinfo, &row, 1);
  }
  jpeg_finish_compress(&job.cinfo);
  jpeg_destroy_compress(&job.cinfo);
  return true;
}

} // namespace

std::string EncodeJpeg(const RgbImage& image, int quality) {
  if (image.width < 0 || image.height < 0 ||
      image.pixels.size() != static_cast<std::size_t>(image.width) * image.height * 3)
    throw std::invalid_argument("RGB picture bytes do not match its size");

  Compression job{};
  const bool written = Compress(job, image, quality);
  const std::unique_ptr<unsigned char, FreeDeleter> buffer(job.buffer);
  if (!written)
    throw Error(Cp1251FromUtf8("Не вдалося записати зображення JPEG"));
  return std::string(reinterpret_cast<const char*>(buffer.get()), job.size);
}

} // namespace quarbel
