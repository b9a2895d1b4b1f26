#include "app/prefModule.h"

#include <cstdio>
#include <string>

#include "app/Window1.h"
#include "framework/Runtime.h"

namespace ambrel {

fw::ClassRecord directiveClass::describe() {
    return {
        .name = "directiveClass",
        .super = &fw::Object::Class(),
        .create = fw::factoryOf<directiveClass>(),
        .properties =
            {
                {.name = "name",
                 .typeCode = "s",
                 .type = fw::PropertyType::String,
                 .attributes = {{"__Scope", "Public"}}},
                {.name = "text",
                 .typeCode = "s",
                 .type = fw::PropertyType::String,
                 .attributes = {{"__Scope", "Public"}}},
            },
    };
}

namespace prefModule {

fw::ClassRecord DirectiveList::describe() {
    return {
        .name = "directiveClass()",
        .super = &fw::Object::Class(),
    };
}

void createDirectiveList() {
    gDirectives = fw::make<DirectiveList>();
}
void releaseDirectiveList() {
    fw::Ref<DirectiveList> held = gDirectives;
    gDirectives = nullptr;
}

namespace {
// The program writes one short line. Whatever else the file holds, start-up stays quick and small:
// only its head is read, and only so many directives are kept.
constexpr std::size_t kReadBytes = 1 << 20;
constexpr int32_t kKeptDirectives = 4096;

// nil without a preferences folder: the panel then opens at the defaults, and quitting still
// works, instead of a nil-object error at start-up or on the way out.
fw::Ref<fw::FolderItem> prefsFile() {
    fw::Ref<fw::FolderItem> folder = fw::SpecialFolder::Preferences();
    return folder ? folder->Child("ambrel.txt") : nullptr;
}

// The save runs as the program quits, when a box would hold the quit up: the error output tells
// it, once.
void cannotSave(const std::string& where) {
    std::fprintf(stderr, "Ambrel could not save the panel's position %s.\n", where.c_str());
}
} // namespace

bool extractDirectives(const fw::Ref<fw::FolderItem>& f) {
    if (!f)
        return false;
    fw::Ref<fw::TextInputStream> stream = f->OpenAsTextFile(kReadBytes);
    if (!stream)
        return false;
    const int32_t last = gDirectives->Ubound() + kKeptDirectives;
    while (!stream->EndOfFile() && gDirectives->Ubound() < last) {
        fw::String line = stream->ReadLine();
        fw::String c = fw::Mid(line, 1, 1);
        if (!(c == "#") && !(c == "'")) {
            stream->Close();
            return true;
        }
        if (c == "#") {
            int32_t p = fw::InStr(line, " ");
            if (p > 0) {
                gDirectives->Append(fw::make<directiveClass>());
                fw::Ref<directiveClass> entry = (*gDirectives)[gDirectives->Ubound()];
                entry->name = fw::Lowercase(fw::Mid(line, 2, p - 2));
                entry->text = fw::Mid(line, p + 1);
            }
        }
        fw::RuntimeBackgroundTask();
    }
    stream->Close();
    return true;
}

void loadPrefs() {
    fw::Ref<fw::FolderItem> f = prefsFile();
    if (extractDirectives(f)) {
        for (int32_t i = 1; i <= gDirectives->Ubound(); ++i) {
            fw::Ref<directiveClass> entry = (*gDirectives)[i];
            if (entry->name == "Window1Position") {
                Window1Top = fw::toInteger(fw::Val(fw::NthField(entry->text, ",", 1)));
                Window1Left = fw::toInteger(fw::Val(fw::NthField(entry->text, ",", 2)));
            }
            fw::RuntimeBackgroundTask();
        }
    } else {
        Window1Top = 70;
        Window1Left = 10;
    }
}

void savePrefs() {
    fw::Ref<fw::FolderItem> f = prefsFile();
    if (!f) {
        cannotSave(": there is no configuration folder");
        return;
    }
    std::string whyNot;
    fw::Ref<fw::TextOutputStream> stream = f->CreateTextFile(&whyNot);
    if (!stream) {
        cannotSave("in " + f->path().string() + ": " + whyNot);
        return;
    }
    fw::Ref<Window1> panel = ::Window1();
    fw::String line =
        fw::String("#Window1Position ") + fw::Str(panel->Top()) + fw::Chr(44) + fw::Str(panel->Left());
    stream->WriteLine(line);
    // Finished here rather than when the last reference goes, so that a failure can be told; the
    // old file then stays whole.
    if (!stream->Close())
        cannotSave("in " + f->path().string() + ": " + stream->failure());
}

} // namespace prefModule
} // namespace ambrel
