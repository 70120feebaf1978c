// The web's common video and audio formats play in the engine: an H.264/AAC MP4 and an
// MP3, made here with the system's GStreamer tools and served locally.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/support/BrowserFixture.h"
#include "tests/support/Files.h"

using namespace zemora;
using namespace zemora::test;

namespace {

class Media : public BrowserFixture {
protected:
    // Encodes with gst-launch-1.0; the pipeline ends in a filesink to `file`.
    static std::string make(const TempFolder& folder, const std::string& name, const std::string& pipeline)
    {
        const std::string path = folder / name;
        const std::string command = "gst-launch-1.0 -q " + pipeline + " filesink location=" + path + " >/dev/null 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return readFile(path);
    }

    // A page that plays its element muted and puts in its title how far it got: "played"
    // once the playing position has moved past half a second.
    void serveMedia(const std::string& element, const std::string& path, const std::string& bytes,
                    const std::string& type)
    {
        Response media;
        media.body = bytes;
        media.contentType = type;
        server.route(path, media);
        server.route("/play.html", htmlPage(R"(<html><head><title>waiting</title></head><body>
<)" + element + R"( id="m" src=")" + path + R"(" muted></)"
                                            + element + R"(>
<script>
const m = document.getElementById("m");
const tell = () => {
  document.title = m.error ? "error " + m.error.code + " " + m.error.message
                 : m.currentTime > 0.5 ? "played" : "at " + m.currentTime;
};
m.addEventListener("error", tell);
setInterval(tell, 100);
m.play().catch(e => { document.title = "refused " + e.name; });
</script></body></html>)"));
    }

    // Waits for the title to say the element played, or why not; its last title.
    std::string played()
    {
        runEventsUntil(
            [&] {
                return !titles.empty()
                       && (titles.back() == "played" || titles.back().starts_with("error")
                           || titles.back().starts_with("refused"));
            },
            std::chrono::seconds(30));
        return titles.empty() ? "" : titles.back();
    }

    TempFolder folder;
};

} // namespace

TEST_F(Media, H264AndAacInMp4Plays)
{
    const std::string video = make(
        folder, "v.mp4",
        "videotestsrc num-buffers=90 ! video/x-raw,width=160,height=120,framerate=30/1 ! x264enc ! h264parse ! mux. "
        "audiotestsrc num-buffers=130 ! audioconvert ! avenc_aac ! aacparse ! mux. "
        "mp4mux name=mux faststart=true ! ");
    ASSERT_GT(video.size(), 1000u);
    serveMedia("video", "/v.mp4", video, "video/mp4");
    ASSERT_TRUE(open(server.url("/play.html")));
    EXPECT_EQ(played(), "played");
}

TEST_F(Media, Mp3Plays)
{
    const std::string audio = make(folder, "a.mp3", "audiotestsrc num-buffers=130 ! audioconvert ! lamemp3enc ! ");
    ASSERT_GT(audio.size(), 1000u);
    serveMedia("audio", "/a.mp3", audio, "audio/mpeg");
    ASSERT_TRUE(open(server.url("/play.html")));
    EXPECT_EQ(played(), "played");
}

TEST_F(Media, EnginesAnswerForTheCommonTypes)
{
    server.route("/types.html", htmlPage(R"(<html><head><title>waiting</title></head><body><script>
const v = document.createElement("video");
document.title = [
  'video/mp4; codecs="avc1.42E01E, mp4a.40.2"', 'audio/mp4; codecs="mp4a.40.2"', 'audio/mpeg; codecs="mp3"'
].map(t => v.canPlayType(t)).join(" ");
</script></body></html>)"));
    ASSERT_TRUE(open(server.url("/types.html")));
    // Until its title comes, an untitled page is named by its file: wait for the answer itself.
    EXPECT_TRUE(runEventsUntil([&] { return !titles.empty() && titles.back() == "probably probably probably"; }))
        << (titles.empty() ? "no title" : titles.back());
}
