#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/mem.h>
}

#include <string>

namespace tarvel::sound {

// The libavformat, libavcodec and libavutil functions the program uses, from the libraries
// loaded when the first file of a format they decode is opened (MP3 playback does not need them).
struct AvApi {
    decltype(&::av_log_set_level) av_log_set_level = nullptr;
    decltype(&::av_max_alloc) av_max_alloc = nullptr;
    decltype(&::av_strerror) av_strerror = nullptr;
    decltype(&::av_malloc) av_malloc = nullptr;
    decltype(&::av_freep) av_freep = nullptr;
    decltype(&::av_frame_alloc) av_frame_alloc = nullptr;
    decltype(&::av_frame_free) av_frame_free = nullptr;
    decltype(&::av_packet_alloc) av_packet_alloc = nullptr;
    decltype(&::av_packet_free) av_packet_free = nullptr;
    decltype(&::av_packet_unref) av_packet_unref = nullptr;
    decltype(&::avcodec_find_decoder) avcodec_find_decoder = nullptr;
    decltype(&::avcodec_alloc_context3) avcodec_alloc_context3 = nullptr;
    decltype(&::avcodec_free_context) avcodec_free_context = nullptr;
    decltype(&::avcodec_parameters_to_context) avcodec_parameters_to_context = nullptr;
    decltype(&::avcodec_open2) avcodec_open2 = nullptr;
    decltype(&::avcodec_send_packet) avcodec_send_packet = nullptr;
    decltype(&::avcodec_receive_frame) avcodec_receive_frame = nullptr;
    decltype(&::avcodec_flush_buffers) avcodec_flush_buffers = nullptr;
    decltype(&::avio_alloc_context) avio_alloc_context = nullptr;
    decltype(&::avio_context_free) avio_context_free = nullptr;
    decltype(&::avformat_alloc_context) avformat_alloc_context = nullptr;
    decltype(&::avformat_free_context) avformat_free_context = nullptr;
    decltype(&::avformat_open_input) avformat_open_input = nullptr;
    decltype(&::avformat_close_input) avformat_close_input = nullptr;
    decltype(&::avformat_find_stream_info) avformat_find_stream_info = nullptr;
    decltype(&::av_find_best_stream) av_find_best_stream = nullptr;
    decltype(&::av_read_frame) av_read_frame = nullptr;
    decltype(&::avformat_seek_file) avformat_seek_file = nullptr;
    decltype(&::av_fmt_ctx_get_duration_estimation_method)
        av_fmt_ctx_get_duration_estimation_method = nullptr;
};

// Null, and why names the library and the loader's reason, when the libraries cannot be loaded.
// Once loaded, libav logs nothing (refusals come back as errors) and no single allocation of it
// may pass 64 MB, so a file whose header claims a huge table is refused instead of filling memory.
const AvApi* Av(std::string& why);

// libav's own words for an error code.
std::string AvErrorText(const AvApi& av, int code);

}  // namespace tarvel::sound
