// Events that reach the model through the relay (expat on a second thread)
// must be the events the direct reader hands out: same order, same text,
// same errors, and a stop or a failure on either side must end both without
// a hang. Whole documents read both ways are compared in
// model_chunking_test.cpp (and by the parser fuzzer).

#include "detail/xml_relay.hpp"
#include "detail/xml_feed_parser.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <new>
#include <string>
#include <thread>
#include <vector>

namespace {

using syndra::AttributeMap;
using syndra::detail::XmlEventSink;
using syndra::detail::XmlReadOptions;
using syndra::detail::XmlRelay;

// Writes events the way expat reports them: text in pieces, sometimes empty.
void writeScript(XmlEventSink& w) {
    const char* channel[] = {"version", "2.0", "xmlns:media", "http://search.yahoo.com/mrss/",
                             nullptr};
    const char* none[] = {nullptr};
    const std::string longText(5000, 'x');
    if (w.startElement("rss", AttributeMap(channel)) == XmlEventSink::Flow::stop) return;
    w.characters("\n  ");
    w.startElement("channel", AttributeMap(none));
    for (int i = 0; i < 50; ++i) {
        const std::string value = "v" + std::to_string(i);
        const char* attributes[] = {"a", value.c_str(), "empty", "", nullptr};
        if (w.startElement("item", AttributeMap(attributes)) == XmlEventSink::Flow::stop) return;
        w.characters("Tom ");
        w.characters("&");
        w.characters("");
        w.characters(" Jerry\n");
        w.cdata(i % 7 == 0 ? std::string_view(longText) : std::string_view("<b>"));
        if (w.endElement() == XmlEventSink::Flow::stop) return;
    }
    w.endElement();
    w.endElement();
}

// Each event as one line; adjacent text pieces joined, as the model joins them.
class Recorder final : public XmlEventSink {
public:
    Flow startElement(const char* name, const AttributeMap& attributes) override {
        closeText();
        std::string line = std::string("start ") + name;
        attributes.forEach([&](std::string_view n, std::string_view v) {
            line += ' ';
            line += n;
            line += "=\"";
            line += v;
            line += '"';
        });
        return record(std::move(line));
    }
    Flow endElement() override {
        closeText();
        return record("end");
    }
    Flow characters(std::string_view text) override { return piece("text ", text); }
    Flow cdata(std::string_view bytes) override { return piece("cdata ", bytes); }
    void error(std::string message, syndra::ErrorKind kind) override {
        closeText();
        lines.push_back(std::string("error ") + syndra::kindName(kind) + " " + message);
    }
    std::vector<std::string> finish() {
        closeText();
        return lines;
    }

    int stopAt = -1;   // answer stop at this event
    int throwAt = -1;  // throw std::bad_alloc at this event
    std::vector<std::string> lines;

private:
    Flow piece(const char* kind, std::string_view text) {
        if (text_.rfind(kind, 0) != 0) {
            closeText();
            text_ = kind;
        }
        text_ += text;
        return next();
    }
    void closeText() {
        if (!text_.empty()) lines.push_back(std::move(text_));
        text_.clear();
    }
    Flow record(std::string line) {
        lines.push_back(std::move(line));
        return next();
    }
    Flow next() {
        ++events_;
        if (events_ == throwAt) throw std::bad_alloc();
        return events_ == stopAt ? Flow::stop : Flow::proceed;
    }

    std::string text_;
    int events_ = 0;
};

struct RelayShape {
    std::size_t batchBytes;
    std::size_t maxQueued;
};

class RelayShapeTest : public testing::TestWithParam<RelayShape> {};

TEST_P(RelayShapeTest, ReplaysTheEventsInOrderWhateverTheBatchSize) {
    Recorder direct;
    writeScript(direct);

    XmlRelay relay(GetParam().batchBytes, GetParam().maxQueued);
    std::jthread reader([&] {
        writeScript(relay.writer());
        relay.close();
    });
    Recorder relayed;
    relay.replay(relayed);
    reader.join();
    EXPECT_EQ(relayed.finish(), direct.finish());
}

TEST_P(RelayShapeTest, AStopOrAFailureWhileReplayingEndsBothSides) {
    struct Case {
        int stopAt;
        int throwAt;
        const char* lastLine;
    };
    for (const Case c :
         {Case{1, -1, "start rss version=\"2.0\" xmlns:media=\"http://search.yahoo.com/mrss/\""},
          Case{30, -1, nullptr}, Case{-1, 2, "error outOfMemory Out of memory"},
          Case{-1, 200, "error outOfMemory Out of memory"}}) {
        XmlRelay relay(GetParam().batchBytes, GetParam().maxQueued);
        std::atomic<bool> writerSawStop = false;
        std::jthread reader([&] {
            writeScript(relay.writer());
            // Keeps writing until told to stop: the bounded queue makes it
            // wait for the replaying side, which stops or fails sooner or later.
            while (relay.writer().endElement() != XmlEventSink::Flow::stop) {
            }
            writerSawStop = true;
            relay.close();
        });
        Recorder sink;
        sink.stopAt = c.stopAt;
        sink.throwAt = c.throwAt;
        relay.replay(sink);
        reader.join();  // would hang if the reading side were left waiting
        EXPECT_TRUE(writerSawStop) << "stop at " << c.stopAt << ", throw at " << c.throwAt;
        const auto lines = sink.finish();
        ASSERT_FALSE(lines.empty());
        if (c.lastLine != nullptr) {
            EXPECT_EQ(lines.back(), c.lastLine);
        }
        EXPECT_LE(lines.size(), static_cast<std::size_t>(std::max(c.stopAt, c.throwAt)) + 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Shapes, RelayShapeTest,
                         testing::Values(RelayShape{1, 1}, RelayShape{7, 1}, RelayShape{64, 3},
                                         RelayShape{64 * 1024, 4}));

TEST(XmlRelay, AnErrorFromTheReadingSideIsTheLastEvent) {
    XmlRelay relay(16, 2);
    std::jthread reader([&] {
        const char* none[] = {nullptr};
        relay.writer().startElement("rss", AttributeMap(none));
        relay.writer().characters("partial");
        relay.writer().error("not well-formed (invalid token) at line 1, column 9",
                             syndra::ErrorKind::syntax);
        relay.close();
    });
    Recorder sink;
    relay.replay(sink);
    const std::vector<std::string> expected = {
        "start rss", "text partial",
        "error syntax not well-formed (invalid token) at line 1, column 9"};
    EXPECT_EQ(sink.finish(), expected);
}

TEST(XmlRelay, AnAbortStopsARelayedRead) {
    std::string many;
    for (int i = 0; i < 100000; ++i) many += "<item><title>x</title></item>";
    const std::string document = "<rss><channel>" + many + "</channel></rss>";
    std::atomic<bool> abort = true;
    XmlReadOptions options;
    options.useSecondThread = true;
    options.abort = &abort;
    const syndra::Result r = syndra::detail::parseXMLFeed(document, options);
    ASSERT_FALSE(r.isSuccess());
    EXPECT_EQ(r.error()->reason(), "Parsing aborted");
    EXPECT_EQ(r.error()->kind(), syndra::ErrorKind::aborted);
}

}  // namespace
