#include "detail/curl_library.hpp"

#include <dlfcn.h>

#include <cstring>
#include <string>
#include <type_traits>

namespace syndra::detail {
namespace {

// Looks up the functions of one loaded library; each lookup converts to the
// function pointer type of the field it initialises.
class Symbols {
public:
    explicit Symbols(void* handle) noexcept : handle_(handle) {}

    struct Address {
        void* address;
        template <class Function>
        requires std::is_function_v<Function>
        operator Function*() const noexcept {
            // POSIX guarantees a function's address survives the trip through void*.
            Function* function = nullptr;
            static_assert(sizeof function == sizeof address);
            std::memcpy(&function, &address, sizeof function);
            return function;
        }
    };

    Address operator()(const char* name) {
        void* address = dlsym(handle_, name);
        if (address == nullptr && missing_.empty()) missing_ = name;
        return {address};
    }
    /// The first function not found, or "".
    const std::string& missing() const noexcept { return missing_; }

private:
    void* handle_;
    std::string missing_;
};

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
        Symbols symbol(handle);
        const decltype(&curl_global_init) globalInit = symbol("curl_global_init");
        const CurlLibrary lib{
            .easyInit = symbol("curl_easy_init"),
            .easySetopt = symbol("curl_easy_setopt"),
            .easyPerform = symbol("curl_easy_perform"),
            .easyGetinfo = symbol("curl_easy_getinfo"),
            .easyCleanup = symbol("curl_easy_cleanup"),
            .easyStrerror = symbol("curl_easy_strerror"),
            .slistAppend = symbol("curl_slist_append"),
            .slistFreeAll = symbol("curl_slist_free_all"),
            .url = symbol("curl_url"),
            .urlSet = symbol("curl_url_set"),
            .urlGet = symbol("curl_url_get"),
            .urlCleanup = symbol("curl_url_cleanup"),
            .free = symbol("curl_free"),
        };
        if (!symbol.missing().empty()) {
            return Fallible<CurlLibrary>::failure(
                std::string(name) + " is too old: it lacks " + symbol.missing(),
                ErrorKind::network);
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
