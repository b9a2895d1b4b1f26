#include "framework/Object.h"

#include <algorithm>
#include <map>
#include <memory>

#include "framework/TextCase.h"

namespace fw {

Object::~Object() {
    if (weak_) {
        weak_->object = nullptr;
        if (weak_->weakCount == 0)
            delete weak_;
    }
}

const ClassRecord& Object::Class() {
    static const ClassRecord& record = registerClass({.name = "Object"});
    return record;
}

void Object::release() {
    if (--refCount_ > 0 || releasing_)
        return;
    // The exit hooks may take and drop references of their own: hold one for them.
    releasing_ = 1;
    refCount_ = 1;
    for (const ClassRecord* c = &classRecord(); c; c = c->super)
        if (c->exitHook)
            c->exitHook(*this);
    refCount_ = 0;
    delete this;
}

bool Object::isA(const ClassRecord& cls) const {
    return classRecord().isSubclassOf(cls);
}

WeakControl* Object::weakControl() {
    if (!weak_)
        weak_ = new WeakControl{this, 0};
    return weak_;
}

void releaseWeakControl(WeakControl* c) {
    if (--c->weakCount == 0 && !c->object)
        delete c;
}

bool ClassRecord::isSubclassOf(const ClassRecord& other) const {
    for (const ClassRecord* c = this; c; c = c->super)
        if (c == &other)
            return true;
    return false;
}

const PropertyInfo* ClassRecord::findProperty(std::string_view propertyName) const {
    for (const ClassRecord* c = this; c; c = c->super)
        for (const PropertyInfo& p : c->properties)
            if (equalsIgnoringCase(p.name, propertyName))
                return &p;
    return nullptr;
}

const MemberInfo* ClassRecord::findMember(std::string_view memberName) const {
    for (const ClassRecord* c = this; c; c = c->super)
        for (const MemberInfo& m : c->members)
            if (equalsIgnoringCase(m.name, memberName))
                return &m;
    return nullptr;
}

namespace {
struct ClassList {
    std::vector<std::unique_ptr<ClassRecord>> records;
};
// Never destroyed: program statics holding objects are released after this list would be.
ClassList& classList() {
    static ClassList* list = new ClassList;
    return *list;
}
} // namespace

const ClassRecord& registerClass(ClassRecord record) {
    auto& list = classList().records;
    list.push_back(std::make_unique<ClassRecord>(std::move(record)));
    return *list.back();
}

std::vector<const ClassRecord*> registeredClasses() {
    std::vector<const ClassRecord*> out;
    for (auto& r : classList().records)
        out.push_back(r.get());
    return out;
}

const ClassRecord* findClass(std::string_view name) {
    for (auto& r : classList().records)
        if (r->name == name)
            return r.get();
    return nullptr;
}

Ref<Object> RuntimeNewObject(const ClassRecord& cls) {
    if (!cls.create)
        throw RuntimeException("The class " + cls.name + " cannot be instantiated.");
    Ref<Object> object = cls.create();
    std::vector<const ClassRecord*> chain;
    for (const ClassRecord* c = &object->classRecord(); c; c = c->super)
        chain.push_back(c);
    std::for_each(chain.rbegin(), chain.rend(), [&](const ClassRecord* c) {
        if (c->initHook)
            c->initHook(*object);
    });
    return object;
}

Object* RuntimeCheckCast(Object* object, const ClassRecord& cls) {
    if (object && !object->isA(cls))
        throw IllegalCastException(object->classRecord().name, cls.name);
    return object;
}

} // namespace fw
