#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "framework/MessageMap.h"

namespace {

using testing::ElementsAre;

fw::Message command(int code, int id) {
    fw::Message m;
    m.message = fw::msg::Command;
    m.code = code;
    m.id = id;
    return m;
}

class Target {
public:
    std::vector<std::string> calls;
    bool handle(const fw::Message& m);

private:
    void onSave(const fw::Message&) { calls.push_back("save"); }
    void onKey(const fw::Message& m) { calls.push_back("key " + std::to_string(m.id)); }
    void onChange(const fw::Message&) { calls.push_back("change"); }
    void onAnyCommand(const fw::Message&) { calls.push_back("any command"); }
    void onRows(const fw::Message& m) { calls.push_back("rows " + std::to_string(m.row)); }
    void onTick(const fw::Message&) { calls.push_back("tick"); }
    void onEvent(const fw::Message& m) { calls.push_back("event " + std::to_string(m.wParam)); }
    static const fw::MessageEntry<Target> kMap[];
};

const fw::MessageEntry<Target> Target::kMap[] = {
    fw::onClick(1037, &Target::onSave),
    fw::onCommandRange(fw::code::Clicked, 1064, 1067, &Target::onKey),
    fw::onCommand(fw::code::EditChange, 1002, &Target::onChange),
    fw::onNotify(fw::code::ItemChanged, 1000, &Target::onRows),
    fw::onTimer(4096, &Target::onTick),
    fw::onMessage(fw::msg::Private, &Target::onEvent),
    // Only reached by commands that no entry above handles.
    fw::onMessage(fw::msg::Command, &Target::onAnyCommand),
};

bool Target::handle(const fw::Message& m) { return fw::dispatch(*this, kMap, m); }

// A map binds a code only to the message that carries it: these fail to compile.
struct Handler {
    void on(const fw::Message&) {}
};
template <class Code, class = void>
struct BindsToCommand : std::false_type {};
template <class Code>
struct BindsToCommand<Code,
                      std::void_t<decltype(fw::onCommand(std::declval<Code>(), 1, &Handler::on))>>
    : std::true_type {};
template <class Code, class = void>
struct BindsToNotify : std::false_type {};
template <class Code>
struct BindsToNotify<Code,
                     std::void_t<decltype(fw::onNotify(std::declval<Code>(), 1, &Handler::on))>>
    : std::true_type {};

static_assert(BindsToCommand<decltype(fw::code::Clicked)>::value &&
              BindsToCommand<decltype(fw::code::EditChange)>::value &&
              BindsToCommand<decltype(fw::code::ComboSelChange)>::value &&
              BindsToCommand<decltype(fw::code::ListBoxSelChange)>::value);
static_assert(!BindsToCommand<decltype(fw::code::ItemChanged)>::value &&
              !BindsToCommand<decltype(fw::code::Click)>::value && !BindsToCommand<int>::value);
static_assert(BindsToNotify<decltype(fw::code::ItemChanged)>::value &&
              BindsToNotify<decltype(fw::code::Click)>::value);
static_assert(!BindsToNotify<decltype(fw::code::ComboSelChange)>::value &&
              !BindsToNotify<decltype(fw::code::EditChange)>::value &&
              !BindsToNotify<decltype(fw::code::Clicked)>::value && !BindsToNotify<int>::value);

TEST(MessageMap, CallsTheHandlerOfTheMatchingTriple) {
    Target target;
    EXPECT_TRUE(target.handle(command(fw::code::Clicked, 1037)));
    EXPECT_TRUE(target.handle(command(fw::code::EditChange, 1002)));
    fw::Message rows;
    rows.message = fw::msg::Notify;
    rows.code = fw::code::ItemChanged;
    rows.id = 1000;
    rows.row = 3;
    EXPECT_TRUE(target.handle(rows));
    fw::Message tick;
    tick.message = fw::msg::Timer;
    tick.id = 4096;
    EXPECT_TRUE(target.handle(tick));
    EXPECT_THAT(target.calls, ElementsAre("save", "change", "rows 3", "tick"));
}

TEST(MessageMap, ARangeCoversItsEndsAndNothingBeyond) {
    Target target;
    for (int id : {1063, 1064, 1066, 1067, 1068}) target.handle(command(fw::code::Clicked, id));
    EXPECT_THAT(target.calls,
                ElementsAre("any command", "key 1064", "key 1066", "key 1067", "any command"));
}

TEST(MessageMap, CodeAndIdMustBothMatch) {
    Target target;
    fw::Message otherList;
    otherList.message = fw::msg::Notify;
    otherList.code = fw::code::ItemChanged;
    otherList.id = 1026;
    EXPECT_FALSE(target.handle(otherList));
    otherList.id = 1000;
    otherList.code = fw::code::ItemChanging;
    EXPECT_FALSE(target.handle(otherList));
    fw::Message otherTimer;
    otherTimer.message = fw::msg::Timer;
    otherTimer.id = 8192;
    EXPECT_FALSE(target.handle(otherTimer));
    // The first matching entry wins: a change of 1002 never reaches the catch-all.
    target.handle(command(fw::code::EditChange, 1002));
    target.handle(command(fw::code::EditChange, 1003));
    EXPECT_THAT(target.calls, ElementsAre("change", "any command"));
}

TEST(MessageMap, AMessageEntryTakesAnyParameters) {
    Target target;
    fw::Message event;
    event.message = fw::msg::Private;
    event.wParam = 1001;
    event.code = 5;
    event.id = 77;
    EXPECT_TRUE(target.handle(event));
    EXPECT_THAT(target.calls, ElementsAre("event 1001"));
}

// Handlers that reply beside ones that do not: a reply handles with its result or
// declines; a handler without one handles with 0.
class Replying {
public:
    bool handle(const fw::Message& m);
    int clicks = 0;

private:
    fw::Reply onChanging(const fw::Message& m) {
        return m.row == 2 ? fw::answer(1) : fw::decline();
    }
    fw::Reply onDraw(const fw::Message&) { return fw::answer(0x20); }
    fw::Reply onBroadcast(const fw::Message& m) {
        return m.wParam == 0x8001 ? fw::answer(0x424D5144) : fw::decline();
    }
    void onClick(const fw::Message&) { ++clicks; }
    static const fw::MessageEntry<Replying> kMap[];
};

const fw::MessageEntry<Replying> Replying::kMap[] = {
    fw::onNotify(fw::code::ItemChanging, 1000, &Replying::onChanging),
    fw::onNotify(fw::code::CustomDraw, 1000, &Replying::onDraw),
    fw::onMessage(0x0219, &Replying::onBroadcast),
    fw::onClick(1037, &Replying::onClick),
};

bool Replying::handle(const fw::Message& m) { return fw::dispatch(*this, kMap, m); }

TEST(MessageMap, AHandlersReplyIsTheWindowsAnswer) {
    const auto notify = [](int code, int row) {
        fw::Message m;
        m.message = fw::msg::Notify;
        m.code = code;
        m.id = 1000;
        m.row = row;
        return m;
    };
    const auto broadcast = [](uintptr_t event) {
        fw::Message m;
        m.message = 0x0219;
        m.wParam = event;
        return m;
    };
    struct Case {
        fw::Message message;
        bool handled;
        intptr_t result;
    };
    const Case cases[] = {
        {notify(fw::code::ItemChanging, 2), true, 1},
        {notify(fw::code::ItemChanging, 1), false, 0},
        {notify(fw::code::CustomDraw, 0), true, 0x20},
        {broadcast(0x8001), true, 0x424D5144},
        {broadcast(0x8004), false, 0},
        {command(fw::code::Clicked, 1037), true, 0},
        {command(fw::code::Clicked, 1038), false, 0},
    };
    Replying target;
    for (const Case& c : cases) {
        c.message.result = 77;
        EXPECT_EQ(target.handle(c.message), c.handled) << c.message.code << " " << c.message.row;
        if (c.handled) {
            EXPECT_EQ(c.message.result, c.result) << c.message.code;
        }
    }
    EXPECT_EQ(target.clicks, 1);
}

TEST(MessageMap, GainedMeansTheBitsWereOffAndAreOn) {
    fw::Message m;
    m.oldState = fw::row::Focused;
    m.newState = fw::row::Focused | fw::row::Selected;
    EXPECT_TRUE(m.gained(fw::row::Selected));
    EXPECT_FALSE(m.gained(fw::row::Focused));
    m.oldState = fw::row::Selected;
    EXPECT_FALSE(m.gained(fw::row::Selected));
    m.newState = 0;
    EXPECT_FALSE(m.gained(fw::row::Selected));
}

}  // namespace
