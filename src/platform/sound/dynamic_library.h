#pragma once

#include <initializer_list>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace tarvel::sound {

// A shared library opened at run time (dlopen, RTLD_NOW | RTLD_LOCAL) instead of being linked
// into the program, so that the loader does not map and relocate it before main() for a feature
// the user may never touch. The library stays loaded until the process ends: code of it may
// still run in threads or destructors of other objects, and a linked library would stay too.
// Nothing here throws; a library or function that cannot be found leaves ok() false and error()
// naming the library and giving the loader's reason.
class DynamicLibrary {
  public:
    // Opens the first of the sonames that loads; when none does, error() holds the reason of
    // each.
    explicit DynamicLibrary(const std::vector<const char*>& sonames);
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    bool ok() const { return handle_ != nullptr && error_.empty(); }
    const std::string& error() const { return error_; }

    // Sets `function` to the library's function `name`, typed as the caller declared it (from the
    // library's own header, see TARVEL_RESOLVE). A missing function leaves it null and ok() false.
    template <typename F>
    void Resolve(F& function, const char* name) {
        function = reinterpret_cast<F>(Address(name));
    }

  private:
    void* Address(const char* name);

    void* handle_ = nullptr;
    std::string name_;
    std::string error_;
};

// Resolves the member `name` of `api` to the function of that name, so the name is written once
// and the member's type (decltype(&::name)) comes from the library's header.
#define TARVEL_RESOLVE(library, api, name) (library).Resolve((api).name, #name)

// A library's functions, loaded on the first call of Get() from any thread and then kept: `Api`
// is a struct of function pointers declared as `decltype(&::fn) fn`, and `resolve` fills it from
// the open library. A library that cannot be loaded is tried only once; every later Get()
// answers the same reason.
template <typename Api>
class LazyLibrary {
  public:
    using Resolver = void (*)(DynamicLibrary&, Api&);

    LazyLibrary(std::initializer_list<const char*> sonames, Resolver resolve)
        : sonames_(sonames), resolve_(resolve) {}

    // The functions, or null with the reason (which library, the loader's words) in why.
    const Api* Get(std::string& why) {
        std::call_once(once_, [this] {
            DynamicLibrary library(sonames_);
            Api api{};
            if (library.ok()) {
                resolve_(library, api);
            }
            if (library.ok()) {
                api_ = api;
            } else {
                error_ = library.error();
            }
        });
        if (!api_) {
            why = error_;
            return nullptr;
        }
        return &*api_;
    }

  private:
    std::vector<const char*> sonames_;  // string literals
    Resolver resolve_;
    std::once_flag once_;
    std::optional<Api> api_;
    std::string error_;
};

}  // namespace tarvel::sound
