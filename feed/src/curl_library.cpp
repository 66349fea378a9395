#include "detail/curl_library.hpp"

#include <dlfcn.h>

#include <cstring>
#include <string>

namespace syndra::detail {
namespace {

template <class Function>
bool resolve(void* handle, const char* name, Function& out, std::string& missing) {
    void* symbol = dlsym(handle, name);
    if (symbol == nullptr) {
        missing = name;
        return false;
    }
    // POSIX guarantees a function's address survives the trip through void*.
    static_assert(sizeof(Function) == sizeof(symbol));
    std::memcpy(&out, &symbol, sizeof out);
    return true;
}

}  // namespace

Fallible<CurlLibrary> loadCurl(std::initializer_list<const char*> names) {
    std::string tried;
    for (const char* name : names) {
        // Never closed: libcurl and the TLS libraries it starts cannot be
        // unloaded safely, and a transfer may run until the process ends.
        void* handle = dlopen(name, RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) {
            if (!tried.empty()) tried += ", ";
            tried += name;
            continue;
        }
        CurlLibrary lib;
        decltype(&curl_global_init) globalInit = nullptr;
        std::string missing;
        const bool complete = resolve(handle, "curl_global_init", globalInit, missing) &&
                              resolve(handle, "curl_easy_init", lib.easyInit, missing) &&
                              resolve(handle, "curl_easy_setopt", lib.easySetopt, missing) &&
                              resolve(handle, "curl_easy_perform", lib.easyPerform, missing) &&
                              resolve(handle, "curl_easy_getinfo", lib.easyGetinfo, missing) &&
                              resolve(handle, "curl_easy_cleanup", lib.easyCleanup, missing) &&
                              resolve(handle, "curl_easy_strerror", lib.easyStrerror, missing) &&
                              resolve(handle, "curl_slist_append", lib.slistAppend, missing) &&
                              resolve(handle, "curl_slist_free_all", lib.slistFreeAll, missing) &&
                              resolve(handle, "curl_url", lib.url, missing) &&
                              resolve(handle, "curl_url_set", lib.urlSet, missing) &&
                              resolve(handle, "curl_url_get", lib.urlGet, missing) &&
                              resolve(handle, "curl_url_cleanup", lib.urlCleanup, missing) &&
                              resolve(handle, "curl_free", lib.free, missing);
        if (!complete) {
            return Fallible<CurlLibrary>::failure(
                std::string(name) + " is too old: it lacks " + missing, ErrorKind::network);
        }
        if (globalInit(CURL_GLOBAL_DEFAULT) != CURLE_OK) {
            return Fallible<CurlLibrary>::failure(std::string(name) + " could not start",
                                                  ErrorKind::network);
        }
        return lib;
    }
    return Fallible<CurlLibrary>::failure(
        "Reading http and https URLs needs libcurl, which is not installed (looked for " + tried +
            ")",
        ErrorKind::network);
}

const Fallible<CurlLibrary>& curlLibrary() {
    // Debian names the library after its TLS backend.
    static const Fallible<CurlLibrary> loaded =
        loadCurl({"libcurl.so.4", "libcurl-gnutls.so.4", "libcurl-nss.so.4"});
    return loaded;
}

}  // namespace syndra::detail
