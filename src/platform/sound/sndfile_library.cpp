#include "platform/sound/sndfile_library.h"

#include "platform/sound/dynamic_library.h"

namespace tarvel::sound {

const SndfileApi* Sndfile(std::string& why) {
    static LazyLibrary<SndfileApi> library({"libsndfile.so.1"},
                                           [](DynamicLibrary& l, SndfileApi& api) {
                                               TARVEL_RESOLVE(l, api, sf_open);
                                               TARVEL_RESOLVE(l, api, sf_close);
                                               TARVEL_RESOLVE(l, api, sf_strerror);
                                               TARVEL_RESOLVE(l, api, sf_command);
                                               TARVEL_RESOLVE(l, api, sf_readf_float);
                                               TARVEL_RESOLVE(l, api, sf_writef_float);
                                               TARVEL_RESOLVE(l, api, sf_seek);
                                               TARVEL_RESOLVE(l, api, sf_write_sync);
                                           });
    return library.Get(why);
}

}  // namespace tarvel::sound
