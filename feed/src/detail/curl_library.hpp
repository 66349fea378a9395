#pragma once

#include "detail/fallible.hpp"

#include <curl/curl.h>

#include <initializer_list>

namespace syndra::detail {

/// The libcurl functions URL reading calls. libcurl is loaded when the first
/// http(s) or feed: URL is read, not when the program starts: a program that
/// only parses bytes never maps it and the thirty-odd libraries it brings
/// (TLS, Kerberos, LDAP, SSH), which cost about 6 MB resident and 10 ms of
/// start-up in every process. Built in one designated initializer, so that a
/// function added here and not looked up does not compile.
struct CurlLibrary {
    decltype(&curl_easy_init) easyInit;
    decltype(&curl_easy_setopt) easySetopt;
    decltype(&curl_easy_perform) easyPerform;
    decltype(&curl_easy_getinfo) easyGetinfo;
    decltype(&curl_easy_cleanup) easyCleanup;
    decltype(&curl_easy_strerror) easyStrerror;
    decltype(&curl_slist_append) slistAppend;
    decltype(&curl_slist_free_all) slistFreeAll;
    decltype(&curl_url) url;
    decltype(&curl_url_set) urlSet;
    decltype(&curl_url_get) urlGet;
    decltype(&curl_url_cleanup) urlCleanup;
    decltype(&curl_free) free;
};

/// The first of `names` that loads, with every function found and
/// curl_global_init run; or why none could be used.
Fallible<CurlLibrary> loadCurl(std::initializer_list<const char*> names);

/// The process's libcurl, loaded on the first call (thread-safe) and kept.
const Fallible<CurlLibrary>& curlLibrary();

}  // namespace syndra::detail
