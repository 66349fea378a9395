#pragma once

#include "detail/fallible.hpp"

#include <curl/curl.h>

#include <initializer_list>

namespace syndra::detail {

/// The libcurl functions URL reading calls. libcurl is loaded when the first
/// http(s) or feed: URL is read, not when the program starts: a program that
/// only parses bytes never maps it and the thirty-odd libraries it brings
/// (TLS, Kerberos, LDAP, SSH), which cost about 6 MB resident and 10 ms of
/// start-up in every process.
struct CurlLibrary {
    decltype(&curl_easy_init) easyInit = nullptr;
    decltype(&curl_easy_setopt) easySetopt = nullptr;
    decltype(&curl_easy_perform) easyPerform = nullptr;
    decltype(&curl_easy_getinfo) easyGetinfo = nullptr;
    decltype(&curl_easy_cleanup) easyCleanup = nullptr;
    decltype(&curl_easy_strerror) easyStrerror = nullptr;
    decltype(&curl_slist_append) slistAppend = nullptr;
    decltype(&curl_slist_free_all) slistFreeAll = nullptr;
    decltype(&curl_url) url = nullptr;
    decltype(&curl_url_set) urlSet = nullptr;
    decltype(&curl_url_get) urlGet = nullptr;
    decltype(&curl_url_cleanup) urlCleanup = nullptr;
    decltype(&curl_free) free = nullptr;
};

/// The first of `names` that loads, with every function found and
/// curl_global_init run; or why none could be used.
Fallible<CurlLibrary> loadCurl(std::initializer_list<const char*> names);

/// The process's libcurl, loaded on the first call (thread-safe) and kept.
const Fallible<CurlLibrary>& curlLibrary();

}  // namespace syndra::detail
