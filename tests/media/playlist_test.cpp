// The playlist members: path pieces, bare names into a second list, and
// playlist files written and read byte for byte through real files, next to
// files the host holds open under its own numbers.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "media/path_text.hpp"
#include "media_world.hpp"
#include "tests/scratch_folder.hpp"

namespace quibor15::testing {
namespace {

namespace fs = std::filesystem;

// A list reached late-bound whose answers a test chooses: the count it
// reports, an index whose entry cannot be read, and whether AddItem fails.
class FakeList : public Object {
public:
    Variant count = Variant(Long{0});
    std::vector<String> items;
    Long unreadable = -1;
    bool add_fails = false;
    std::vector<String> added;

    String TypeName() const override { return u"FakeList"; }
    DispId GetIdOfName(std::u16string_view name) override {
        if (EqualsIgnoreCase(name, u"ListCount")) return 1;
        if (EqualsIgnoreCase(name, u"List")) return 2;
        if (EqualsIgnoreCase(name, u"AddItem")) return 3;
        return kDispIdUnknown;
    }
    Variant Invoke(DispId id, uint16_t, std::span<Variant> args) override {
        switch (id) {
            case 1:
                return count;
            case 2: {
                const Long i = VariantToLong(args[0]);
                if (i == unreadable || i < 0 || i >= static_cast<Long>(items.size())) {
                    RaiseRuntimeError(rt::kInvalidProcedureCall);
                }
                return Variant(items[static_cast<size_t>(i)]);
            }
            case 3:
                if (add_fails) RaiseRuntimeError(rt::kInvalidProcedureCall);
                added.push_back(VariantToString(args[0]));
                return Variant();
            default:
                RaiseRuntimeError(rt::kMemberNotSupported);
        }
    }
};

class Playlist : public MediaWorld {
protected:
    Playlist() { form_ = runtime->AddForm(u"frmPlaylist"); }

    // A path inside the test's folder, as the host writes it (backslashes).
    String PathOf(const std::string& name) const {
        String path = (folder_.Path() / name).u16string();
        for (char16_t& c : path) {
            if (c == u'/') c = u'\\';
        }
        return path;
    }
    fs::path Native(const std::string& name) const { return folder_ / name; }

    std::string Bytes(const std::string& name) const {
        std::ifstream in(Native(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    void WriteBytes(const std::string& name, const std::string& bytes) const {
        std::ofstream out(Native(name), std::ios::binary);
        out << bytes;
    }

    Ref<headless::ListBox> NewList(std::vector<String> entries = {}) {
        auto list = form_->Add<headless::ListBox>(u"lst" + DecimalText(static_cast<Long>(++lists_)));
        for (String& e : entries) list->AddItem(std::move(e));
        return list;
    }
    static std::vector<String> Entries(const headless::ListBox& list) {
        std::vector<String> out;
        for (Long i = 0; i < list.ListCount(); ++i) out.push_back(list.List(i));
        return out;
    }

    void Save(const String& file, const ObjectRef& list) {
        String name = file;
        Variant box(list);
        EXPECT_TRUE(NewPlayer()->MP3SavePlayList(name, box).IsEmpty());
        EXPECT_EQ(name, file);
    }
    void Open(const String& file, const ObjectRef& list) {
        String name = file;
        Variant box(list);
        EXPECT_TRUE(NewPlayer()->MP3OpenPlayList(name, box).IsEmpty());
        EXPECT_EQ(name, file);
    }
    // No file number stays open after a call.
    void ExpectNoFileOpen() { EXPECT_EQ(runtime->FreeFile(), 1); }

    ScratchFolder folder_{"q15-media"};
    Ref<headless::Form> form_;
    int lists_ = 0;
};

// --- GetLastBackSlash

TEST(PathText, GetLastBackSlashTakesWhatFollowsTheLastBackslash) {
    const struct {
        const char16_t* text;
        const char16_t* tail;
    } cases[] = {
        {u"C:\\Music\\Song.mp3", u"Song.mp3"},
        {u"Song.mp3", u"Song.mp3"},
        {u"C:\\Music\\", u""},
        {u"", u""},
        {u"\\", u""},
        {u"\\\\server\\share\\a b.mp3", u"a b.mp3"},
        {u"C:/Music/Song.mp3", u"C:/Music/Song.mp3"},
    };
    for (const auto& c : cases) EXPECT_EQ(media::TextAfterLastBackslash(c.text), c.tail) << sim::ToUtf8(c.text);
}

TEST(PathText, PositionsBeyondTheSixteenBitRangeOverflow) {
    String at_limit(32766, u'a');
    at_limit += u"\\tail";  // the backslash at 32767
    EXPECT_EQ(media::TextAfterLastBackslash(at_limit), u"tail");
    String beyond(32767, u'a');
    beyond += u"\\tail";  // at 32768
    EXPECT_RAISES(6, media::TextAfterLastBackslash(beyond));
    // A long text whose last backslash comes early is fine.
    String long_tail = u"x\\" + String(40000, u'b');
    EXPECT_EQ(media::TextAfterLastBackslash(long_tail).size(), 40000u);

    EXPECT_EQ(media::TextBeforeLastChar(String(32765, u'a') + u".x", u'.'), String(32765, u'a'));
    EXPECT_RAISES(6, media::TextBeforeLastChar(String(32768, u'a'), u'.'));
    // The name rule holds the same length whether or not there is a ".".
    for (const String& name : {String(33000, u'a'), String(32999, u'a') + u".x"})
        EXPECT_RAISES(6, media::NameWithoutExtension(name));
    EXPECT_EQ(media::NameWithoutExtension(String(32767, u'a')), String(32767, u'a'));
}

TEST(PathText, TextBeforeLastCharAndNamesWithoutExtension) {
    EXPECT_EQ(media::TextBeforeLastChar(u"a.b.mp3", u'.'), u"a.b");
    EXPECT_EQ(media::TextBeforeLastChar(u"README", u'.'), u"");
    EXPECT_EQ(media::TextBeforeLastChar(u"", u'.'), u"");
    EXPECT_EQ(media::TextBeforeLastChar(u"Ab", u'a'), u"");  // exact comparison
    EXPECT_EQ(media::NameWithoutExtension(u"a.b.mp3"), u"a.b");
    EXPECT_EQ(media::NameWithoutExtension(u"README"), u"README");
    EXPECT_EQ(media::NameWithoutExtension(u".hidden"), u"");
    EXPECT_EQ(media::NameWithoutExtension(u"trailing."), u"trailing");
}

TEST_F(Playlist, GetLastBackSlashLeavesItsArgumentAndReachesLateBinding) {
    auto player = NewPlayer();
    String text = u"C:\\Music\\Song.mp3";
    EXPECT_EQ(player->GetLastBackSlash(text), u"Song.mp3");
    EXPECT_EQ(text, u"C:\\Music\\Song.mp3");
    std::vector<Variant> args = {Variant(u"D:\\x\\y.wav")};
    EXPECT_EQ(player->Invoke(player->GetIdOfName(u"getlastbackslash"), kInvokeMethod, args), Variant(u"y.wav"));
    EXPECT_TRUE(Sent().empty());
}

// --- ListNoChar

TEST_F(Playlist, ListNoCharAppendsBareNamesInOrder) {
    auto paths = NewList({u"C:\\Music\\a.b.mp3", u"C:\\Music\\README", u"song.MP3", u"C:\\Music\\", u"D:\\.hidden"});
    auto names = NewList({u"kept"});
    ObjectRef list1(names), list2(paths);
    NewPlayer()->ListNoChar(list1, list2);
    // A name without an extension is kept whole.
    EXPECT_EQ(Entries(*names), (std::vector<String>{u"kept", u"a.b", u"README", u"song", u"", u""}));
    EXPECT_EQ(Entries(*paths).size(), 5u);
}

TEST_F(Playlist, ListNoCharWithAnEmptyListAddsNothing) {
    auto paths = NewList();
    auto names = NewList({u"one"});
    ObjectRef list1(names), list2(paths);
    NewPlayer()->ListNoChar(list1, list2);
    EXPECT_EQ(Entries(*names), std::vector<String>{u"one"});
}

TEST_F(Playlist, ListNoCharPassesErrorsToTheCaller) {
    auto player = NewPlayer();
    auto names = NewList();
    ObjectRef list1(names);
    ObjectRef label(form_->Add<headless::Label>(u"lblNoList"));
    EXPECT_RAISES(438, player->ListNoChar(list1, label));
    ObjectRef nothing;
    EXPECT_RAISES(91, player->ListNoChar(list1, nothing));

    // The entries before a failing one stay added.
    auto paths = NewList({u"a.mp3", String(32768, u'x') + u".mp3", u"c.mp3"});
    ObjectRef list2(paths);
    EXPECT_RAISES(6, player->ListNoChar(list1, list2));
    EXPECT_EQ(Entries(*names), std::vector<String>{u"a"});
}

// --- saving and opening

TEST_F(Playlist, SavingWritesEachEntryAndCrLfAndOpeningDropsTrailingBlanks) {
    auto list = NewList({u"x", u"y "});
    Save(PathOf("two.m3u"), ObjectRef(list));
    EXPECT_EQ(Bytes("two.m3u"), "x\r\ny \r\n");
    auto back = NewList();
    Open(PathOf("two.m3u"), ObjectRef(back));
    EXPECT_EQ(Entries(*back), (std::vector<String>{u"x", u"y"}));
    ExpectNoFileOpen();
    EXPECT_TRUE(Sent().empty());
}

TEST_F(Playlist, AnEmptyListLeavesAnEmptyFileAndTruncatesAnOldOne) {
    WriteBytes("old.m3u", "old entry\r\n");
    Save(PathOf("old.m3u"), ObjectRef(NewList()));
    EXPECT_TRUE(fs::exists(Native("old.m3u")));
    EXPECT_EQ(Bytes("old.m3u"), "");
    auto back = NewList({u"before"});
    Open(PathOf("old.m3u"), ObjectRef(back));
    EXPECT_EQ(Entries(*back), std::vector<String>{u"before"});
}

TEST_F(Playlist, ARoundTripKeepsEveryEntryTheFormatCanHold) {
    const std::vector<String> entries = {
        u"C:\\Music\\Caf\u00E9 Cr\u00E8me.mp3",  // ANSI letters
        u"\u20ACuro \u2013 mix.mp3",             // 1252's euro sign and en dash
        u"   leading blanks",
        u"",
        u"tab\tinside",
        u"line\nfeed inside",  // a lone LF stays in its line
        u"\\\\server\\share\\song.wma",
    };
    auto list = NewList(entries);
    Save(PathOf("round.m3u"), ObjectRef(list));
    EXPECT_EQ(Bytes("round.m3u"),
              "C:\\Music\\Caf\xE9 Cr\xE8me.mp3\r\n"
              "\x80uro \x96 mix.mp3\r\n"
              "   leading blanks\r\n"
              "\r\n"
              "tab\tinside\r\n"
              "line\nfeed inside\r\n"
              "\\\\server\\share\\song.wma\r\n");
    auto back = NewList();
    Open(PathOf("round.m3u"), ObjectRef(back));
    EXPECT_EQ(Entries(*back), entries);

    // Saving what came back gives the same bytes.
    const std::string first = Bytes("round.m3u");
    Save(PathOf("again.m3u"), ObjectRef(back));
    EXPECT_EQ(Bytes("again.m3u"), first);
}

TEST_F(Playlist, EntriesThatCannotRoundTrip) {
    auto list = NewList({u"trailing  ", u"carriage\rreturn", u"cr lf\r\ninside", u"\u65E5\u672C.mp3", u"   "});
    Save(PathOf("lossy.m3u"), ObjectRef(list));
    EXPECT_EQ(Bytes("lossy.m3u"), "trailing  \r\ncarriage\rreturn\r\ncr lf\r\ninside\r\n??.mp3\r\n   \r\n");
    auto back = NewList();
    Open(PathOf("lossy.m3u"), ObjectRef(back));
    EXPECT_EQ(Entries(*back),
              (std::vector<String>{u"trailing", u"carriage", u"return", u"cr lf", u"inside", u"??.mp3", u""}));
}

TEST_F(Playlist, OpeningReadsLinesEndedByCrOrCrLfAndAppends) {
    const struct {
        std::string bytes;
        std::vector<String> entries;
    } cases[] = {
        {"", {}},
        {"one", {u"one"}},
        {"one\r\ntwo\rthree\nstill three\r\n", {u"one", u"two", u"three\nstill three"}},
        {"a\r", {u"a"}},
        {"a\r\r\n", {u"a", u""}},
        {"\r\n\r\n", {u"", u""}},
        {"  lead\tx  \r\nlast  ", {u"  lead\tx", u"last"}},
        {"\n", {u"\n"}},
        {"nul\0inside\r\n"s, {u"nul\0inside"s}},
        {"\xE9t\xE9\r\n", {u"\u00E9t\u00E9"}},
    };
    for (const auto& c : cases) {
        WriteBytes("in.m3u", c.bytes);
        auto list = NewList({u"existing"});
        Open(PathOf("in.m3u"), ObjectRef(list));
        std::vector<String> expected = {u"existing"};
        expected.insert(expected.end(), c.entries.begin(), c.entries.end());
        EXPECT_EQ(Entries(*list), expected) << c.bytes;
    }
    ExpectNoFileOpen();
}

TEST_F(Playlist, OpeningAnEmptyNameTouchesNothing) {
    auto list = NewList({u"kept"});
    Open(u"", ObjectRef(list));
    EXPECT_EQ(Entries(*list), std::vector<String>{u"kept"});
    ExpectNoFileOpen();
}

TEST_F(Playlist, AFileThatCannotBeOpenedEndsTheCallQuietly) {
    auto list = NewList({u"kept"});
    Open(PathOf("missing.m3u"), ObjectRef(list));
    Open(PathOf("no folder\\x.m3u"), ObjectRef(list));
    Open(PathOf(""), ObjectRef(list));  // the folder itself
    EXPECT_EQ(Entries(*list), std::vector<String>{u"kept"});

    Save(PathOf("no folder\\x.m3u"), ObjectRef(list));
    Save(u"", ObjectRef(list));
    Save(PathOf(""), ObjectRef(list));
    EXPECT_FALSE(fs::exists(Native("no folder")));
    ExpectNoFileOpen();
}

TEST_F(Playlist, TheHostsOwnFileNumberOneIsLeftAlone) {
    // The host writes its own file under number 1 across the save.
    const String host_file = PathOf("host.log");
    runtime->OpenFile(1, host_file, FileMode::Output);
    runtime->FileWriteLine(1, u"host before");
    Save(PathOf("list.m3u"), ObjectRef(NewList({u"a.mp3", u"b.mp3"})));
    runtime->FileWriteLine(1, u"host after");
    runtime->FileClose(1);
    EXPECT_EQ(Bytes("host.log"), "host before\r\nhost after\r\n");
    EXPECT_EQ(Bytes("list.m3u"), "a.mp3\r\nb.mp3\r\n");

    // The host reads its own file under number 1 across the opening.
    runtime->OpenFile(1, host_file, FileMode::Input);
    EXPECT_EQ(runtime->FileReadLine(1), u"host before");
    auto list = NewList();
    Open(PathOf("list.m3u"), ObjectRef(list));
    EXPECT_EQ(Entries(*list), (std::vector<String>{u"a.mp3", u"b.mp3"}));
    EXPECT_EQ(runtime->FileReadLine(1), u"host after");
    EXPECT_TRUE(runtime->FileEof(1));
    runtime->FileClose(1);
    ExpectNoFileOpen();
}

TEST_F(Playlist, WithEveryFileNumberTakenTheCallEndsQuietly) {
    for (int32_t n = 1; n <= 255; ++n) runtime->OpenFile(n, PathOf("f" + std::to_string(n)), FileMode::Output);
    WriteBytes("list.m3u", "a\r\n");
    auto list = NewList();
    Open(PathOf("list.m3u"), ObjectRef(list));
    EXPECT_TRUE(Entries(*list).empty());
    Save(PathOf("out.m3u"), ObjectRef(NewList({u"x"})));
    EXPECT_FALSE(fs::exists(Native("out.m3u")));
    for (int32_t n = 1; n <= 255; ++n) runtime->FileClose(n);
}

TEST_F(Playlist, SavingWhenTheArgumentIsNoListLeavesTheFileAsItWas) {
    WriteBytes("keep.m3u", "precious\r\n");
    auto player = NewPlayer();
    String name = PathOf("keep.m3u");
    const Variant arguments[] = {Variant(), Variant(u"text"), Variant::Nothing(),
                                 Variant(ObjectRef(form_->Add<headless::Label>(u"lblNotAList")))};
    for (Variant box : arguments) {
        EXPECT_TRUE(player->MP3SavePlayList(name, box).IsEmpty());
        EXPECT_EQ(Bytes("keep.m3u"), "precious\r\n");
    }
    // A count that does not fit the 16-bit index.
    auto fake = MakeRef<FakeList>();
    fake->count = Variant(Long{32769});
    Variant box{ObjectRef(fake)};
    player->MP3SavePlayList(name, box);
    EXPECT_EQ(Bytes("keep.m3u"), "precious\r\n");
    ExpectNoFileOpen();
}

TEST_F(Playlist, SavingSkipsAnEntryThatCannotBeRead) {
    auto fake = MakeRef<FakeList>();
    fake->items = {u"one", u"two", u"three"};
    fake->count = Variant(Integer{3});
    fake->unreadable = 1;
    Save(PathOf("skip.m3u"), ObjectRef(fake));
    EXPECT_EQ(Bytes("skip.m3u"), "one\r\nthree\r\n");

    // The largest count the 16-bit index takes.
    fake->items.assign(32768, u"e");
    fake->count = Variant(Long{32768});
    fake->unreadable = -1;
    Save(PathOf("big.m3u"), ObjectRef(fake));
    EXPECT_EQ(fs::file_size(Native("big.m3u")), 32768u * 3u);
}

TEST_F(Playlist, OpeningIntoSomethingThatTakesNoEntriesStillReadsToTheEndAndCloses) {
    WriteBytes("list.m3u", "a\r\nb\r\n");
    auto fake = MakeRef<FakeList>();
    fake->add_fails = true;
    Open(PathOf("list.m3u"), ObjectRef(fake));
    EXPECT_TRUE(fake->added.empty());
    auto player = NewPlayer();
    String name = PathOf("list.m3u");
    Variant text(u"not a list");
    EXPECT_TRUE(player->MP3OpenPlayList(name, text).IsEmpty());
    ExpectNoFileOpen();

    fake->add_fails = false;
    Open(PathOf("list.m3u"), ObjectRef(fake));
    EXPECT_EQ(fake->added, (std::vector<String>{u"a", u"b"}));
}

TEST_F(Playlist, PlaylistMembersReachedLateBound) {
    auto player = NewPlayer();
    auto list = NewList({u"late.mp3"});
    std::vector<Variant> save = {Variant(PathOf("late.m3u")), Variant(ObjectRef(list))};
    player->Invoke(player->GetIdOfName(u"MP3SavePlayList"), kInvokeMethod, save);
    EXPECT_EQ(Bytes("late.m3u"), "late.mp3\r\n");
    auto back = NewList();
    std::vector<Variant> open = {Variant(PathOf("late.m3u")), Variant(ObjectRef(back))};
    player->Invoke(player->GetIdOfName(u"mp3openplaylist"), kInvokeMethod, open);
    EXPECT_EQ(Entries(*back), std::vector<String>{u"late.mp3"});
}

}  // namespace
}  // namespace quibor15::testing
