#include "platform/winmsg/wire.h"

#include <cstring>

namespace tarvel::winmsg::wire {
namespace {

template <typename T>
void Put(std::string& out, T value) {
    auto bits = static_cast<std::make_unsigned_t<T>>(value);
    for (size_t i = 0; i < sizeof(T); ++i) {
        out.push_back(static_cast<char>(bits & 0xFF));
        bits = static_cast<decltype(bits)>(bits >> 8);
    }
}

template <typename T>
T Get(const char* p) {
    std::make_unsigned_t<T> bits = 0;
    for (size_t i = sizeof(T); i-- > 0;) {
        bits = static_cast<decltype(bits)>((bits << 8) | static_cast<unsigned char>(p[i]));
    }
    return static_cast<T>(bits);
}

}  // namespace

std::string EncodeRequest(const Incoming& m) {
    std::string out = "TVWM";
    out.push_back(static_cast<char>(m.op));
    Put<uint32_t>(out, m.msg);
    Put<int64_t>(out, m.wparam);
    Put<int64_t>(out, m.lparam);
    Put<int32_t>(out, m.kind);
    Put<uint32_t>(out, static_cast<uint32_t>(m.data.size()));
    out += m.data;
    return out;
}

std::optional<Incoming> DecodeRequest(const std::string& buffer, size_t* used, bool* malformed) {
    *malformed = false;
    if (buffer.size() < kHeaderSize) {
        *malformed = buffer.compare(0, std::min<size_t>(4, buffer.size()), "TVWM", 0,
                                    std::min<size_t>(4, buffer.size())) != 0;
        return std::nullopt;
    }
    const char* p = buffer.data();
    const auto op = static_cast<uint8_t>(p[4]);
    const auto size = Get<uint32_t>(p + 29);
    if (std::memcmp(p, "TVWM", 4) != 0 || op < 1 || op > 5 || size > kMaxData) {
        *malformed = true;
        return std::nullopt;
    }
    if (buffer.size() < kHeaderSize + size) {
        return std::nullopt;
    }
    Incoming m;
    m.op = static_cast<Op>(op);
    m.msg = Get<uint32_t>(p + 5);
    m.wparam = Get<int64_t>(p + 9);
    m.lparam = Get<int64_t>(p + 17);
    m.kind = Get<int32_t>(p + 25);
    m.data.assign(p + kHeaderSize, size);
    *used = kHeaderSize + size;
    return m;
}

std::string EncodeResult(int32_t result) {
    std::string out;
    Put<int32_t>(out, result);
    return out;
}

int32_t DecodeResult(const char bytes[4]) {
    return Get<int32_t>(bytes);
}

}  // namespace tarvel::winmsg::wire
