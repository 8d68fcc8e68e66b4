#pragma once

#include <QImage>
#include <string>

// JPEG pictures through libjpeg. Every skin picture of every window is read here; the skin
// generator writes its pictures here too. Failures throw AppError naming the file and the reason.
namespace tarvel::controls {

// Decodes a JPEG held in memory. `name` only serves the error text. Grey and colour JPEGs give an
// RGB32 image; a truncated or damaged stream, or one larger than the skin ever needs, throws.
QImage DecodeJpeg(const std::string& bytes, const std::string& name);

// Reads and decodes a JPEG file. A file that cannot be opened throws the file-open error
// "Cannot open file \"PATH\". REASON".
QImage LoadJpeg(const std::string& path);

// Encodes an image as a baseline JPEG with no colour subsampling (small icons stay crisp).
std::string EncodeJpeg(const QImage& image, int quality);

// Encodes and writes atomically; throws on a write failure.
void SaveJpeg(const QImage& image, const std::string& path, int quality);

}  // namespace tarvel::controls
