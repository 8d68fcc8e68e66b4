#include "platform/sound/av_library.h"

#include "platform/sound/dynamic_library.h"

namespace tarvel::sound {

namespace {

constexpr std::size_t kLargestAllocation = 64u << 20;

}  // namespace

const AvApi* Av(std::string& why) {
    // libavformat needs libavcodec and libavutil; looking a name up in its handle searches them
    // too, so one library opened gives every function.
    static LazyLibrary<AvApi> library({"libavformat.so.59"}, [](DynamicLibrary& l, AvApi& api) {
        TARVEL_RESOLVE(l, api, av_log_set_level);
        TARVEL_RESOLVE(l, api, av_max_alloc);
        TARVEL_RESOLVE(l, api, av_strerror);
        TARVEL_RESOLVE(l, api, av_malloc);
        TARVEL_RESOLVE(l, api, av_freep);
        TARVEL_RESOLVE(l, api, av_frame_alloc);
        TARVEL_RESOLVE(l, api, av_frame_free);
        TARVEL_RESOLVE(l, api, av_packet_alloc);
        TARVEL_RESOLVE(l, api, av_packet_free);
        TARVEL_RESOLVE(l, api, av_packet_unref);
        TARVEL_RESOLVE(l, api, avcodec_find_decoder);
        TARVEL_RESOLVE(l, api, avcodec_alloc_context3);
        TARVEL_RESOLVE(l, api, avcodec_free_context);
        TARVEL_RESOLVE(l, api, avcodec_parameters_to_context);
        TARVEL_RESOLVE(l, api, avcodec_open2);
        TARVEL_RESOLVE(l, api, avcodec_send_packet);
        TARVEL_RESOLVE(l, api, avcodec_receive_frame);
        TARVEL_RESOLVE(l, api, avcodec_flush_buffers);
        TARVEL_RESOLVE(l, api, avio_alloc_context);
        TARVEL_RESOLVE(l, api, avio_context_free);
        TARVEL_RESOLVE(l, api, avformat_alloc_context);
        TARVEL_RESOLVE(l, api, avformat_free_context);
        TARVEL_RESOLVE(l, api, avformat_open_input);
        TARVEL_RESOLVE(l, api, avformat_close_input);
        TARVEL_RESOLVE(l, api, avformat_find_stream_info);
        TARVEL_RESOLVE(l, api, av_find_best_stream);
        TARVEL_RESOLVE(l, api, av_read_frame);
        TARVEL_RESOLVE(l, api, avformat_seek_file);
        TARVEL_RESOLVE(l, api, av_fmt_ctx_get_duration_estimation_method);
        if (l.ok()) {
            api.av_log_set_level(AV_LOG_QUIET);
            api.av_max_alloc(kLargestAllocation);
        }
    });
    return library.Get(why);
}

std::string AvErrorText(const AvApi& av, int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    if (av.av_strerror(code, text, sizeof text) < 0) {
        return "libav error " + std::to_string(code);
    }
    return text;
}

}  // namespace tarvel::sound
