#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/winmsg/messages.h"

// The bytes of one message on an endpoint's socket. A request is
//   "TVWM" op:u8 msg:u32 wparam:i64 lparam:i64 kind:i32 size:u32 data[size]
// (little-endian); the answer is one i32: the result, or for a post 0 once it is queued.
namespace tarvel::winmsg::wire {

constexpr size_t kHeaderSize = 4 + 1 + 4 + 8 + 8 + 4 + 4;
// Copy-data larger than this (1 MiB) is refused by the receiver at the request's header, so a
// broken peer cannot make it allocate much: a file list of thousands of paths fits, and longer
// lists go in several requests.
constexpr uint32_t kMaxData = 1024 * 1024;

std::string EncodeRequest(const Incoming& message);

// Decodes a request from the front of buffer. Returns nothing while the buffer holds less than a
// whole request; sets *malformed for bytes that can never become one.
std::optional<Incoming> DecodeRequest(const std::string& buffer, size_t* used, bool* malformed);

std::string EncodeResult(int32_t result);
int32_t DecodeResult(const char bytes[4]);

}  // namespace tarvel::winmsg::wire
