// From key presses to codes, key scripts, and the option stepping every screen uses.
#include "Units/UNTPROGDELEN.h"
#include "platform/headless.h"
#include "platform/keys.h"
#include "support.h"

using platform::Key;
using platform::KeyPress;
using Codes = std::vector<uint8_t>;

namespace {

KeyPress press(Key k, bool shift = false, bool ctrl = false, bool alt = false, char32_t ch = 0) {
    KeyPress p;
    p.key = k;
    p.shift = shift;
    p.ctrl = ctrl;
    p.alt = alt;
    p.ch = ch;
    return p;
}

TEST(KeyCodes, EveryKindOfKey) {
    struct Case {
        KeyPress p;
        Codes want;
    } cases[] = {
        {press(Key::Character, false, false, false, U'a'), {97}},
        {press(Key::Character, true, false, false, U'H'), {72}},
        {press(Key::Character, false, false, false, U'ä'), {0x84}},
        {press(Key::Character, false, false, false, U'ß'), {0xE1}},
        {press(Key::Character, false, false, false, U'€'), {}},
        {press(Key::Enter), {13}},
        {press(Key::Escape), {27}},
        {press(Key::Backspace), {8}},
        {press(Key::Tab), {9}},
        {press(Key::Character, false, true, false, U'c'), {3}},
        {press(Key::Character, false, true, false, U'Z'), {26}},
        {press(Key::Up), {0, 72}},
        {press(Key::Left), {0, 75}},
        {press(Key::Right), {0, 77}},
        {press(Key::Down), {0, 80}},
        {press(Key::Home), {0, 71}},
        {press(Key::End), {0, 79}},
        {press(Key::PgUp), {0, 73}},
        {press(Key::PgDn), {0, 81}},
        {press(Key::Ins), {0, 82}},
        {press(Key::Del), {0, 83}},
        {press(Key::F1), {0, 59}},
        {press(Key::F10), {0, 68}},
        {press(Key::F11), {0, 133}},
        {press(Key::F12), {0, 134}},
        {press(Key::Left, false, true), {0, 115}},
        {press(Key::Right, false, true), {0, 116}},
        {press(Key::Up, false, true), {0, 141}},
        {press(Key::Down, false, true), {0, 145}},
        {press(Key::Up, false, false, true), {0, 152}},
        {press(Key::Left, false, false, true), {0, 155}},
        {press(Key::Right, false, false, true), {0, 157}},
        {press(Key::Down, false, false, true), {0, 160}},
        {press(Key::Character, false, false, true, U'x'), {0, 45}},
        {press(Key::Character, false, false, true, U'q'), {0, 16}},
        {press(Key::F4, false, false, true), {0, 107}},
        {press(Key::Close), {0, 107}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::keyCodes(c.p), c.want) << "key " << static_cast<int>(c.p.key) << " ch " << +c.p.ch;
}

TEST(KeyScript, TokensRepeatsAndTypeAhead) {
    std::vector<platform::ScriptStep> steps;
    std::string why;
    ASSERT_TRUE(platform::parseKeyScript("UP right*3 ahead:enter a H 7 # 0x1b ctrl-left alt-f4 close space f12", steps, why))
        << why;
    std::vector<Codes> codes;
    for (const auto& s : steps) codes.push_back(s.codes);
    const std::vector<Codes> want = {{0, 72}, {0, 77}, {0, 77}, {0, 77}, {13}, {97}, {72}, {55},
                                     {35},    {27},    {0, 115}, {0, 107}, {0, 107}, {32}, {0, 134}};
    EXPECT_EQ(codes, want);
    EXPECT_TRUE(steps[4].ahead);
    EXPECT_FALSE(steps[3].ahead);

    for (const char* bad : {"upp", "right*x", "0xZZ", "ctrl-", "ab", "f13"}) {
        EXPECT_FALSE(platform::parseKeyScript(bad, steps, why)) << bad;
        EXPECT_FALSE(why.empty());
    }
}

TEST(OptionStepping, ArrowsStepWithWrapAroundOtherKeysConfirm) {
    struct Case {
        char key;
        int16_t from, nn, nx, to;
        bool confirmed;
    } cases[] = {
        {'H', 1, 1, 6, 6, false}, {'K', 3, 1, 3, 2, false}, {'P', 6, 1, 6, 1, false}, {'M', 10, 1, 11, 11, false},
        {'M', 11, 1, 11, 1, false}, {'K', 1, 1, 11, 11, false}, {'h', 4, 1, 6, 4, true}, {'k', 4, 1, 6, 4, true},
        {13, 4, 1, 6, 4, true},   {27, 2, 1, 3, 2, true},     {107, 3, 1, 3, 3, true},  {115, 5, 1, 11, 5, true},
    };
    for (const Case& c : cases) {
        int16_t kk = c.from;
        EXPECT_EQ(UNTPROGDELEN::STAP(c.key, kk, c.nn, c.nx), c.confirmed) << "key " << int(c.key) << " from " << c.from;
        EXPECT_EQ(kk, c.to) << "key " << int(c.key) << " from " << c.from;
    }
}

TEST(KeyReading, DropsTypeAheadAndSkipsTheZeroOfSpecialKeys) {
    std::vector<platform::ScriptStep> steps;
    std::string why;
    ASSERT_TRUE(platform::parseKeyScript("ahead:a ahead:b up ahead:down ahead:x enter", steps, why));
    platform::HeadlessDisplay display(steps, nullptr);
    platform::setDisplay(&display);
    display.open("test", why);
    char ch = 0;
    UNTPROGDELEN::LEESKEY(ch);
    EXPECT_EQ(ch, 'H') << "a and b were typed before the read began; Up gives its second code";
    UNTPROGDELEN::LEESKEY(ch);
    EXPECT_EQ(ch, 13) << "Down and x were typed while the program was busy";
    EXPECT_THROW(UNTPROGDELEN::LEESKEY(ch), platform::Halt) << "the keys ran out";
    platform::setDisplay(nullptr);
    platform::clearKeys();
}

TEST(KeyReading, TypedAheadKeysBeyondTheBufferAreDropped) {
    for (int i = 0; i < 100000; ++i) platform::pushKey('x');
    int queued = 0;
    while (platform::keyQueued()) {
        WinCrt::ReadKey();
        ++queued;
    }
    EXPECT_EQ(queued, 256);
}

}  // namespace
