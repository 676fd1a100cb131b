// The movie controller's commands: exact texts, their order, how each is
// sent and where its return code goes.
#include "media_world.hpp"

namespace quibor15::testing {
namespace {

using Movie = clsQuiborWUIMMMovieA;

class MovieCommands : public MediaWorld {};

struct PlainCase {
    const char* member;
    Variant (Movie::*call)();
    const char16_t* command;
};

const PlainCase kPlainCases[] = {
    {"restoreSizeDefault", &Movie::restoreSizeDefault, u"put movie window"},
    {"minimizeMovie", &Movie::minimizeMovie, u"window movie state minimized"},
    {"playMovie", &Movie::playMovie, u"play movie"},
    {"hideMovie", &Movie::hideMovie, u"window movie state hide"},
    {"showMovie", &Movie::showMovie, u"window movie state show"},
    {"restoreMovie", &Movie::restoreMovie, u"window movie state restore"},
    {"stopMovie", &Movie::stopMovie, u"stop movie"},
    {"playFullScreen", &Movie::playFullScreen, u"play movie fullscreen"},
    {"setVideoOff", &Movie::setVideoOff, u"set all video off"},
    {"setVideoOn", &Movie::setVideoOn, u"set all video on"},
    {"pauseMovie", &Movie::pauseMovie, u"pause movie"},
    {"resumeMovie", &Movie::resumeMovie, u"resume movie"},
    {"closeMovie", &Movie::closeMovie, u"close all"},
    {"setAudioOff", &Movie::setAudioOff, u"set movie audio all off"},
    {"setAudioOn", &Movie::setAudioOn, u"set movie audio all on"},
    {"setLeftOff", &Movie::setLeftOff, u"set movie audio left off"},
    {"setRightOff", &Movie::setRightOff, u"set movie audio right off"},
    {"setLeftOn", &Movie::setLeftOn, u"set movie audio left on"},
    {"setRightOn", &Movie::setRightOn, u"set movie audio right on"},
    {"setDoorOpen", &Movie::setDoorOpen, u"set cdaudio door open"},
    {"setDoorClosed", &Movie::setDoorClosed, u"set cdaudio door closed"},
};

TEST_F(MovieCommands, EachPlainCommandIsSentOnceWithoutAReplyAndItsCodeKept) {
    for (const PlainCase& c : kPlainCases) {
        auto movie = NewMovie();
        Forget();
        Reply(c.command, u"ignored", sim::mcierr::kUnsupportedFunction);
        const Variant result = ((*movie).*c.call)();
        EXPECT_TRUE(result.IsEmpty()) << c.member;
        ASSERT_EQ(Calls().size(), 1u) << c.member;
        EXPECT_EQ(Calls()[0].command, c.command) << c.member;
        // No reply is wanted: a zero length with the placeholder text.
        EXPECT_TRUE(Calls()[0].has_buffer) << c.member;
        EXPECT_EQ(Calls()[0].reply_length, 0u) << c.member;
        EXPECT_EQ(Calls()[0].callback, 0) << c.member;
        EXPECT_EQ(movie->get_Error(), static_cast<Long>(sim::mcierr::kUnsupportedFunction)) << c.member;
    }
}

TEST_F(MovieCommands, ASuccessfulCommandClearsAnEarlierCode) {
    auto movie = NewMovie();
    EXPECT_EQ(movie->get_Error(), 0);
    Reply(u"play movie", u"", sim::mcierr::kDeviceNotReady);
    movie->playMovie();
    EXPECT_EQ(movie->get_Error(), 276);
    movie->stopMovie();
    EXPECT_EQ(movie->get_Error(), 0);
}

TEST_F(MovieCommands, ErrorAndFilenameArePlainFields) {
    auto movie = NewMovie();
    EXPECT_EQ(movie->get_Filename(), u"");
    movie->let_Error(-42);
    EXPECT_EQ(movie->get_Error(), -42);
    movie->let_Filename(u"  any text  ");
    EXPECT_EQ(movie->get_Filename(), u"  any text  ");
    EXPECT_TRUE(Sent().empty());
}

struct NumberCase {
    const char* member;
    Variant (Movie::*call)(Long&);
    Long value;
    const char16_t* command;
};

TEST_F(MovieCommands, CommandsWithANumberWriteItAsSignedDecimalText) {
    const NumberCase cases[] = {
        {"stepFrames", &Movie::stepFrames, 5, u"step movie by 5"},
        {"stepFrames", &Movie::stepFrames, -3, u"step movie by -3"},
        {"setVolume", &Movie::setVolume, 1000, u"setaudio movie volume to 1000"},
        {"setVolume", &Movie::setVolume, 0, u"setaudio movie volume to 0"},
        {"setSpeed", &Movie::setSpeed, 2147483647, u"set movie speed 2147483647"},
        {"setLeftVolume", &Movie::setLeftVolume, -2147483647 - 1, u"setaudio movie left volume to -2147483648"},
        {"setRightVolume", &Movie::setRightVolume, 500, u"setaudio movie right volume to 500"},
    };
    for (const NumberCase& c : cases) {
        auto movie = NewMovie();
        Forget();
        Long value = c.value;
        EXPECT_TRUE(((*movie).*c.call)(value).IsEmpty()) << c.member;
        EXPECT_EQ(Sent(), Commands{c.command}) << c.member;
        EXPECT_EQ(value, c.value) << c.member << " leaves its argument alone";
    }
}

TEST_F(MovieCommands, SizeLocateMovieSendsTheFourNumbersInOrder) {
    auto movie = NewMovie();
    Long left = 0, top = 0, width = 320, height = -240;
    movie->sizeLocateMovie(left, top, width, height);
    EXPECT_EQ(Sent(), Commands{u"put movie window at 0 0 320 -240"});
}

TEST_F(MovieCommands, OpenMovieQuotesTheFileClosesTheAliasThenOpens) {
    auto movie = NewMovie();
    movie->let_Filename(u"C:\\My Movies\\clip one.mpg");
    movie->openMovie();
    EXPECT_EQ(Sent(), (Commands{u"close movie", u"open \"C:\\My Movies\\clip one.mpg\" type mpegvideo alias movie"}));
    EXPECT_EQ(movie->get_Filename(), u"\"C:\\My Movies\\clip one.mpg\"");
}

TEST_F(MovieCommands, OpeningAgainWithoutResettingTheNameAddsAnotherPairOfQuotes) {
    auto movie = NewMovie();
    movie->let_Filename(u"a.mpg");
    movie->openMovie();
    Forget();
    movie->openMovie();
    EXPECT_EQ(Sent(), (Commands{u"close movie", u"open \"\"a.mpg\"\" type mpegvideo alias movie"}));
    EXPECT_EQ(movie->get_Filename(), u"\"\"a.mpg\"\"");

    // Setting the name in between opens it cleanly.
    Forget();
    movie->let_Filename(u"a.mpg");
    movie->openMovie();
    EXPECT_EQ(Sent()[1], u"open \"a.mpg\" type mpegvideo alias movie");
}

TEST_F(MovieCommands, ErrorHoldsTheOpenCodeNotTheClose) {
    auto movie = NewMovie();
    movie->let_Filename(u"missing.mpg");
    Reply(u"close movie", u"", sim::mcierr::kInvalidDeviceName);
    Reply(u"open \"missing.mpg\" type mpegvideo alias movie", u"", sim::mcierr::kFileNotFound);
    movie->openMovie();
    EXPECT_EQ(movie->get_Error(), 275);

    Forget();
    movie->let_Filename(u"there.mpg");
    movie->openMovie();
    EXPECT_EQ(movie->get_Error(), 0);  // the close failed, the open did not
}

TEST_F(MovieCommands, OpenMovieWindowNamesTheParentAndPassesTheStyleVerbatimWithATrailingBlank) {
    auto movie = NewMovie();
    movie->let_Filename(u"clip.avi");
    Long hwnd = 1234;
    String style = u"child";
    movie->openMovieWindow(hwnd, style);
    EXPECT_EQ(Sent(),
              (Commands{u"close movie", u"open \"clip.avi\" type mpegvideo alias movie parent 1234 style child "}));
    EXPECT_EQ(movie->get_Filename(), u"\"clip.avi\"");

    Forget();
    movie->let_Filename(u"clip.avi");
    hwnd = -5;
    style = u"";
    movie->openMovieWindow(hwnd, style);
    EXPECT_EQ(Sent()[1], u"open \"clip.avi\" type mpegvideo alias movie parent -5 style  ");
    EXPECT_EQ(hwnd, -5);
    EXPECT_EQ(style, u"");
}

TEST_F(MovieCommands, RestartMovieSeeksToTheStartThenPlays) {
    auto movie = NewMovie();
    Reply(u"seek movie to start", u"", sim::mcierr::kHardware);
    movie->restartMovie();
    EXPECT_EQ(Sent(), (Commands{u"seek movie to start", u"play movie"}));
    EXPECT_EQ(movie->get_Error(), 0);  // the play's code replaced the seek's

    Forget();
    Reply(u"play movie", u"", sim::mcierr::kDeviceNotReady);
    movie->restartMovie();
    EXPECT_EQ(movie->get_Error(), 276);
}

TEST_F(MovieCommands, CommandTextsCrossTheAnsiCodePage) {
    auto movie = NewMovie();
    movie->let_Filename(u"caf\u00E9 \u65E5.mpg");
    movie->openMovie();
    // 1252 holds the e acute; the ideograph becomes the default character.
    EXPECT_EQ(Sent()[1], u"open \"caf\u00E9 ?.mpg\" type mpegvideo alias movie");
}

TEST_F(MovieCommands, LateBoundCallsReachTheSameMembers) {
    auto movie = NewMovie();
    const DispId show = movie->GetIdOfName(u"SHOWMOVIE");
    EXPECT_EQ(show, static_cast<DispId>(0x60030007));
    movie->Invoke(show, kInvokeMethod, {});
    EXPECT_EQ(Sent(), Commands{u"window movie state show"});

    Forget();
    Variant volume(Long{750});
    std::vector<Variant> args = {Variant::ByRef(volume)};
    movie->Invoke(movie->GetIdOfName(u"setvolume"), kInvokeMethod, args);
    EXPECT_EQ(Sent(), Commands{u"setaudio movie volume to 750"});

    // The fields are properties.
    std::vector<Variant> name = {Variant(u"x.mpg")};
    movie->Invoke(movie->GetIdOfName(u"Filename"), kInvokePropertyPut, name);
    EXPECT_EQ(movie->get_Filename(), u"x.mpg");
    EXPECT_EQ(movie->GetIdOfName(u"timeOut"), static_cast<DispId>(0x60030044));
    EXPECT_EQ(movie->GetIdOfName(u"getVolume"), static_cast<DispId>(0x60030029));
}

}  // namespace
}  // namespace quibor15::testing
