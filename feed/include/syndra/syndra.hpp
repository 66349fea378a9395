#pragma once

// The whole public API of Syndra in one include.

#include <syndra/atom_feed.hpp>
#include <syndra/content.hpp>
#include <syndra/conversions.hpp>
#include <syndra/date.hpp>
#include <syndra/dublin_core.hpp>
#include <syndra/dump.hpp>
#include <syndra/feed.hpp>
#include <syndra/feed_parser.hpp>
#include <syndra/fetch.hpp>
#include <syndra/itunes.hpp>
#include <syndra/json_feed.hpp>
#include <syndra/mapping.hpp>
#include <syndra/media.hpp>
#include <syndra/options.hpp>
#include <syndra/parser_error.hpp>
#include <syndra/rss_feed.hpp>
#include <syndra/summary.hpp>
#include <syndra/syndication.hpp>
#include <syndra/text.hpp>
#include <syndra/version.hpp>
#include <syndra/warning.hpp>
