// Framework objects: reference counts, weak references, class records and class-tested casts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "framework/Exceptions.h"

namespace fw {

class Object;
class ClassRecord;
class Value;

template <class T> class Ref;

// A reference to U may stand for a reference to T: U is T or derives from it.
template <class U, class T>
concept UpcastsTo = std::is_convertible_v<U*, T*>;

// Shared by an object and its weak references; outlives the object while weak references remain.
struct WeakControl {
    Object* object;
    int32_t weakCount;
};

// Every framework object. A plug-in's instance data sits right after the header, at the offset the
// host reports to the plug-in: the header must stay exactly kObjectHeaderSize bytes.
inline constexpr int32_t kObjectHeaderSize = 24;

class Object {
  public:
    Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
    virtual ~Object();

    static const ClassRecord& Class();
    virtual const ClassRecord& classRecord() const { return Class(); }

    void retain() { ++refCount_; }
    void release();
    int32_t refCount() const { return refCount_; }
    // True while the exit hooks run: weak references no longer reach the object.
    bool releasing() const { return releasing_ != 0; }

    bool isA(const ClassRecord& cls) const;

    WeakControl* weakControl();

  private:
    int32_t refCount_ = 0;
    uint32_t releasing_ = 0;
    WeakControl* weak_ = nullptr;
};
static_assert(sizeof(Object) == kObjectHeaderSize,
              "a plug-in's instance data must start right after the header");

// A strong, counted reference. Using a nil reference raises NilObjectException.
template <class T> class Ref {
  public:
    Ref() = default;
    Ref(std::nullptr_t) {}
    Ref(T* p) : p_(p) {
        if (p_)
            p_->retain();
    }
    Ref(const Ref& o) : Ref(o.p_) {}
    Ref(Ref&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    // Only upwards: a downcast goes through checkCast, which tests the class.
    template <UpcastsTo<T> U> Ref(const Ref<U>& o) : Ref(o.get()) {}
    ~Ref() { reset(); }

    Ref& operator=(Ref o) noexcept {
        std::swap(p_, o.p_);
        return *this;
    }
    void reset() {
        if (T* p = std::exchange(p_, nullptr))
            p->release();
    }

    T* get() const { return p_; }
    T* operator->() const { return &deref(); }
    T& operator*() const { return deref(); }
    explicit operator bool() const { return p_ != nullptr; }
    bool operator==(const Ref& o) const { return p_ == o.p_; }
    bool operator==(std::nullptr_t) const { return p_ == nullptr; }

  private:
    T& deref() const {
        if (!p_)
            throw NilObjectException();
        return *p_;
    }
    T* p_ = nullptr;
};

// Creates an object of T with a counted reference for the caller.
template <class T, class... A> Ref<T> make(A&&... args) {
    return Ref<T>(new T(std::forward<A>(args)...));
}

// A reference that does not keep its object alive; lock() gives nil once the object is gone.
template <class T> class WeakRef {
  public:
    WeakRef() = default;
    WeakRef(T* p) { assign(p); }
    WeakRef(const Ref<T>& r) { assign(r.get()); }
    WeakRef(const WeakRef& o) { adopt(o.control_); }
    WeakRef& operator=(const WeakRef& o) {
        if (this != &o) {
            drop();
            adopt(o.control_);
        }
        return *this;
    }
    ~WeakRef() { drop(); }

    Ref<T> lock() const {
        if (!control_ || !control_->object || control_->object->refCount() <= 0 ||
            control_->object->releasing())
            return nullptr;
        return Ref<T>(static_cast<T*>(control_->object));
    }
    bool expired() const { return !lock(); }

  private:
    void assign(T* p) {
        if (p)
            adopt(p->weakControl());
    }
    void adopt(WeakControl* c) {
        control_ = c;
        if (c)
            ++c->weakCount;
    }
    void drop();
    WeakControl* control_ = nullptr;
};

void releaseWeakControl(WeakControl* c);

template <class T> void WeakRef<T>::drop() {
    if (WeakControl* c = std::exchange(control_, nullptr))
        releaseWeakControl(c);
}

// What one member (method, event handler, accessor) or property looks like to introspection.
struct Attribute {
    std::string name{};
    std::string value{};
};

struct MemberInfo {
    std::string name{};
    std::string signature{}; // "%<result>%<parameters>", for example "%b%" or "%%o<PopupMenu>"
    std::vector<Attribute> attributes{};
    uint32_t flags = 0;
};

// A member as introspection lists it, with its scope ("Public" or "Private") as its attribute.
inline MemberInfo scopedMember(std::string name, std::string signature, const char* scope = "Public",
                               uint32_t flags = 0) {
    return {std::move(name), std::move(signature), {{"__Scope", scope}}, flags};
}

// Property types as records and introspection know them.
enum class PropertyType { Integer, Boolean, Color, String, Double, Single, Object, Byte };

using PropertySetter = std::function<void(Object&, const Value&)>;
using PropertyGetter = std::function<Value(const Object&)>;

struct PropertyInfo {
    std::string name{};
    std::string typeCode{}; // "i4", "b", "s", "o<TolvaneVrek>", ...
    PropertyType type = PropertyType::Integer;
    PropertySetter set{};
    PropertyGetter get{};
    std::vector<Attribute> attributes{};
    uint32_t flags = 0;
    int32_t offset = 0;
};

using ObjectFactory = Ref<Object> (*)();
using ObjectHook = void (*)(Object&);

// A class as the runtime knows it: name, parent, how to make one, and what introspection lists.
class ClassRecord {
  public:
    std::string name{};
    const ClassRecord* super = nullptr;
    ObjectFactory create = nullptr; // null for abstract classes
    ObjectHook initHook = nullptr;  // runs on every new object of exactly this class
    ObjectHook exitHook = nullptr;  // runs when the last reference to such an object goes
    std::size_t instanceSize = 0;
    std::vector<MemberInfo> members{};
    std::vector<PropertyInfo> properties{};
    std::vector<Attribute> attributes{};

    bool isSubclassOf(const ClassRecord& other) const;
    // Searches this class, then its ancestors; letter case is ignored.
    const PropertyInfo* findProperty(std::string_view propertyName) const;
    const MemberInfo* findMember(std::string_view memberName) const;
};

// Builds a class record once, on first use, and enters it into the runtime's class list.
const ClassRecord& registerClass(ClassRecord record);
// The records built so far, in the order they were built.
std::vector<const ClassRecord*> registeredClasses();
const ClassRecord* findClass(std::string_view name);

// The base of every class below Object: Self::describe() gives its record (name, parent, members),
// entered into the class list once, on first use.
template <class Self, class Base = Object> class Registered : public Base {
  public:
    using Base::Base;
    static const ClassRecord& Class() {
        static const ClassRecord& record = registerClass(Self::describe());
        return record;
    }
    const ClassRecord& classRecord() const override { return Class(); }
};

// A new object of the class, with its init hooks run (RuntimeNewObject).
Ref<Object> RuntimeNewObject(const ClassRecord& cls);

// The class-tested cast: nil passes; an object of another class raises IllegalCastException.
Object* RuntimeCheckCast(Object* object, const ClassRecord& cls);

template <class T, class U> Ref<T> checkCast(const Ref<U>& object) {
    Object* o = RuntimeCheckCast(object.get(), T::Class());
    if (!o)
        return nullptr;
    T* t = dynamic_cast<T*>(o);
    if (!t)
        throw IllegalCastException(o->classRecord().name, T::Class().name);
    return Ref<T>(t);
}

template <class T> Ref<T> checkCast(Object* object) {
    return checkCast<T>(Ref<Object>(object));
}

// The factory a class's record names: a new C behind a counted reference.
template <class C> ObjectFactory factoryOf() {
    return [] { return Ref<Object>(new C()); };
}

} // namespace fw
