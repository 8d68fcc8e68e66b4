#include "platform/sound/openmpt_decoder.h"

#include <fmt/format.h>
#include <libopenmpt/libopenmpt.h>

#include <algorithm>
#include <filesystem>

#include "platform/fs/file_ops.h"
#include "platform/fs/line_file.h"
#include "platform/sound/dynamic_library.h"
#include "platform/sound/file_head.h"
#include "platform/sound/sound_error.h"

namespace tarvel::sound {

namespace {

constexpr int kRate = 44100;
// Modules are small; anything larger is refused before it is read into memory.
constexpr std::uintmax_t kLargestModule = 256u << 20;

// The libopenmpt functions used, from the library loaded when the first module is opened.
struct OpenmptApi {
    decltype(&::openmpt_probe_file_header_get_recommended_size)
        openmpt_probe_file_header_get_recommended_size = nullptr;
    decltype(&::openmpt_probe_file_header) openmpt_probe_file_header = nullptr;
    decltype(&::openmpt_log_func_silent) openmpt_log_func_silent = nullptr;
    decltype(&::openmpt_error_func_ignore) openmpt_error_func_ignore = nullptr;
    decltype(&::openmpt_module_create_from_memory2) openmpt_module_create_from_memory2 = nullptr;
    decltype(&::openmpt_module_destroy) openmpt_module_destroy = nullptr;
    decltype(&::openmpt_free_string) openmpt_free_string = nullptr;
    decltype(&::openmpt_module_set_repeat_count) openmpt_module_set_repeat_count = nullptr;
    decltype(&::openmpt_module_get_duration_seconds) openmpt_module_get_duration_seconds = nullptr;
    decltype(&::openmpt_module_get_metadata) openmpt_module_get_metadata = nullptr;
    decltype(&::openmpt_module_read_interleaved_float_stereo)
        openmpt_module_read_interleaved_float_stereo = nullptr;
    decltype(&::openmpt_module_set_position_seconds) openmpt_module_set_position_seconds = nullptr;
    decltype(&::openmpt_module_set_render_param) openmpt_module_set_render_param = nullptr;
};

// Null, with the reason in why, when libopenmpt cannot be loaded.
const OpenmptApi* Openmpt(std::string& why) {
    static LazyLibrary<OpenmptApi> library(
        {"libopenmpt.so.0"}, [](DynamicLibrary& l, OpenmptApi& api) {
            TARVEL_RESOLVE(l, api, openmpt_probe_file_header_get_recommended_size);
            TARVEL_RESOLVE(l, api, openmpt_probe_file_header);
            TARVEL_RESOLVE(l, api, openmpt_log_func_silent);
            TARVEL_RESOLVE(l, api, openmpt_error_func_ignore);
            TARVEL_RESOLVE(l, api, openmpt_module_create_from_memory2);
            TARVEL_RESOLVE(l, api, openmpt_module_destroy);
            TARVEL_RESOLVE(l, api, openmpt_free_string);
            TARVEL_RESOLVE(l, api, openmpt_module_set_repeat_count);
            TARVEL_RESOLVE(l, api, openmpt_module_get_duration_seconds);
            TARVEL_RESOLVE(l, api, openmpt_module_get_metadata);
            TARVEL_RESOLVE(l, api, openmpt_module_read_interleaved_float_stereo);
            TARVEL_RESOLVE(l, api, openmpt_module_set_position_seconds);
            TARVEL_RESOLVE(l, api, openmpt_module_set_render_param);
        });
    return library.Get(why);
}

struct ModuleDeleter {
    const OpenmptApi* mpt;
    void operator()(openmpt_module* m) const noexcept { mpt->openmpt_module_destroy(m); }
};
using Module = std::unique_ptr<openmpt_module, ModuleDeleter>;

class OpenmptDecoder final : public Decoder {
  public:
    OpenmptDecoder(const OpenmptApi& mpt, Module module) : mpt_(mpt), mod_(std::move(module)) {
        length_ =
            static_cast<std::int64_t>(mpt_.openmpt_module_get_duration_seconds(mod_.get()) * kRate);
        const char* type = mpt_.openmpt_module_get_metadata(mod_.get(), "type");
        if (type != nullptr) {
            type_ = type;
            mpt_.openmpt_free_string(type);
        }
    }

    PcmFormat Format() const override { return PcmFormat{kRate, 2, 16}; }

    std::size_t Read(float* out, std::size_t frames) override {
        const int separation = separation_->load(std::memory_order_relaxed);
        if (separation != applied_separation_) {
            mpt_.openmpt_module_set_render_param(
                mod_.get(), OPENMPT_MODULE_RENDER_STEREOSEPARATION_PERCENT, separation);
            applied_separation_ = separation;
        }
        std::size_t done = 0;
        while (done < frames) {
            const std::size_t got = mpt_.openmpt_module_read_interleaved_float_stereo(
                mod_.get(), kRate, frames - done, out + 2 * done);
            if (got == 0) {
                break;
            }
            done += got;
        }
        return done;
    }

    bool Seek(std::int64_t frame) override {
        mpt_.openmpt_module_set_position_seconds(
            mod_.get(), static_cast<double>(std::max<std::int64_t>(frame, 0)) / kRate);
        return true;
    }

    std::int64_t Length() override { return length_; }
    // The duration is the song's nominal one; the last notes may ring on a little longer.
    bool LengthIsExact() const override { return false; }

    const std::string& Type() const { return type_; }
    const StereoSeparation& Separation() const { return separation_; }

  private:
    const OpenmptApi& mpt_;
    Module mod_;
    std::int64_t length_ = -1;
    std::string type_;
    static constexpr int kLibraryDefault = 100;
    StereoSeparation separation_ = std::make_shared<std::atomic<int>>(kLibraryDefault);
    int applied_separation_ = kLibraryDefault;
};

}  // namespace

std::unique_ptr<Decoder> OpenOpenmptDecoder(const std::string& path) {
    RequireSongFile(path);
    // The header decides first, so that a large file of another kind is never read whole.
    std::error_code size_error;
    const auto size = std::filesystem::file_size(path, size_error);
    if (size_error) {
        throw SoundError(SoundFault::NotFound, fmt::format("{}: {}", path, size_error.message()));
    }
    std::string why;
    const OpenmptApi* mpt = Openmpt(why);
    if (mpt == nullptr) {
        throw SoundError(SoundFault::UnknownFormat, fmt::format("{}: {}", path, why));
    }
    const std::string head =
        ReadHead(path, 0, mpt->openmpt_probe_file_header_get_recommended_size());
    if (size > kLargestModule ||
        mpt->openmpt_probe_file_header(OPENMPT_PROBE_FILE_HEADER_FLAGS_DEFAULT, head.data(),
                                       head.size(), size, mpt->openmpt_log_func_silent, nullptr,
                                       mpt->openmpt_error_func_ignore, nullptr, nullptr,
                                       nullptr) == OPENMPT_PROBE_FILE_HEADER_RESULT_FAILURE) {
        throw SoundError(SoundFault::UnknownFormat, fmt::format("{}: not a module", path));
    }
    std::string bytes;
    try {
        bytes = fs::ReadFile(path);
    } catch (const AppError& e) {
        throw SoundError(SoundFault::NotFound, e.what());
    }
    int error = 0;
    const char* message = nullptr;
    Module mod(mpt->openmpt_module_create_from_memory2(
                   bytes.data(), bytes.size(), mpt->openmpt_log_func_silent, nullptr,
                   mpt->openmpt_error_func_ignore, nullptr, &error, &message, nullptr),
               ModuleDeleter{mpt});
    if (!mod) {
        std::string reason = message != nullptr ? message : "not a module";
        mpt->openmpt_free_string(message);
        throw SoundError(SoundFault::UnknownFormat, fmt::format("{}: {}", path, reason));
    }
    mpt->openmpt_free_string(message);
    mpt->openmpt_module_set_repeat_count(mod.get(), 0);
    return std::make_unique<OpenmptDecoder>(*mpt, std::move(mod));
}

std::string ModuleTypeOf(Decoder& decoder) {
    auto* module = dynamic_cast<OpenmptDecoder*>(&decoder);
    return module != nullptr ? module->Type() : std::string();
}

StereoSeparation StereoSeparationOf(Decoder& decoder) {
    auto* module = dynamic_cast<OpenmptDecoder*>(&decoder);
    return module != nullptr ? module->Separation() : nullptr;
}

}  // namespace tarvel::sound
