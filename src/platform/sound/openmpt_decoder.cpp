#include "platform/sound/openmpt_decoder.h"

#include <fmt/format.h>
#include <libopenmpt/libopenmpt.h>

#include <algorithm>

#include "platform/fs/file_ops.h"
#include "platform/fs/line_file.h"
#include "platform/sound/sound_error.h"

namespace tarvel::sound {

namespace {

constexpr int kRate = 44100;

struct ModuleDeleter {
    void operator()(openmpt_module* m) const noexcept { openmpt_module_destroy(m); }
};
using Module = std::unique_ptr<openmpt_module, ModuleDeleter>;

class OpenmptDecoder final : public Decoder {
  public:
    explicit OpenmptDecoder(Module module) : mod_(std::move(module)) {
        length_ =
            static_cast<std::int64_t>(openmpt_module_get_duration_seconds(mod_.get()) * kRate);
        const char* type = openmpt_module_get_metadata(mod_.get(), "type");
        if (type != nullptr) {
            type_ = type;
            openmpt_free_string(type);
        }
    }

    PcmFormat Format() const override { return PcmFormat{kRate, 2, 16}; }

    std::size_t Read(float* out, std::size_t frames) override {
        std::size_t done = 0;
        while (done < frames) {
            const std::size_t got = openmpt_module_read_interleaved_float_stereo(
                mod_.get(), kRate, frames - done, out + 2 * done);
            if (got == 0) {
                break;
            }
            done += got;
        }
        return done;
    }

    bool Seek(std::int64_t frame) override {
        openmpt_module_set_position_seconds(
            mod_.get(), static_cast<double>(std::max<std::int64_t>(frame, 0)) / kRate);
        return true;
    }

    std::int64_t Length() override { return length_; }
    // The duration is the song's nominal one; the last notes may ring on a little longer.
    bool LengthIsExact() const override { return false; }

    const std::string& Type() const { return type_; }

  private:
    Module mod_;
    std::int64_t length_ = -1;
    std::string type_;
};

}  // namespace

std::unique_ptr<Decoder> OpenOpenmptDecoder(const std::string& path) {
    if (!fs::FileExists(path)) {
        throw SoundError(SoundFault::NotFound, fmt::format("{}: file not found", path));
    }
    std::string bytes;
    try {
        bytes = fs::ReadFile(path);
    } catch (const AppError& e) {
        throw SoundError(SoundFault::NotFound, e.what());
    }
    int error = 0;
    const char* message = nullptr;
    Module mod(openmpt_module_create_from_memory2(bytes.data(), bytes.size(), openmpt_log_func_silent,
                                                  nullptr, openmpt_error_func_ignore, nullptr, &error,
                                                  &message, nullptr));
    if (!mod) {
        std::string reason = message != nullptr ? message : "not a module";
        openmpt_free_string(message);
        throw SoundError(SoundFault::UnknownFormat, fmt::format("{}: {}", path, reason));
    }
    openmpt_free_string(message);
    openmpt_module_set_repeat_count(mod.get(), 0);
    return std::make_unique<OpenmptDecoder>(std::move(mod));
}

std::string ModuleTypeOf(Decoder& decoder) {
    auto* module = dynamic_cast<OpenmptDecoder*>(&decoder);
    return module != nullptr ? module->Type() : std::string();
}

}  // namespace tarvel::sound
