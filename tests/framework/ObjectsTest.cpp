// The object model: counted and weak references, class-tested casts, exit hooks, values.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "framework/Object.h"
#include "framework/Value.h"
#include "tests/framework/TestObject.h"

using namespace fw;

namespace {

int destroyed = 0;

class Probe : public TestObject<Probe> {
  public:
    static ClassRecord describe() {
        return {.name = "test.Probe", .super = &Object::Class(), .create = factoryOf<Probe>()};
    }
    ~Probe() override { ++destroyed; }
};

class SubProbe : public TestObject<SubProbe, Probe> {
  public:
    static ClassRecord describe() {
        return {.name = "test.SubProbe", .super = &Probe::Class(), .create = factoryOf<SubProbe>()};
    }
};

class Stranger : public TestObject<Stranger> {
  public:
    static ClassRecord describe() { return {.name = "test.Stranger", .super = &Object::Class()}; }
};

class ObjectModel : public testing::Test {
  protected:
    void SetUp() override { destroyed = 0; }
};

TEST_F(ObjectModel, LastStrongReferenceFreesTheObject) {
    {
        Ref<Probe> outer = make<Probe>();
        {
            Ref<Probe> inner = outer;
            EXPECT_EQ(outer->refCount(), 2);
        }
        EXPECT_EQ(outer->refCount(), 1);
        Ref<Probe> moved = std::move(outer);
        EXPECT_EQ(moved->refCount(), 1);
        EXPECT_EQ(destroyed, 0);
    }
    EXPECT_EQ(destroyed, 1);
}

TEST_F(ObjectModel, WeakReferenceNeitherKeepsNorOutlivesItsObject) {
    WeakRef<Probe> weak;
    {
        Ref<Probe> strong = make<Probe>();
        weak = WeakRef<Probe>(strong);
        WeakRef<Probe> copy = weak;
        EXPECT_EQ(copy.lock(), strong);
        EXPECT_EQ(strong->refCount(), 1);
    }
    EXPECT_EQ(destroyed, 1);
    EXPECT_TRUE(weak.expired());
    EXPECT_EQ(weak.lock(), nullptr);
}

TEST_F(ObjectModel, UsingNilRaisesNilObjectException) {
    Ref<Probe> nil;
    EXPECT_THROW(nil->refCount(), NilObjectException);
    EXPECT_THROW(*nil, NilObjectException);
    EXPECT_FALSE(nil);
}

TEST_F(ObjectModel, ClassTestedCasts) {
    EXPECT_EQ(checkCast<Probe>(Ref<Object>()), nullptr) << "nil passes";
    Ref<Object> sub = make<SubProbe>();
    EXPECT_EQ(checkCast<Probe>(sub).get(), sub.get()) << "a subclass is its parent";
    EXPECT_EQ(checkCast<SubProbe>(sub).get(), sub.get());
    try {
        checkCast<Stranger>(sub);
        ADD_FAILURE() << "no exception";
    } catch (const IllegalCastException& e) {
        EXPECT_EQ(std::string(e.what()), "An object of class test.SubProbe is not a test.Stranger.");
    }
    EXPECT_THROW(checkCast<SubProbe>(make<Probe>()), IllegalCastException);
}

// Two classes whose hooks note their runs: the init hooks as constructors run, the exit hooks as
// destructors do.
std::vector<std::string> hookRuns;

class Layered : public TestObject<Layered> {
  public:
    static ClassRecord describe() {
        return {.name = "test.Layered",
                .super = &Object::Class(),
                .create = factoryOf<Layered>(),
                .initHook = [](Object&) { hookRuns.push_back("init Layered"); },
                .exitHook = [](Object&) { hookRuns.push_back("exit Layered"); }};
    }
};

class SubLayered : public TestObject<SubLayered, Layered> {
  public:
    static ClassRecord describe() {
        return {.name = "test.SubLayered",
                .super = &Layered::Class(),
                .create = factoryOf<SubLayered>(),
                .initHook = [](Object&) { hookRuns.push_back("init SubLayered"); },
                .exitHook = [](Object&) { hookRuns.push_back("exit SubLayered"); }};
    }
};

TEST_F(ObjectModel, NewObjectRunsInitHooksFromTheBaseDown) {
    Ref<Object> made = RuntimeNewObject(SubProbe::Class());
    EXPECT_TRUE(made->isA(Probe::Class()));
    EXPECT_FALSE(made->isA(Stranger::Class()));
    EXPECT_THROW(RuntimeNewObject(Stranger::Class()), RuntimeException) << "no factory: cannot be made";

    hookRuns.clear();
    RuntimeNewObject(SubLayered::Class());
    const std::vector<std::string> expected = {"init Layered", "init SubLayered", "exit SubLayered",
                                               "exit Layered"};
    EXPECT_EQ(hookRuns, expected);
}

// An exit hook that takes and drops references of its own, as one that clears a property does.
int exitRuns = 0;
void retainingExitHook(Object& self) {
    ++exitRuns;
    Ref<Object> again(&self);
    Ref<Object> twice = again;
}

class Hooked : public TestObject<Hooked> {
  public:
    static ClassRecord describe() {
        return {.name = "test.Hooked", .super = &Object::Class(), .exitHook = retainingExitHook};
    }
    ~Hooked() override { ++destroyed; }
};

TEST_F(ObjectModel, ExitHookRunsOnceWhenTheLastReferenceGoes) {
    exitRuns = 0;
    {
        Ref<Hooked> object = make<Hooked>();
        Ref<Hooked> second = object;
        second.reset();
        EXPECT_EQ(exitRuns, 0);
    }
    EXPECT_EQ(exitRuns, 1);
    EXPECT_EQ(destroyed, 1);
}

TEST(Values, AccessorsGiveTheKindTheyHold) {
    EXPECT_EQ(Value(int32_t{7}).asInteger(), 7);
    EXPECT_TRUE(Value(true).asBoolean());
    EXPECT_EQ(Value(2.5).asDouble(), 2.5);
    EXPECT_EQ(Value(int32_t{3}).asDouble(), 3.0) << "an Integer reads as a Double";
    EXPECT_EQ(Value(RGB(1, 2, 3)).asColor(), RGB(1, 2, 3));
    EXPECT_EQ(Value("Ambrel").asString().bytes(), "Ambrel");
    EXPECT_TRUE(Value().asString().empty()) << "nothing reads as the empty text";
    EXPECT_EQ(Value().asObject(), nullptr) << "nothing reads as nil";
    Ref<Probe> probe = make<Probe>();
    EXPECT_EQ(Value(probe).as<Probe>(), probe);
    EXPECT_EQ(Value(probe).get<Probe*>(), probe.get());
}

TEST(Values, AKindMismatchRaises) {
    struct Case {
        Value value;
        void (*read)(const Value&);
        const char* message;
    };
    const Case cases[] = {
        {Value(true), [](const Value& v) { v.asInteger(); },
         "A value holding a Boolean was used as an Integer."},
        {Value(int32_t{1}), [](const Value& v) { v.asBoolean(); },
         "A value holding an Integer was used as a Boolean."},
        {Value("1"), [](const Value& v) { v.asDouble(); }, "A value holding a String was used as a Double."},
        {Value(), [](const Value& v) { v.asColor(); }, "A value holding nothing was used as a Color."},
        {Value(int32_t{1}), [](const Value& v) { v.asString(); },
         "A value holding an Integer was used as a String."},
        {Value(2.0), [](const Value& v) { v.asObject(); }, "A value holding a Double was used as an Object."},
    };
    for (const Case& c : cases) {
        try {
            c.read(c.value);
            ADD_FAILURE() << "no exception: " << c.message;
        } catch (const RuntimeException& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
    }
    EXPECT_THROW(Value(make<Probe>()).as<Stranger>(), IllegalCastException);
}

} // namespace
