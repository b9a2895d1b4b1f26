// Delegates: targets held strongly or weakly, and calls that outlive what they drop.
#include <string>

#include <gtest/gtest.h>

#include "framework/Delegate.h"
#include "tests/framework/TestObject.h"

using namespace fw;

namespace {

class Ticker : public TestObject<Ticker> {
  public:
    static ClassRecord describe() { return {.name = "test.Ticker", .super = &Object::Class()}; }
};

int panelsAlive = 0;

class Panel : public TestObject<Panel> {
  public:
    static ClassRecord describe() { return {.name = "test.Panel", .super = &Object::Class()}; }
    Panel() { ++panelsAlive; }
    ~Panel() override { --panelsAlive; }

    void Timer1_Action(Ticker* sender) {
        ++actions;
        lastSender = sender;
    }
    void Resized(Ticker*, int32_t width, String title) {
        lastWidth = width;
        lastTitle = title;
    }
    bool _HelpAbout_Action() { return true; }

    int actions = 0;
    Ticker* lastSender = nullptr;
    int32_t lastWidth = 0;
    String lastTitle;
};

TEST(Delegates, WeakTargetGoneRaisesAndTheHandlerDoesNotRun) {
    Ref<Panel> panel = make<Panel>();
    Ref<Delegate> handler = methodDelegate(&Panel::Timer1_Action, panel.get(), "( Timer )", true);
    EXPECT_TRUE(handler->holdsTargetWeakly());
    EXPECT_EQ(panel->refCount(), 1) << "a weak delegate does not keep its window";
    Ref<Ticker> ticker = make<Ticker>();
    handler->invoke({Value(ticker)});
    EXPECT_EQ(panel->actions, 1);
    EXPECT_EQ(panel->lastSender, ticker.get());

    panel.reset();
    EXPECT_EQ(panelsAlive, 0);
    EXPECT_THROW(handler->invoke({Value(ticker)}), NilObjectException);
}

TEST(Delegates, StrongTargetLivesAsLongAsTheDelegate) {
    Ref<Delegate> handler;
    {
        Ref<Panel> panel = make<Panel>();
        handler = methodDelegate(&Panel::_HelpAbout_Action, panel.get(), "(  ) as Boolean", false);
    }
    EXPECT_EQ(panelsAlive, 1);
    EXPECT_TRUE(handler->invoke({}).asBoolean());
    EXPECT_EQ(handler->signature().bytes(), "(  ) as Boolean");
    handler.reset();
    EXPECT_EQ(panelsAlive, 0);
}

TEST(Delegates, EventArgumentsFollowTheSender) {
    Ref<Panel> panel = make<Panel>();
    Ref<Delegate> handler = methodDelegate(&Panel::Resized, panel.get(), "( Ticker, Int32, String )", true);
    handler->invoke({Value(make<Ticker>()), Value(int32_t{171}), Value("Ambrel")});
    EXPECT_EQ(panel->lastWidth, 171);
    EXPECT_EQ(panel->lastTitle.bytes(), "Ambrel");
    EXPECT_THROW(handler->invoke({Value(make<Ticker>())}), RuntimeException) << "too few arguments";
    EXPECT_THROW(handler->invoke({Value(make<Panel>()), Value(int32_t{1}), Value("x")}), IllegalCastException)
        << "a sender of another class";
}

TEST(Delegates, WithoutTargetTheFunctionGetsNil) {
    Object* seen = reinterpret_cast<Object*>(1);
    Ref<Delegate> d = RuntimeCreateDelegate(
        [&](Object* target, Arguments) {
            seen = target;
            return Value();
        },
        nullptr, "(  )", true);
    d->invoke({});
    EXPECT_EQ(seen, nullptr);
}

int lateStartups = 0;
void lateStartup() {
    ++lateStartups;
}

TEST(Delegates, FunctionDelegateCallsItsFunction) {
    Ref<Delegate> d = functionDelegate(lateStartup, "(  )");
    d->invoke({});
    EXPECT_EQ(lateStartups, 1);
    EXPECT_EQ(d->signature().bytes(), "(  )");
}

// A handler that drops the last reference to its own delegate and to its window, as a handler
// that closes its window does: both must last until the call returns.
TEST(Delegates, ACallOutlivesWhatItsHandlerDrops) {
    static Ref<Delegate> holder;
    static Ref<Panel> window;
    window = make<Panel>();
    const std::string captured = "state the handler still reads";
    holder = RuntimeCreateDelegate(
        [captured](Object* target, Arguments) {
            holder.reset();
            window.reset();
            EXPECT_EQ(panelsAlive, 1) << "the window lasts until the call returns";
            EXPECT_EQ(static_cast<Panel*>(target)->actions, 0);
            return Value(captured);
        },
        window.get(), "(  )", true);
    Delegate* d = holder.get();
    EXPECT_EQ(d->invoke({}).asString().bytes(), captured);
    EXPECT_EQ(panelsAlive, 0);
}

} // namespace
