// Libraries opened at run time: a library or function that is not there gives a reason naming
// it with the loader's words, and nothing crashes; the functions are typed from the headers.

#include "platform/sound/dynamic_library.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <thread>
#include <vector>

namespace tarvel::sound {
namespace {

struct LibcApi {
    decltype(&::getpid) getpid = nullptr;
};

TEST(DynamicLibrary, WhatIsMissingIsNamedWithTheLoadersReason) {
    struct Case {
        std::vector<const char*> sonames;
        const char* function;  // resolved when the library opened
        std::vector<std::string> said;
    };
    const Case cases[] = {
        {{"libtarvel-made-up.so.7"},
         "getpid",
         {"cannot load libtarvel-made-up.so.7",
          "libtarvel-made-up.so.7: cannot open shared object file"}},
        {{"libtarvel-made-up.so.7", "libtarvel-other.so.1"},
         "getpid",
         {"cannot load libtarvel-made-up.so.7", "libtarvel-other.so.1: cannot open"}},
        {{"libc.so.6"},
         "tarvel_made_up_function",
         {"libc.so.6 has no function tarvel_made_up_function", "undefined symbol"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sonames.front());
        DynamicLibrary library(c.sonames);
        decltype(&::getpid) function = &::getpid;
        library.Resolve(function, c.function);
        EXPECT_FALSE(library.ok());
        EXPECT_EQ(function, nullptr);
        for (const std::string& part : c.said) {
            EXPECT_NE(library.error().find(part), std::string::npos) << library.error();
        }
    }
}

TEST(DynamicLibrary, LaterNamesAreTriedAndFunctionsAreTyped) {
    DynamicLibrary library({"libtarvel-made-up.so.7", "libc.so.6"});
    LibcApi api;
    TARVEL_RESOLVE(library, api, getpid);
    ASSERT_TRUE(library.ok()) << library.error();
    EXPECT_EQ(api.getpid(), ::getpid());
}

TEST(LazyLibrary, LoadsOnceForAllThreadsAndRemembersAFailure) {
    static int resolved = 0;
    LazyLibrary<LibcApi> libc({"libc.so.6"}, [](DynamicLibrary& l, LibcApi& api) {
        ++resolved;
        TARVEL_RESOLVE(l, api, getpid);
    });
    std::vector<const LibcApi*> got(4);
    std::vector<std::thread> threads;
    for (auto& slot : got) {
        threads.emplace_back([&libc, &slot] {
            std::string why;
            slot = libc.Get(why);
        });
    }
    for (auto& t : threads) {
        t.join();
    }
    EXPECT_EQ(resolved, 1);
    for (const LibcApi* api : got) {
        ASSERT_NE(api, nullptr);
        EXPECT_EQ(api, got.front());
    }

    LazyLibrary<LibcApi> missing({"libtarvel-made-up.so.7"}, [](DynamicLibrary&, LibcApi&) {
        ADD_FAILURE() << "nothing to resolve in a library that did not open";
    });
    for (int i = 0; i < 2; ++i) {
        std::string why;
        EXPECT_EQ(missing.Get(why), nullptr);
        EXPECT_NE(why.find("cannot load libtarvel-made-up.so.7"), std::string::npos) << why;
    }
}

}  // namespace
}  // namespace tarvel::sound
