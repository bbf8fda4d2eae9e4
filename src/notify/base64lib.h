#pragma once

#include <QString>

#include <cstddef>

// Base64Lib: the program's own Base64 encoder (no library), a namespace of free functions.
// Base64 (RFC 2045 alphabet) for mail attachments: 72 characters a line, each full line ended
// by CRLF; the last, shorter line has no line end. An empty source gives an empty file.
namespace Base64Lib {

// Encodes one group of 1 to 3 bytes into 4 characters, padding short groups with "=".
void EncodeGroup(const unsigned char* group, int count, char out[4]);

// Bytes of output for a source of that many bytes, line ends included.
qint64 EncodedSize(qint64 sourceSize);

// Encodes a whole buffer in the file layout; `out` must hold EncodedSize(size) bytes.
// `size` must be a multiple of 54 (whole lines) except for the last piece of a file.
void EncodeBlock(const unsigned char* in, std::size_t size, char* out);

// Replaces the destination with the encoded source. False on any file error.
bool EncodeFile(const QString& sourcePath, const QString& destinationPath);

} // namespace Base64Lib
