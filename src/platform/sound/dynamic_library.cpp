#include "platform/sound/dynamic_library.h"

#include <dlfcn.h>

namespace tarvel::sound {

namespace {

// The loader's last error; dlerror() answers null when it has none.
std::string LoaderError() {
    const char* text = dlerror();
    return text != nullptr ? text : "unknown error";
}

}  // namespace

DynamicLibrary::DynamicLibrary(const std::vector<const char*>& sonames) {
    std::string reasons;
    for (const char* soname : sonames) {
        handle_ = dlopen(soname, RTLD_NOW | RTLD_LOCAL);
        if (handle_ != nullptr) {
            name_ = soname;
            return;
        }
        reasons += (reasons.empty() ? "" : "; ") + LoaderError();
    }
    error_ = "cannot load " + (sonames.size() == 0 ? std::string("a library") : sonames.front()) +
             " (" + (reasons.empty() ? std::string("no name given") : reasons) + ")";
}

void* DynamicLibrary::Address(const char* name) {
    if (handle_ == nullptr) {
        return nullptr;
    }
    dlerror();  // a null function is valid; only dlerror tells a missing one apart
    void* address = dlsym(handle_, name);
    if (address == nullptr && error_.empty()) {
        error_ = name_ + " has no function " + name + " (" + LoaderError() + ")";
    }
    return address;
}

}  // namespace tarvel::sound
